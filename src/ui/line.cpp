#include "ui/line.h"

#include "ui/colors.h"

#include <QPaintEvent>
#include <QPainter>

Line::Line(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setColor(std::uint32_t bgr) {
    color_ = bgr;
    update();
}

void Line::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    p.fillRect(rect(), vbColor(color_));
}
