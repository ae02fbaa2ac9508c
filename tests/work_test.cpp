#include "forms/work/jobs.h"
#include "forms/work/work.h"
#include "game_fixture.h"

#include <QMouseEvent>

namespace {

const QString Refusal = QStringLiteral(
    " Вы не можете работать по этой профессии. Загляните в СПРАВКУ, штобы посмотреть чё нужно "
    "для работы(кликните на слово 'Справка' в верхнем левом углу)");

struct JobRow {
    const char* button;
    const char* caption;
    int salary;
    const char* sound;
};
const JobRow Jobs[] = {
    {"Taxist", "Таксист", 10, "Sound\\taxist.wav"},
    {"ChastTaxist", "Частный таксист", 20, "Sound\\chasttaxist.wav"},
    {"Dalnoboishik", "Дальнобойщик", 35, "Sound\\dalnoboishik.wav"},
    {"KosmDalnoboishik", "Космический дальнобойщик", 45, "Sound\\kosmodaln.wav"},
    {"TaxiPark", "Хозяин таксопарка", 55, "Sound\\taxipark.wav"},
    {"DalnBoss", "Босс дальнобойщиков", 65, "Sound\\dalnboss.wav"},
    {"Command7", "Гонщик", 65, "Sound\\gonshik.wav"},
    {"Command8", "Супер гонщик", 80, "Sound\\supergonshik.wav"},
    {"cmdVantaro", "Vantaro.  Истребитель космических пиратов", 100, "Sound\\vantaro.wav"},
};

// Every ladder at its top: what the last job asks.
void maxEverything(GameState& s) {
    for (Int16 GameState::*f :
         {&GameState::Korpus, &GameState::Dvigatel, &GameState::Pushka, &GameState::Obshivka,
          &GameState::SystNav, &GameState::Bak, &GameState::Radar, &GameState::ARadar,
          &GameState::Akkom, &GameState::ZK, &GameState::SchoolLevel, &GameState::DrivingLevel,
          &GameState::TehnoLevel}) {
        s.*f = 5;
    }
}

// The lowest levels with which `job` may be taken: each requirement met exactly.
void meetExactly(GameState& s, Work& w, int job) {
    for (const jobs::Requirement& r : jobs::Requirements) {
        if (r.job != job) {
            continue;
        }
        if (r.field == jobs::CurrentJobField) {
            w.CurrentJob = r.level;
        } else {
            s.*r.field = r.level;
        }
    }
}

class WorkTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
        open();
    }
    void open() {
        work().show();
        sounds.clear();
    }
    void reopen() {
        work().unload();
        flushDeletes();
        open();
    }
    CommandButton* button(const char* name) { return ctl<CommandButton>(work(), name); }
    void apply(const char* name) { button(name)->click(); }
    QString refusal() { return ctl(work(), "lbllbl")->text(); }
    twips::Rect fr() { return twips::geometry(ctl<Frame>(work(), "fr")); }
    GameState& s = gameState();
};

TEST_F(WorkTest, AtTheStartOnlyTheTaxiDriverIsHired) {
    for (const JobRow& j : Jobs) {
        SCOPED_TRACE(j.button);
        apply(j.button);
        if (QString::fromUtf8(j.button) == QLatin1String("Taxist")) {
            EXPECT_EQ(work().CurrentJob.value(), 1);
            EXPECT_FALSE(button(j.button)->isEnabled());
        } else {
            EXPECT_TRUE(button(j.button)->isEnabled());
            EXPECT_EQ(refusal(), QStringLiteral("Петя,") + Refusal);
        }
    }
    EXPECT_EQ(s.Zarplata.value(), 10);
    EXPECT_EQ(sounds.size(), 1u) << "refusals are silent";
}

TEST_F(WorkTest, EachJobHiresExactlyWhenItsRequirementsHold) {
    for (std::size_t i = 0; i < std::size(Jobs); ++i) {
        const JobRow& j = Jobs[i];
        const int code = static_cast<int>(i) + 1;
        SCOPED_TRACE(j.button);
        reset();
        s.PlayerName = QStringLiteral("Петя");
        vantaro().show();
        meetExactly(s, work(), code);
        open();
        apply(j.button);
        EXPECT_EQ(ctl(vantaro(), "lblWork")->text(), QString::fromUtf8(j.caption));
        EXPECT_EQ(s.Zarplata.value(), j.salary);
        EXPECT_EQ(work().CurrentJob.value(), code);
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].file, QString::fromUtf8(j.sound));
        EXPECT_FALSE(button(j.button)->isEnabled());
        EXPECT_TRUE(refusal().isEmpty());
    }
}

