#include "forms/children/children.h"
#include "game_fixture.h"

#include <QMouseEvent>
#include <QTimer>

#include <array>

namespace {

struct CourseCase {
    const char* button;
    Int16 GameState::*flag;
    Int16 GameState::*level;
    Int16 GameState::*ticks;
    void (Vantaro::*tick)();
    const char* timer;
    int perLevel;
    const char* feeLabel;
    const char* fee;
    const char* levelLabel;
    const char* join;
    const char* leave;
    const char* finished;
    const char* description;
    std::array<const char*, 6> levels;
};

const CourseCase Courses[] = {
    {"cmdSchool",
     &GameState::InSchool,
     &GameState::SchoolLevel,
     &GameState::SchoolTicks,
     &Vantaro::tmrSchool_Timer,
     "tmrSchool",
     100,
     "lblSchollCoin",
     "5",
     "lblSchool",
     "Поступить в школу",
     "Уйти из школы",
     "Умы не учатся, они совершенствуются",
     "Здесь вам дадут образование",
     {"Неуч", "Студент", "Доцэнтъ", "Профессор", "Умник(ца)", "М О З Г"}},
    {"cmdTehn",
     &GameState::InTehno,
     &GameState::TehnoLevel,
     &GameState::TehnoTicks,
     &Vantaro::tmrTeh_Timer,
     "tmrTeh",
     150,
     "lblTehCoin",
     "7",
     "lblTehno",
     "Ходить в тех. училище",
     "Уйти из тех. училища",
     "Золотого не научишь",
     "Техника - главное в работе с машиной!",
     {"Деревянные руки", "Электрик", "Мастер", "Середнячок", "Короткое замыкание", "Золотце"}},
    {"cmdVozd",
     &GameState::InDriving,
     &GameState::DrivingLevel,
     &GameState::DrivingTicks,
     &Vantaro::tmrCar_Timer,
     "tmrCar",
     170,
     "lblVozdCoin",
     "9",
     "lblVodit",
     "Пойти на курсы вождения",
     "Уйти с курсов вождения",
     "Водиле неукого учиться!!!",
     "Здесь вас учат водить корабль. Без вождения вы - никто...",
     {"Не умею", "Чайник", "Самовар", "Опытный", "Гонщик", "Водила"}},
};

void PrintTo(const CourseCase& c, std::ostream* os) {
    *os << c.button;
}

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

class EducationTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
        stopTimers();
    }
    void open() {
        click(ctl(vantaro(), "cmdSchool"));
        sounds.clear();
    }
    void close() { click(ctl(children(), "cmd")); }
    CommandButton* button(const char* name) { return ctl<CommandButton>(children(), name); }
    QString main(const char* label) { return ctl(vantaro(), label)->text(); }
    QTimer* timer(const char* name) { return vantaro().timer(name); }
    QString price() { return ctl(children(), "lbl")->text(); }
    QString description() { return ctl(children(), "lbl2")->text(); }

    // Real seconds as the course timers see them: a timer ticks only while it runs.
    void seconds(int n) {
        for (int i = 0; i < n; ++i) {
            for (const CourseCase& c : Courses) {
                if (timer(c.timer)->isActive()) {
                    (vantaro().*c.tick)();
                }
            }
        }
    }
    void gameDay() {
        for (int i = 0; i < 24; ++i) {
            vantaro().tmrTime_Timer();
        }
    }
    GameState& s = gameState();
};

// --- each course on its own ---

class CourseTest : public EducationTest, public ::testing::WithParamInterface<CourseCase> {
protected:
    const CourseCase& c = GetParam();
    CommandButton* own() { return button(c.button); }
    int level() { return (s.*c.level).value(); }
    int ticks() { return (s.*c.ticks).value(); }
    void enrol() {
        ASSERT_EQ(own()->text(), u8(c.join));
        own()->click();
    }
    void leave() {
        ASSERT_EQ(own()->text(), u8(c.leave));
        own()->click();
    }
};

