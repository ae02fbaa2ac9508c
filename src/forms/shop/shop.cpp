#include "forms/shop/shop.h"

#include "forms/common/screen.h"
#include "forms/shop/shop_layout.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/controls.h"
#include "ui/msgbox.h"

using namespace shop_layout;

Shop::Shop(StatusPanel& panel) : Form(QStringLiteral("Shop")), panel_(panel) {}

void Shop::build(FormWindow& w) {
    setupScreenWindow(w, {padded(CaptionBlanks, Caption), ClientWidth, ClientHeight, Background});
    buildControls(w, Controls);
    connectButtonRow(
        w, Meals, [this](std::size_t row) { meal_Click(row); },
        [this](std::size_t row) { meal_MouseMove(row); });
    connectBackLabel(*this, w, "lblNazad", false);
}

void Shop::meal_Click(std::size_t meal) {
    const Meal& m = Meals.at(meal);
    GameState& s = gameState();
    if (s.Money <= m.price) {
        showNotEnoughMoney();
    } else if (s.Sitost >= SatietyCap) {
        MsgBox(QStringLiteral("У тебя живот уже размером с земной шар"), MsgIcon::Information,
               QStringLiteral("Как? Ещё?!..."));
    } else {
        s.Sitost += m.price;
        PlayClick(sound::Eat);
        s.Money -= m.price;
    }
    // Written in every case, also after a refusal.
    panel_.showSatiety(s.Sitost);
    panel_.showMoney(s.Money);
}

void Shop::meal_MouseMove(std::size_t meal) {
    const Meal& m = Meals.at(meal);
    control<Label>("lbl")->setCaption(fromUtf16(m.priceText));
    control<Label>("lbl2")->setCaption(fromUtf16(m.description));
}

void Shop::Form_MouseMove() {
    control<Label>("lbl")->setCaption(fromUtf16(NoPrice));
    control<Label>("lbl2")->setCaption(QString());
}
