#include "ui/frame.h"

#include "ui/buttonlike.h"
#include "ui/colors.h"
#include "ui/label.h"

#include <QFocusEvent>
#include <QKeyEvent>
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
        if (hasFocus() && Label::keyboardNavigating()) {
            p.setPen(QPen(vbColor(fore_), 1, Qt::DotLine));
            p.drawRect(QRect(CaptionLeft, 0, w, fm.height()).adjusted(0, 0, -1, -1));
        }
    }
}

void Frame::setKeyboardClick(bool on) {
    // Only the keyboard moves the focus here, as on the button-like labels.
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void Frame::keyPressEvent(QKeyEvent* e) {
    if (focusPolicy() == Qt::NoFocus || !isActivationKey(e)) {
        QWidget::keyPressEvent(e);
        return;
    }
    keyHeld_ = keyHeld_ || !e->isAutoRepeat();
    e->accept();
}

void Frame::keyReleaseEvent(QKeyEvent* e) {
    if (focusPolicy() == Qt::NoFocus || !isActivationKey(e)) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    // Only a key pressed here clicks, once, however long it was held.
    if (!e->isAutoRepeat() && keyHeld_) {
        keyHeld_ = false;
        emit Click();
    }
    e->accept();
}

// The caption's ring comes and goes with the focus.
void Frame::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    update();
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

void Frame::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    update();
}
