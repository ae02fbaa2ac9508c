#include "forms/home/home.h"

#include "forms/common/screen.h"
#include "forms/home/home_layout.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/controls.h"

using namespace home_layout;

Home::Home(StatusPanel& panel) : Form(QStringLiteral("Home")), panel_(panel) {}

void Home::build(FormWindow& w) {
    setupScreenWindow(w, {fromUtf16(Caption), ClientWidth, ClientHeight, Background});
    buildControls(w, Controls);
    connectButtonRow(
        w, Ladders, [this](std::size_t row) { ladder_Click(row); },
        [this](std::size_t row) { ladder_MouseMove(row); });
    connectBackLabel(*this, w, "cmd", true);
}

void Home::Form_Load() {
    for (const Ladder& l : Ladders) {
        if (gameState().*l.level == TopLevel) {
            control<CommandButton>(l.button)->setEnabled(false);
        }
    }
}

void Home::ladder_Click(std::size_t ladder) {
    const Ladder& l = Ladders.at(ladder);
    PlayClick(sound::Click);
    GameState& s = gameState();
    const int level = (s.*l.level).value();
    if (level == TopLevel) {
        // The step that reached the top left the button enabled; this click locks it.
        control<CommandButton>(l.button)->setEnabled(false);
        return;
    }
    if (level < 0 || level > TopLevel) {
        return;
    }
    const int price = l.prices.at(static_cast<std::size_t>(level));
    if (s.Money <= price) {
        showNotEnoughMoney();
        return;
    }
    s.*l.level = level + 1;
    s.Money -= price;
    panel_.showMoney(s.Money);
    panel_.showHousing(l.level, s.*l.level);
}

void Home::ladder_MouseMove(std::size_t ladder) {
    const Ladder& l = Ladders.at(ladder);
    const int level = (gameState().*l.level).value();
    if (level == TopLevel) {
        control<CommandButton>(l.button)->setEnabled(false);
    } else if (level >= 0 && level < TopLevel) {
        control<Label>("lbl")->setCaption(
            QString::number(l.prices.at(static_cast<std::size_t>(level))));
    }
}

void Home::Form_MouseMove() {
    control<Label>("lbl")->setCaption(fromUtf16(NoPrice));
}
