#!/usr/bin/env bash
# The static Qt that the Windows game and its tests link against, built by tools/build-qt.sh
# with Debian's MinGW-w64 cross compiler: its options, and its cache key from the source
# version, the compiler, the options and the toolchain file. Prints the Qt prefix last.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
"$top/tools/install-deps.sh" windows

toolchain="$top/cmake/mingw-w64.cmake"

# Only what the game and its tests use: Core, Gui, Widgets and Test, the windows platform plugin
# for the game, the offscreen one for the tests, and the Windows style. The source package
# leaves out the tablet library (wintab). DirectWrite 3 is left out: the windows plugin would
# ask Gui for a font database that Gui builds only alongside Direct2D.
options=(
  -static -release -optimize-size -nomake examples -nomake tests
  -no-opengl -no-dbus -no-icu -no-openssl -no-gif -no-libjpeg
  -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml
  -no-feature-tabletevent -no-feature-direct2d -no-feature-directwrite3
  -no-feature-vulkan -no-feature-imageformatplugin
)

version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
compiler="$(x86_64-w64-mingw32-g++-posix --version | head -n 1)"
key="$(printf '%s\n' "$version" "$compiler" "${options[@]}" | cat - "$toolchain" |
  sha256sum | cut -c1-16)"
exec "$top/tools/build-qt.sh" win64 "$key" "$toolchain" "${options[@]}"
