#!/usr/bin/env bash
# shellcheck disable=SC2016 # a suite's steps are quoted: it evaluates each in turn
# Builds and runs every test: once as released, once under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows game under Wine and the browser game in Chromium.
# Every suite runs whatever the one before it did; one line a suite says how it ended, and the
# command fails when any suite did.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/tools/install-deps.sh" || exit 1
jobs="$(nproc)"
logs="$(mktemp -d)"
trap 'rm -rf -- "$logs"' EXIT
summary=() passed=0 failed=0 broken=0

# Builds a suite with its steps, in order, each only once the one before it succeeded, then runs
# its tests with ctest (ENV: the tests' variables, one a line) and keeps its line for the summary:
# the counts of ctest's closing line, or the step the build broke at.
suite() { # NAME BUILD_DIR ENV STEP...
    local name=$1 dir=$2 step counts f t vars=()
    [[ -z $3 ]] || mapfile -t vars <<<"$3"
    shift 3
    for step in "$@"; do
        if ! eval "$step"; then
            summary+=("$name: FAILED at: $step")
            broken=$((broken + 1))
            return
        fi
    done
    env "${vars[@]}" ctest --test-dir "$dir" --output-on-failure -j"$jobs" 2>&1 | tee "$logs/$name"
    # "95% tests passed, 1 tests failed out of 20"
    counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' \
        "$logs/$name" | tail -n 1)
    if [[ -z $counts ]]; then
        summary+=("$name: FAILED: ctest ran no test")
        broken=$((broken + 1))
        return
    fi
    read -r f t <<<"$counts"
    passed=$((passed + t - f)) failed=$((failed + f))
    summary+=("$name: $((t - f)) passed, $f failed")
}

# Static analysis first: it is quick, and its findings are fixed or justified in place. The
# browser's three files are left out: they hold the page's JavaScript, which cppcheck cannot read.
if cppcheck --enable=warning,performance,portability,style --std=c++20 --library=qt \
    --inline-suppr --error-exitcode=1 --quiet -I "$here/src" \
    -i "$here/src/app/web_page.cpp" -i "$here/src/app/web_text.cpp" -i "$here/src/sound/web_sound.cpp" \
    "$here/src"; then
    summary+=("cppcheck: no findings")
else
    summary+=("cppcheck: FAILED")
    broken=$((broken + 1))
fi

suite linux "$here/build" "" \
    'cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo' \
    'cmake --build "$here/build" -j"$jobs"'

sanitizers=$(printf '%s\n' "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1" \
    "LSAN_OPTIONS=suppressions=$here/tests/lsan.supp:print_suppressions=0" \
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
suite sanitizers "$here/build-asan" "$sanitizers" \
    'cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON' \
    'cmake --build "$here/build-asan" -j"$jobs"'

# The Windows game: built here with MinGW-w64 and a static Qt of its own (built on the first run,
# then kept in a cache outside the checkout), its suite and its zip proven under Wine.
suite windows "$here/build-win64" "" '"$here/tools/windows/build.sh" >/dev/null'

# The browser game: built here with Debian's emscripten and a Qt for WebAssembly of its own (built
# on the first run, then kept in a cache outside the checkout), its suite and its zip proven in
# Debian's headless Chromium.
suite browser "$here/build-web" "" '"$here/tools/web/build.sh" >/dev/null'

echo
echo "---- every suite ----"
printf '%s\n' "${summary[@]}"
# A suite that never reached its tests counts as one failure.
echo "total: $passed passed, $((failed + broken)) failed"
((failed == 0 && broken == 0))
