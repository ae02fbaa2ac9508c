#include "support/random_player.h"

#include "support/reset.h"

#include "app/screens.h"
#include "forms/begin/begin.h"
#include "forms/car/car_layout.h"
#include "forms/home/home_layout.h"
#include "forms/main/vantaro.h"
#include "forms/main/vantaro_layout.h"
#include "forms/work/work.h"
#include "state/courses.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/msgbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <array>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::vector<Form*> allForms() {
    std::vector<Form*> forms{&begin(), &vantaro()};
    for (const Opener& o : screenOpeners()) {
        forms.push_back(&o.screen());
    }
    return forms;
}

// Events go straight to their widgets, without an event loop, so no real timer can fire in
// between and a seed always plays the same game.
void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPointF at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Delivers what the event loop would between two events (repaints, deletions), but runs no
// timer.
void flushPosted() {
    QCoreApplication::sendPostedEvents();
    // Deletions wait for an explicit request when no event loop runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The main screen's labels, looked up once per main window rather than on every check.
QString label(const char* name) {
    static QPointer<FormWindow> window;
    static std::map<std::string, QPointer<Label>> labels;
    if (window != vantaro().window()) {
        window = vantaro().window();
        labels.clear();
    }
    QPointer<Label>& l = labels[name];
    if (l.isNull()) {
        l = window->findChild<Label*>(QString::fromLatin1(name));
    }
    return l->text();
}

// The main screen's label for a ladder's level.
template <std::size_t N>
const char* mainLabel(const std::array<vantaro_layout::LevelLabel, N>& labels,
                      Int16 GameState::*level) {
    for (const auto& l : labels) {
        if (l.level == level) {
            return l.label;
        }
    }
    return "(no label)";
}

} // namespace

RandomPlayer::RandomPlayer(std::uint32_t seed) : rng_(seed) {
    setSoundObserver([](const QString&) {});
    setMsgBoxObserver([](const MsgBoxCall&) {});
    resetGame();
    newGame();
}

RandomPlayer::~RandomPlayer() {
    setSoundObserver({});
    setMsgBoxObserver({});
    resetGame();
}

void RandomPlayer::resetGame() {
    ::resetGame();
}

void RandomPlayer::newGame() {
    resetGame();
    ++games_;
    begin().show();
}

void RandomPlayer::step() {
    if (programEnded()) {
        newGame();
        last_ = "new game";
        return;
    }
    switch (pick(10)) {
    case 0:
    case 1:
    case 2:
        click();
        break;
    case 3:
    case 4:
        moveMouse();
        break;
    case 5:
        pressKey();
        break;
    case 6:
    case 7:
    case 8:
        tick();
        break;
    default:
        openOrClose();
        break;
    }
    flushPosted();
}

void RandomPlayer::click() {
    std::vector<QWidget*> targets;
    for (Form* f : allForms()) {
        if (f->isLoaded() && f->window()->isVisible()) {
            for (QWidget* w : f->window()->findChildren<QWidget*>()) {
                if (w->isVisible() && w->isEnabled() &&
                    (qobject_cast<Label*>(w) != nullptr || qobject_cast<Frame*>(w) != nullptr ||
                     qobject_cast<CommandButton*>(w) != nullptr)) {
                    targets.push_back(w);
                }
            }
        }
    }
    if (targets.empty()) {
        last_ = "click: nothing to click";
        return;
    }
    QWidget* w = targets[static_cast<std::size_t>(pick(static_cast<int>(targets.size())))];
    const std::array buttons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton b = buttons[static_cast<std::size_t>(pick(3))];
    // Now and then the pointer leaves the control before the release.
    const QPointF release = pick(4) == 0 ? QPointF(-40, 900) : QPointF(2, 2);
    last_ = "click " + w->objectName().toStdString() + " with " + std::to_string(b);
    const QPointer<QWidget> alive(w);
    sendMouse(w, QEvent::MouseButtonPress, b, QPointF(2, 2));
    if (alive) {
        sendMouse(w, QEvent::MouseButtonRelease, b, release);
    }
    // A command button acts on a left click only.
    if (alive && b == Qt::LeftButton) {
        if (auto* cb = qobject_cast<CommandButton*>(w); cb != nullptr && cb->isEnabled()) {
            cb->click();
        }
    }
}