TEST_F(WorkTest, EveryRequirementIsNeededOnItsOwn) {
    // Each row, one step short while all others hold, refuses the job.
    for (const jobs::Requirement& r : jobs::Requirements) {
        const JobRow& j = Jobs[r.job - 1];
        SCOPED_TRACE(std::string(j.button) + " level " + std::to_string(r.level));
        s = GameState{};
        s.PlayerName = QStringLiteral("Петя");
        s.Zarplata = 7;
        work().CurrentJob = 0;
        meetExactly(s, work(), r.job);
        if (r.field == jobs::CurrentJobField) {
            work().CurrentJob = r.level == 5 ? 4 : r.level + 1;
        } else {
            s.*r.field = r.level - 1;
        }
        const Int16 held = work().CurrentJob;
        sounds.clear();
        ctl(work(), "lbllbl")->setCaption(QString());
        work().job_Click(static_cast<std::size_t>(r.job - 1));
        EXPECT_EQ(refusal(), QStringLiteral("Петя,") + Refusal);
        EXPECT_EQ(work().CurrentJob, held);
        EXPECT_EQ(s.Zarplata.value(), 7);
        EXPECT_TRUE(sounds.empty());
    }
}

TEST_F(WorkTest, TheTopJobIsRefusedWithAnyLevelAtFour) {
    for (const jobs::Requirement& r : jobs::Requirements) {
        if (r.job != 9) {
            continue;
        }
        maxEverything(s);
        s.*r.field = 4;
        work().job_Click(8);
        EXPECT_NE(work().CurrentJob.value(), 9);
    }
    maxEverything(s);
    apply("cmdVantaro");
    EXPECT_EQ(work().CurrentJob.value(), 9);
}

TEST_F(WorkTest, TechnicalFourIsNotEnoughForTheTaxiParkOrTheSuperRacer) {
    meetExactly(s, work(), 5);
    s.TehnoLevel = 4;
    apply("TaxiPark");
    EXPECT_EQ(work().CurrentJob.value(), 0);
    meetExactly(s, work(), 8);
    s.TehnoLevel = 4;
    apply("Command8");
    EXPECT_EQ(work().CurrentJob.value(), 7);
    s.TehnoLevel = 5;
    apply("Command8");
    EXPECT_EQ(work().CurrentJob.value(), 8);
}

TEST_F(WorkTest, TheCareerChainGoesOneStepAtATime) {
    maxEverything(s);
    work().CurrentJob = 4;
    apply("DalnBoss");
    EXPECT_EQ(work().CurrentJob.value(), 4) << "the truck boss needs the taxi park first";
    apply("Command7");
    EXPECT_EQ(work().CurrentJob.value(), 4);
    apply("TaxiPark");
    apply("DalnBoss");
    apply("Command7");
    apply("Command8");
    EXPECT_EQ(work().CurrentJob.value(), 8);
    EXPECT_EQ(s.Zarplata.value(), 80);
    apply("Command7");
    EXPECT_FALSE(button("Command7")->isEnabled());
    EXPECT_EQ(work().CurrentJob.value(), 8) << "a taken button stays locked during the visit";
}

TEST_F(WorkTest, AfterTheTopJobTheTaxiIsStillThereInTheSameVisit) {
    maxEverything(s);
    apply("cmdVantaro");
    apply("Taxist");
    EXPECT_EQ(work().CurrentJob.value(), 1);
    EXPECT_EQ(s.Zarplata.value(), 10);
    EXPECT_EQ(ctl(vantaro(), "lblWork")->text(), QStringLiteral("Таксист"));
}

TEST_F(WorkTest, TheRefusalStaysAfterAHire) {
    apply("ChastTaxist");
    apply("Taxist");
    EXPECT_EQ(refusal(), QStringLiteral("Петя,") + Refusal);
    moveOver(work().window());
    EXPECT_EQ(refusal(), QStringLiteral("Петя,") + Refusal);
}

