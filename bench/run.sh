#!/usr/bin/env bash
# Builds the game and its benchmarks in Release and runs them, the on-screen ones on a private X
# server. Prints the results and nothing else; each benchmark ends with one line per goal.
# Usage: bench/run.sh [startup_bench flags, e.g. --rounds=20 --benchmark_format=json]
# Build folder: $VANTARO_BENCH_BUILD_DIR, default build-release beside the sources.
set -euo pipefail

src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTARO_BENCH_BUILD_DIR:-$src/build-release}

for tool in cmake xvfb-run; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed" >&2; exit 2; }
done

runtime=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-bench.XXXXXX")
trap 'rm -rf -- "$runtime"' EXIT
chmod 0700 "$runtime"

# Configuring again is cheap and picks up new sources; the build redoes only what changed. Its
# output is shown only when it fails.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if ! { cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTARO_TESTS=OFF \
        -DVANTARO_BENCH=ON -DVANTARO_SANITIZE=OFF "${launcher[@]}" &&
    cmake --build "$build" --target startup_bench game_bench screen_bench -j"$(nproc)"; } \
    >"$runtime/build.log" 2>&1; then
    cat "$runtime/build.log" >&2
    exit 1
fi

bench=$build/bin/startup_bench
[[ -x $bench ]] || bench=$build/bench/startup_bench

# Every program gets a private runtime folder (Qt warns without one). No sound server lives
# there, and none may be started on the game's behalf, but for the sound benchmark's own.
export XDG_RUNTIME_DIR=$runtime
printf 'autospawn = no\n' >"$runtime/pulse-client.conf"
export PULSE_CLIENTCONFIG=$runtime/pulse-client.conf

# A screen of its own and no window manager: every top-level window is mapped straight away.
# -noreset keeps the server from resetting between clients, which may refuse a launch.
on_screen() {
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "$@"
}

on_screen "$bench" "$@"

# The game's hot paths, in process.
echo
"$build/bin/game_bench"

# Key to sound beside the sound server's own cache, and from the start screen to the main screen
# the memory each step holds, the first sound included: against a private sound server of its
# own, on a screen of its own.
echo
"$src/bench/sound_bench.sh" "$build/bin/vantaro" "$build/bin/screen_bench"

# The main screen with every timer running, beside a bare window; the clock's drift; memory
# over the whole run.
on_screen "$build/bin/screen_bench" "${VANTARO_CPU_SECONDS:-30}" "${VANTARO_DRIFT_SECONDS:-120}"
