#!/usr/bin/env bash
# Builds tools/shipgen out of tree and regenerates the ship picture and the
# app icons in assets/. Needs cmake, a C++20 compiler and qt6-base-dev.
set -euo pipefail

script_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$script_dir/../assets"
assets="$(cd "$script_dir/../assets" && pwd)"

# Build in /tmp so no build tree ever lands in the repo.
build="$(mktemp -d)"
trap 'rm -rf "$build"' EXIT

cmake -S "$script_dir/shipgen" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel >/dev/null
"$build/shipgen" "$assets"
