// In-process costs of the game's hottest paths, on the offscreen platform: one frame of the
// turning ship, an hour of the clock, a sound asked for, and events of the random player.
#include "goal_reporter.h"

#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "support/random_player.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QApplication>
#include <QImage>
#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <thread>

#include <benchmark/benchmark.h>

namespace {

void BM_SpinPic(benchmark::State& state) {
    PictureBox dest;
    twips::setGeometry(&dest, {0, 0, 2295, 2295});
    dest.setBackColor(0x000000);
    PictureBox source;
    source.setPicture(readPicture(QStringLiteral(":/ship.bmp")));
    double angle = 0;
    for (auto _ : state) {
        angle += 0.01;
        if (angle > 1) {
            angle -= 1;
        }
        vantaro().SpinPic(dest, source, angle, 0, 0, 1);
        benchmark::DoNotOptimize(dest.image().constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SpinPic)->Unit(benchmark::kMicrosecond);

void BM_ClockHour(benchmark::State& state) {
    RandomPlayer::resetGame();
    gameState().PlayerName = QStringLiteral("Петя");
    gameState().InSchool = 1;
    vantaro().show();
    for (auto _ : state) {
        vantaro().tmrTime_Timer();
    }
    state.SetItemsProcessed(state.iterations());
    RandomPlayer::resetGame();
}
BENCHMARK(BM_ClockHour)->Unit(benchmark::kMicrosecond);

// What a sound costs the game's thread: finding the file and handing it to the sound module,
// which talks to the server on a thread of its own. Wall time, a wait for that thread included;
// the sounds are 2 ms apart, as a fast typist's are still further.
void BM_PlayClick(benchmark::State& state) {
    PlayClick(sound::Click); // loads the module
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const auto start = std::chrono::steady_clock::now();
        PlayClick(sound::Click);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayClick)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(500);

// A million events of random play, checking every invariant after each, as the tests do.
void BM_RandomPlay(benchmark::State& state) {
    const auto events = state.range(0);
    for (auto _ : state) {
        RandomPlayer player(20261207);
        for (int64_t i = 0; i < events; ++i) {
            player.step();
            if (!player.brokenInvariant().empty()) {
                state.SkipWithError("an invariant broke");
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * events);
}
BENCHMARK(BM_RandomPlay)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);

// The offscreen platform cannot raise a window, and random play brings screens to the front a
// hundred thousand times: that one warning would bury the figures. Everything else still shows.
QtMessageHandler previousHandler = nullptr;

void dropRaiseWarning(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg == QLatin1String("This plugin does not support raise()")) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, msg);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, msg)));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    previousHandler = qInstallMessageHandler(dropRaiseWarning);
    QApplication app(argc, argv);
    useClassicLook();
    const bool console = consoleFormat(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    GoalReporter reporter;
    if (!console) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Each hot path against the timer that drives it: a tenth of the period at most leaves the
    // rest of the game, the window system and other programs their share of a slow machine.
    std::printf("\n");
    const auto perPeriod = [&reporter](const char* name, const char* what, const char* timer,
                                       double periodUs) {
        const auto* run = reporter.find(name);
        if (run == nullptr) {
            return; // filtered out
        }
        const double us = run->GetAdjustedCPUTime(); // in the benchmark's unit, microseconds
        printGoal(what, timer, format("%.1f us, %.2f%% of its period", us, 100 * us / periodUs),
                  "<= 10%", us <= periodUs / 10);
    };
    perPeriod("BM_SpinPic", "a frame of the turning ship (CPU)", "its 10 ms timer", 10'000);
    perPeriod("BM_ClockHour", "an hour of the game clock (CPU)", "its 1 s timer", 1'000'000);
    if (const auto* run = reporter.find("BM_PlayClick")) {
        const double us = run->GetAdjustedRealTime(); // the manual time
        printGoal("a sound asked for (the game's thread, wall)", "a millisecond",
                  format("%.1f us", us), "<= 100 us", us <= 100);
    }
    if (const auto* run = reporter.find("BM_RandomPlay")) {
        const double events = run->counters.count("items_per_second") != 0
                                  ? static_cast<double>(run->counters.at("items_per_second"))
                                  : 0;
        printGoal("random play, 1,000,000 events with every invariant checked",
                  "the game's invariants",
                  run->error_occurred ? std::string("an invariant broke")
                                      : format("none broke, %.0f events/s", events),
                  "none broken", !run->error_occurred);
    }
    return 0;
}
