#!/usr/bin/env bash
# Builds the browser game when needed, unpacks its zip into a folder of its own and serves it
# from this machine only (127.0.0.1), printing the address to open. PORT picks the port (8000
# by default; 0 takes a free one). Ctrl+C stops it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
zip="$("$here/build.sh" | tail -n 1)"
site="$(mktemp -d "${TMPDIR:-/tmp}/vantaro-web.XXXXXX")"
trap 'rm -rf -- "$site"' EXIT
unzip -q "$zip" -d "$site"
echo "Vantaro in the browser: open the address below; Ctrl+C stops the server." >&2
python3 "$here/serve.py" "$site" "${PORT:-8000}"