TEST_F(WorkTest, TheSalaryLabelFollowsOnlyWhenTheScreenCloses) {
    apply("Taxist");
    EXPECT_EQ(ctl(vantaro(), "lblWork")->text(), QStringLiteral("Таксист"));
    EXPECT_EQ(ctl(vantaro(), "lblZarplata")->text(), QStringLiteral("0"));
    click(ctl(work(), "cmd"));
    EXPECT_FALSE(work().isLoaded());
    EXPECT_EQ(ctl(vantaro(), "lblZarplata")->text(), QStringLiteral("10"));
    EXPECT_EQ(work().CurrentJob.value(), 1) << "the job survives closing the screen";
}

TEST_F(WorkTest, ReopeningLocksTheLowerJobsUpToTheOneHeld) {
    for (int held = 0; held <= 9; ++held) {
        SCOPED_TRACE(held);
        work().CurrentJob = held;
        reopen();
        for (std::size_t i = 0; i < std::size(Jobs); ++i) {
            const int code = static_cast<int>(i) + 1;
            EXPECT_EQ(button(Jobs[i].button)->isEnabled(), code > 4 || code > held)
                << Jobs[i].button;
        }
        EXPECT_TRUE(refusal().isEmpty());
    }
}

TEST_F(WorkTest, ReopeningWithTheTruckBossAndApplyingAgainIsRefused) {
    maxEverything(s);
    work().CurrentJob = 6;
    s.Zarplata = 65;
    reopen();
    apply("DalnBoss");
    EXPECT_EQ(refusal(), QStringLiteral("Петя,") + Refusal);
    EXPECT_EQ(work().CurrentJob.value(), 6);
    EXPECT_EQ(s.Zarplata.value(), 65);
}

TEST_F(WorkTest, ReopeningWithTheTopJobHiresItAgain) {
    maxEverything(s);
    work().CurrentJob = 9;
    reopen();
    EXPECT_TRUE(button("cmdVantaro")->isEnabled());
    apply("cmdVantaro");
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_EQ(s.Zarplata.value(), 100);
}

