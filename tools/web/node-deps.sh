#!/usr/bin/env bash
# Installs the browser tests' driver (playwright-core, pinned by tests/e2e/web/package-lock.json),
# or with a FOLDER the packages its lock file pins (bench/web: the benchmark's Lighthouse), from
# the npm registry into a cache outside the checkout, keyed by the lock file, and prints the
# node_modules folder to put on NODE_PATH. The browser is Debian's: nothing is downloaded for it.
# Usage: node-deps.sh [FOLDER]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
driver="${1:-$here/../../tests/e2e/web}"
cache="${VANTARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantaro}"
key="$(cat "$driver/package.json" "$driver/package-lock.json" | sha256sum | cut -c1-16)"
dir="$cache/node-$key"
mkdir -p "$cache"
exec 9>"$dir.lock"
flock 9
if [[ ! -f $dir/.complete ]]; then
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$driver/package.json" "$driver/package-lock.json" "$dir/"
  (cd "$dir" && npm ci --ignore-scripts --no-audit --no-fund >&2)
  touch "$dir/.complete"
fi
echo "$dir/node_modules"
