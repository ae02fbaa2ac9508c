#!/usr/bin/env bash
# Makes the fonts the game bundles from Debian packages, into assets/fonts/, with each package's
# licence text next to them.
# Comfortaa stands in for Comic Sans MS, in the regular and bold weights the layouts use:
# playful, and it has Cyrillic.
# Each face is cut to the characters of Russian and of the Latin-script languages (the game's
# texts, and most players' names) with its hinting and layout kept whole, so that the glyphs
# kept draw the same pixels; a character a face lacks shows through the system's fallback font,
# as one beyond the whole face did. A cut font is a modified one, which the fonts' licence lets
# carry neither Reserved Font Name (Liberation, Comfortaa): the cuts are named Vantaro Sans,
# Vantaro Serif and Vantaro Round.
set -euo pipefail

script_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$script_dir/../assets/fonts"
out="$(cd "$script_dir/../assets/fonts" && pwd)"

need=()
for pkg in fonts-liberation2 fonts-comfortaa fonttools; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}"
fi

# Latin as Windows' Western code page has it; Russian, Ukrainian and Belarusian Cyrillic; the
# dashes, quotes and signs of their texts.
readonly unicodes=U+0020-007E,U+00A0-00FF,U+0131,U+0152-0153,U+0160-0161,U+0178,U+017D-017E,U+0192,U+0400-045F,U+0490-0491,U+2010-2027,U+2030-203A,U+20AC,U+20BD,U+2116,U+2122,U+2212,U+FFFD

# Finds a file a package installed by its base name, so the script does not depend on the exact
# folder layout of the package version; cuts it into OUT_NAME under the family NEW_FAMILY.
cut_from_pkg() { # package file old_family new_family out_name
    local path
    path="$(dpkg -L "$1" | grep -E "/$2\$" | head -n 1)"
    [[ -n "$path" && -f "$path" ]] || { echo "$2 not found in $1" >&2; exit 1; }
    /usr/bin/pyftsubset "$path" --unicodes="$unicodes" --layout-features='*' --legacy-kern \
        --name-IDs='*' --name-legacy --name-languages='*' --glyph-names --notdef-outline \
        --drop-tables=DSIG,FFTM --output-file="$out/$5"
    /usr/bin/python3 - "$out/$5" "$3" "$4" <<'EOF_NAMES'
import sys
from fontTools.ttLib import TTFont

path, old, new = sys.argv[1:]
font = TTFont(path)
for record in font["name"].names:
    if record.nameID in (0, 7, 13, 14):  # copyright, trademark, licence: the originals' words
        continue
    text = record.toUnicode()
    if record.nameID == 6:  # a PostScript name has no blanks
        text = text.replace(old.replace(" ", ""), new.replace(" ", ""))
    record.string = text.replace(old, new)
font.save(path)
EOF_NAMES
}

for weight in Regular Bold; do
    cut_from_pkg fonts-liberation2 "LiberationSans-$weight.ttf" "Liberation Sans" "Vantaro Sans" \
        "VantaroSans-$weight.ttf"
    cut_from_pkg fonts-liberation2 "LiberationSerif-$weight.ttf" "Liberation Serif" \
        "Vantaro Serif" "VantaroSerif-$weight.ttf"
    cut_from_pkg fonts-comfortaa "Comfortaa-$weight.ttf" Comfortaa "Vantaro Round" \
        "VantaroRound-$weight.ttf"
done

install -m 644 /usr/share/doc/fonts-liberation2/copyright "$out/LICENSE-Liberation.txt"
install -m 644 /usr/share/doc/fonts-comfortaa/copyright "$out/LICENSE-Comfortaa.txt"

ls -l "$out"
