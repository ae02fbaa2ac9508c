#include "forms/car/car.h"

#include "forms/car/car_layout.h"
#include "forms/common/screen.h"
#include "state/gamestate.h"
#include "ui/controls.h"

using namespace car_layout;

Car::Car(StatusPanel& panel) : Form(QStringLiteral("Car")), panel_(panel) {}

void Car::build(FormWindow& w) {
    setupScreenWindow(w, {fromUtf16(Caption), ClientWidth, ClientHeight, Background});
    buildControls(w, Controls);
    connectButtonRow(
        w, Pieces, [this](std::size_t row) { piece_Click(row); },
        [this](std::size_t row) { piece_MouseMove(row); });
    auto* frame = w.findChild<Frame*>(QStringLiteral("Frame1"));
    QObject::connect(frame, &Frame::MouseMove, frame, [this] { Form_MouseMove(); });
    auto* lbl = w.findChild<Label*>(QStringLiteral("lbl"));
    QObject::connect(lbl, &Label::MouseMove, lbl, [this] { Form_MouseMove(); });
    connectBackLabel(*this, w, "cmd", false);
}

void Car::Form_Load() {
    const GameState& s = gameState();
    for (const Piece& p : Pieces) {
        if (s.*p.level == TopLevel) {
            control<CommandButton>(p.button)->setEnabled(false);
        }
    }
    // In table order: the anti-radar without a radar, then the defence complex without a hull.
    for (const Piece& p : Pieces) {
        if (p.needs != nullptr && s.*p.needs == 0) {
            control<CommandButton>(p.button)->setEnabled(false);
        }
    }
}

void Car::piece_Click(std::size_t piece) {
    const Piece& p = Pieces.at(piece);
    GameState& s = gameState();
    const int level = (s.*p.level).value();
    if (level < 0 || level >= TopLevel) {
        return;
    }
    const auto step = static_cast<std::size_t>(level);
    const int price = p.prices.at(step);
    // At least the price will do; short of it the click goes unanswered.
    if (s.Money < price) {
        return;
    }
    s.*p.level = level + 1;
    s.Money -= price;
    if (level + 1 == TopLevel) {
        control<CommandButton>(p.button)->setEnabled(false);
    }
    panel_.showMoney(s.Money);
    panel_.showEquipment(p.level, fromUtf16(p.names.at(step)));
    if (level == 0) {
        for (const Piece& dependent : Pieces) {
            if (dependent.needs == p.level) {
                control<CommandButton>(dependent.button)->setEnabled(true);
            }
        }
    }
}

void Car::piece_MouseMove(std::size_t piece) {
    control<Label>("lbl")->setCaption(fromUtf16(Pieces.at(piece).description));
}

void Car::Form_MouseMove() {
    control<Label>("lbl")->setCaption(QString());
}
