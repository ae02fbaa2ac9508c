#include "forms/car/car.h"
#include "forms/children/children.h"
#include "forms/home/home.h"
#include "forms/main/vantaro_layout.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"
#include "game_fixture.h"
#include "ui/colors.h"
#include "ui/frame.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QSignalSpy>

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
    // Dots of the focus ring as drawn: the label's colour on its left and right edges, where a
    // centred caption never reaches.
    static int ringPixels(Label* l) {
        const QImage img = l->grab().toImage();
        const QRgb fore = vbColor(l->foreColor()).rgb();
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            n += int(img.pixel(0, y) == fore) + int(img.pixel(img.width() - 1, y) == fore);
        }
        return n;
    }
};

TEST_F(KeyboardAndReaders, TheFocusRingShowsOnlyWhileTheKeyboardMovesTheFocus) {
    begin().show();
    QWidget* w = begin().window();
    auto* field = ctl<QLineEdit>(begin(), "Text1");
    Label* confirm = ctl(begin(), "Label2");
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::mousePress(confirm, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w->focusWidget(), field) << "a mouse press leaves the focus where it was";
    QTest::mouseRelease(confirm, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ringPixels(confirm), 0);
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_EQ(w->focusWidget(), confirm);
    EXPECT_TRUE(confirm->showsFocusRing());
    EXPECT_GT(ringPixels(confirm), 0);
    // Mouse use hides it, though the label keeps the focus.
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(400, 30));
    EXPECT_EQ(w->focusWidget(), confirm);
    EXPECT_EQ(ringPixels(confirm), 0);
    QTest::keyClick(confirm, Qt::Key_Backtab);
    EXPECT_EQ(w->focusWidget(), field);
    QTest::keyClick(field, Qt::Key_Backtab);
    EXPECT_EQ(w->focusWidget(), confirm);
    EXPECT_GT(ringPixels(confirm), 0) << "Shift+Tab shows it too";

    // The main screen opens after a mouse press: whatever label has the focus shows no ring.
    field->setText(QStringLiteral("Петя"));
    click(confirm);
    ASSERT_TRUE(vantaro().isLoaded());
    ASSERT_TRUE(QTest::qWaitForWindowActive(vantaro().window()));
    EXPECT_NE(qobject_cast<Label*>(QApplication::focusWidget()), nullptr)
        << "the first opener has the focus, as the window came forward";
    for (const char* opener : {"lblShop", "cmdWork", "cmdHome", "cmdKorabl", "cmdSchool"}) {
        EXPECT_EQ(ringPixels(ctl(vantaro(), opener)), 0) << opener;
    }
}

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
    EXPECT_EQ(confirm->focusPolicy(), Qt::TabFocus) << "the keyboard's, never the mouse's";
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
    EXPECT_EQ(back->focusPolicy(), Qt::TabFocus);
    key(back, Qt::Key_Enter);
    EXPECT_FALSE(home().isLoaded());
    EXPECT_EQ(sounds.size(), 2u) << "the flat's back label clicks";
    // Other keys leave a button-like label alone.
    key(ctl(vantaro(), "lblShop"), Qt::Key_A);
    EXPECT_FALSE(shop().isLoaded());
}

TEST_F(KeyboardAndReaders, OnEveryFreshScreenTabReachesAndEnterPressesEveryControl) {
    gameState().PlayerName = QStringLiteral("Петя");
    vantaro().show();
    for (Form* f :
         std::initializer_list<Form*>{&vantaro(), &shop(), &work(), &home(), &car(), &children()}) {
        SCOPED_TRACE(f->name().toStdString());
        f->show();
        QWidget* w = f->window();
        QSet<QWidget*> wanted;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if ((c->focusPolicy() & Qt::TabFocus) != 0 && c->isVisibleTo(w) && c->isEnabled() &&
                !f->window()->isCovered(c)) {
                wanted.insert(c);
            }
        }
        EXPECT_FALSE(wanted.isEmpty());
        // Pressing may unlock more buttons: Tab goes on until it has met every one wanted.
        QWidget* back = nullptr;
        for (int i = 0; i < 40 && !wanted.isEmpty(); ++i) {
            QWidget* at = w->focusWidget();
            QTest::keyClick(at != nullptr ? at : w, Qt::Key_Tab);
            at = w->focusWidget();
            // Return and keypad Enter by turns, as a click; the back label is left for the end.
            if (f != &vantaro() && qobject_cast<Label*>(at) != nullptr) {
                back = at;
            }
            if (wanted.remove(at) && at != back) {
                QSignalSpy pressed(at, at->metaObject()->indexOfSignal("Click()") >= 0
                                           ? SIGNAL(Click())
                                           : SIGNAL(clicked()));
                const Qt::Key k = i % 2 != 0 ? Qt::Key_Enter : Qt::Key_Return;
                const auto mod = i % 2 != 0 ? Qt::KeypadModifier : Qt::NoModifier;
                // Held long enough to repeat once, which presses nothing more.
                QKeyEvent press(QEvent::KeyPress, k, mod), release(QEvent::KeyRelease, k, mod),
                    repeatUp(QEvent::KeyRelease, k, mod, {}, true),
                    repeatDown(QEvent::KeyPress, k, mod, {}, true);
                for (QKeyEvent* e : {&press, &repeatUp, &repeatDown, &release}) {
                    QCoreApplication::sendEvent(at, e);
                }
                EXPECT_EQ(pressed.count(), 1) << at->objectName().toStdString();
            }
        }
        for (QWidget* c : wanted) {
            ADD_FAILURE() << "Tab never reaches " << c->objectName().toStdString();
        }
        if (f == &vantaro()) { // the About panel opens only by a click: the keyboard opened it
            EXPECT_EQ(twips::height(f->control<Frame>("fr")), vantaro_layout::AboutOpenHeight);
        }
        if (back != nullptr) {
            QTest::keyClick(back, Qt::Key_Return);
            EXPECT_FALSE(f->isLoaded());
        }
    }
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
