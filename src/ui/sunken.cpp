#include "ui/sunken.h"

#include <QPalette>
#include <qdrawutil.h>

void drawSunken(QPainter& p, const QRect& r, int lineWidth) {
    qDrawShadePanel(&p, r, QPalette(QColor(0xF0, 0xF0, 0xF0)), true, lineWidth);
}
