#include "game_fixture.h"
#include "state/clock_rules.h"

#include <QGuiApplication>
#include <QProperty>
#include <QTimer>

#include <string>

namespace {

class ClockTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
        // Time advances only when a case says so.
        stopTimers();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            vantaro().tmrTime_Timer();
        }
    }
    void days(int n) { ticks(n * 24); }
    Label* label(const char* name) { return ctl(vantaro(), name); }
    QString text(const char* name) { return label(name)->text(); }
    int left(const char* name) { return twips::left(label(name)); }
    GameState& s = gameState();
};

TEST_F(ClockTest, TheFirstDayEndsOnTheTwentyFourthTick) {
    ticks(23);
    EXPECT_EQ(text("lblTime"), QStringLiteral("23"));
    EXPECT_EQ(text("lblDay"), QStringLiteral("1"));
    ticks(1);
    EXPECT_EQ(text("lblTime"), QStringLiteral("24")) << "midnight shows 24 for one second";
    EXPECT_EQ(vantaro().Hour.value(), 0);
    EXPECT_EQ(vantaro().Day.value(), 2);
    EXPECT_EQ(text("lblDay"), QStringLiteral("2"));
    EXPECT_EQ(s.Sitost.value(), 8);
    EXPECT_EQ(text("lblSitost"), QStringLiteral("8"));
    EXPECT_EQ(s.Money.value(), 250);
    ticks(1);
    EXPECT_EQ(text("lblTime"), QStringLiteral("1"));
}

TEST_F(ClockTest, HourLabelSitsByItsDigitCount) {
    ticks(1);
    EXPECT_EQ(left("lblTime"), 4440);
    ticks(8);
    EXPECT_EQ(text("lblTime"), QStringLiteral("9"));
    EXPECT_EQ(left("lblTime"), 4440);
    ticks(1);
    EXPECT_EQ(text("lblTime"), QStringLiteral("10"));
    EXPECT_EQ(left("lblTime"), 4320);
    ticks(14);
    EXPECT_EQ(text("lblTime"), QStringLiteral("24"));
    EXPECT_EQ(left("lblTime"), 4320);
    ticks(1);
    EXPECT_EQ(left("lblTime"), 4440);
}

struct FeeCase {
    int tehno, school, driving, salary;
    int perDay;
};

class DailyAccounts : public ClockTest, public ::testing::WithParamInterface<FeeCase> {};

TEST_P(DailyAccounts, FeesAndSalaryAreSettledOncePerDay) {
    const FeeCase c = GetParam();
    s.InTehno = c.tehno;
    s.InSchool = c.school;
    s.InDriving = c.driving;
    s.Zarplata = c.salary;
    ticks(23);
    EXPECT_EQ(s.Money.value(), 250);
    ticks(1);
    EXPECT_EQ(s.Money.value(), 250 + c.perDay);
    EXPECT_EQ(text("lblMoney"), QString::number(250 + c.perDay));
    days(2);
    EXPECT_EQ(s.Money.value(), 250 + 3 * c.perDay);
}

INSTANTIATE_TEST_SUITE_P(Courses, DailyAccounts,
                         ::testing::Values(FeeCase{0, 0, 0, 0, 0}, FeeCase{1, 0, 0, 0, -7},
                                           FeeCase{0, 1, 0, 0, -5}, FeeCase{0, 0, 1, 0, -9},
                                           FeeCase{1, 1, 1, 0, -21}, FeeCase{1, 1, 1, 100, 79},
                                           FeeCase{0, 0, 0, 65, 65}),
                         [](const auto& p) {
                             const FeeCase& c = p.param;
                             std::string name = c.tehno != 0 ? "Tehno" : "";
                             name += c.school != 0 ? "School" : "";
                             name += c.driving != 0 ? "Driving" : "";
                             name += c.salary != 0 ? "Salary" + std::to_string(c.salary) : "";
                             return name.empty() ? std::string("Nothing") : name;
                         });

TEST_F(ClockTest, FeesAreTakenBeforeTheSalaryAndMayGoBelowZero) {
    s.Money = 10;
    s.InTehno = 1;
    s.InSchool = 1;
    s.InDriving = 1;
    days(1);
    EXPECT_EQ(s.Money.value(), -11);
    EXPECT_EQ(label("lblMoney")->foreColor(), 0x0000FFu);
    // At the top the order shows: 32767 - 21 + 100 saturates at 32767, where the salary first
    // would end the day at 32746.
    s.Money = 32767;
    s.Zarplata = 100;
    days(1);
    EXPECT_EQ(s.Money.value(), 32767);
}

struct DateCase {
    int daysAfterStart;
    const char* day;
    const char* month;
    const char* year;
};

class Calendar : public ClockTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(Calendar, TheTopBarShowsRealDates) {
    const DateCase c = GetParam();
    days(c.daysAfterStart);
    EXPECT_EQ(text("lblDay"), QString::fromLatin1(c.day));
    EXPECT_EQ(text("lblDate"), QString::fromLatin1(c.month));
    EXPECT_EQ(text("lblYear"), QString::fromLatin1(c.year));
    EXPECT_EQ(left("lblDay"), QString::fromLatin1(c.day).size() == 2 ? 2160 : 2280);
}

