#pragma once

#include "forms/begin/begin.h"
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "support/reset.h"
#include "ui/controls.h"
#include "ui/msgbox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Every case starts from a fresh process as far as the game can tell: no windows, a zeroed
// state, and sounds and message boxes recorded instead of played and shown.
class GameTest : public ::testing::Test {
protected:
    struct Played {
        QString file;
        bool beginLoaded;
    };

    void SetUp() override {
        reset();
        setSoundObserver([this](const QString& f) { sounds.push_back({f, begin().isLoaded()}); });
        setMsgBoxObserver([this](const MsgBoxCall& c) { boxes.push_back(c); });
    }
    void TearDown() override {
        setSoundObserver({});
        setMsgBoxObserver({});
        reset();
    }

    static void reset() { resetGame(); }
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class T = Label> static T* ctl(Form& form, const char* name) {
        if (!form.isLoaded()) {
            ADD_FAILURE() << "form " << form.name().toStdString() << " is not loaded";
            return nullptr;
        }
        T* w = form.window()->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr) {
            ADD_FAILURE() << "no control " << name;
        }
        return w;
    }

    // Press and release like a player, the release possibly elsewhere.
    static void pressRelease(QWidget* w, Qt::MouseButton b = Qt::LeftButton,
                             QPoint releaseAt = QPoint(5, 5)) {
        QTest::mousePress(w, b, {}, QPoint(5, 5));
        QTest::mouseRelease(w, b, {}, releaseAt);
    }
    static void click(QWidget* w) { pressRelease(w); }

    // The pointer passing over a widget, no button held.
    static void moveOver(QWidget* w) {
        QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    // The pointer coming to rest over a widget as the window system reports it: the window
    // itself decides which control gets the move, as it does for a player's mouse.
    static void pointAt(QWidget* w) {
        QWidget* top = w->window();
        QTest::mouseMove(top->windowHandle(), w->mapTo(top, QPoint(3, 3)));
    }

    // Time passes only when a case says so: the main screen's timers stand still and their
    // handlers are called instead.
    static void stopTimers() {
        for (QTimer* t : vantaro().window()->findChildren<QTimer*>()) {
            t->stop();
        }
    }
    // A game hour: the clock and every course timer that runs.
    static void passHour() {
        Vantaro& v = vantaro();
        v.tmrTime_Timer();
        const std::pair<const char*, void (Vantaro::*)()> courses[] = {
            {"tmrSchool", &Vantaro::tmrSchool_Timer},
            {"tmrTeh", &Vantaro::tmrTeh_Timer},
            {"tmrCar", &Vantaro::tmrCar_Timer}};
        for (const auto& [timer, handler] : courses) {
            if (v.timer(timer)->isActive()) {
                (v.*handler)();
            }
        }
    }

    // Types any text key by key (the test library only knows Latin letters by key code).
    static void typeText(QWidget* w, const QString& text) {
        for (const QChar ch : text) {
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }

    std::vector<Played> sounds;
    std::vector<MsgBoxCall> boxes;
};
