#!/usr/bin/env bash
# Builds the static Qt that the Windows game and its tests link against, from Debian's own
# qt6-base source, with Debian's MinGW-w64 cross compiler and Debian's Qt host tools.
# Installs into a cache outside the checkout, keyed by the source version, the compiler, the
# options and the toolchain file, so a second run costs nothing. Prints the Qt prefix last.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../.." && pwd)"
"$top/tools/install-deps.sh" windows

toolchain="$top/cmake/mingw-w64.cmake"
cache="${VANTARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantaro}"
jobs="$(nproc)"

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
prefix="$cache/qt6-win64-$key"
# Another checkout building the same Qt at the same time would wipe this one's build: the second
# waits for the first and then takes its result.
mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

work="$cache/qt6-win64-$key.build"
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
  -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$jobs" >&2
cmake --install . >&2
touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "$prefix"
