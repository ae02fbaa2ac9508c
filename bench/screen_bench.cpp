// The main screen on a real X server: its CPU use with every timer running, beside a bare Qt
// window that repaints a box of the picture's size every 10 ms, and the drift of the game
// clock over two real minutes. Run it under Xvfb (bench/run.sh does).
#include "forms/children/children.h"
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "ui/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for `ms` and returns the CPU seconds it took.
double runFor(int ms) {
    const double before = cpuSeconds();
    QTimer::singleShot(ms, qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    return cpuSeconds() - before;
}

class Box : public QWidget {
public:
    Box() {
        resize(727, 482);
        QTimer* t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this] {
            ++frame_;
            update(568, 160, 153, 153);
        });
        t->start(10);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(568, 160, 153, 153, (frame_ % 2) != 0 ? Qt::black : Qt::darkBlue);
    }

private:
    int frame_ = 0;
};

void startGameWithEveryTimer() {
    setSoundObserver([](const QString&) {}); // no audio device here; keep the count honest
    GameState& s = gameState();
    s.PlayerName = QStringLiteral("Петя");
    vantaro().show();
    s.Sitost = -40; // starving: the warning slides
    vantaro().tmrTime_Timer();
    children().show();
    for (const char* course : {"cmdSchool", "cmdVozd", "cmdTehn"}) {
        children().control<QPushButton>(course)->click();
    }
    children().unload();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int driftSeconds = argc > 2 ? std::atoi(argv[2]) : 120;

    double bare = 0;
    {
        Box box;
        box.show();
        runFor(1000); // settle
        bare = runFor(seconds * 1000);
    }
    startGameWithEveryTimer();
    runFor(1000);
    const double game = runFor(seconds * 1000);
    std::printf("CPU over %d s: bare window %.3f s (%.1f%% of a core), main screen %.3f s "
                "(%.1f%% of a core); ratio %.2f (goal <= 1.5)\n",
                seconds, bare, 100 * bare / seconds, game, 100 * game / seconds, game / bare);

    if (driftSeconds > 0) {
        int ticks = 0;
        QObject::connect(vantaro().timer("tmrTime"), &QTimer::timeout, [&ticks] { ++ticks; });
        QElapsedTimer clock;
        clock.start();
        runFor(driftSeconds * 1000);
        std::printf("game clock over %.1f real s: %d ticks (goal %d +- 1)\n",
                    static_cast<double>(clock.elapsed()) / 1000, ticks, driftSeconds);
    }
    discardAllForms();
    return 0;
}
