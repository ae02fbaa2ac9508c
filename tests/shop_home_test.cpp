#include "forms/home/home.h"
#include "forms/shop/shop.h"
#include "game_fixture.h"

#include <QMouseEvent>

namespace {

const QString NotEnough = QStringLiteral("У вас не хватает денег на енто!");
const QString NotEnoughTitle = QStringLiteral("Нахаляву захотел?");
const QString Full = QStringLiteral("У тебя живот уже размером с земной шар");
const QString FullTitle = QStringLiteral("Как? Ещё?!...");

class ScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
    }
    void open(Form& f) {
        f.show();
        sounds.clear();
    }
    QString main(const char* label) { return ctl(vantaro(), label)->text(); }
    GameState& s = gameState();
};

// --- food shop ---

struct MealCase {
    const char* button;
    int price;
    const char* description;
};
const MealCase Meals[] = {{"cmdZavtrak", 4, "Удаляет голод на 4"},
                          {"cmdLanch", 3, "Удаляет голод на 3"},
                          {"cmdObed", 8, "Удаляет голод на 8"},
                          {"cmdUzin", 6, "Удаляет голод на 6"}};

class ShopTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        open(shop());
    }
    void buy(const char* button) { ctl<CommandButton>(shop(), button)->click(); }
};

TEST_F(ShopTest, EachMealNeedsMoreMoneyThanItsPrice) {
    for (const MealCase& m : Meals) {
        SCOPED_TRACE(m.button);
        s.Sitost = 10;
        s.Money = m.price;
        boxes.clear();
        sounds.clear();
        buy(m.button);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, NotEnough);
        EXPECT_EQ(boxes[0].title, NotEnoughTitle);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(s.Money.value(), m.price);
        EXPECT_EQ(s.Sitost.value(), 10);
        EXPECT_TRUE(sounds.empty());

        s.Money = m.price + 1;
        buy(m.button);
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(s.Money.value(), 1);
        EXPECT_EQ(s.Sitost.value(), 10 + m.price);
        EXPECT_EQ(main("lblMoney"), QStringLiteral("1"));
        EXPECT_EQ(main("lblSitost"), QString::number(10 + m.price));
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\eda1.wav"));
    }
}

TEST_F(ShopTest, TheCapIsTestedBeforeTheGain) {
    s.Money = 100;
    s.Sitost = 99;
    buy("cmdObed");
    EXPECT_EQ(s.Sitost.value(), 107);
    EXPECT_TRUE(boxes.empty());
    buy("cmdLanch");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Full);
    EXPECT_EQ(boxes[0].title, FullTitle);
    EXPECT_EQ(boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(s.Money.value(), 92);
    EXPECT_EQ(s.Sitost.value(), 107);
}

TEST_F(ShopTest, ExactlyAHundredIsFullAndPoorAndFullShowsOnlyTheMoneyMessage) {
    s.Money = 50;
    s.Sitost = 100;
    buy("cmdZavtrak");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Full);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(s.Money.value(), 50);
    boxes.clear();
    s.Money = 2;
    buy("cmdZavtrak");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, NotEnough);
}

TEST_F(ShopTest, NegativeMoneyIsRefusedAndNegativeSatietyStillBuys) {
    s.Money = -5;
    s.Sitost = 50;
    buy("cmdLanch");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, NotEnough);
    boxes.clear();
    s.Money = 20;
    s.Sitost = -40;
    buy("cmdObed");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(s.Sitost.value(), -32);
    EXPECT_EQ(s.Money.value(), 12);
}

TEST_F(ShopTest, LunchIsTheCheapestMeal) {
    s.Money = 4;
    s.Sitost = 0;
    buy("cmdZavtrak");
    EXPECT_EQ(boxes.size(), 1u);
    buy("cmdLanch");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(s.Money.value(), 1);
    EXPECT_EQ(s.Sitost.value(), 3);
}

TEST_F(ShopTest, StatusLabelsAreRewrittenAfterARefusal) {
    s.Money = 3; // changed behind the labels' back, as the clock would before its next write
    s.Sitost = -7;
    buy("cmdZavtrak");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(main("lblMoney"), QStringLiteral("3"));
    EXPECT_EQ(main("lblSitost"), QStringLiteral("-7"));
}

TEST_F(ShopTest, HoverShowsPriceAndDescriptionUntilTheBareWindow) {
    Label* price = ctl(shop(), "lbl");
    Label* desc = ctl(shop(), "lbl2");
    EXPECT_EQ(price->text(), QStringLiteral("__________"));
    for (const MealCase& m : Meals) {
        moveOver(ctl<CommandButton>(shop(), m.button));
        EXPECT_EQ(price->text(), QString::number(m.price));
        EXPECT_EQ(desc->text(), QString::fromUtf8(m.description));
    }
    for (const char* keeps : {"Frame1", "lbl2", "Label1", "lbl", "lblNazad"}) {
        moveOver(ctl<QWidget>(shop(), keeps));
        EXPECT_EQ(price->text(), QStringLiteral("6")) << keeps;
    }
    moveOver(shop().window());
    EXPECT_EQ(price->text(), QStringLiteral("__________"));
    EXPECT_TRUE(desc->text().isEmpty());
}