TEST_P(CourseTest, EnrolAndLeaveSwitchFlagFeeAndOnlyTheirOwnTimer) {
    open();
    EXPECT_TRUE(own()->isEnabled());
    EXPECT_EQ(main(c.feeLabel), QStringLiteral("Нет"));
    EXPECT_FALSE(timer(c.timer)->isActive());
    EXPECT_TRUE(description().isEmpty());
    EXPECT_EQ(price(), QStringLiteral("__________"));
    s.*c.level = 2;
    s.*c.ticks = 37;
    enrol();
    EXPECT_EQ(own()->text(), u8(c.leave));
    EXPECT_EQ((s.*c.flag).value(), 1);
    EXPECT_EQ(main(c.feeLabel), u8(c.fee));
    for (const CourseCase& other : Courses) {
        EXPECT_EQ(timer(other.timer)->isActive(), other.timer == c.timer) << other.timer;
    }
    EXPECT_EQ(level(), 2);
    EXPECT_EQ(ticks(), 37);

    leave();
    EXPECT_EQ(own()->text(), u8(c.join));
    EXPECT_EQ((s.*c.flag).value(), 0);
    EXPECT_EQ(main(c.feeLabel), QStringLiteral("Нет"));
    EXPECT_FALSE(timer(c.timer)->isActive());
    EXPECT_EQ(level(), 2);
    EXPECT_EQ(ticks(), 37);
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_P(CourseTest, LeavingKeepsTheHoursAlreadyStudied) {
    s.*c.level = 2;
    open();
    enrol();
    seconds(60);
    leave();
    seconds(1000);
    EXPECT_EQ(ticks(), 60);
    enrol();
    seconds(1);
    // Every tick writes the level's name, not only the one that raises it.
    EXPECT_EQ(main(c.levelLabel), u8(c.levels[2]));
    seconds(c.perLevel - 62);
    EXPECT_EQ(level(), 2);
    seconds(1);
    EXPECT_EQ(level(), 3);
    EXPECT_EQ(main(c.levelLabel), u8(c.levels[3]));
}

TEST_P(CourseTest, ReopeningWhileEnrolledOffersToLeave) {
    open();
    enrol();
    close();
    EXPECT_FALSE(children().isLoaded());
    EXPECT_TRUE(timer(c.timer)->isActive());
    open();
    EXPECT_EQ(own()->text(), u8(c.leave));
    EXPECT_TRUE(own()->isEnabled());
    leave();
    EXPECT_EQ(main(c.feeLabel), QStringLiteral("Нет"));
}

TEST_P(CourseTest, TheTopLevelEndsTheCourseAndItsFee) {
    s.*c.level = 4;
    s.*c.ticks = c.perLevel - 1;
    s.Money = 100;
    open();
    enrol();
    gameDay();
    ASSERT_EQ(s.Money.value(), 100 - QString::fromUtf8(c.fee).toInt()) << "charged while studying";
    EXPECT_EQ(ticks(), c.perLevel - 1) << "the clock alone does not study";

    seconds(1);
    EXPECT_EQ(level(), 5);
    EXPECT_EQ(ticks(), 0);
    EXPECT_EQ(main(c.levelLabel), u8(c.levels[5]));
    EXPECT_FALSE(timer(c.timer)->isActive());
    EXPECT_FALSE(own()->isEnabled());
    EXPECT_EQ(own()->text(), u8(c.finished));
    EXPECT_EQ((s.*c.flag).value(), 0);
    EXPECT_EQ(main(c.feeLabel), QStringLiteral("Нет"));

    const int money = s.Money.value();
    gameDay();
    EXPECT_EQ(s.Money.value(), money) << "no fee for a finished course";
    seconds(1000);
    EXPECT_EQ(level(), 5);
    EXPECT_EQ(ticks(), 0);

    // The load step still shows the closing remark although the flag is back at 0.
    close();
    open();
    EXPECT_FALSE(own()->isEnabled());
    EXPECT_EQ(own()->text(), u8(c.finished));
}

TEST_P(CourseTest, FinishingWhileTheScreenIsClosedLoadsItHiddenAndLocked) {
    s.*c.level = 4;
    s.*c.ticks = c.perLevel - 1;
    open();
    enrol();
    close();
    ASSERT_FALSE(children().isLoaded());
    seconds(1);
    ASSERT_TRUE(children().isLoaded());
    EXPECT_FALSE(children().window()->isVisible());
    open();
    EXPECT_TRUE(children().window()->isVisible());
    EXPECT_FALSE(own()->isEnabled());
    EXPECT_EQ(own()->text(), u8(c.finished));
    for (const CourseCase& other : Courses) {
        if (other.button != c.button) {
            EXPECT_TRUE(button(other.button)->isEnabled()) << other.button;
            EXPECT_EQ(button(other.button)->text(), u8(other.join));
        }
    }
}

// 500, 750 and 850 hours, counted over every period of enrolment.
TEST_P(CourseTest, AWholeCourseTakesExactlyItsHours) {
    open();
    enrol();
    std::vector<int> raisedAt;
    std::vector<QString> names;
    int elapsed = 0;
    while (timer(c.timer)->isActive() && elapsed < 10000) {
        const int before = level();
        seconds(1);
        ++elapsed;
        if (level() != before) {
            raisedAt.push_back(elapsed);
            names.push_back(main(c.levelLabel));
            EXPECT_EQ(ticks(), 0) << elapsed;
        }
    }
    EXPECT_EQ(elapsed, 5 * c.perLevel);
    ASSERT_EQ(raisedAt.size(), 5u);
    for (std::size_t i = 0; i < raisedAt.size(); ++i) {
        EXPECT_EQ(raisedAt[i], static_cast<int>(i + 1) * c.perLevel);
        EXPECT_EQ(names[i], u8(c.levels[i + 1]));
    }
}

TEST_P(CourseTest, TheMainScreenTimerDrivesItsOwnCourse) {
    open();
    enrol();
    QMetaObject::invokeMethod(timer(c.timer), "timeout", Qt::DirectConnection);
    for (const CourseCase& other : Courses) {
        EXPECT_EQ((s.*other.ticks).value(), other.ticks == c.ticks ? 1 : 0) << other.timer;
    }
}

INSTANTIATE_TEST_SUITE_P(Each, CourseTest, ::testing::ValuesIn(Courses),
                         [](const auto& p) { return std::string(p.param.timer); });

// --- the screen as a whole ---

TEST_F(EducationTest, TheButtonsRunSchoolDrivingTechnicalInTabOrder) {
    open();
    std::vector<QString> order;
    QWidget* w = button("cmdSchool");
    for (int i = 0; i < 20 && order.size() < 3; ++i) {
        if (qobject_cast<CommandButton*>(w) != nullptr) {
            order.push_back(w->objectName());
        }
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(order, (std::vector<QString>{"cmdSchool", "cmdVozd", "cmdTehn"}));
    EXPECT_LT(twips::top(button("cmdSchool")), twips::top(button("cmdVozd")));
    EXPECT_LT(twips::top(button("cmdVozd")), twips::top(button("cmdTehn")));
}

TEST_F(EducationTest, TheLoadStepShowsTheClosingRemarkWhateverTheFlag) {
    s.InSchool = 1;
    s.SchoolLevel = 4;
    s.InDriving = 1;
    s.DrivingLevel = 5;
    s.InTehno = 0;
    s.TehnoLevel = 5;
    open();
    EXPECT_EQ(button("cmdSchool")->text(), QStringLiteral("Уйти из школы"));
    EXPECT_TRUE(button("cmdSchool")->isEnabled());
    EXPECT_EQ(button("cmdVozd")->text(), QStringLiteral("Водиле неукого учиться!!!"));
    EXPECT_FALSE(button("cmdVozd")->isEnabled());
    EXPECT_EQ(button("cmdTehn")->text(), QStringLiteral("Золотого не научишь"));
    EXPECT_FALSE(button("cmdTehn")->isEnabled());
}

TEST_F(EducationTest, EnrolmentNeedsNoMoney) {
    s.Money = 0;
    open();
    for (const CourseCase& c : Courses) {
        button(c.button)->click();
        EXPECT_EQ((s.*c.flag).value(), 1) << c.button;
    }
    EXPECT_EQ(s.Money.value(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(sounds.empty());
    gameDay();
    EXPECT_EQ(s.Money.value(), -21) << "all three fees, taken whatever the money";
}

TEST_F(EducationTest, HoverLinesFollowTheButtonsUntilTheBareWindow) {
    open();
    for (const CourseCase& c : Courses) {
        moveOver(button(c.button));
        EXPECT_EQ(description(), u8(c.description));
        EXPECT_EQ(price(), u8(c.fee));
    }
    for (const char* keeps : {"Frame1", "lbl2", "Label1", "lbl"}) {
        moveOver(ctl<QWidget>(children(), keeps));
        EXPECT_EQ(description(), u8(Courses[2].description)) << keeps;
        EXPECT_EQ(price(), QStringLiteral("9")) << keeps;
    }
    moveOver(children().window());
    EXPECT_TRUE(description().isEmpty());
    EXPECT_EQ(price(), QStringLiteral("__________"));

    // Enrolled or not, the lines are the same.
    button("cmdSchool")->click();
    moveOver(button("cmdSchool"));
    EXPECT_EQ(description(), QStringLiteral("Здесь вам дадут образование"));
    EXPECT_EQ(price(), QStringLiteral("5"));

    // A finished course's button is locked, and the pointer over it is over the bare window.
    s.DrivingLevel = 5;
    close();
    open();
    ASSERT_FALSE(button("cmdVozd")->isEnabled());
    pointAt(button("cmdTehn"));
    ASSERT_EQ(price(), QStringLiteral("7"));
    pointAt(button("cmdVozd"));
    EXPECT_TRUE(description().isEmpty());
    EXPECT_EQ(price(), QStringLiteral("__________"));
}

} // namespace
