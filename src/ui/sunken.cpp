#include "ui/sunken.h"

#include "ui/colors.h"

#include <QPalette>
#include <qdrawutil.h>

void drawSunken(QPainter& p, const QRect& r, int lineWidth) {
    qDrawShadePanel(&p, r, QPalette(vbColor(syscolor::ButtonFace)), true, lineWidth);
}