TEST_F(WorkTest, LayoutOfTheWindowAndItsBoxes) {
    FormWindow* w = work().window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Работа"));
    EXPECT_EQ(w->size(), QSize(565, 440));
    EXPECT_EQ(fr(), (twips::Rect{0, 0, 1215, 255}));
    const struct {
        const char* name;
        twips::Rect rect;
        std::uint32_t fore;
        bool transparent;
        bool visible;
    } rows[] = {
        {"lbl2", {120, 240, 4455, 1935}, 0xFFFFFF, true, true},
        {"Label1", {120, 2400, 1215, 255}, 0x00FFFF, true, true},
        {"lblZarpl", {1440, 2400, 615, 255}, 0xC0C0C0, true, true},
        {"lbllbl", {120, 240, 4455, 1335}, 0x0000FF, true, true},
        {"l", {120, 240, 8175, 6135}, 0x00FF00, false, false},
        {"Label12", {120, 240, 7935, 255}, 0x00FF00, true, false},
        {"Label2", {120, 1200, 2100, 255}, 0x80FF80, false, true},
        {"Label16", {2280, 4680, 5895, 1455}, 0xC0FFC0, false, true},
        {"Label20", {2280, 2400, 5895, 1095}, 0xC0FFC0, false, false},
        {"lblNext1", {7080, 6120, -1, -1}, 0x0000FF, true, true},
        {"lblPrev1", {360, 6120, -1, -1}, 0x0000FF, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Label* l = ctl(work(), r.name);
        const twips::Rect g = twips::geometry(l);
        EXPECT_EQ(g.left, r.rect.left);
        EXPECT_EQ(g.top, r.rect.top);
        if (r.rect.width >= 0) {
            EXPECT_EQ(g.width, r.rect.width);
            EXPECT_EQ(g.height, r.rect.height);
        }
        EXPECT_EQ(l->foreColor(), r.fore);
        EXPECT_EQ(l->isTransparent(), r.transparent);
        EXPECT_EQ(l->isVisibleTo(w), r.visible);
    }
    for (std::size_t i = 0; i < std::size(Jobs); ++i) {
        EXPECT_EQ(button(Jobs[i].button)->text(), QString::fromUtf8(Jobs[i].caption));
    }
    EXPECT_EQ(twips::geometry(button("cmdVantaro")), (twips::Rect{360, 4320, 2535, 615}));
    EXPECT_EQ(ctl(work(), "Label14")->text(),
              QStringLiteral(
                  "Всё хозяина таксопарка +  Радар(Эхолокационный), Образование(Умник(-ца))."));
}

TEST_F(WorkTest, F1TogglesThePanelWhateverHasTheFocus) {
    QTest::keyClick(work().window(), Qt::Key_F1);
    EXPECT_EQ(fr(), (twips::Rect{0, 0, 8415, 6500}));
    EXPECT_TRUE(ctl(work(), "l")->isVisibleTo(work().window()));
    button("Taxist")->setFocus();
    QTest::keyClick(button("Taxist"), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(fr(), (twips::Rect{0, 0, 1215, 255}));
    EXPECT_FALSE(ctl(work(), "l")->isVisibleTo(work().window()));
    QTest::keyClick(button("Taxist"), Qt::Key_F2);
    EXPECT_EQ(fr().width, 1215);
    EXPECT_EQ(work().CurrentJob.value(), 0) << "keys do not press job buttons";
}

TEST_F(WorkTest, TheUnfoldedPanelCoversTheButtonsAndTheBackLabelForTheKeyboardToo) {
    QWidget* w = work().window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    // What Tab and Shift+Tab reach in a dozen steps, from whatever has the focus.
    const auto reached = [w](Qt::Key key) {
        QSet<QString> names;
        for (int i = 0; i < 12; ++i) {
            QWidget* f = w->focusWidget();
            QTest::keyClick(f != nullptr ? f : w, key);
            if (w->focusWidget() != nullptr) {
                names.insert(w->focusWidget()->objectName());
            }
        }
        return names;
    };
    const QSet<QString> folded = reached(Qt::Key_Tab);
    EXPECT_TRUE(folded.contains(QStringLiteral("cmd")));
    EXPECT_FALSE(folded.contains(QStringLiteral("lblNext1"))) << "the folded panel hides it";
    button("Taxist")->setFocus();
    QTest::keyClick(button("Taxist"), Qt::Key_F1);
    ASSERT_EQ(fr().width, 8415);
    EXPECT_EQ(w->focusWidget(), nullptr) << "the covered button lets the focus go";
    // Only the shown page's link, which Enter or Space follows, showing the ring.
    const QSet<QString> next{QStringLiteral("lblNext1")}, prev{QStringLiteral("lblPrev1")};
    EXPECT_EQ(reached(Qt::Key_Tab), next);
    EXPECT_TRUE(ctl(work(), "lblNext1")->showsFocusRing());
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(ctl(work(), "Label20")->isVisibleTo(w));
    EXPECT_EQ(w->focusWidget(), ctl(work(), "lblPrev1")) << "the new page's link";
    EXPECT_EQ(reached(Qt::Key_Backtab), prev);
    QTest::keyClick(w->focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(ctl(work(), "Label16")->isVisibleTo(w));
    EXPECT_EQ(reached(Qt::Key_Tab), next);
    EXPECT_EQ(work().CurrentJob.value(), 0);
    EXPECT_TRUE(work().isLoaded());
    QTest::keyClick(w->focusWidget(), Qt::Key_F1);
    EXPECT_EQ(w->focusWidget(), button("Taxist")) << "folding gives it back";
    const QSet<QString> all = reached(Qt::Key_Backtab);
    for (const JobRow& j : Jobs) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(j.button))) << j.button;
    }
    EXPECT_TRUE(all.contains(QStringLiteral("cmd")));
}

