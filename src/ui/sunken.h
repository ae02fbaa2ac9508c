#pragma once

#include <QPainter>
#include <QRect>

// The sunken border of labels and picture boxes.
void drawSunken(QPainter& p, const QRect& r, int lineWidth);
