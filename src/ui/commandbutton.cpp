#include "ui/commandbutton.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
}

void CommandButton::mouseMoveEvent(QMouseEvent* e) {
    QPushButton::mouseMoveEvent(e);
    e->accept();
    emit MouseMove();
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
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}
