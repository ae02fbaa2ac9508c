#!/usr/bin/env bash
# Builds the static, single-threaded Qt that the browser game and its tests link against, from
# Debian's own qt6-base source, with Debian's emscripten and Debian's Qt host tools. Installs
# into a cache outside the checkout, keyed by the source version, the compiler and the options,
# so a second run costs nothing. Prints the Qt prefix last.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
"$top/tools/install-deps.sh" web
# shellcheck source=env.sh
source "$here/env.sh"
jobs="$(nproc)"

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
prefix="$cache/qt6-wasm-$key"
# Another checkout building the same Qt at the same time would wipe this one's build: the second
# waits for the first and then takes its result.
mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

work="$cache/qt6-wasm-$key.build"
rm -rf "$work" "$prefix"
mkdir -p "$work"

# The source through a deb-src entry of our own: the machine's sources stay as they are.
lists="$work/apt-lists"
mkdir -p "$lists/partial" "$work/sources.list.d"
sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
  >"$work/sources.list.d/debian-src.sources"
apt_src=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$work/sources.list.d"
  -o "Dir::State::Lists=$lists")
apt-get -q "${apt_src[@]}" update >&2
(cd "$work" && apt-get -q "${apt_src[@]}" source --download-only "qt6-base=$version" >&2)
src="$work/qtbase"
mkdir -p "$src"
tar -C "$src" --strip-components=1 -xf "$(ls "$work"/qt6-base_*.orig.tar.*)"

mkdir -p "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" "${options[@]}" -qt-host-path /usr -- \
  -G Ninja -DCMAKE_TOOLCHAIN_FILE="$emscripten_toolchain" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$jobs" >&2
cmake --install . >&2
touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "$prefix"
