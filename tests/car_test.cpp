#include "forms/car/car.h"
#include "game_fixture.h"

#include <QMouseEvent>

#include <array>

namespace {

struct PieceCase {
    const char* button;
    Int16 GameState::*level;
    const char* mainLabel;
};
const PieceCase Pieces[] = {
    {"cmd1", &GameState::Korpus, "lblKorpus"},   {"cmd2", &GameState::Dvigatel, "lblDvigatel"},
    {"cmd3", &GameState::Pushka, "lblPushka"},   {"cmd4", &GameState::Obshivka, "lblObshivka"},
    {"cmd5", &GameState::SystNav, "lblSystNav"}, {"cmd6", &GameState::Bak, "lblBak"},
    {"cmd7", &GameState::Radar, "lblRadar"},     {"cmd8", &GameState::ARadar, "lblARadar"},
    {"cmd9", &GameState::Akkom, "lblAkkom"},     {"cmd10", &GameState::ZK, "lblZK"},
};
// Row by row with Pieces: [n] is the step from level n to n + 1.
const std::array<const char*, 5> Names[] = {
    {"Пенопластовый", "Железный", "Медный сплав", "Титановый", "СУПЕР Титановый"},
    {"Водный", "Дизельный", "Карбюраторный", "Электрический", "Азотный"},
    {"Ионные лазеры", "Разрывные", "Огненные", "Резцовые", "Атомные"},
    {"Полиэтиленовая", "Тряпочная", "Хлопчатобумажная", "Под дерево", "Кожаная"},
    {"Оптическая", "Лазерная", "Самонаводящаяся", "Тепловая", "Электростатическая"},
    {"Деревянный", "Алюминиевый", "Ампоксерный", "Укреплённый", "Бронебойный"},
    {"Локационный", "Спутниковый", "Эхолокационный", "Вортексный", "Сотовый"},
    {"Дисковый", "Звуковой", "Временной", "Пространственный", "Межгалактический"},
    {"Кислотная", "Щелочная", "Солнечная", "Азотистая", "Атомная"},
    {"Электролучевой", "Биологический", "Лазерный", "Дуплексный", "'Штормовой'"},
};
const std::array<int, 5> Prices[] = {
    {20, 30, 45, 60, 75}, {25, 40, 50, 70, 100}, {15, 25, 40, 55, 70}, {10, 15, 25, 35, 50},
    {20, 25, 39, 42, 63}, {5, 10, 24, 37, 50},   {13, 20, 25, 35, 48}, {13, 20, 25, 35, 48},
    {20, 25, 30, 35, 45}, {20, 25, 30, 35, 45},
};

class CarTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
        car().show();
    }
    static CommandButton* button(const char* name) { return ctl<CommandButton>(car(), name); }
    static bool enabled(const char* name) { return button(name)->isEnabled(); }
    static QString main(const char* label) { return ctl(vantaro(), label)->text(); }
    static QString description() { return ctl(car(), "lbl")->text(); }
    static void reopen() {
        click(ctl(car(), "cmd"));
        ASSERT_FALSE(car().isLoaded());
        car().show();
    }
    GameState& s = gameState();
};

TEST_F(CarTest, AFreshShopLocksOnlyTheAntiRadarAndTheDefenceComplex) {
    EXPECT_EQ(car().window()->windowTitle(),
              QStringLiteral("Здесь можно купить корабль и всё, всё, всё для него..."));
    for (const PieceCase& p : Pieces) {
        const bool dependent = p.level == &GameState::ARadar || p.level == &GameState::ZK;
        EXPECT_EQ(enabled(p.button), !dependent) << p.button;
    }
    EXPECT_TRUE(description().isEmpty());
}

