#!/usr/bin/env bash
# Builds a static Qt from Debian's own qt6-base source with Debian's Qt host tools, for the
# platform whose script calls it (tools/<platform>/build-qt.sh), and installs it into
# CACHE/qt6-NAME-KEY, where KEY is the platform's hash of what the build is made from: a second
# run costs nothing. Prints the Qt prefix last.
# Usage: build-qt.sh NAME KEY TOOLCHAIN_FILE CONFIGURE_OPTION...
set -euo pipefail
[[ $# -ge 3 ]] || { echo "usage: $0 NAME KEY TOOLCHAIN_FILE CONFIGURE_OPTION..." >&2; exit 2; }
name=$1 key=$2 toolchain=$3
shift 3
cache="${VANTARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantaro}"
version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
prefix="$cache/qt6-$name-$key"
# Another checkout building the same Qt at the same time would wipe this one's build: the second
# waits for the first and then takes its result.
mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
if [[ -f $prefix/.complete ]]; then
  echo "$prefix"
  exit 0
fi

work="$prefix.build"
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
"$src/configure" -prefix "$prefix" "$@" -qt-host-path /usr -- \
  -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "$prefix"
