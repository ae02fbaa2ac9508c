#include "game_fixture.h"

#include <QLineEdit>

#include <string>

namespace {

class BeginTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        begin().show();
        field = ctl<QLineEdit>(begin(), "Text1");
        confirm = ctl(begin(), "Label2");
    }
    // Types the name without keystroke sounds getting in the way of what a case looks at.
    void enterName(const QString& name) {
        field->setText(name);
        sounds.clear();
    }
    QLineEdit* field = nullptr;
    Label* confirm = nullptr;
};

struct Expected {
    const char* name;
    QRect pixels;
    const char* text;
    std::uint32_t fore;
    std::uint32_t back;
    int fontPixels;
    bool bold;
};

TEST_F(BeginTest, LayoutMatchesTheTableInPixels) {
    FormWindow* w = begin().window();
    EXPECT_EQ(w->size(), QSize(425, 82));
    EXPECT_EQ(w->windowTitle(), QString(53, QLatin1Char(' ')) + QStringLiteral("Введите своё имя"));
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(Qt::black));
    const Expected rows[] = {
        {"Label1", {8, 8, 193, 17}, "Накапай сюда своё имя >>>", 0xFFFFFF, 0x000000, 11, true},
        {"Label3", {72, 24, 110, 14}, "Не более 20 символов!", 0x8080FF, 0x000000, 11, false},
        {"Label2", {8, 48, 409, 25}, "УСЁ!", 0xFFFFFF, 0x000000, 16, true},
    };
    for (const Expected& r : rows) {
        SCOPED_TRACE(r.name);
        Label* l = ctl(begin(), r.name);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->geometry(), r.pixels);
        EXPECT_EQ(l->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(l->foreColor(), r.fore);
        EXPECT_EQ(l->backColor(), r.back);
        EXPECT_EQ(l->font().pixelSize(), r.fontPixels);
        EXPECT_EQ(l->font().bold(), r.bold);
        EXPECT_EQ(l->borderStyle(), 0);
        EXPECT_EQ(l->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(confirm->align(), Align::Center);
    EXPECT_EQ(field->geometry(), QRect(184, 8, 153, 19));
    EXPECT_EQ(field->maxLength(), 20);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(w->focusWidget(), field);
}

TEST_F(BeginTest, BlankNamesAreRefusedWithTheMessageAndNoSound) {
    for (const QString& name : {QString(), QString(1, QLatin1Char(' ')),
                                QString(18, QLatin1Char(' ')), QString(20, QLatin1Char(' '))}) {
        SCOPED_TRACE(name.size());
        enterName(name);
        boxes.clear();
        click(confirm);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(
            boxes[0].text,
            QStringLiteral("Ты случайно не ослеп(-ла)(-ло)? Там же ясно написано:'Введи имя'"));
        EXPECT_EQ(boxes[0].title, QStringLiteral("Не понял?..."));
        EXPECT_EQ(boxes[0].icon, MsgIcon::None);
        EXPECT_TRUE(sounds.empty());
        EXPECT_TRUE(begin().isLoaded());
        EXPECT_EQ(field->text(), name);
        EXPECT_EQ(begin().window()->focusWidget(), field);
        EXPECT_FALSE(vantaro().isLoaded());
        EXPECT_TRUE(gameState().PlayerName.isEmpty());
        EXPECT_EQ(confirm->geometry(), QRect(8, 48, 409, 25));
    }
}

TEST_F(BeginTest, AfterTheBlankNameMessageTheFieldHasTheFocusAndTakesTheNextLetters) {
    enterName(QStringLiteral(" "));
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_EQ(begin().window()->focusWidget(), confirm);
    QTest::keyClick(confirm, Qt::Key_Space);
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(begin().window()->focusWidget(), field);
    EXPECT_FALSE(field->hasSelectedText()) << "a letter must not replace what was typed";
    typeText(begin().window()->focusWidget(), QStringLiteral("Петя"));
    EXPECT_EQ(field->text(), QStringLiteral(" Петя"));
}

struct StartCase {
    const char* id;
    const char* name;
    int money;
    int sitost;
    std::uint32_t nameColor;
};

class BeginStart : public BeginTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(BeginStart, HandOverAgreesWithTheStatusPanel) {
    const StartCase c = GetParam();
    const QString name = QString::fromUtf8(c.name);
    enterName(name);
    click(confirm);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(begin().isLoaded());
    ASSERT_TRUE(vantaro().isLoaded());
    EXPECT_TRUE(vantaro().window()->isVisible());
    const GameState& s = gameState();
    EXPECT_EQ(s.PlayerName, name);
    EXPECT_EQ(s.Money.value(), c.money);
    EXPECT_EQ(s.Sitost.value(), c.sitost);
    EXPECT_EQ(ctl(vantaro(), "lblName")->text(), name);
    EXPECT_EQ(ctl(vantaro(), "lblName")->foreColor(), c.nameColor);
    EXPECT_EQ(ctl(vantaro(), "lblMoney")->text(), QString::number(c.money));
    EXPECT_EQ(ctl(vantaro(), "lblSitost")->text(), QString::number(c.sitost));
    // One click, after the start screen has gone.
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\Click1.wav"));
    EXPECT_FALSE(sounds[0].beginLoaded);
}

// Only the space counts as blank: other white space alone is a name like any other.
INSTANTIATE_TEST_SUITE_P(
    Names, BeginStart,
    ::testing::Values(StartCase{"Special1", "Вилт", 2500, 200, 0x0000FF},
                      StartCase{"Special2", "Бранок", 2500, 200, 0x0000FF},
                      StartCase{"Special3", "Ксут", 2500, 200, 0x0000FF},
                      StartCase{"SpecialInLowerCase", "вилт", 250, 10, 0xFFFFFF},
                      StartCase{"SpecialWithTrailingSpace", "Ксут ", 250, 10, 0xFFFFFF},
                      StartCase{"LeadingSpace", " Петя", 250, 10, 0xFFFFFF},
                      StartCase{"SpacesAroundAndInside", "  Вася  Пупкин  ", 250, 10, 0xFFFFFF},
                      StartCase{"LeadingTab", "\tТаб", 250, 10, 0xFFFFFF},
                      StartCase{"TwentyCharacters", "12345678901234567890", 250, 10, 0xFFFFFF},
                      StartCase{"TabsOnly", "\t\t", 250, 10, 0xFFFFFF},
                      StartCase{"NoBreakSpacesOnly", "\u00A0\u00A0", 250, 10, 0xFFFFFF},
                      StartCase{"OtherWhiteSpaceOnly", " \u2003\u3000 ", 250, 10, 0xFFFFFF}),
    [](const auto& p) { return std::string(p.param.id); });

TEST_F(BeginTest, EveryKeystrokeClicksAndTheFieldStopsAtTwenty) {
    typeText(field, QStringLiteral("Абвгдеёжзийклмнопрст"));
    EXPECT_EQ(field->text().size(), 20);
    EXPECT_EQ(sounds.size(), 20u);
    typeText(field, QStringLiteral("у"));
    EXPECT_EQ(field->text(), QStringLiteral("Абвгдеёжзийклмнопрст"));
    EXPECT_EQ(sounds.size(), 20u) << "a refused character changes nothing";
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text().size(), 19);
    ASSERT_EQ(sounds.size(), 21u);
    for (const auto& s : sounds) {
        EXPECT_EQ(s.file, QStringLiteral("Sound\\Click1.wav"));
    }
}

