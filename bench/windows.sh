#!/usr/bin/env bash
# The Windows game's figures: the zip's, the setup program's and the executable's sizes, and its
# start-up under Wine beside a static Qt window with one Cyrillic label (and an empty one), built
# with the same toolchain, launched in turn by the Linux startup_bench on a private X server.
# Wine's server is kept running throughout, as Windows is, so that each launch pays for the
# program alone.
# Usage: bench/windows.sh [startup_bench flags, e.g. --rounds=20]
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTARO_WIN_BUILD:-$src/build-win64}
linux=${VANTARO_BENCH_BUILD_DIR:-$src/build-release}

runtime=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-winbench.XXXXXX")
chmod 0700 "$runtime"
cleanup() {
    WINEPREFIX=$runtime/wine wineserver -k 2>/dev/null || true
    rm -rf -- "$runtime"
}
trap cleanup EXIT

packages=$(VANTARO_WIN_BUILD=$build "$src/tools/windows/build.sh" 2>"$runtime/build.log" | tail -n 2) ||
    { cat "$runtime/build.log" >&2; exit 1; }
{ read -r setup && read -r zip; } <<<"$packages"
if ! { cmake -S "$src" -B "$linux" -DCMAKE_BUILD_TYPE=Release -DVANTARO_TESTS=OFF \
        -DVANTARO_BENCH=ON -DVANTARO_SANITIZE=OFF &&
    cmake --build "$linux" --target startup_bench -j"$(nproc)"; } >"$runtime/build.log" 2>&1; then
    cat "$runtime/build.log" >&2
    exit 1
fi

mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
zip_bytes=$(stat -c %s "$zip")
exe_bytes=$(unzip -Z -l "$zip" vantaro.exe | awk '/vantaro.exe/ {print $4}')
goal=$((12 * 1000 * 1000))
echo "vantaro.exe (stripped): $(mib "$exe_bytes"); the sound module and Sound\\ with it in $(basename "$zip")"
echo "$(basename "$setup"), the same files: $(awk -v b="$(stat -c %s "$setup")" 'BEGIN { printf "%.1f MB", b / 1e6 }')"
met="NOT met"
((zip_bytes <= goal)) && met=met
echo "size of the zip, against 12 MB: $(awk -v b="$zip_bytes" 'BEGIN { printf "%.1f MB", b / 1e6 }') -- goal <= 12 MB: $met"
echo

# Each program through a launcher of its own name, so the bench names what it compared. The
# window system is Wine's; Qt's platform is chosen by the Windows build itself.
export WINEPREFIX=$runtime/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export XDG_RUNTIME_DIR=$runtime
printf 'autospawn = no\n' >"$runtime/pulse-client.conf"
export PULSE_CLIENTCONFIG=$runtime/pulse-client.conf
mkdir -p "$WINEPREFIX"
unzip -q "$zip" -d "$runtime/game"
for exe in "$runtime/game/vantaro.exe" "$build/bin/label_window.exe" "$build/bin/bare_window.exe"; do
    printf '#!/bin/sh\nunset QT_QPA_PLATFORM\nexec wine "%s"\n' "$exe" >"$runtime/$(basename "$exe")"
    chmod +x "$runtime/$(basename "$exe")"
done
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" sh -c '
    wineserver -p && wine wineboot --init >/dev/null 2>&1 && exec "$@"' sh "$linux/bin/startup_bench" --game="$runtime/vantaro.exe" \
    --label="$runtime/label_window.exe" --bare="$runtime/bare_window.exe" "$@"