TEST_F(WorkTest, PageTwoSurvivesFoldingButNotReopening) {
    click(ctl<Frame>(work(), "fr"));
    click(ctl(work(), "lblNext1"));
    QWidget* w = work().window();
    for (const char* p2 : {"ll", "Label10", "Label11", "Label12", "Label14", "Label15", "Label17",
                           "Label18", "Label19", "Label20", "lblPrev1"}) {
        EXPECT_TRUE(ctl(work(), p2)->isVisibleTo(w)) << p2;
    }
    EXPECT_FALSE(ctl(work(), "Label13")->isVisibleTo(w));
    EXPECT_FALSE(ctl(work(), "Label16")->isVisibleTo(w));
    // The hidden link lies under the page's backdrop: a click there meets the backdrop.
    Label* next = ctl(work(), "lblNext1");
    const QPoint at = next->mapTo(w, QPoint(5, 5));
    EXPECT_EQ(w->childAt(at), ctl(work(), "ll"));
    click(ctl<Frame>(work(), "fr"));
    click(ctl<Frame>(work(), "fr"));
    EXPECT_TRUE(ctl(work(), "Label20")->isVisibleTo(w));
    click(ctl(work(), "lblPrev1"));
    EXPECT_FALSE(ctl(work(), "ll")->isVisibleTo(w));
    EXPECT_TRUE(ctl(work(), "Label16")->isVisibleTo(w));
    click(ctl(work(), "lblNext1"));
    reopen();
    EXPECT_FALSE(ctl(work(), "Label20")->isVisibleTo(work().window()));
    EXPECT_TRUE(ctl(work(), "Label16")->isVisibleTo(work().window()));
}

TEST_F(WorkTest, TheOpenPanelCoversTheBackLabel) {
    click(ctl<Frame>(work(), "fr"));
    QWidget* w = work().window();
    Label* back = ctl(work(), "cmd");
    QWidget* top = w->childAt(back->mapTo(w, QPoint(100, 5)));
    EXPECT_NE(top, back);
    EXPECT_TRUE(top == ctl<QWidget>(work(), "fr") ||
                top->parentWidget() == ctl<QWidget>(work(), "fr"));
}

TEST_F(WorkTest, LinksTurnBoldUnderThePointer) {
    click(ctl<Frame>(work(), "fr"));
    Label* next = ctl(work(), "lblNext1");
    moveOver(next);
    EXPECT_TRUE(next->font().bold());
    moveOver(ctl(work(), "l"));
    EXPECT_FALSE(next->font().bold());
    moveOver(next);
    click(next);
    Label* prev = ctl(work(), "lblPrev1");
    moveOver(prev);
    EXPECT_TRUE(prev->font().bold());
    moveOver(ctl(work(), "ll"));
    EXPECT_FALSE(prev->font().bold());
    moveOver(prev);
    moveOver(work().window());
    EXPECT_FALSE(prev->font().bold());
    EXPECT_FALSE(next->font().bold());
}

TEST_F(WorkTest, HoverDescribesEachJobAndKeepsItOverTheBoxes) {
    const char* salaries[] = {"10", "20", "35", "45", "55", "65", "65", "80", "100"};
    for (std::size_t i = 0; i < std::size(Jobs); ++i) {
        moveOver(button(Jobs[i].button));
        EXPECT_EQ(ctl(work(), "lblZarpl")->text(), QString::fromLatin1(salaries[i]));
        EXPECT_FALSE(ctl(work(), "lbl2")->text().isEmpty());
    }
    EXPECT_TRUE(ctl(work(), "lbl2")->text().startsWith(QStringLiteral("Это - самая почётная")));
    for (const char* keeps : {"Frame1", "lbl2", "Frame2", "lbllbl", "Label1"}) {
        moveOver(ctl<QWidget>(work(), keeps));
        EXPECT_EQ(ctl(work(), "lblZarpl")->text(), QStringLiteral("100")) << keeps;
    }
    moveOver(work().window());
    EXPECT_EQ(ctl(work(), "lbl2")->text(),
              QStringLiteral("Видишь профессии? Выбирай нужную! Смотри, не ошибись!"));
    EXPECT_EQ(ctl(work(), "lblZarpl")->text(), QStringLiteral("_____"));
}

TEST_F(WorkTest, ALockedButtonDescribesNothing) {
    apply("Taxist");
    ASSERT_FALSE(button("Taxist")->isEnabled());
    pointAt(button("ChastTaxist"));
    ASSERT_EQ(ctl(work(), "lblZarpl")->text(), QStringLiteral("20"));
    // A disabled button gets no pointer events; the window beneath gets them.
    pointAt(button("Taxist"));
    EXPECT_EQ(ctl(work(), "lblZarpl")->text(), QStringLiteral("_____"));
    EXPECT_EQ(ctl(work(), "lbl2")->text(),
              QStringLiteral("Видишь профессии? Выбирай нужную! Смотри, не ошибись!"));
}

} // namespace
