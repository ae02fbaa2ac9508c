#!/usr/bin/env bash
# Builds the game and the start-up benchmark in Release and runs it on a private X server.
# Usage: bench/run.sh [startup_bench flags, e.g. --rounds=20 --benchmark_format=json]
# Build folder: $VANTARO_BENCH_BUILD_DIR, default build-release beside the sources.
set -euo pipefail

src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTARO_BENCH_BUILD_DIR:-$src/build-release}

for tool in cmake xvfb-run; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed" >&2; exit 2; }
done

# Configuring again is cheap and picks up new sources; the build redoes only what changed.
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTARO_TESTS=OFF -DVANTARO_BENCH=ON \
    -DVANTARO_SANITIZE=OFF >/dev/null
cmake --build "$build" --target startup_bench game_bench screen_bench -j"$(nproc)"

bench=$build/bin/startup_bench
[[ -x $bench ]] || bench=$build/bench/startup_bench

runtime=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-bench.XXXXXX")
trap 'rm -rf -- "$runtime"' EXIT
chmod 0700 "$runtime"

# A screen of its own and no window manager: every top-level window is mapped straight away.
# -noreset keeps the server from resetting between clients, which may refuse a launch.
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "$bench" "$@"

# The game's hot paths, in process.
"$build/bin/game_bench"

# The main screen with every timer running, beside a bare window; then the clock's drift.
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
    "$build/bin/screen_bench" "${VANTARO_CPU_SECONDS:-30}" "${VANTARO_DRIFT_SECONDS:-120}"
