#!/usr/bin/env bash
# The browser game's figures beside Qt reference pages (bench/web/): builds the game's zip
# (tools/web/build.sh) and the references with the same Qt and link options, serves both from
# 127.0.0.1 and measures them in Debian's headless Chromium, then has Lighthouse (pinned by
# bench/web/package-lock.json) audit both. Prints the figures and one line per goal.
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

# Lighthouse's audit of the game's page (its speed and accessibility), as portals run it, and of
# the label page beside it: its mobile preset (a mid-range phone on slow 4G, simulated) and its desktop one.
lighthouse=$("$src/tools/web/node-deps.sh" "$src/bench/web" 2>>"$runtime/build.log" | tail -n 1)
for preset in mobile desktop; do
    for page in game ref; do
        CHROME_PATH=/usr/bin/chromium node "$lighthouse/lighthouse/cli/index.js" "${url}$page/index.html" \
            --quiet --only-categories=performance,accessibility --output=json --output-path="$runtime/$page-$preset.json" \
            --chrome-flags="--headless=new --no-sandbox" $([[ $preset == desktop ]] && echo --preset=desktop) ||
            { echo "web.sh: Lighthouse's $preset audit of the $page page failed" >&2; exit 1; }
    done
    python3 - "$runtime/game-$preset.json" "$runtime/ref-$preset.json" "$preset" <<'EOF_LH'
import json, sys
game, ref, preset = json.load(open(sys.argv[1])), json.load(open(sys.argv[2])), sys.argv[3]
score = lambda r: r["categories"]["performance"]["score"] or 0
def figures(r):
    ms = lambda audit: r["audits"][audit]["numericValue"]
    paint = f"first paint {ms('first-contentful-paint') / 1000:.1f} s"
    # A page of a canvas alone has no largest contentful paint, and Lighthouse gives it no score.
    if r["categories"]["performance"]["score"] is None:
        return f"not scored ({r['audits']['largest-contentful-paint'].get('errorMessage')}), {paint}"
    return (f"performance {score(r):.2f}: {paint}, total blocking time "
            f"{ms('total-blocking-time'):.0f} ms, interactive {ms('interactive') / 1000:.1f} s")
print(f"Lighthouse {game['lighthouseVersion']}, {preset}: game {figures(game)}; label page {figures(ref)}")
# What a screen reader finds on the page: the element an on-screen keyboard types into, named.
failing = [a for a, audit in game["audits"].items() if audit.get("scoreDisplayMode") == "binary"
           and audit.get("score") == 0 and a in {x["id"] for x in game["categories"]["accessibility"]["auditRefs"]}]
print(f"Lighthouse {preset}: game accessibility {game['categories']['accessibility']['score']:.2f}"
      f"{', failing: ' + ' '.join(failing) if failing else ''}")
if preset == "mobile":
    print(f"goal: Lighthouse mobile performance >= 0.90: {'met' if score(game) >= 0.9 else 'NOT met'}")
EOF_LH
done
