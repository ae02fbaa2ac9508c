// In-process costs of the game's hottest paths, on the offscreen platform: one frame of the
// turning ship, an hour of the clock, and events of the random player.
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "support/random_player.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void BM_SpinPic(benchmark::State& state) {
    PictureBox dest;
    twips::setGeometry(&dest, {0, 0, 2295, 2295});
    dest.setBackColor(0x000000);
    PictureBox source;
    source.setPicture(QImage(QStringLiteral(":/ship.bmp")));
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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
