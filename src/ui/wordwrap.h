#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

// Lays a paragraph out the way the original labels did: greedy by words, a line break swallows
// the blanks it falls on (so a long run of blanks turns into a line break), and a word wider
// than the label is cut where it must be.
void wrapParagraph(const QString& para, const QFontMetrics& fm, int width, QStringList& out);
