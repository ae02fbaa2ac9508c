#include "forms/car/car.h"
#include "forms/children/children.h"
#include "forms/home/home.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"
#include "game_fixture.h"

#include <QApplication>
#include <QTimer>

namespace {

struct Screen {
    const char* opener;
    Form& (*form)();
    const char* caption;
    QSize client;
    const char* back;
    QRect backPixels;
    bool backClicks;
};

const Screen Screens[] = {
    {"lblShop",
     []() -> Form& { return shop(); },
     "                                                  Магазин. Поел и порядок...",
     {459, 206},
     "lblNazad",
     {8, 184, 449, 17},
     false},
    {"cmdWork",
     []() -> Form& { return work(); },
     "Работа",
     {565, 440},
     "cmd",
     {8, 416, 545, 17},
     false},
    {"cmdHome",
     []() -> Form& { return home(); },
     "Покупка квартиры и всё, всё, всё для неё...",
     {516, 244},
     "cmd",
     {0, 224, 513, 17},
     true},
    {"cmdKorabl",
     []() -> Form& { return car(); },
     "Здесь можно купить корабль и всё, всё, всё для него...",
     {458, 294},
     "cmd",
     {8, 272, 441, 17},
     false},
    {"cmdSchool",
     []() -> Form& { return children(); },
     "                 Учение - свет, а неучение - тьма! Да будет свет!!!",
     {415, 237},
     "cmd",
     {0, 216, 417, 17},
     false},
};

class NavigationTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
        sounds.clear();
    }
    static int windowsNamed(const QString& name) {
        flushDeletes();
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += w->objectName() == name ? 1 : 0;
        }
        return n;
    }
};

TEST_F(NavigationTest, OpenersLoadTheirScreensOnReleaseWithAClick) {
    for (const Screen& s : Screens) {
        SCOPED_TRACE(s.opener);
        Form& form = s.form();
        Label* opener = ctl(vantaro(), s.opener);
        sounds.clear();
        QTest::mousePress(opener, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(opener->borderStyle(), 1);
        EXPECT_FALSE(form.isLoaded()) << "nothing happens before the release";
        QTest::mouseRelease(opener, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(opener->borderStyle(), 0);
        ASSERT_TRUE(form.isLoaded());
        EXPECT_TRUE(form.window()->isVisible());
        EXPECT_EQ(form.window()->windowTitle(), QString::fromUtf8(s.caption));
        EXPECT_EQ(form.window()->size(), s.client);
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\Click1.wav"));
        Label* back = ctl(form, s.back);
        EXPECT_EQ(back->geometry(), s.backPixels);
        EXPECT_EQ(back->text(), QStringLiteral("<<< Н А З А Д"));
        EXPECT_EQ(back->align(), Align::Center);
    }
    // All five at once, the main screen still there.
    for (const Screen& s : Screens) {
        EXPECT_TRUE(s.form().isLoaded()) << s.opener;
    }
    EXPECT_TRUE(vantaro().window()->isVisible());
}

TEST_F(NavigationTest, AnyButtonAndADragOffTheLabelStillOpen) {
    Label* opener = ctl(vantaro(), "cmdWork");
    pressRelease(opener, Qt::RightButton, QPoint(-200, 400));
    EXPECT_TRUE(work().isLoaded());
    EXPECT_EQ(opener->borderStyle(), 0);
    pressRelease(ctl(vantaro(), "cmdKorabl"), Qt::MiddleButton);
    EXPECT_TRUE(car().isLoaded());
}

TEST_F(NavigationTest, ASecondPressClicksAgainButKeepsOneWindow) {
    Label* opener = ctl(vantaro(), "lblShop");
    click(opener);
    FormWindow* first = shop().window();
    click(opener);
    EXPECT_EQ(shop().window(), first) << "the load step does not run again";
    EXPECT_EQ(windowsNamed(QStringLiteral("Shop")), 1);
    EXPECT_EQ(sounds.size(), 2u);

    // An open screen behind another comes to the front as it was: the jobs screen's load step
    // would fold its help panel again.
    click(ctl(vantaro(), "cmdWork"));
    Frame* help = ctl<Frame>(work(), "fr");
    click(help);
    const QRect unfolded = help->geometry();
    click(opener);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), shop().window());
    click(ctl(vantaro(), "cmdWork"));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), work().window());
    EXPECT_EQ(help->geometry(), unfolded);
    EXPECT_EQ(sounds.size(), 5u);
}

TEST_F(NavigationTest, BackLabelsUnloadOnlyTheirScreenAndOnlyTheFlatClicks) {
    for (const Screen& s : Screens) {
        click(ctl(vantaro(), s.opener));
    }
    for (const Screen& s : Screens) {
        SCOPED_TRACE(s.back);
        Form& form = s.form();
        Label* back = ctl(form, s.back);
        sounds.clear();
        QTest::mousePress(back, Qt::RightButton, {}, QPoint(3, 3));
        EXPECT_EQ(back->borderStyle(), 1);
        EXPECT_TRUE(form.isLoaded());
        QTest::mouseRelease(back, Qt::RightButton, {}, QPoint(900, 900));
        EXPECT_FALSE(form.isLoaded());
        EXPECT_EQ(windowsNamed(form.name()), 0);
        EXPECT_EQ(sounds.size(), s.backClicks ? 1u : 0u);
        if (s.backClicks) {
            EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\Click1.wav"));
        }
        EXPECT_TRUE(vantaro().isLoaded());
        EXPECT_FALSE(programEnded());
    }
    // The next press loads a screen afresh.
    click(ctl(vantaro(), "cmdHome"));
    EXPECT_TRUE(home().isLoaded());
    EXPECT_EQ(windowsNamed(QStringLiteral("Home")), 1);
}

TEST_F(NavigationTest, ClosingOneScreenLeavesTheOthersAsTheyAre) {
    click(ctl(vantaro(), "lblShop"));
    click(ctl(vantaro(), "cmdSchool"));
    FormWindow* school = children().window();
    click(ctl(shop(), "lblNazad"));
    EXPECT_FALSE(shop().isLoaded());
    EXPECT_EQ(children().window(), school);
    EXPECT_TRUE(school->isVisible());
}

TEST_F(NavigationTest, TheClockRunsWhileScreensAreOpen) {
    click(ctl(vantaro(), "lblShop"));
    click(ctl(vantaro(), "cmdWork"));
    EXPECT_TRUE(vantaro().timer("tmrTime")->isActive());
    EXPECT_TRUE(vantaro().timer("Timer1")->isActive());
    vantaro().tmrTime_Timer();
    EXPECT_EQ(ctl(vantaro(), "lblTime")->text(), QStringLiteral("1"));
}

TEST_F(NavigationTest, ClosingTheMainWindowTakesEveryScreenWithIt) {
    click(ctl(vantaro(), "lblShop"));
    click(ctl(vantaro(), "cmdWork"));
    vantaro().window()->close();
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(shop().isLoaded());
    EXPECT_FALSE(work().isLoaded());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NavigationTest, TheJobsScreenIsAFixedToolWindow) {
    click(ctl(vantaro(), "cmdWork"));
    const Qt::WindowFlags f = work().window()->windowFlags();
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(f.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(work().window()->minimumSize(), work().window()->maximumSize());
}

} // namespace
