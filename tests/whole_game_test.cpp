#include "forms/car/car.h"
#include "forms/car/car_layout.h"
#include "forms/children/children.h"
#include "forms/children/children_layout.h"
#include "forms/main/vantaro_layout.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"
#include "game_fixture.h"
#include "state/courses.h"

#include <QLineEdit>
#include <QTimer>

namespace {

// One game through the real windows: the player types a name, works, eats, studies every
// course to its top, buys every piece of equipment to its top and climbs to the top job.
// Time passes by calling the timers' handlers while they run, an hour at a time.
class WholeGame : public GameTest {
protected:
    void open(const char* opener) { click(ctl(vantaro(), opener)); }
    void press(Form& f, const char* button) {
        CommandButton* b = ctl<CommandButton>(f, button);
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
    }
    QString main(const char* label) { return ctl(vantaro(), label)->text(); }
    // The status panel always shows what the game holds.
    void checkPanel() {
        const GameState& s = gameState();
        EXPECT_EQ(main("lblMoney"), s.Money.str());
        EXPECT_EQ(main("lblSitost"), s.Sitost.str());
    }
};

TEST_F(WholeGame, FromTheStartScreenToTheTopJob) {
    GameState& s = gameState();
    begin().show();
    typeText(ctl<QLineEdit>(begin(), "Text1"), QStringLiteral("Вилт"));
    click(ctl(begin(), "Label2"));
    ASSERT_TRUE(vantaro().isLoaded());
    stopTimers();
    EXPECT_EQ(s.Money.value(), 2500);
    EXPECT_EQ(ctl(vantaro(), "lblName")->foreColor(), 0x0000FFu);

    // A first job.
    open("cmdWork");
    press(work(), "Taxist");
    EXPECT_EQ(main("lblWork"), QStringLiteral("Таксист"));
    click(ctl(work(), "cmd"));
    EXPECT_EQ(main("lblZarplata"), QStringLiteral("10"));

    // School, technical college and driving courses at once.
    open("cmdSchool");
    for (const auto& c : children_layout::CourseLooks) {
        press(children(), c.button);
    }
    EXPECT_EQ(main("lblSchollCoin"), QStringLiteral("5"));
    EXPECT_EQ(main("lblTehCoin"), QStringLiteral("7"));
    EXPECT_EQ(main("lblVozdCoin"), QStringLiteral("9"));
    click(ctl(children(), "cmd"));

    // Live until every course is finished, eating whenever hungry.
    open("lblShop");
    int hours = 0;
    while ((s.SchoolLevel < 5 || s.TehnoLevel < 5 || s.DrivingLevel < 5) && hours < 2000) {
        passHour();
        ++hours;
        checkPanel();
    }
    EXPECT_EQ(hours, 850) << "the driving course is the longest: 5 levels of 170 hours";
    for (std::size_t i = 0; i < courses::Courses.size(); ++i) {
        const auto& c = courses::Courses[i];
        EXPECT_EQ((s.*c.level).value(), 5);
        EXPECT_EQ((s.*c.flag).value(), 0) << "a finished course is no longer paid for";
        EXPECT_EQ(main(vantaro_layout::CourseClocks[i].levelLabel), fromUtf16(c.levels[5]));
        EXPECT_EQ(main(vantaro_layout::CourseClocks[i].feeLabel), QStringLiteral("Нет"));
    }
    EXPECT_EQ(main("lblSchool"), QStringLiteral("М О З Г"));
    EXPECT_EQ(s.Sitost.value(), 200 - 2 * (850 / 24));
    // Twenty more days, eating whenever satiety drops below the shop's cap.
    sounds.clear();
    for (int h = 0; h < 20 * 24; ++h) {
        passHour();
        if (s.Sitost < 100) {
            press(shop(), "cmdObed");
        }
        checkPanel();
    }
    EXPECT_GE(s.Sitost.value(), 98);
    EXPECT_FALSE(sounds.empty());
    for (const auto& played : sounds) {
        EXPECT_EQ(played.file, QStringLiteral("Sound\\eda1.wav"));
    }
    EXPECT_TRUE(boxes.empty());
    const int moneyAfterStudies = s.Money.value();
    click(ctl(shop(), "lblNazad"));

    // Every piece of equipment to its top level.
    open("cmdKorabl");
    for (std::size_t row = 0; row < car_layout::Pieces.size(); ++row) {
        const auto& piece = car_layout::Pieces[row];
        ASSERT_EQ(vantaro_layout::EquipmentLabels[row].level, piece.level);
        for (int level = 1; level <= 5; ++level) {
            press(car(), piece.button);
            EXPECT_EQ(main(vantaro_layout::EquipmentLabels[row].label),
                      fromUtf16(piece.names[static_cast<std::size_t>(level - 1)]));
        }
        EXPECT_FALSE(ctl<CommandButton>(car(), piece.button)->isEnabled());
    }
    EXPECT_EQ(s.Money.value(), moneyAfterStudies - 1762);
    checkPanel();
    click(ctl(car(), "cmd"));

    // Up the career chain to the top job.
    open("cmdWork");
    for (const char* job : {"TaxiPark", "DalnBoss", "Command7", "Command8", "cmdVantaro"}) {
        press(work(), job);
        EXPECT_TRUE(ctl(work(), "lbllbl")->text().isEmpty()) << job;
    }
    EXPECT_EQ(main("lblWork"), QStringLiteral("Vantaro.  Истребитель космических пиратов"));
    EXPECT_EQ(work().CurrentJob.value(), 9);
    click(ctl(work(), "cmd"));
    EXPECT_EQ(main("lblZarplata"), QStringLiteral("100"));

    // The top job pays from the next day end on.
    const int before = s.Money.value();
    for (int h = 0; h < 24; ++h) {
        passHour();
    }
    EXPECT_EQ(s.Money.value(), before + 100);
    checkPanel();
    EXPECT_FALSE(programEnded());
}

} // namespace