// --- flat ---

struct LadderCase {
    const char* button;
    Int16 GameState::*level;
    const char* mainLabel;
    std::array<int, 5> prices;
};
const LadderCase Ladders[] = {
    {"cmdHome", &GameState::HomeRooms, "lblHome", {20, 35, 45, 60, 80}},
    {"cmdMebel", &GameState::MebelLevel, "lblMebel", {10, 15, 25, 35, 50}},
    {"cmdVanna", &GameState::VannaLevel, "lblVanna", {15, 20, 30, 40, 55}},
};

class HomeTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        open(home());
    }
    CommandButton* button(const char* name) { return ctl<CommandButton>(home(), name); }
};

TEST_F(HomeTest, EveryStepNeedsMoreThanItsPriceAndClicksFirst) {
    for (const LadderCase& l : Ladders) {
        SCOPED_TRACE(l.button);
        for (int level = 0; level < 5; ++level) {
            const int price = l.prices[static_cast<std::size_t>(level)];
            s.Money = price;
            boxes.clear();
            sounds.clear();
            const QString before = main(l.mainLabel);
            const QString moneyBefore = main("lblMoney");
            button(l.button)->click();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, NotEnough);
            EXPECT_EQ(boxes[0].title, NotEnoughTitle);
            EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
            EXPECT_EQ((s.*l.level).value(), level);
            EXPECT_EQ(main(l.mainLabel), before) << "a refusal rewrites nothing";
            EXPECT_EQ(main("lblMoney"), moneyBefore);
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\Click1.wav"));

            s.Money = price + 1;
            button(l.button)->click();
            EXPECT_EQ(boxes.size(), 1u);
            EXPECT_EQ((s.*l.level).value(), level + 1);
            EXPECT_EQ(s.Money.value(), 1);
            EXPECT_EQ(main("lblMoney"), QStringLiteral("1"));
            EXPECT_EQ(main(l.mainLabel), QString::number(level + 1));
        }
        EXPECT_TRUE(button(l.button)->isEnabled()) << "the top step leaves the button enabled";
        s.Money = 1000;
        boxes.clear();
        sounds.clear();
        button(l.button)->click();
        EXPECT_FALSE(button(l.button)->isEnabled());
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(s.Money.value(), 1000);
        EXPECT_EQ(sounds.size(), 1u);
        EXPECT_EQ((s.*l.level).value(), 5);
    }
}

TEST_F(HomeTest, FurnitureAndBathWhileHomeless) {
    s.Money = 100;
    button("cmdMebel")->click();
    button("cmdVanna")->click();
    EXPECT_EQ(s.MebelLevel.value(), 1);
    EXPECT_EQ(s.VannaLevel.value(), 1);
    EXPECT_EQ(s.HomeRooms.value(), 0);
    EXPECT_EQ(main("lblHome"), QStringLiteral("БОМЖ"));
    EXPECT_EQ(s.Money.value(), 75);
}

TEST_F(HomeTest, NegativeMoneyRefusesEveryStep) {
    s.Money = -1;
    for (const LadderCase& l : Ladders) {
        button(l.button)->click();
    }
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(s.Money.value(), -1);
}

TEST_F(HomeTest, ReopeningWithALadderAtTheTopShowsItDisabled) {
    s.MebelLevel = 5;
    click(ctl(home(), "cmd"));
    EXPECT_FALSE(home().isLoaded());
    home().show();
    EXPECT_TRUE(button("cmdHome")->isEnabled());
    EXPECT_FALSE(button("cmdMebel")->isEnabled());
    EXPECT_TRUE(button("cmdVanna")->isEnabled());
    EXPECT_EQ(ctl(home(), "lbl")->text(), QStringLiteral("__________"));
}

TEST_F(HomeTest, HoverShowsTheNextPriceAndTheTopLocksTheButton) {
    Label* price = ctl(home(), "lbl");
    for (const LadderCase& l : Ladders) {
        for (int level = 0; level < 5; ++level) {
            s.*l.level = level;
            moveOver(button(l.button));
            EXPECT_EQ(price->text(), QString::number(l.prices[static_cast<std::size_t>(level)]))
                << l.button << level;
        }
        const QString last = price->text();
        s.*l.level = 5;
        moveOver(button(l.button));
        EXPECT_FALSE(button(l.button)->isEnabled());
        EXPECT_EQ(price->text(), last);
    }
    moveOver(ctl(home(), "Label1"));
    EXPECT_EQ(price->text(), QStringLiteral("55"));
    pointAt(button("cmdHome"));
    EXPECT_EQ(price->text(), QStringLiteral("__________")) << "a locked button is bare window";
    moveOver(home().window());
    EXPECT_EQ(price->text(), QStringLiteral("__________"));
}

} // namespace
