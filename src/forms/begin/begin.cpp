#include "forms/begin/begin.h"

#include "forms/begin/begin_layout.h"
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/controls.h"
#include "ui/msgbox.h"

#include <QLineEdit>

namespace {
const QString BlankNameText =
    QStringLiteral("Ты случайно не ослеп(-ла)(-ло)? Там же ясно написано:'Введи имя'");
const QString BlankNameTitle = QStringLiteral("Не понял?...");
} // namespace

Begin& begin() {
    static Begin form;
    return form;
}

Begin::Begin() : Form(QStringLiteral("Begin")) {}

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
    QObject::connect(label2, &Label::MouseDown, label2, [this] { Label2_MouseDown(); });
    QObject::connect(label2, &Label::MouseUp, label2, [this] { Label2_MouseUp(); });
    text1->setFocus();
}

bool Begin::isBlankName(const QString& name) {
    for (const QChar c : name) {
        if (c != QLatin1Char(' ')) {
            return false;
        }
    }
    return true;
}

void Begin::Text1_Change() {
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
        return;
    }
    unload();
    PlayClick(sound::Click);
    vantaro().show();
}

void Begin::Form_Unload() {
    GameState& s = gameState();
    s.PlayerName = control<QLineEdit>("Text1")->text();
    if (!isSpecialName(s.PlayerName)) {
        s.Money = OrdinaryStart.money;
        s.Sitost = OrdinaryStart.sitost;
        return;
    }
    // Referring to the name label brings the main screen up with its own load step.
    vantaro().control<Label>("lblName")->setForeColor(color::Red);
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
    if (!vantaro().isLoaded()) {
        EndProgram();
    }
}
