#!/usr/bin/env bash
# Builds the Windows game and its tests with Debian's MinGW-w64 and the static Qt that
# build-qt.sh keeps in its cache (built on the first run only), and packs the game twice: as a
# zip a player unzips anywhere (vantaro.exe, its sound module and Sound\ side by side), and as
# a setup program made by Debian's NSIS. Prints the setup program's path, then the zip's path
# last. The build folder is build-win64 in the checkout, or VANTARO_WIN_BUILD.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
qt="$("$here/build-qt.sh" | tail -n 1)"
build="${VANTARO_WIN_BUILD:-$top/build-win64}"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" >&2
cmake --build "$build" --parallel "$(nproc)" >&2
# Strip writes a time stamp into each executable it strips, once for each package: one stamp,
# the last commit's where there is one, gives the zip and the setup program the same files.
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}"
export SOURCE_DATE_EPOCH
(cd "$build" && cpack >&2)
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
echo "$build/package/vantaro-$version-win64-setup.exe"
echo "$build/package/vantaro-$version-win64.zip"
