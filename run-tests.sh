#!/usr/bin/env bash
# Builds and runs every test: once as released, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/tools/install-deps.sh"
jobs="$(nproc)"

# Static analysis first: it is quick, and its findings are fixed or justified in place. The
# browser's two files are left out: they hold the page's JavaScript, which cppcheck cannot read.
cppcheck --enable=warning,performance,portability,style --std=c++20 --library=qt \
  --inline-suppr --error-exitcode=1 --quiet -I "$here/src" \
  -i "$here/src/app/web_page.cpp" -i "$here/src/sound/web_sound.cpp" "$here/src"

cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$jobs"
ctest --test-dir "$here/build" --output-on-failure -j"$jobs"

cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON
cmake --build "$here/build-asan" -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$here/build-asan" --output-on-failure -j"$jobs"

# The Windows game: built here with MinGW-w64 and a static Qt of its own (built on the first run,
# then kept in a cache outside the checkout), its suite and its zip proven under Wine.
"$here/tools/windows/build.sh" >/dev/null
ctest --test-dir "$here/build-win64" --output-on-failure -j"$jobs"

# The browser game: built here with Debian's emscripten and a Qt for WebAssembly of its own (built
# on the first run, then kept in a cache outside the checkout), its suite and its zip proven in
# Debian's headless Chromium.
"$here/tools/web/build.sh" >/dev/null
ctest --test-dir "$here/build-web" --output-on-failure -j"$jobs"