void RandomPlayer::moveMouse() {
    std::vector<QWidget*> targets;
    for (Form* f : allForms()) {
        if (f->isLoaded() && f->window()->isVisible()) {
            targets.push_back(f->window());
            for (QWidget* w : f->window()->findChildren<QWidget*>()) {
                if (w->isVisible()) {
                    targets.push_back(w);
                }
            }
        }
    }
    if (targets.empty()) {
        return;
    }
    QWidget* w = targets[static_cast<std::size_t>(pick(static_cast<int>(targets.size())))];
    last_ = "move over " + w->objectName().toStdString();
    // A disabled control gets no pointer events; the window beneath does.
    while (!w->isEnabled() && w->parentWidget() != nullptr) {
        w = w->parentWidget();
    }
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, QPointF(1, 1));
}

void RandomPlayer::pressKey() {
    std::vector<FormWindow*> windows;
    for (Form* f : allForms()) {
        if (f->isLoaded() && f->window()->isVisible()) {
            windows.push_back(f->window());
        }
    }
    if (windows.empty()) {
        return;
    }
    FormWindow* w = windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    // Esc ends the game on the start screen only; let it come rarely so games get somewhere.
    static constexpr std::array keys{Qt::Key_F1,  Qt::Key_A,         Qt::Key_Space, Qt::Key_Return,
                                     Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_F1,    Qt::Key_Z};
    const bool esc = pick(40) == 0;
    const int key = esc ? Qt::Key_Escape : keys[static_cast<std::size_t>(pick(keys.size()))];
    QWidget* target = w->focusWidget() != nullptr ? w->focusWidget() : w;
    const QString text = key == Qt::Key_A       ? QStringLiteral("Ж")
                         : key == Qt::Key_Z     ? QStringLiteral(" ")
                         : key == Qt::Key_Space ? QStringLiteral(" ")
                                                : QString();
    last_ = "key " + std::to_string(key) + " to " + target->objectName().toStdString();
    const QPointer<QWidget> alive(target);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    if (alive) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &release);
    }
}

void RandomPlayer::tick() {
    if (!vantaro().isLoaded()) {
        last_ = "tick: no clock yet";
        return;
    }
    Vantaro& v = vantaro();
    struct Timer {
        const char* name;
        void (Vantaro::*handler)();
    };
    static constexpr std::array timers{
        Timer{"tmrTime", &Vantaro::tmrTime_Timer},     Timer{"tmrll", &Vantaro::tmrll_Timer},
        Timer{"tmrSchool", &Vantaro::tmrSchool_Timer}, Timer{"tmrTeh", &Vantaro::tmrTeh_Timer},
        Timer{"tmrCar", &Vantaro::tmrCar_Timer},       Timer{"Timer1", &Vantaro::Timer1_Timer},
    };
    const Timer& t = timers[static_cast<std::size_t>(pick(timers.size()))];
    // Whole game days pass now and then, so that courses finish and hunger bites.
    const bool hours = t.handler != &Vantaro::Timer1_Timer && t.handler != &Vantaro::tmrll_Timer;
    const int times = hours && pick(8) == 0 ? 24 * (1 + pick(30)) : 1;
    last_ = std::string("tick ") + t.name + " x" + std::to_string(times);
    for (int i = 0; i < times && v.isLoaded(); ++i) {
        if (v.timer(t.name)->isActive()) {
            (v.*t.handler)();
        }
    }
}

