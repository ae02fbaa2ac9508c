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

# A page folder: the game's files, the sounds beside them, the icon as the favicon and at the
# sizes an installed app shows, the manifest, and the worker that keeps them all for offline
# play, told the version and every file. The page is told the game file's size for its loading
# bar.
stage() { # VERSION GAME_NAME FOLDER
  local version=$1 game=$2 page=$3 wasm_bytes files
  rm -rf "$page"
  mkdir -p "$page/Sound"
  wasm_bytes="$(stat -c %s "$bin/$game.wasm")"
  sed -e "s/<body>/<body data-wasm-bytes=\"$wasm_bytes\" data-version=\"$version\">/" \
    "$top/assets/web/index.html" >"$page/index.html"
  cp "$top/assets/web/page.js" "$top/assets/web/manifest.webmanifest" "$page/"
  cp "$bin/$game.js" "$page/vantaro.js"
  cp "$bin/$game.wasm" "$page/vantaro.wasm"
  local icon="$top/assets/icons/hicolor/256x256/apps/vantaro.png"
  cp "$top/assets/icons/hicolor/64x64/apps/vantaro.png" "$page/vantaro.png"
  for size in 192 512; do
    convert "$icon" -filter Lanczos -resize "${size}x$size" -strip \
      -define png:exclude-chunks=date,time "$page/vantaro-$size.png"
  done
  cp "$top"/assets/Sound/*.wav "$page/Sound/"
  # "./" is the page as a host serves its folder.
  files="$(cd "$page" && find . -type f | LC_ALL=C sort | sed 's|^\./||' |
    python3 -c 'import json, sys; print(json.dumps(["./"] + sys.stdin.read().split()))')"
  python3 - "$top/assets/web/sw.js" "$page/sw.js" "$version" "$files" <<'EOF_SW'
import sys
src, dst, version, files = sys.argv[1:]
text = open(src, encoding="utf-8").read()
open(dst, "w", encoding="utf-8").write(text.replace("@VERSION@", version).replace("@FILES@", files))
EOF_SW
}
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
older="$(sed -n 's/^VANTARO_OLDER_VERSION:INTERNAL=//p' "$build/CMakeCache.txt")"
bin="$build/bin"
page="$build/page"
stage "$version" vantaro "$page"
# The same game as the version before, for the tests of an update.
stage "$older" vantaro_older "$build/older-page"

# One time stamp, the last commit's where there is one, gives the same zip for the same files.
stamp="${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}"
find "$page" -exec touch -h -d "@$stamp" {} +
mkdir -p "$build/package"
zip="$build/package/vantaro-$version-web.zip"
rm -f "$zip"
(cd "$page" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | zip -X -q -9 "$zip" -@)
echo "$zip"