INSTANTIATE_TEST_SUITE_P(
    MonthEndsLeapYearsAndNewYear, Calendar,
    ::testing::Values(DateCase{0, "1", "1", "2080"}, DateCase{8, "9", "1", "2080"},
                      DateCase{9, "10", "1", "2080"}, DateCase{29, "30", "1", "2080"},
                      DateCase{30, "31", "1", "2080"}, DateCase{31, "1", "2", "2080"},
                      DateCase{58, "28", "2", "2080"}, DateCase{59, "29", "2", "2080"},
                      DateCase{60, "1", "3", "2080"}, DateCase{120, "30", "4", "2080"},
                      DateCase{121, "1", "5", "2080"}, DateCase{365, "31", "12", "2080"},
                      DateCase{366, "1", "1", "2081"}, DateCase{424, "28", "2", "2081"},
                      DateCase{425, "1", "3", "2081"}),
    [](const auto& p) {
        return std::string(p.param.day) + "_" + p.param.month + "_" + p.param.year;
    });

TEST_F(ClockTest, StarvationWarningSwitchesAtMinusThirty) {
    s.Sitost = -29;
    ticks(1);
    EXPECT_FALSE(label("ll")->isVisible());
    EXPECT_FALSE(vantaro().timer("tmrll")->isActive());
    s.Sitost = -30;
    ticks(1);
    EXPECT_TRUE(label("ll")->isVisible());
    EXPECT_TRUE(vantaro().timer("tmrll")->isActive());
    {
        // Later ticks leave the running slide alone: restarting it every second would lose
        // part of a step each time and slow the warning down.
        int switches = 0;
        const QPropertyNotifier watch =
            vantaro().timer("tmrll")->bindableActive().addNotifier([&switches] { ++switches; });
        ticks(3);
        EXPECT_EQ(switches, 0);
        EXPECT_TRUE(vantaro().timer("tmrll")->isActive());
    }
    for (int i = 0; i < 10; ++i) {
        vantaro().tmrll_Timer();
    }
    EXPECT_EQ(left("ll"), 300);
    s.Sitost = 5; // a meal
    ticks(1);
    EXPECT_FALSE(label("ll")->isVisible());
    EXPECT_FALSE(vantaro().timer("tmrll")->isActive());
    EXPECT_EQ(left("ll"), 0);
    EXPECT_EQ(vantaro().llLeft.value(), 0);
    s.Sitost = -31;
    ticks(1);
    EXPECT_TRUE(label("ll")->isVisible());
    EXPECT_EQ(left("ll"), 0) << "a warning that comes back starts at the left edge";
}

TEST_F(ClockTest, TwentyDaysFromTenSatietyStartTheWarning) {
    days(19);
    EXPECT_EQ(s.Sitost.value(), -28);
    EXPECT_FALSE(label("ll")->isVisible());
    days(1);
    EXPECT_EQ(s.Sitost.value(), -30);
    EXPECT_TRUE(label("ll")->isVisible());
}

TEST_F(ClockTest, WarningSlidesAcrossAndWrapsPastTheRightEdge) {
    for (int i = 0; i < 366; ++i) {
        vantaro().tmrll_Timer();
    }
    EXPECT_EQ(left("ll"), 10980);
    vantaro().tmrll_Timer();
    EXPECT_EQ(left("ll"), 0);
    EXPECT_EQ(vantaro().llLeft.value(), 0);
    vantaro().tmrll_Timer();
    EXPECT_EQ(left("ll"), 30);
}

TEST_F(ClockTest, NegativeNumbersTurnRedOnTheNextTick) {
    const struct {
        int money, sitost;
        std::uint32_t moneyColor, sitostColor;
    } rows[] = {{0, 0, 0xFFFFFF, 0xFFFFFF},
                {-1, 0, 0x0000FF, 0xFFFFFF},
                {0, -1, 0xFFFFFF, 0x0000FF},
                {-5, -5, 0x0000FF, 0x0000FF},
                {1, 1, 0xFFFFFF, 0xFFFFFF}};
    for (const auto& r : rows) {
        s.Money = r.money;
        s.Sitost = r.sitost;
        ticks(1);
        EXPECT_EQ(label("lblMoney")->foreColor(), r.moneyColor) << r.money;
        EXPECT_EQ(label("lblSitost")->foreColor(), r.sitostColor) << r.sitost;
    }
}

TEST_F(ClockTest, AGameThatCannotBeSeenWaitsWithEveryTimerThatRan) {
    QTimer* time = vantaro().timer("tmrTime");
    QTimer* spin = vantaro().timer("Timer1");
    QTimer* school = vantaro().timer("tmrSchool");
    time->start();
    spin->start();
    setGameSeen(false);
    EXPECT_FALSE(time->isActive());
    EXPECT_FALSE(spin->isActive());
    // What Qt makes of focus (a hidden tab's focus change among it) is no sight of the game.
    for (const auto st : {Qt::ApplicationActive, Qt::ApplicationInactive}) {
        emit qGuiApp->applicationStateChanged(st);
        EXPECT_FALSE(time->isActive()) << st;
    }
    setGameSeen(false); // hidden twice over still remembers what ran
    setGameSeen(true);
    EXPECT_TRUE(time->isActive());
    EXPECT_TRUE(spin->isActive());
    EXPECT_FALSE(school->isActive()) << "a course not attended does not start";
}

TEST_F(ClockTest, MoneyAndSatietySaturateInsteadOfEndingTheGame) {
    s.Money = 32700;
    s.Zarplata = 100;
    s.Sitost = -32767;
    days(3);
    EXPECT_EQ(s.Money.value(), 32767);
    EXPECT_EQ(s.Sitost.value(), -32768);
    EXPECT_EQ(text("lblMoney"), QStringLiteral("32767"));
    EXPECT_EQ(text("lblSitost"), QStringLiteral("-32768"));
    s.Zarplata = 0;
    s.InDriving = 1;
    s.Money = -32760;
    days(2);
    EXPECT_EQ(s.Money.value(), -32768);
}

} // namespace
