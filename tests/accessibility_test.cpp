#include "forms/home/home.h"
#include "forms/shop/shop.h"
#include "game_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>

namespace {

class KeyboardAndReaders : public GameTest {
protected:
    static void key(QWidget* w, Qt::Key k) {
        QTest::keyPress(w, k);
        QTest::keyRelease(w, k);
    }
    static QAccessibleInterface* reader(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w);
    }
};

TEST_F(KeyboardAndReaders, TheNameFieldComesFirstAndTabReachesTheConfirmLabel) {
    begin().show();
    auto* field = ctl<QLineEdit>(begin(), "Text1");
    Label* confirm = ctl(begin(), "Label2");
    EXPECT_EQ(begin().window()->focusWidget(), field);
    QWidget* next = field->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) {
        next = next->nextInFocusChain();
    }
    EXPECT_EQ(next, confirm);
    EXPECT_EQ(confirm->focusPolicy(), Qt::StrongFocus);
    for (const char* plain : {"Label1", "Label3"}) {
        EXPECT_EQ(ctl(begin(), plain)->focusPolicy(), Qt::NoFocus) << plain;
    }
}

TEST_F(KeyboardAndReaders, EnterAndSpaceOnTheConfirmLabelDoWhatTheMouseDoes) {
    begin().show();
    Label* confirm = ctl(begin(), "Label2");
    QTest::keyPress(confirm, Qt::Key_Space);
    EXPECT_EQ(confirm->borderStyle(), 1);
    EXPECT_EQ(confirm->geometry().topLeft(), QPoint(10, 43));
    QTest::keyRelease(confirm, Qt::Key_Space);
    EXPECT_EQ(confirm->borderStyle(), 0);
    EXPECT_EQ(confirm->geometry().topLeft(), QPoint(8, 48));
    EXPECT_EQ(boxes.size(), 1u) << "a blank name is refused, as with the mouse";
    ctl<QLineEdit>(begin(), "Text1")->setText(QStringLiteral("Петя"));
    sounds.clear();
    key(confirm, Qt::Key_Return);
    EXPECT_FALSE(begin().isLoaded());
    EXPECT_TRUE(vantaro().isLoaded());
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].file, QStringLiteral("Sound\\Click1.wav"));
}

TEST_F(KeyboardAndReaders, ALoneKeyReleaseDoesNotPressTheLabel) {
    begin().show();
    Label* confirm = ctl(begin(), "Label2");
    // The Enter that closed the blank-name message ends on the label that has the focus.
    QTest::keyRelease(confirm, Qt::Key_Return);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(confirm->borderStyle(), 0);
}

TEST_F(KeyboardAndReaders, OpenersAndBackLabelsWorkFromTheKeyboard) {
    gameState().PlayerName = QStringLiteral("Петя");
    vantaro().show();
    key(ctl(vantaro(), "cmdHome"), Qt::Key_Space);
    ASSERT_TRUE(home().isLoaded());
    EXPECT_EQ(sounds.size(), 1u);
    Label* back = ctl(home(), "cmd");
    EXPECT_EQ(back->focusPolicy(), Qt::StrongFocus);
    key(back, Qt::Key_Enter);
    EXPECT_FALSE(home().isLoaded());
    EXPECT_EQ(sounds.size(), 2u) << "the flat's back label clicks";
    // Other keys leave a button-like label alone.
    key(ctl(vantaro(), "lblShop"), Qt::Key_A);
    EXPECT_FALSE(shop().isLoaded());
}

TEST_F(KeyboardAndReaders, ScreenReadersSeeButtonsWithAPressActionAndLabelsWithTheirText) {
    gameState().PlayerName = QStringLiteral("Петя");
    vantaro().show();
    for (const char* opener : {"lblShop", "cmdWork", "cmdHome", "cmdKorabl", "cmdSchool"}) {
        QAccessibleInterface* a = reader(ctl(vantaro(), opener));
        ASSERT_NE(a, nullptr) << opener;
        EXPECT_EQ(a->role(), QAccessible::Button) << opener;
        EXPECT_EQ(a->text(QAccessible::Name), ctl(vantaro(), opener)->text());
        ASSERT_NE(a->actionInterface(), nullptr);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    QAccessibleInterface* money = reader(ctl(vantaro(), "lblMoney"));
    EXPECT_EQ(money->role(), QAccessible::StaticText);
    EXPECT_EQ(money->text(QAccessible::Name), QStringLiteral("250"));
    EXPECT_EQ(reader(ctl(vantaro(), "lblName"))->text(QAccessible::Name), QStringLiteral("Петя"));

    reader(ctl(vantaro(), "lblShop"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(shop().isLoaded());
    EXPECT_EQ(sounds.size(), 1u);
    QAccessibleInterface* back = reader(ctl(shop(), "lblNazad"));
    EXPECT_EQ(back->role(), QAccessible::Button);
    back->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(shop().isLoaded());
}

} // namespace