void RandomPlayer::openOrClose() {
    const auto openers = screenOpeners();
    Form* f = &openers[static_cast<std::size_t>(pick(static_cast<int>(openers.size())))].screen();
    const int how = pick(6);
    if (how == 0 && f->isLoaded()) {
        last_ = "window system closes " + f->name().toStdString();
        f->window()->close();
    } else if (how == 1 && vantaro().isLoaded() && pick(50) == 0) {
        last_ = "window system closes the main screen";
        vantaro().window()->close();
    } else if (how == 2 && begin().isLoaded() && pick(3) == 0) {
        last_ = "start screen closed by the window system";
        begin().window()->close();
    } else if (begin().isLoaded()) {
        auto* field = begin().window()->findChild<QLineEdit*>(QStringLiteral("Text1"));
        static const std::array names{QStringLiteral("Вилт"), QStringLiteral("Петя"),
                                      QStringLiteral("  "), QStringLiteral("Ксут ")};
        field->setText(names[static_cast<std::size_t>(pick(names.size()))]);
        last_ = "types " + field->text().toStdString();
    } else if (vantaro().isLoaded()) {
        f->show();
        last_ = "opens " + f->name().toStdString();
    }
}

std::string RandomPlayer::brokenInvariant() const {
    std::ostringstream out;
    const GameState& s = gameState();
    const auto levelOk = [&](const char* name, Int16 v) {
        if (v < 0 || v > 5) {
            out << name << " level " << v.value() << "; ";
        }
    };
    for (const auto& l : vantaro_layout::EquipmentLabels) {
        levelOk(l.label, s.*l.level);
    }
    for (const auto& l : vantaro_layout::HousingLabels) {
        levelOk(l.label, s.*l.level);
    }
    for (std::size_t i = 0; i < courses::Courses.size(); ++i) {
        const auto& c = courses::Courses[i];
        const char* levelLabel = vantaro_layout::CourseClocks[i].levelLabel;
        levelOk(levelLabel, s.*c.level);
        const Int16 ticks = s.*c.ticks;
        if (ticks < 0 || ticks >= c.ticksPerLevel) {
            out << levelLabel << " ticks " << ticks.value() << "; ";
        }
    }
    for (Form* f : allForms()) {
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            windows += w->objectName() == f->name() ? 1 : 0;
        }
        if (windows > 1) {
            out << windows << " windows of " << f->name().toStdString() << "; ";
        }
    }
    if (!vantaro().isLoaded()) {
        return out.str();
    }
    const auto shows = [&](const char* name, const QString& expected) {
        const QString actual = label(name);
        if (actual != expected) {
            out << name << " shows \"" << actual.toStdString() << "\", not \""
                << expected.toStdString() << "\"; ";
        }
    };
    shows("lblMoney", s.Money.str());
    shows("lblSitost", s.Sitost.str());
    for (const auto& p : car_layout::Pieces) {
        const int level = (s.*p.level).value();
        if (level >= 0 && level <= 5) {
            shows(mainLabel(vantaro_layout::EquipmentLabels, p.level),
                  level == 0 ? QStringLiteral("Нет")
                             : fromUtf16(p.names[static_cast<std::size_t>(level - 1)]));
        }
    }
    for (std::size_t i = 0; i < courses::Courses.size(); ++i) {
        const auto& c = courses::Courses[i];
        const auto& clock = vantaro_layout::CourseClocks[i];
        const int level = (s.*c.level).value();
        if (level >= 0 && level <= 5) {
            shows(clock.levelLabel, fromUtf16(c.levels[static_cast<std::size_t>(level)]));
        }
        shows(clock.feeLabel,
              s.*c.flag == 1 ? QString::number(courses::fee(c)) : QStringLiteral("Нет"));
        const bool runs = vantaro().timer(clock.timer)->isActive();
        if (runs != (s.*c.flag == 1 && s.*c.level < 5)) {
            out << clock.timer << (runs ? " runs" : " stands") << " with flag "
                << (s.*c.flag).value() << " and level " << level << "; ";
        }
    }
    for (const auto& l : home_layout::Ladders) {
        const Int16 level = s.*l.level;
        const char* zero = l.level == &GameState::HomeRooms ? "БОМЖ" : "Нет";
        shows(mainLabel(vantaro_layout::HousingLabels, l.level),
              level == 0 ? QString::fromUtf8(zero) : level.str());
    }
    if (!work().isLoaded()) {
        shows("lblZarplata", s.Zarplata.str());
    }
    return out.str();
}
