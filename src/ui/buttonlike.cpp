#include "ui/buttonlike.h"

#include "ui/controls.h"

#include <QKeyEvent>

bool isActivationKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

void makeButtonLike(Label* label, std::function<void()> onRelease) {
    label->setButtonLike(true);
    QObject::connect(label, &Label::MouseDown, label, [label] { label->setBorderStyle(1); });
    QObject::connect(label, &Label::MouseUp, label, [label, act = std::move(onRelease)] {
        label->setBorderStyle(0);
        act();
    });
}
