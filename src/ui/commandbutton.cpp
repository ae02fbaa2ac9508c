#include "ui/commandbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// Hands Return and keypad Enter on to `handle` as Space, any other key as it is.
template <class Handler> void asSpace(QKeyEvent* e, Handler handle) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        handle(e);
        return;
    }
    QKeyEvent space(e->type(), Qt::Key_Space, e->modifiers() & ~Qt::KeypadModifier,
                    QStringLiteral(" "), e->isAutoRepeat(), static_cast<quint16>(e->count()));
    handle(&space);
    e->setAccepted(space.isAccepted());
}

} // namespace

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
}

void CommandButton::mouseMoveEvent(QMouseEvent* e) {
    QPushButton::mouseMoveEvent(e);
    e->accept();
    emit MouseMove();
}

void CommandButton::keyPressEvent(QKeyEvent* e) {
    asSpace(e, [this](QKeyEvent* k) { QPushButton::keyPressEvent(k); });
}

void CommandButton::keyReleaseEvent(QKeyEvent* e) {
    asSpace(e, [this](QKeyEvent* k) { QPushButton::keyReleaseEvent(k); });
}

void CommandButton::changeEvent(QEvent* e) {
    QPushButton::changeEvent(e);
    // A disabled push button would swallow the pointer's moves and leave the last hover line
    // in place; letting them through gives them to the window, whose handler resets the lines.
    if (e->type() == QEvent::EnabledChange) {
        setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
    }
}

void CommandButton::paintEvent(QPaintEvent* /*e*/) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    if ((opt.state & QStyle::State_Sunken) != 0) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opt, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this));
    }
    // Through the style, which embosses a disabled caption.
    style()->drawItemText(&p, area, Qt::AlignCenter | Qt::TextWordWrap, opt.palette, isEnabled(),
                          caption, QPalette::ButtonText);
}
