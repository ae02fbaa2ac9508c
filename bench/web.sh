#!/usr/bin/env bash
# The browser game's figures beside Qt reference pages (bench/web/): builds the game's zip
# (tools/web/build.sh) and the references with the same Qt and link options, serves both from
# 127.0.0.1 and measures them in Debian's headless Chromium, then has Lighthouse (pinned by
# bench/web/package-lock.json) audit the game's page. Prints the figures and one line per goal.
# Usage: bench/web.sh [LOADS]   (alternating loads for the start time, 10 by default)
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTARO_WEB_BUILD:-$src/build-web}
runtime=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-webbench.XXXXXX")
server=
cleanup() {
    [[ -n $server ]] && kill "$server" 2>/dev/null && { wait "$server" 2>/dev/null || true; }
    rm -rf -- "$runtime"
}
trap cleanup EXIT

zip=$(VANTARO_WEB_BUILD=$build "$src/tools/web/build.sh" 2>"$runtime/build.log" | tail -n 1) ||
    { cat "$runtime/build.log" >&2; exit 1; }
node_modules=$("$src/tools/web/node-deps.sh" 2>>"$runtime/build.log" | tail -n 1)
# The references join the game's build: the same Qt, compiler and link options.
# shellcheck source=tools/web/env.sh
source "$src/tools/web/env.sh"
if ! { cmake -S "$src" -B "$build" -DVANTARO_BENCH=ON &&
    cmake --build "$build" --target web_reference; } >>"$runtime/build.log" 2>&1; then
    cat "$runtime/build.log" >&2
    exit 1
fi
cmake -S "$src" -B "$build" -DVANTARO_BENCH=OFF >/dev/null

mkdir -p "$runtime/site/game" "$runtime/site/ref"
unzip -q "$zip" -d "$runtime/site/game"
cp "$build"/bin/web_reference.{js,wasm} "$runtime/site/ref/"
cp "$src/bench/web/reference.html" "$runtime/site/ref/index.html"
python3 "$src/tools/web/serve.py" "$runtime/site" >"$runtime/url" &
server=$!
for _ in $(seq 100); do [[ -s $runtime/url ]] && break; sleep 0.1; done
url=$(head -n1 "$runtime/url")
[[ $url == http://127.0.0.1:* ]] || { echo "web.sh: the server did not start" >&2; exit 1; }
NODE_PATH=$node_modules node "$src/bench/web/bench.cjs" "${url}game/index.html" "${url}ref/index.html" "${1:-10}"

# Lighthouse's audit of the game's page, as portals run it: its mobile preset (a mid-range phone
# on slow 4G, simulated) and its desktop one.
lighthouse=$("$src/tools/web/node-deps.sh" "$src/bench/web" 2>>"$runtime/build.log" | tail -n 1)
for preset in mobile desktop; do
    CHROME_PATH=/usr/bin/chromium node "$lighthouse/lighthouse/cli/index.js" "${url}game/index.html" \
        --quiet --only-categories=performance --output=json --output-path="$runtime/$preset.json" \
        --chrome-flags="--headless=new --no-sandbox" $([[ $preset == desktop ]] && echo --preset=desktop) ||
        { echo "web.sh: Lighthouse's $preset audit failed" >&2; exit 1; }
    python3 - "$runtime/$preset.json" "$preset" <<'EOF_LH'
import json, sys
report, preset = json.load(open(sys.argv[1])), sys.argv[2]
score = report["categories"]["performance"]["score"]
ms = lambda audit: report["audits"][audit]["numericValue"]
print(f"Lighthouse {report['lighthouseVersion']}, {preset}: performance {score:.2f}: first paint "
      f"{ms('first-contentful-paint') / 1000:.1f} s, total blocking time "
      f"{ms('total-blocking-time'):.0f} ms, interactive {ms('interactive') / 1000:.1f} s")
if preset == "mobile":
    print(f"goal: Lighthouse mobile performance >= 0.90: {'met' if score >= 0.9 else 'NOT met'}")
EOF_LH
done