TEST_F(BeginTest, ConfirmLabelLooksPressedForAnyButtonAndActsOnReleaseAnywhere) {
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(b);
        QTest::mousePress(confirm, b, {}, QPoint(5, 5));
        EXPECT_EQ(confirm->borderStyle(), 1);
        EXPECT_EQ(confirm->geometry().topLeft(), QPoint(10, 43));
        EXPECT_EQ(twips::geometry(confirm).top, 43 * 15);
        QTest::mouseRelease(confirm, b, {}, QPoint(5, 5));
        EXPECT_EQ(confirm->borderStyle(), 0);
        EXPECT_EQ(confirm->geometry().topLeft(), QPoint(8, 48));
        EXPECT_EQ(boxes.size(), 1u) << "a blank name is refused on release";
        boxes.clear();
    }
    enterName(QStringLiteral("Петя"));
    pressRelease(confirm, Qt::RightButton, QPoint(-100, 300));
    EXPECT_FALSE(begin().isLoaded());
    EXPECT_TRUE(vantaro().isLoaded());
    EXPECT_EQ(gameState().PlayerName, QStringLiteral("Петя"));
}

TEST_F(BeginTest, EscEndsTheProgramWithNothingStored) {
    enterName(QStringLiteral("Вилт"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(begin().isLoaded());
    EXPECT_FALSE(vantaro().isLoaded());
    EXPECT_TRUE(gameState().PlayerName.isEmpty());
    EXPECT_EQ(gameState().Money.value(), 0);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(BeginTest, OtherKeysDoNothingButType) {
    QTest::keyClick(field, Qt::Key_F1);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(programEnded());
    EXPECT_TRUE(begin().isLoaded());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(vantaro().isLoaded());
}

TEST_F(BeginTest, ClosingTheWindowWithAnOrdinaryNameStoresItAndEndsTheGame) {
    enterName(QStringLiteral("Петя"));
    begin().window()->close();
    EXPECT_FALSE(begin().isLoaded());
    EXPECT_EQ(gameState().PlayerName, QStringLiteral("Петя"));
    EXPECT_EQ(gameState().Money.value(), 250);
    EXPECT_FALSE(vantaro().isLoaded());
    EXPECT_TRUE(programEnded());
    EXPECT_TRUE(sounds.empty());
}

TEST_F(BeginTest, ClosingTheWindowWithABlankNameEndsTheGameWithoutAMessage) {
    enterName(QStringLiteral("   "));
    begin().window()->close();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(programEnded());
    EXPECT_EQ(gameState().PlayerName, QStringLiteral("   "));
}

TEST_F(BeginTest, ClosingTheWindowWithASpecialNameBringsUpTheMainScreenSilently) {
    enterName(QStringLiteral("Бранок"));
    begin().window()->close();
    EXPECT_FALSE(programEnded());
    ASSERT_TRUE(vantaro().isLoaded());
    EXPECT_TRUE(vantaro().window()->isVisible());
    EXPECT_EQ(gameState().Money.value(), 2500);
    EXPECT_EQ(ctl(vantaro(), "lblName")->foreColor(), 0x0000FFu);
    EXPECT_EQ(ctl(vantaro(), "lblMoney")->text(), QStringLiteral("2500"));
    EXPECT_TRUE(sounds.empty());
}

TEST_F(BeginTest, MarkupInANameIsShownAsTyped) {
    enterName(QStringLiteral("<b>Вилт</b>"));
    click(confirm);
    Label* name = ctl(vantaro(), "lblName");
    EXPECT_EQ(name->text(), QStringLiteral("<b>Вилт</b>"));
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    EXPECT_EQ(gameState().Money.value(), 250);
}

} // namespace