// Every step of every piece, in button order: the hull and the radar come before the pieces
// they unlock, so those are bought through buttons the purchases themselves enabled.
TEST_F(CarTest, EveryStepNeedsAtLeastItsPriceAndNamesTheLevelOnTheMainScreen) {
    for (std::size_t row = 0; row < std::size(Pieces); ++row) {
        const PieceCase& p = Pieces[row];
        SCOPED_TRACE(p.button);
        for (int level = 0; level < 5; ++level) {
            const auto step = static_cast<std::size_t>(level);
            const int price = Prices[row][step];
            const QString labelBefore = main(p.mainLabel);
            const QString moneyBefore = main("lblMoney");
            s.Money = price - 1;
            button(p.button)->click();
            EXPECT_EQ((s.*p.level).value(), level);
            EXPECT_EQ(s.Money.value(), price - 1);
            EXPECT_EQ(main(p.mainLabel), labelBefore);
            EXPECT_EQ(main("lblMoney"), moneyBefore);

            s.Money = price;
            button(p.button)->click();
            EXPECT_EQ((s.*p.level).value(), level + 1);
            EXPECT_EQ(s.Money.value(), 0);
            EXPECT_EQ(main("lblMoney"), QStringLiteral("0"));
            EXPECT_EQ(main(p.mainLabel), QString::fromUtf8(Names[row][step]));
            EXPECT_EQ(enabled(p.button), level < 4) << "after level " << level + 1;
        }
    }
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CarTest, TheFirstHullOrRadarUnlocksItsDependent) {
    struct Case {
        const char* prerequisite;
        Int16 GameState::*level;
        int price;
        const char* dependent;
        const char* other;
    };
    const Case cases[] = {{"cmd1", &GameState::Korpus, 20, "cmd10", "cmd8"},
                          {"cmd7", &GameState::Radar, 13, "cmd8", "cmd10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prerequisite);
        reopen();
        s.Money = c.price - 1;
        button(c.prerequisite)->click();
        EXPECT_FALSE(enabled(c.dependent));
        s.Money = 1000;
        button(c.dependent)->click();
        EXPECT_EQ(s.Money.value(), 1000) << "a disabled piece cannot be bought";
        s.Money = c.price;
        button(c.prerequisite)->click();
        EXPECT_EQ((s.*c.level).value(), 1);
        EXPECT_TRUE(enabled(c.dependent));
        EXPECT_FALSE(enabled(c.other));
        // The later levels of the prerequisite leave a finished dependent locked.
        s.Money = 10000;
        for (int i = 0; i < 5; ++i) {
            button(c.dependent)->click();
        }
        ASSERT_FALSE(enabled(c.dependent));
        for (int i = 0; i < 4; ++i) {
            button(c.prerequisite)->click();
        }
        EXPECT_EQ((s.*c.level).value(), 5);
        EXPECT_FALSE(enabled(c.dependent));
        s = GameState{};
    }
}

TEST_F(CarTest, ReopeningDerivesTheButtonsFromTheLevels) {
    s.Radar = 1;
    reopen();
    EXPECT_TRUE(enabled("cmd8"));
    EXPECT_FALSE(enabled("cmd10"));

    // Without its prerequisite a started dependent stays locked.
    s.ZK = 3;
    reopen();
    EXPECT_FALSE(enabled("cmd10"));

    for (const PieceCase& p : Pieces) {
        s = GameState{};
        s.Korpus = 1;
        s.Radar = 1;
        s.*p.level = 5;
        reopen();
        for (const PieceCase& other : Pieces) {
            EXPECT_EQ(enabled(other.button), other.level != p.level)
                << other.button << " with " << p.button << " finished";
        }
    }
}

// One short, and some step stays unbought.
TEST_F(CarTest, EverythingToTheTopCosts1762) {
    for (const int money : {1762, 1761}) {
        s = GameState{};
        s.Money = money;
        reopen();
        int levels = 0;
        for (const PieceCase& p : Pieces) {
            for (int i = 0; i < 5; ++i) {
                button(p.button)->click();
            }
            levels += (s.*p.level).value();
        }
        EXPECT_EQ(levels == 50 && s.Money == 0, money == 1762) << money;
    }
}

TEST_F(CarTest, AFinishedPieceIgnoresAStrayClick) {
    s.Bak = 5;
    s.Money = 1000;
    car().piece_Click(5);
    EXPECT_EQ(s.Bak.value(), 5);
    EXPECT_EQ(s.Money.value(), 1000);
}

TEST_F(CarTest, HoverDescribesThePieceUntilThePanelOrTheBareWindow) {
    s.Korpus = 1;
    s.Radar = 1;
    reopen();
    QStringList seen;
    for (const PieceCase& p : Pieces) {
        moveOver(button(p.button));
        EXPECT_FALSE(seen.contains(description())) << p.button << " shows another's text";
        seen << description();
    }
    moveOver(button("cmd6"));
    EXPECT_EQ(description(), QStringLiteral("Ну, тут я надеюсь всё ясно! Бак - и в Африке бак! "
                                            "Туды наливают горючее!"));
    moveOver(ctl(car(), "cmd"));
    EXPECT_EQ(description(), seen[5]) << "the back label has no hover of its own";
    QWidget* const clearing[] = {ctl<Frame>(car(), "Frame1"), ctl(car(), "lbl"), car().window()};
    for (QWidget* clears : clearing) {
        moveOver(button("cmd6"));
        ASSERT_FALSE(description().isEmpty());
        moveOver(clears);
        EXPECT_TRUE(description().isEmpty()) << clears->objectName().toStdString();
    }
    // A finished piece's button is locked, and the pointer over it is over the bare window.
    s.Bak = 5;
    reopen();
    pointAt(button("cmd5"));
    ASSERT_FALSE(description().isEmpty());
    pointAt(button("cmd6"));
    EXPECT_TRUE(description().isEmpty());
}

} // namespace
