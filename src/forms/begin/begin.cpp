#include "forms/begin/begin.h"

#include "forms/begin/begin_layout.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/controls.h"
#include "ui/msgbox.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {
const QString BlankNameText =
    QStringLiteral("Ты случайно не ослеп(-ла)(-ло)? Там же ясно написано:'Введи имя'");
const QString BlankNameTitle = QStringLiteral("Не понял?...");
} // namespace

Begin::Begin(StatusPanel& panel, Form& next)
    : Form(QStringLiteral("Begin")), panel_(panel), next_(next) {}

const QString& Begin::title() {
    static const QString t = QString(begin_layout::TitleLeadingBlanks, QLatin1Char(' ')) +
                             QStringLiteral("Введите своё имя");
    return t;
}

void Begin::build(FormWindow& w) {
    using namespace begin_layout;
    setupWindow(w, twips::fromPixels(ClientWidth), twips::fromPixels(ClientHeight),
                syscolor::ButtonText);
    w.setWindowTitle(title());
    w.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    buildControls(w, Controls, twips::PerPixel);

    auto* text1 = w.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QObject::connect(text1, &QLineEdit::textChanged, text1, [this] { Text1_Change(); });
    auto* label2 = w.findChild<Label*>(QStringLiteral("Label2"));
    label2->setButtonLike(true);
    QObject::connect(label2, &Label::MouseDown, label2, [this] { Label2_MouseDown(); });
    QObject::connect(label2, &Label::MouseUp, label2, [this] { Label2_MouseUp(); });
    text1->setFocus();
}

bool Begin::isBlankName(const QString& name) {
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

QString Begin::withoutBrokenCharacters(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (!c.isSurrogate()) {
            out += c;
        }
    }
    return out;
}

void Begin::Text1_Change() {
    // The field's 20-unit limit may cut a pasted letter outside the basic plane in half; the
    // half goes, quietly, so that the name never holds a broken character.
    auto* field = control<QLineEdit>("Text1");
    const QString whole = withoutBrokenCharacters(field->text());
    if (whole.size() != field->text().size()) {
        const int cursor = field->cursorPosition();
        const QSignalBlocker quiet(field);
        field->setText(whole);
        field->setCursorPosition(std::min(cursor, static_cast<int>(whole.size())));
    }
    PlayClick(sound::Click);
}

void Begin::place(int left, int top, int border) {
    auto* label2 = control<Label>("Label2");
    label2->setBorderStyle(border);
    twips::setTop(label2, twips::fromPixels(top));
    twips::setLeft(label2, twips::fromPixels(left));
}

void Begin::Label2_MouseDown() {
    using begin_layout::Pressed;
    place(Pressed.left, Pressed.top, Pressed.border);
}

void Begin::Label2_MouseUp() {
    using begin_layout::Resting;
    place(Resting.left, Resting.top, Resting.border);
    confirm();
}

void Begin::confirm() {
    const QString name = control<QLineEdit>("Text1")->text();
    if (isBlankName(name)) {
        MsgBox(BlankNameText, MsgIcon::None, BlankNameTitle);
        // Back to the name, whatever pressed the label: the next letters go into the field.
        if (isLoaded()) {
            control<QLineEdit>("Text1")->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    unload();
    PlayClick(sound::Click);
    next_.show();
}

void Begin::Form_Unload() {
    GameState& s = gameState();
    s.PlayerName = control<QLineEdit>("Text1")->text();
    if (!isSpecialName(s.PlayerName)) {
        s.Money = OrdinaryStart.money;
        s.Sitost = OrdinaryStart.sitost;
        return;
    }
    // The red name brings the main screen up with its own load step.
    panel_.showSpecialName();
    s.Money = RichStart.money;
    s.Sitost = RichStart.sitost;
}

bool Begin::Form_KeyDown(int key) {
    if (key == Qt::Key_Escape) {
        EndProgram();
        return true;
    }
    return false;
}

void Begin::onCloseRequested() {
    unload();
    // With an ordinary name nothing is left on screen, and that ends the game.
    if (!next_.isLoaded()) {
        EndProgram();
    }
}
