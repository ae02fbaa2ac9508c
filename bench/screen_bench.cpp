// The main screen on a real X server. Run it under Xvfb (bench/run.sh does).
//
//   screen_bench [CPU seconds] [drift seconds]
//     its CPU use, idle and with the hunger warning sliding, beside a bare Qt window that draws
//     the turning ship every 10 ms, each in processes of their own taking turns five seconds at
//     a time; then, every timer running, the drift of the game clock over two real minutes and
//     whether its memory stays flat meanwhile.
//   screen_bench memory
//     a fresh process going from the start screen to the main screen as a player does: the
//     memory each step holds.
#include "goals.h"

#include "forms/begin/begin.h"
#include "forms/children/children.h"
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "ui/form.h"
#include "ui/look.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

// Outside any namespace, as Q_INIT_RESOURCE must be.
static void initGameResources() {
    Q_INIT_RESOURCE(vantaro);
}

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The resident memory of this process in KiB, as /proc reports it.
long rssKib() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

double mib(long kib) {
    return static_cast<double>(kib) / 1024;
}

// Runs the event loop for `ms` and returns the CPU seconds it took.
double runFor(int ms) {
    const double before = cpuSeconds();
    QTimer::singleShot(ms, qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    return cpuSeconds() - before;
}

// The least a Qt program does to show the same animation: one window that draws the ship,
// squeezed and mirrored as it turns, straight onto itself every 10 ms.
class Box : public QWidget {
public:
    Box() : ship_(QStringLiteral(":/ship.bmp")), back_(ship_.mirrored(true, false)) {
        resize(727, 482);
        QTimer* t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this] {
            angle_ = std::fmod(angle_ + 0.01, 1.0);
            update(Inside);
        });
        t->start(10);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const double c = std::cos(angle_ * 6.28);
        const int w = std::max(1, static_cast<int>(std::lround(Inside.width() * std::abs(c))));
        const QRect ship(Inside.x() + (Inside.width() - w) / 2, Inside.y(), w, Inside.height());
        p.fillRect(Inside, Qt::black);
        p.drawImage(ship, c < 0 ? back_ : ship_);
    }

private:
    static constexpr QRect Inside{570, 162, 149, 149};
    QImage ship_;
    QImage back_;
    double angle_ = 0;
};

// The main screen with the courses running; when `starving`, the hunger warning slides too.
void startGame(bool starving) {
    setSoundObserver([](const QString&) {}); // no audio device here; keep the count honest
    GameState& s = gameState();
    s.PlayerName = QStringLiteral("Петя");
    vantaro().show();
    if (starving) {
        s.Sitost = -40;
    }
    vantaro().tmrTime_Timer();
    children().show();
    for (const char* course : {"cmdSchool", "cmdVozd", "cmdTehn"}) {
        children().control<QPushButton>(course)->click();
    }
    children().unload();
}

// The start screen, the name typed (its first sound loads the sound module), the main screen.
int measureMemory() {
    begin().show();
    runFor(1500);
    const long start = rssKib();
    begin().control<QLineEdit>("Text1")->setText(QStringLiteral("Петя"));
    runFor(1500);
    const long typed = rssKib();
    begin().Label2_MouseUp();
    runFor(3000);
    const long main = rssKib();
    std::printf("memory (RSS): start screen %.1f MiB; once a name is typed %.1f MiB (its first "
                "sound loaded the sound module: %+.1f MiB); main screen %.1f MiB (%+.1f MiB over "
                "the start screen as first shown)\n",
                mib(start), mib(typed), mib(typed - start), mib(main), mib(main - start));
    // The first keystroke's click loads the sound module and connects to the sound server.
    constexpr double FirstSoundMib = 2.5;
    constexpr double MainMib = 5;
    printGoal("memory of the first sound (RSS)", "the start screen as first shown",
              format("%+.1f MiB", mib(typed - start)), format("<= %+.1f MiB", FirstSoundMib),
              mib(typed - start) <= FirstSoundMib);
    printGoal("memory of the main screen (RSS)", "the start screen as first shown",
              format("%+.1f MiB", mib(main - start)), format("<= %+.0f MiB", MainMib),
              mib(main - start) <= MainMib);
    discardAllForms();
    return 0;
}

// What takes turns in the CPU comparison.
enum class Slice { Bare, Idle, Starving };

