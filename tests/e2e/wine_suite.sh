#!/usr/bin/env bash
# Runs the Windows build of the unit and widget suite under Wine, in a fresh prefix of its own.
# Usage: wine_suite.sh /path/to/vantaro_tests.exe [GTEST ARGS...]
# QT_SCALE_FACTOR given to this script reaches the suite.
set -euo pipefail
scale=${QT_SCALE_FACTOR:-}
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[[ $# -ge 1 ]] || { echo "usage: $0 /path/to/vantaro_tests.exe [args]" >&2; exit 2; }
suite=$(realpath -e -- "$1")
shift
e2e_begin wine-suite
start_xvfb
start_wine
# Wine hands a Windows program no QT_ variable of the Linux side: the prefix's own environment
# carries the scale.
if [[ -n $scale ]]; then
    wine reg add 'HKCU\Environment' /v QT_SCALE_FACTOR /d "$scale" /f >/dev/null 2>&1 ||
        { echo "FAIL: could not set the scale" >&2; exit 1; }
fi
wine "$suite" "$@"
