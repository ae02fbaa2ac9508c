#!/usr/bin/env bash
# Draws every screen state again and keeps the pictures as the new references in
# tests/pictures, and every caption read on the way in tests/captions.txt. Run it after a
# deliberate change of what the player sees, then look at every picture and read the text before
# committing them: a reference says that this screen is right.
# Usage: tools/make_references.sh [build directory, default build]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build}"
cmake --build "$build" --target vantaro_tests -j2
tests="$build/bin/vantaro_tests"
for scale in 1 2; do
  VANTARO_WRITE_REFERENCES=1 QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    timeout 300 "$tests" --gtest_filter='Screens.*'
done
git -C "$here" status --short -- tests/pictures tests/captions.txt
