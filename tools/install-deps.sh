#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs to build, run and be tested; with `windows`,
# also those that build the Windows game and run it under Wine; with `busy`, the CPU hog that
# tools/busy-machine.sh runs the suites beside; with `web`, the WebAssembly compiler, the Qt host
# tools and the browser that build and prove the browser game. Installs only what is missing, so a second run
# costs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format cppcheck
  qt6-base-dev qt6-qpa-plugins libpulse-dev libsndfile1-dev libgl-dev libxkbcommon-dev
  libgtest-dev libbenchmark-dev libxcb1-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick strace
  lintian desktop-file-utils appstream dpkg-dev at-spi2-core dbus-daemon dbus-bin python3-dbus
  pulseaudio pulseaudio-utils pipewire wireplumber
)
for set in "$@"; do
  case $set in
    windows)
      packages+=(
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools googletest
        wine wine64 unzip nsis
      )
      ;;
    busy) packages+=(stress-ng) ;;
    web) packages+=(emscripten qt6-base-dev-tools chromium unzip zip python3 imagemagick zopfli) ;;
    *) echo "usage: $0 [windows] [busy] [web]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
