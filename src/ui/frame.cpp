#include "ui/frame.h"

#include "ui/colors.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

Frame::Frame(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void Frame::setCaption(const QString& text) {
    caption_ = text;
    update();
}

void Frame::setForeColor(std::uint32_t bgr) {
    fore_ = bgr;
    update();
}

void Frame::setBackColor(std::uint32_t bgr) {
    back_ = bgr;
    update();
}

void Frame::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    p.fillRect(rect(), vbColor(back_));
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    const QRect box(0, top, width() - 1, height() - top - 1);
    p.setPen(vbColor(color::Grey));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(vbColor(color::White));
    p.drawRect(box.adjusted(1, 1, 0, 0));
    if (!caption_.isEmpty()) {
        constexpr int CaptionLeft = 6;
        const int w = fm.horizontalAdvance(caption_) + 4;
        p.fillRect(QRect(CaptionLeft, 0, w, fm.height()), vbColor(back_));
        p.setFont(font());
        p.setPen(vbColor(fore_));
        p.drawText(CaptionLeft + 2, fm.ascent(), caption_);
    }
}

void Frame::mousePressEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = true;
}

void Frame::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const bool click = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) {
        emit Click();
    }
}

void Frame::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit MouseMove();
}