// One turn of the CPU comparison, in a process of its own: the CPU seconds it takes over `ms`,
// once settled.
int cpuSlice(Slice what, int ms) {
    initGameResources(); // the ship, for the bare window too
    std::unique_ptr<Box> box;
    if (what == Slice::Bare) {
        box = std::make_unique<Box>();
        box->show();
    } else {
        startGame(what == Slice::Starving);
    }
    runFor(1000); // settle
    std::printf("%.6f\n", runFor(ms));
    discardAllForms();
    return 0;
}

double cpuOfSlice(Slice what, int ms) {
    const QString command = QStringLiteral("'%1' slice %2 %3")
                                .arg(QCoreApplication::applicationFilePath())
                                .arg(static_cast<int>(what))
                                .arg(ms);
    FILE* out = popen(command.toLocal8Bit().constData(), "r");
    double cpu = 0;
    if (out == nullptr || std::fscanf(out, "%lf", &cpu) != 1) {
        cpu = std::nan("");
    }
    if (out != nullptr) {
        pclose(out);
    }
    return cpu;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    useClassicLook();
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc > 1 && std::string_view(argv[1]) == "memory") {
        return measureMemory();
    }
    if (argc > 3 && std::string_view(argv[1]) == "slice") {
        return cpuSlice(static_cast<Slice>(std::atoi(argv[2])), std::atoi(argv[3]));
    }
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int driftSeconds = argc > 2 ? std::atoi(argv[2]) : 120;

    // Turns of five seconds, each round starting with the next one, so that the machine's ups
    // and downs hit all alike.
    constexpr int SliceSeconds = 5;
    const int turns = std::max(1, seconds / SliceSeconds);
    std::array<double, 3> cpu{};
    for (int turn = 0; turn < turns; ++turn) {
        for (int i = 0; i < 3; ++i) {
            const int k = (i + turn) % 3;
            cpu.at(k) += cpuOfSlice(static_cast<Slice>(k), SliceSeconds * 1000);
        }
    }
    const double bare = cpu[0];
    const double idle = cpu[1];
    const double starving = cpu[2];
    const int measured = turns * SliceSeconds;
    const auto share = [measured](double s) { return 100 * s / measured; };
    std::printf("CPU over %d s each, in turns of %d s: bare window %.3f s (%.1f%% of a core), "
                "main screen %.3f s (%.1f%%), main screen with the hunger warning sliding %.3f s "
                "(%.1f%%)\n",
                measured, SliceSeconds, bare, share(bare), idle, share(idle), starving,
                share(starving));

    startGame(true); // every timer running
    runFor(1000);
    const long rssBefore = rssKib();
    QElapsedTimer held;
    held.start();
    int ticks = 0;
    double driftReal = 0;
    if (driftSeconds > 0) {
        QObject::connect(vantaro().timer("tmrTime"), &QTimer::timeout, [&ticks] { ++ticks; });
        QElapsedTimer clock;
        clock.start();
        runFor(driftSeconds * 1000);
        driftReal = static_cast<double>(clock.elapsed()) / 1000;
    }
    const long rssAfter = rssKib();

    constexpr double CpuGoal = 1.1;
    printGoal("idle CPU of the main screen (clock, courses and ship running)",
              "a bare window drawing the turning ship every 10 ms", format("%.2f", idle / bare),
              format("<= %.1f", CpuGoal), idle / bare <= CpuGoal);
    // No goal: the bare window has no warning to slide.
    std::printf("CPU of the main screen with the hunger warning sliding too, against the same: "
                "%.2f\n",
                starving / bare);
    if (driftSeconds > 0) {
        printGoal("game clock", format("%.1f real seconds", driftReal), format("%d ticks", ticks),
                  format("%d +- 1", driftSeconds), std::abs(ticks - driftSeconds) <= 1);
    }
    // A little slack for the allocator; a leak of the timers grows well beyond it.
    constexpr long FlatKib = 256;
    printGoal("memory of the main screen (RSS) over " +
                  format("%.0f s", static_cast<double>(held.elapsed()) / 1000),
              format("its %.1f MiB at the start", mib(rssBefore)),
              format("%+ld KiB", rssAfter - rssBefore), format("flat, <= %+ld KiB", FlatKib),
              rssAfter - rssBefore <= FlatKib);
    discardAllForms();
    return 0;
}
