#!/usr/bin/env bash
# Runs the browser build of the unit and widget suite in headless Chromium, served from
# 127.0.0.1, at device pixel ratio SCALE, and passes or fails with the suite.
# Usage: web_suite.sh /path/to/vantaro_tests.js SCALE [GTEST ARGS...]
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[[ $# -ge 2 ]] || { echo "usage: $0 /path/to/vantaro_tests.js SCALE [args]" >&2; exit 2; }
suite=$(realpath -e -- "$1")
scale=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_begin web-suite
mkdir "$work/site"
for f in "${suite%.js}".{js,wasm,data}; do ln -s "$f" "$work/site/"; done
ln -s "$here/web/suite.html" "$work/site/index.html"
start_web_server "$work/site"
start_browser "$scale"
query=
for a in "$@"; do query+="&arg=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$a")"; done
browser open "${web_url}index.html?${query#&}"
browser_within "$((${VANTARO_E2E_LIMIT:-300} - 30))" wait "$((${VANTARO_E2E_LIMIT:-300} - 40))" \
    "window.suiteExit !== undefined"
browser eval window.suiteExit
echo "the suite ended with $browser_said"
result=$browser_said
stop_browser
[[ $result == 0 ]]
