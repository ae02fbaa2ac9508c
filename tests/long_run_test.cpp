#include "forms/car/car_layout.h"
#include "forms/children/children.h"
#include "forms/children/children_layout.h"
#include "forms/work/work.h"
#include "game_fixture.h"

#include <QTimer>

namespace {

// Ten game years left running: all three courses, the top job, and never a meal.
class LongRun : public GameTest {
protected:
    // A second of the hunger warning: twenty slides while it runs.
    int slideOneSecond() {
        Vantaro& v = vantaro();
        int wraps = 0;
        for (int i = 0; i < 20 && v.timer("tmrll")->isActive(); ++i) {
            const int before = twips::left(ctl(vantaro(), "ll"));
            v.tmrll_Timer();
            wraps += twips::left(ctl(vantaro(), "ll")) < before ? 1 : 0;
        }
        return wraps;
    }
};

TEST_F(LongRun, TenYearsWithoutFoodNeitherCrashNorWrap) {
    GameState& s = gameState();
    s.PlayerName = QStringLiteral("Петя");
    vantaro().show();
    stopTimers();
    for (const auto& piece : car_layout::Pieces) {
        s.*piece.level = 5;
    }
    children().show();
    for (const auto& c : children_layout::CourseLooks) {
        ctl<CommandButton>(children(), c.button)->click();
    }
    constexpr int Hours = 87'600;
    int hours = 0;
    int wraps = 0;
    int previousMoney = s.Money.value();
    for (; hours < Hours; ++hours) {
        passHour();
        if (s.SchoolLevel == 5 && s.TehnoLevel == 5 && s.DrivingLevel == 5 &&
            work().CurrentJob != 9) {
            work().show();
            ctl<CommandButton>(work(), "cmdVantaro")->click();
            ASSERT_EQ(work().CurrentJob.value(), 9) << "hired after " << hours << " hours";
            click(ctl(work(), "cmd"));
        }
        if (hours % 100 == 0) {
            wraps += slideOneSecond();
        }
        if (work().CurrentJob == 9) {
            // Paid every day and charged nothing: the money only grows, then stays at the top.
            ASSERT_GE(s.Money.value(), previousMoney) << "after " << hours << " hours";
        }
        previousMoney = s.Money.value();
    }
    EXPECT_EQ(s.Money.value(), 32767) << "the top salary fills the purse to its brim";
    EXPECT_EQ(ctl(vantaro(), "lblMoney")->text(), QStringLiteral("32767"));
    EXPECT_EQ(s.Sitost.value(), 10 - 2 * 3650);
    EXPECT_EQ(ctl(vantaro(), "lblSitost")->text(), QString::number(10 - 2 * 3650));
    EXPECT_EQ(ctl(vantaro(), "lblSitost")->foreColor(), 0x0000FFu);
    for (const auto& c : courses::Courses) {
        EXPECT_EQ((s.*c.flag).value(), 0);
    }
    // 3,650 days after 1 January 2080.
    EXPECT_EQ(ctl(vantaro(), "lblDay")->text(), QStringLiteral("29"));
    EXPECT_EQ(ctl(vantaro(), "lblDate")->text(), QStringLiteral("12"));
    EXPECT_EQ(ctl(vantaro(), "lblYear")->text(), QStringLiteral("2089"));
    EXPECT_EQ(ctl(vantaro(), "lblTime")->text(), QStringLiteral("24"));
    // The warning never stopped: it slid and came back round the whole time.
    EXPECT_TRUE(ctl(vantaro(), "ll")->isVisible());
    EXPECT_GT(wraps, 0);
    for (int second = 0; second < 20; ++second) {
        wraps += slideOneSecond();
    }
    EXPECT_LE(twips::left(ctl(vantaro(), "ll")), 10995);

    // Much further on, satiety too stops at the bottom instead of wrapping to a feast.
    s.Sitost = -32760;
    for (int h = 0; h < 24 * 10; ++h) {
        passHour();
    }
    EXPECT_EQ(s.Sitost.value(), -32768);
    EXPECT_EQ(s.Money.value(), 32767);
    EXPECT_FALSE(programEnded());
}

} // namespace
