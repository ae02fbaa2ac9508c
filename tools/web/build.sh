#!/usr/bin/env bash
# Builds the browser game and its tests with Debian's emscripten and the Qt for WebAssembly that
# build-qt.sh keeps in its cache (built on the first run only), with the page folder and its zip
# (index.html at its top, as game portals take an HTML5 game). Prints the zip's path last. The
# build folder is build-web in the checkout, or VANTARO_WEB_BUILD.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
qt="$("$here/build-qt.sh" | tail -n 1)"
node_modules="$("$here/node-deps.sh" | tail -n 1)"
# shellcheck source=env.sh
source "$here/env.sh"
build="${VANTARO_WEB_BUILD:-$top/build-web}"

"$qt/bin/qt-cmake" -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$emscripten_toolchain" -DVANTARO_BENCH=OFF \
  -DVANTARO_NODE_MODULES="$node_modules" >&2
cmake --build "$build" --parallel "$(nproc)" >&2

# The build stages the page and packs its zip (tools/web/stage.sh), and the older version's page
# beside it, for the tests of an update.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
zip="$build/package/vantaro-$version-web.zip"
echo "$zip"
