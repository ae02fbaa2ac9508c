#!/usr/bin/env bash
# Copies the fonts the game bundles from Debian packages into assets/fonts/,
# with each package's licence text next to them.
# Comfortaa stands in for Comic Sans MS, in the regular and bold weights the layouts use:
# playful, and it has Cyrillic.
set -euo pipefail

script_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$script_dir/../assets/fonts"
out="$(cd "$script_dir/../assets/fonts" && pwd)"

need=()
for pkg in fonts-liberation2 fonts-comfortaa; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}"
fi

# Finds a file a package installed by its base name, so the script does not
# depend on the exact folder layout of the package version.
from_pkg() { # package file
    local path
    path="$(dpkg -L "$1" | grep -E "/$2\$" | head -n 1)"
    [[ -n "$path" && -f "$path" ]] || { echo "$2 not found in $1" >&2; exit 1; }
    install -m 644 "$path" "$out/$2"
}

for f in LiberationSans-Regular.ttf LiberationSans-Bold.ttf \
         LiberationSerif-Regular.ttf LiberationSerif-Bold.ttf; do
    from_pkg fonts-liberation2 "$f"
done
for f in Comfortaa-Regular.ttf Comfortaa-Bold.ttf; do
    from_pkg fonts-comfortaa "$f"
done

install -m 644 /usr/share/doc/fonts-liberation2/copyright "$out/LICENSE-Liberation.txt"
install -m 644 /usr/share/doc/fonts-comfortaa/copyright "$out/LICENSE-Comfortaa.txt"

ls -l "$out"
