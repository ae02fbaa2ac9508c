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
