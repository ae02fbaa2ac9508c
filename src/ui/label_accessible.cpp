#include "ui/label_accessible.h"

#include "ui/label.h"

#include <QAccessibleWidget>

namespace {

// Screen readers see a button-like label as a button with a press action.
class ButtonLabelAccessible : public QAccessibleWidget {
public:
    explicit ButtonLabelAccessible(Label* l) : QAccessibleWidget(l, QAccessible::Button) {}
    [[nodiscard]] QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? label()->text() : QAccessibleWidget::text(t);
    }
    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            label()->press();
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    [[nodiscard]] Label* label() const { return static_cast<Label*>(widget()); }
};

} // namespace

QAccessibleInterface* buttonLabelFactory(const QString& /*className*/, QObject* object) {
    auto* l = qobject_cast<Label*>(object);
    return l != nullptr && l->isButtonLike() ? new ButtonLabelAccessible(l) : nullptr;
}
