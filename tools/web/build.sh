#!/usr/bin/env bash
# Builds the browser game and its tests with Debian's emscripten and the Qt for WebAssembly that
# build-qt.sh keeps in its cache (built on the first run only), stages the page folder and packs
# it as a zip with index.html at its top, as game portals take an HTML5 game. Prints the zip's
# path last. The build folder is build-web in the checkout, or VANTARO_WEB_BUILD.
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

# The page: the game's files, the sounds beside them, and the icon as the favicon. The page is
# told the game file's size for its loading bar.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
page="$build/page"
rm -rf "$page"
mkdir -p "$page/Sound"
bin="$build/bin"
wasm_bytes="$(stat -c %s "$bin/vantaro.wasm")"
sed -e "s/<body>/<body data-wasm-bytes=\"$wasm_bytes\" data-version=\"$version\">/" \
  "$top/assets/web/index.html" >"$page/index.html"
cp "$top/assets/web/page.js" "$bin/vantaro.js" "$bin/vantaro.wasm" "$page/"
cp "$top/assets/icons/hicolor/64x64/apps/vantaro.png" "$page/vantaro.png"
cp "$top"/assets/Sound/*.wav "$page/Sound/"

# One time stamp, the last commit's where there is one, gives the same zip for the same files.
stamp="${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}"
find "$page" -exec touch -h -d "@$stamp" {} +
mkdir -p "$build/package"
zip="$build/package/vantaro-$version-web.zip"
rm -f "$zip"
(cd "$page" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | zip -X -q -9 "$zip" -@)
echo "$zip"
