// Text typed on a phone's or a tablet's on-screen keyboard. Qt's own input context for the
// browser hands the game only the last character of each input, so a word that a predictive
// keyboard, a chosen suggestion or voice typing commits at once would arrive as its last letter.
// It is left out, and this one element of the page's takes the text instead: a tap on a text
// field gives it the browser's focus, which opens the keyboard, and what it receives reaches the
// field as an input method's text: whole words, compositions as they grow, single letters. Keys
// that edit or move rather than write (Backspace, Enter, Tab, Esc, arrows) go to the game as keys.
#include "app/web_page.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>

#include <emscripten.h>
#include <emscripten/bind.h>

#include <string>

namespace {

// No input context of Qt's: made before the application, which reads it once.
const bool qtInputContextLeftOut = qputenv("QT_IM_MODULE", "none");

// clang-format off
EM_JS(void, text_element_make, (), {
    const input = document.createElement("input");
    input.id = "vantaro-text";
    input.type = "text";
    input.tabIndex = -1;
    input.autocomplete = "off";
    input.setAttribute("autocapitalize", "words");
    // Out of sight, but in the page: a browser opens its keyboard only for an element shown.
    input.style.cssText = "position:fixed;left:0;bottom:0;width:1px;height:1px;opacity:0;" +
                          "border:0;padding:0;pointer-events:none;font-size:16px";
    document.body.appendChild(input);
    const t = Module.vantaroText = { input, fieldFocused: false, fieldTapped: false };
    // Whatever is not a composition is taken as it comes and the element emptied again, so that
    // a keyboard that sends a whole word sends it once.
    input.addEventListener("input", (e) => {
        if (e.isComposing || !input.value) return;
        Module.vantaroTextIn(1, input.value);
        input.value = "";
    });
    input.addEventListener("compositionupdate", (e) => Module.vantaroTextIn(0, e.data || ""));
    input.addEventListener("compositionend", (e) => {
        Module.vantaroTextIn(1, e.data || "");
        input.value = "";
    });
    const keys = ["Backspace", "Delete", "Enter", "Escape", "Tab", "ArrowLeft", "ArrowRight",
                  "ArrowUp", "ArrowDown", "Home", "End", "F1"];
    input.addEventListener("keydown", (e) => {
        if (e.isComposing || !keys.includes(e.key)) return;
        e.preventDefault();
        Module.vantaroTextKey(e.key, e.shiftKey);
    });
    // A tap on a text field: the game has taken it by now, and the keyboard opens in the tap.
    // The browser's mouse events that follow a touch would give the focus back to the canvas:
    // the game has had the touch itself.
    window.addEventListener("touchend", (e) => {
        const tapped = t.fieldTapped;
        t.fieldTapped = false;
        if (!tapped || !t.fieldFocused || document.activeElement === input) return;
        e.preventDefault();
        input.focus();
    });
});
EM_JS(void, text_field_focused, (bool focused, const char* caption), {
    const t = Module.vantaroText;
    t.fieldFocused = focused;
    // Named by the field's caption: a screen reader says what to type.
    if (focused) t.input.setAttribute("aria-label", UTF8ToString(caption));
    if (!focused && document.activeElement === t.input) {
        t.input.blur();
        const canvas = document.querySelector("#screen canvas");
        if (canvas) canvas.focus();
    }
});
EM_JS(void, text_field_tapped, (), {
    Module.vantaroText.fieldTapped = true;
});
// clang-format on

QLineEdit* textField() {
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return field != nullptr && !field->isReadOnly() ? field : nullptr;
}

// A field's caption is the label before it on its row, as a layout puts one.
QString captionOf(const QLineEdit& field) {
    const QWidget* window = field.window();
    const QRect at(field.mapTo(window, QPoint()), field.size());
    const QLabel* best = nullptr;
    int bestRight = 0;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QRect r(label->mapTo(window, QPoint()), label->size());
        if (label->isVisible() && r.top() < at.bottom() && r.bottom() > at.top() &&
            r.left() < at.left() && (best == nullptr || r.right() > bestRight)) {
            best = label;
            bestRight = r.right();
        }
    }
    return best != nullptr ? best->text() : field.window()->windowTitle().trimmed();
}

// KIND 0: a composition as it stands, shown in the field; 1: text committed to it.
void textIn(int kind, const std::string& text) {
    QLineEdit* field = textField();
    if (field == nullptr) {
        return;
    }
    const QString s = QString::fromStdString(text);
    if (kind == 0) {
        QInputMethodEvent composing(s,
                                    {{QInputMethodEvent::TextFormat, 0, int(s.size()), QVariant()},
                                     {QInputMethodEvent::Cursor, int(s.size()), 1, QVariant()}});
        QApplication::sendEvent(field, &composing);
    } else {
        QInputMethodEvent committed;
        committed.setCommitString(s);
        QApplication::sendEvent(field, &committed);
    }
}

void textKey(const std::string& name, bool shift) {
    static const struct {
        const char* name;
        Qt::Key key;
        const char* text;
    } keys[] = {{"Backspace", Qt::Key_Backspace, "\b"},
                {"Delete", Qt::Key_Delete, "\x7f"},
                {"Enter", Qt::Key_Return, "\r"},
                {"Escape", Qt::Key_Escape, "\x1b"},
                {"Tab", Qt::Key_Tab, "\t"},
                {"ArrowLeft", Qt::Key_Left, ""},
                {"ArrowRight", Qt::Key_Right, ""},
                {"ArrowUp", Qt::Key_Up, ""},
                {"ArrowDown", Qt::Key_Down, ""},
                {"Home", Qt::Key_Home, ""},
                {"End", Qt::Key_End, ""},
                {"F1", Qt::Key_F1, ""}};
    for (const auto& k : keys) {
        if (name == k.name) {
            const Qt::Key key = k.key == Qt::Key_Tab && shift ? Qt::Key_Backtab : k.key;
            const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
            const QString text = QString::fromLatin1(k.text);
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
                nullptr, QEvent::KeyPress, key, mods, text);
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
                nullptr, QEvent::KeyRelease, key, mods, text);
            return;
        }
    }
}

// A press on a text field, which a tap gives as the mouse's: the tap's end opens the keyboard.
class FieldTaps : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* field = qobject_cast<QLineEdit*>(watched);
            if (field != nullptr && !field->isReadOnly()) {
                text_field_tapped();
            }
        }
        return false;
    }
};

} // namespace

EMSCRIPTEN_BINDINGS(vantaro_text) {
    emscripten::function("vantaroTextIn", &textIn);
    emscripten::function("vantaroTextKey", &textKey);
}

void connectPageText() {
    (void)qtInputContextLeftOut;
    text_element_make();
    qApp->installEventFilter(new FieldTaps(qApp));
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [] {
        const QLineEdit* field = textField();
        text_field_focused(field != nullptr,
                           field != nullptr ? captionOf(*field).toUtf8().constData() : "");
    });
}
