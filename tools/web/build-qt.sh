#!/usr/bin/env bash
# The static, single-threaded Qt that the browser game and its tests link against, built by
# tools/build-qt.sh with Debian's emscripten: its options, and its cache key from the source
# version, the compiler and the options. Prints the Qt prefix last.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
"$top/tools/install-deps.sh" web
# shellcheck source=env.sh
source "$here/env.sh"

# Only what the game and its tests use: Core, Gui, Widgets and Test with the wasm platform.
# OpenGL stays: Qt's browser compositor draws every window through WebGL. No asyncify: message
# boxes are shown without a nested event loop, and the binary stays smaller and faster.
options=(
  -platform wasm-emscripten -static -release -optimize-size -nomake examples -nomake tests
  -no-dbus -no-icu -no-openssl -no-gif -no-libjpeg
  -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-vulkan -no-feature-imageformatplugin
)

version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
compiler="$(dpkg-query -W -f='${Version}' emscripten) $(emcc --version | sed -n 1p)"
key="$(printf '%s\n' "$version" "$compiler" "${options[@]}" | sha256sum | cut -c1-16)"
exec "$top/tools/build-qt.sh" wasm "$key" "$emscripten_toolchain" "${options[@]}"
