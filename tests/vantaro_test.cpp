#include "game_fixture.h"
#include "version.h"

#include <QTimer>

namespace {

class VantaroTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState().PlayerName = QStringLiteral("Петя");
        vantaro().show();
    }
    Frame* frame(const char* name) { return ctl<Frame>(vantaro(), name); }
    twips::Rect tw(const char* name) { return twips::geometry(ctl<QWidget>(vantaro(), name)); }
};

struct Row {
    const char* name;
    twips::Rect rect;
    const char* text;
    std::uint32_t fore;
    std::uint32_t back;
};

// What the layout asks for, control by control.
const Row LabelRows[] = {
    {"Label1", {1320, 0, 735, 255}, "Дата:", 0xFFFFFF, 0x000000},
    {"lblDay", {2280, 0, -1, -1}, "1", 0xFFFFFF, 0x000000},
    {"Label4", {2400, 0, 75, 240}, ".", 0xFFFFFF, 0x000000},
    {"lblDate", {2480, 0, -1, -1}, "1", 0xFFFFFF, 0x000000},
    {"Label2", {2700, 0, 75, 240}, ".", 0xFFFFFF, 0x000000},
    {"lblYear", {2760, 0, 495, 240}, "2080", 0xFFFFFF, 0x000000},
    {"Label3", {3360, 0, 855, 255}, "Время:", 0xFFFFFF, 0x000000},
    {"lblTime", {4320, 0, 255, 255}, "00", 0xFFFFFF, 0x000000},
    {"lblTime2", {4560, 0, 345, 240}, ":00", 0xFFFFFF, 0x000000},
    {"Label5", {5040, 0, 2055, 255}, "Мултипаспорт на имя ", 0xFFFFFF, 0x000000},
    {"lblName", {7080, 0, 2895, 255}, "Петя", 0xFFFFFF, ~0u},
    {"lblSitost", {2280, 360, 1260, 195}, "10", 0xFFFFFF, 0x000000},
    {"lblMoney", {2280, 720, 1335, 255}, "250", 0xFFFFFF, 0x000000},
    {"lblSchool", {2160, 1080, 1455, 255}, "Неуч", 0xFFFFFF, 0x000000},
    {"lblVodit", {2160, 1440, 1455, 495}, "Не умею", 0xFFFFFF, 0x000000},
    {"lblTehno", {2160, 2160, 1455, 495}, "Деревянные руки", 0xFFFFFF, 0x000000},
    {"lblHome", {2205, 360, 1440, 240}, "БОМЖ", 0xFFFFFF, 0x000000},
    {"lblMebel", {2160, 720, -1, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblVanna", {2160, 1080, -1, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblSchollCoin", {2400, 240, 1215, 255}, "Нет", 0xFFFFFF, 0x000000},
    {"lblVozdCoin", {2400, 840, -1, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblTehCoin", {2400, 1440, -1, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblWork", {1800, 240, 2535, 1335}, "Нету", 0xFFFFFF, 0x000000},
    {"lblZarplata", {1800, 1680, 2535, 255}, "0", 0xFFFFFF, 0x000000},
    {"lblKorpus", {1800, 240, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblDvigatel", {1800, 600, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblPushka", {1800, 960, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblObshivka", {1800, 1320, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblSystNav", {1800, 1920, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblBak", {1800, 2280, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblRadar", {1800, 2640, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblARadar", {1800, 3000, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblAkkom", {1800, 3360, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblZK", {1800, 3960, 2535, -1}, "Нет", 0xFFFFFF, 0x000000},
    {"lblShop", {8520, 600, 2295, 255}, "М А Г А З И Н", 0x00FFFF, 0xC00000},
    {"cmdWork", {8520, 960, 2295, 255}, "Р А Б О Т А", 0x00FFFF, 0xC00000},
    {"cmdHome", {8520, 1320, 2295, 255}, "К В А Р Т И Р К А", 0x00FFFF, 0xC00000},
    {"cmdKorabl", {8520, 1680, 2295, 255}, "К О Р А Б Л Ь", 0x00FFFF, 0xC00000},
    {"cmdSchool", {8520, 2040, 2295, 255}, "У Ч Ё Б А", 0x00FFFF, 0xC00000},
    {"Label19", {120, 240, 1935, 1695}, nullptr, 0x0000FF, ~0u},
    {"ll", {0, 6960, -1, -1}, "Голод - не тётка! Надо скорее пожрать!", 0x0000FF, ~0u},
    {"lbl", {120, 240, 10575, 6855}, "", ~0u, 0x404040},
    {"lblVersion", {240, 360, 10335, 255}, "Vantaro. Версия 0.02.50 Beta", 0x00FF00, 0x808080},
    {"Label30", {240, 720, 10335, 255}, "Об игре", 0x80FF80, 0x808080},
    {"Label36", {215, 730, 10335, 255}, "Об игре", 0x004000, ~0u},
    {"lbl3", {240, 960, 10335, 2055}, nullptr, 0xC0FFC0, 0x808080},
    {"Label35", {230, 2110, 3135, 255}, nullptr, 0x008000, ~0u},
    {"Label31", {240, 3120, 10335, 285}, "Как играть", 0x80FFFF, 0x808080},
    {"Label37", {230, 3130, 10335, 255}, "Как играть", 0x00C0C0, ~0u},
    {"Label32", {240, 3360, 10335, 2295}, nullptr, 0xC0FFFF, 0x808080},
    {"Label33", {7800, 6600, 2595, 255}, nullptr, 0x0000FF, 0x404040},
    {"Label34", {7790, 6610, 2655, 255}, nullptr, 0xFFFF00, ~0u},
};

TEST_F(VantaroTest, LabelsMatchTheLayoutAfterLoad) {
    for (const Row& r : LabelRows) {
        SCOPED_TRACE(r.name);
        Label* l = ctl(vantaro(), r.name);
        ASSERT_NE(l, nullptr);
        const twips::Rect g = twips::geometry(l);
        EXPECT_EQ(g.left, r.rect.left);
        EXPECT_EQ(g.top, r.rect.top);
        if (r.rect.width >= 0) {
            EXPECT_EQ(g.width, r.rect.width);
        }
        if (r.rect.height >= 0) {
            EXPECT_EQ(g.height, r.rect.height);
        }
        EXPECT_EQ(l->geometry().topLeft(), QPoint(twips::toPixels(g.left), twips::toPixels(g.top)));
        if (r.text != nullptr) {
            EXPECT_EQ(l->text(), QString::fromUtf8(r.text));
        } else {
            EXPECT_FALSE(l->text().isEmpty());
        }
        if (r.fore != ~0u) {
            EXPECT_EQ(l->foreColor(), r.fore);
        }
        if (r.back == ~0u) {
            EXPECT_TRUE(l->isTransparent());
        } else {
            EXPECT_FALSE(l->isTransparent());
            EXPECT_EQ(l->backColor(), r.back);
        }
        EXPECT_EQ(l->textFormat(), Qt::PlainText);
    }
}

TEST_F(VantaroTest, FramesLinesAndPicturesMatchTheLayout) {
    struct FrameRow {
        const char* name;
        twips::Rect rect;
        const char* caption;
        std::uint32_t fore;
    };
    const FrameRow frames[] = {
        {"Frame1", {120, 360, 3735, 2895}, "Личный статус:", 0xC0C0C0},
        {"Frame2", {120, 3360, 3735, 1455}, "Жилище:", 0xC0C0C0},
        {"Frame4", {120, 4920, 3735, 1935}, "Учёба:", 0xC0C0C0},
        {"Frame3", {3960, 360, 4455, 2055}, "Работа:", 0xC0C0C0},
        {"Frame9", {3960, 2520, 4455, 4335}, "Тачка:", 0xC0C0C0},
        {"fr", {8520, 6600, 2295, 255}, "Об авторе:", 0x0000FF},
        {"frfr", {0, 0, 1125, 255}, "Помощь", 0x00FFFF},
    };
    for (const FrameRow& f : frames) {
        SCOPED_TRACE(f.name);
        Frame* w = frame(f.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(twips::geometry(w), f.rect);
        EXPECT_EQ(w->caption(), QString::fromUtf8(f.caption));
        EXPECT_EQ(w->foreColor(), f.fore);
        EXPECT_EQ(w->backColor(), 0x000000u);
    }
    // Dividers sit inside their frames at the layout's x.
    const std::pair<const char*, int> dividers[] = {
        {"Frame5", 2040}, {"Frame6", 2040}, {"Frame8", 2280}, {"Frame7", 1680}, {"Frame10", 1680}};
    for (const auto& [name, x] : dividers) {
        EXPECT_EQ(tw(name).left, x) << name;
        EXPECT_EQ(tw(name).width, 30) << name;
    }
    EXPECT_EQ(ctl<Line>(vantaro(), "Line3")->geometry(), QRect(328, 0, 1, 16));
    EXPECT_EQ(ctl<Line>(vantaro(), "Line3")->color(), 0x808080u);
    EXPECT_EQ(ctl<Line>(vantaro(), "Line4")->geometry().x(), 329);
    EXPECT_EQ(ctl<Line>(vantaro(), "Line2")->geometry(), QRect(-32, 16, 760, 1));
    EXPECT_EQ(ctl<Line>(vantaro(), "Line1")->geometry().y(), 17);

    auto* spin = ctl<PictureBox>(vantaro(), "PicSpin");
    EXPECT_EQ(spin->geometry(), QRect(568, 160, 153, 153));
    EXPECT_EQ(spin->innerWidth(), 149);
    auto* copy = ctl<PictureBox>(vantaro(), "PicCopy");
    EXPECT_EQ(twips::geometry(copy), (twips::Rect{10680, 2880, 135, 135}));
    EXPECT_FALSE(copy->isVisible());
    EXPECT_EQ(copy->picture().size(), QSize(187, 199));
    EXPECT_EQ(copy->sharpestPicture(1).size(), QSize(187, 199));
    EXPECT_EQ(copy->sharpestPicture(2).size(), QSize(374, 398)) << "the ship drawn for ratio 2";

    FormWindow* w = vantaro().window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Vantaro"));
    EXPECT_EQ(w->size(), QSize(727, 482));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(VantaroTest, HelpAndStatusStartFoldedAndHidden) {
    EXPECT_FALSE(ctl(vantaro(), "ll")->isVisible());
    EXPECT_FALSE(ctl(vantaro(), "lbl")->isVisible());
    EXPECT_EQ(ctl(vantaro(), "Label36")->toolTip(), QStringLiteral("Об игре"));
    EXPECT_EQ(ctl(vantaro(), "Label37")->toolTip(), QStringLiteral("Как играть"));
    EXPECT_EQ(ctl(vantaro(), "lblName")->font().pixelSize(), 12);
    EXPECT_EQ(ctl(vantaro(), "Label5")->font().pixelSize(), 11);
    EXPECT_EQ(ctl(vantaro(), "lblMoney")->font().pixelSize(), 13);
    EXPECT_EQ(ctl(vantaro(), "Label30")->font().pixelSize(), 15);
}

TEST_F(VantaroTest, HowToPlayIsTwoParagraphsJoinedByBlanksThatBreakTheLine) {
    Label* l = ctl(vantaro(), "Label32");
    const QString text = l->text();
    const qsizetype join = text.indexOf(QString(76, QLatin1Char(' ')) + QStringLiteral("Ходить"));
    ASSERT_GT(join, 0);
    EXPECT_NE(text.at(join - 1), QLatin1Char(' '));
    EXPECT_TRUE(text.startsWith(QStringLiteral(" Играть в эту игру очень даже просто.")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Ну, успехов вам в личн... Vantaro.")));
    const QStringList lines = l->wrappedLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Ходить"));
    }));
}

TEST_F(VantaroTest, TextFitsWhereTheLayoutHoldsIt) {
    for (Label* l : vantaro().window()->findChildren<Label*>()) {
        if (l->text().isEmpty() || l->objectName() == QLatin1String("lblSitost")) {
            continue; // the satiety label is laid out shorter than a line; its digits still fit
        }
        SCOPED_TRACE(l->objectName().toStdString());
        const QFontMetrics fm(l->font());
        const QStringList lines = l->wrappedLines();
        for (const QString& line : lines) {
            EXPECT_LE(fm.horizontalAdvance(line.trimmed()), l->width()) << line.toStdString();
        }
        EXPECT_LE(static_cast<int>(lines.size()) * fm.height(), l->height() + fm.descent())
            << lines.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(VantaroTest, VersionComesFromOnePlace) {
    EXPECT_EQ(version::text(), QStringLiteral("Vantaro. Версия 0.02.50 Beta"));
    EXPECT_EQ(version::text(0, 2, 0), QStringLiteral("Vantaro. Версия 0.02.00"));
    EXPECT_EQ(version::text(1, 12, 3), QStringLiteral("Vantaro. Версия 1.12.03 Beta"));
    EXPECT_EQ(ctl(vantaro(), "lblVersion")->text(), version::text());
}

TEST_F(VantaroTest, HelpPanelCyclesAndFoldsToTheShorterTab) {
    const twips::Rect folded{0, 0, 1125, 225};
    const twips::Rect open{0, 0, 10845, 7185};
    EXPECT_EQ(tw("frfr"), (twips::Rect{0, 0, 1125, 255}));
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        click(frame("frfr"));
        EXPECT_EQ(tw("frfr"), open);
        EXPECT_TRUE(ctl(vantaro(), "lbl")->isVisible());
        // A click anywhere on the open panel that no control handles folds it.
        click(ctl(vantaro(), "lbl3"));
        EXPECT_EQ(tw("frfr"), folded);
        EXPECT_FALSE(ctl(vantaro(), "lbl")->isVisible());
    }
}

TEST_F(VantaroTest, F1FoldsAndUnfoldsWhateverHasTheFocus) {
    QTest::keyClick(vantaro().window(), Qt::Key_F1);
    EXPECT_EQ(tw("frfr").width, 10845);
    QTest::keyClick(ctl(vantaro(), "lblMoney"), Qt::Key_F1);
    EXPECT_EQ(tw("frfr"), (twips::Rect{0, 0, 1125, 225}));
    QTest::keyClick(vantaro().window(), Qt::Key_F2);
    EXPECT_EQ(tw("frfr").width, 1125);
}

TEST_F(VantaroTest, AuthorLineLandsOnTheAboutPanel) {
    click(frame("frfr"));
    click(ctl(vantaro(), "Label34"));
    EXPECT_EQ(tw("frfr"), (twips::Rect{0, 0, 1125, 225}));
    EXPECT_EQ(tw("fr"), (twips::Rect{8520, 4920, 2295, 1935}));
    // Already unfolded: only the help panel folds.
    click(frame("frfr"));
    click(ctl(vantaro(), "Label34"));
    EXPECT_EQ(tw("frfr").width, 1125);
    EXPECT_EQ(tw("fr"), (twips::Rect{8520, 4920, 2295, 1935}));
    click(frame("fr"));
    EXPECT_EQ(tw("fr"), (twips::Rect{8520, 6600, 2295, 255}));
    // Its text is part of the panel: a click on it folds it too.
    click(frame("fr"));
    click(ctl(vantaro(), "Label19"));
    EXPECT_EQ(tw("fr"), (twips::Rect{8520, 6600, 2295, 255}));
}

TEST_F(VantaroTest, TimersHaveTheirIntervalsAndStartStates) {
    const struct {
        const char* name;
        int interval;
        bool active;
    } rows[] = {{"tmrTime", 1000, true}, {"tmrll", 50, false},    {"tmrSchool", 1000, false},
                {"tmrCar", 1000, false}, {"tmrTeh", 1000, false}, {"Timer1", 10, true}};
    for (const auto& r : rows) {
        QTimer* t = vantaro().timer(r.name);
        ASSERT_NE(t, nullptr) << r.name;
        EXPECT_EQ(t->interval(), r.interval) << r.name;
        EXPECT_EQ(t->isActive(), r.active) << r.name;
    }
}

TEST_F(VantaroTest, LoadSetsTheCalendarAndStartingValuesAgain) {
    EXPECT_EQ(vantaro().Day.value(), 1);
    EXPECT_EQ(vantaro().Month.value(), 1);
    EXPECT_EQ(vantaro().Hour.value(), 0);
    EXPECT_EQ(gameState().Money.value(), 250);
    EXPECT_EQ(gameState().Sitost.value(), 10);
}

TEST_F(VantaroTest, HousingLabelsKeepTheirLevelsWhenNotZero) {
    vantaro().unload();
    resetProgramEnded();
    flushDeletes();
    gameState().HomeRooms = 3;
    vantaro().show();
    EXPECT_EQ(ctl(vantaro(), "lblHome")->text(), QStringLiteral("БОМЖ"))
        << "the load step writes only level 0; the layout text stays otherwise";
    EXPECT_EQ(ctl(vantaro(), "lblMebel")->text(), QStringLiteral("Нет"));
}

TEST_F(VantaroTest, ClosingTheMainWindowEndsTheGame) {
    vantaro().window()->close();
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(vantaro().isLoaded());
}

} // namespace
