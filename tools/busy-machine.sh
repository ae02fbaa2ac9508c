#!/usr/bin/env bash
# Runs the suites that play the game in real time, the Windows one under Wine and the browser
# one in Chromium, twice each, two tests at a time, beside a CPU hog on every core: a test that
# passes only on a quiet machine fails here. The second pass takes the tests in another order,
# so that other pairs meet. Builds both games first (tools/windows/build.sh, tools/web/build.sh).
# Arguments go to ctest: `-R sound`, say.
# Usage: tools/busy-machine.sh [CTEST ARGS...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/.." && pwd)"
"$here/install-deps.sh" windows web busy
"$here/windows/build.sh" >/dev/null
"$here/web/build.sh" >/dev/null

# The hog ends with this script, or after two hours whatever happens to it.
stress-ng --cpu "$(nproc)" --timeout 2h --quiet &
hog=$!
trap 'kill "$hog" 2>/dev/null; wait "$hog" 2>/dev/null || true' EXIT
failed=0
for build in "${VANTARO_WIN_BUILD:-$top/build-win64}" "${VANTARO_WEB_BUILD:-$top/build-web}"; do
    for order in '' --schedule-random; do
        echo "---- $(basename "$build")${order:+, $order} ----"
        ctest --test-dir "$build" -j2 --output-on-failure ${order:+"$order"} "$@" || failed=1
    done
done
exit "$failed"
