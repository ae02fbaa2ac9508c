#!/usr/bin/env bash
# Stages the browser game's page folder: the game's files, the sounds beside them, the icon as
# the favicon and at the sizes an installed app shows, the manifest, and the worker that keeps
# them all for offline play, told the version and every file. The page is told the game file's
# size for its loading bar. With ZIP, packs the folder with index.html at its top, as game
# portals take an HTML5 game. The build runs it whenever the game or a page file changes.
# Usage: stage.sh VERSION /path/to/GAME.js FOLDER [ZIP]
set -euo pipefail
[[ $# -ge 3 ]] || { echo "usage: $0 VERSION /path/to/GAME.js FOLDER [ZIP]" >&2; exit 2; }
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version=$1 game=${2%.js} page=$3 zip=${4:-}

rm -rf "$page"
mkdir -p "$page/Sound"
wasm_bytes="$(stat -c %s "$game.wasm")"
sed -e "s/<body>/<body data-wasm-bytes=\"$wasm_bytes\" data-version=\"$version\">/" \
  "$top/assets/web/index.html" >"$page/index.html"
cp "$top/assets/web/page.js" "$top/assets/web/manifest.webmanifest" "$page/"
cp "$game.js" "$page/vantaro.js"
cp "$game.wasm" "$page/vantaro.wasm"
icon="$top/assets/icons/hicolor/256x256/apps/vantaro.png"
cp "$top/assets/icons/hicolor/64x64/apps/vantaro.png" "$page/vantaro.png"
# The 512 px one is fetched at once for the manifest: both packed as tightly as PNG allows.
for size in 192 512; do
  convert "$icon" -filter Lanczos -resize "${size}x$size" -strip \
    -define png:exclude-chunks=date,time "$page/vantaro-$size.big.png"
  zopflipng -y "$page/vantaro-$size.big.png" "$page/vantaro-$size.png" >/dev/null
  rm "$page/vantaro-$size.big.png"
done
cp "$top"/assets/Sound/*.wav "$page/Sound/"
# Each file with its SHA-256 as the worker checks it ("./" is the page as a host serves its
# folder), and the build named by all of them.
python3 - "$top/assets/web/sw.js" "$page" "$version" <<'EOF_SW'
import base64, hashlib, json, pathlib, sys
src, page, version = sys.argv[1:]
page = pathlib.Path(page)
files = {p.relative_to(page).as_posix(): p for p in sorted(page.rglob("*")) if p.is_file()}
files = {"./": page / "index.html", **files}
sums = {name: "sha256-" + base64.b64encode(hashlib.sha256(p.read_bytes()).digest()).decode()
        for name, p in files.items()}
content = hashlib.sha256(json.dumps(sums, sort_keys=True).encode()).hexdigest()[:16]
text = pathlib.Path(src).read_text(encoding="utf-8")
for key, value in {"@VERSION@": version, "@FILES@": json.dumps(sums, indent=0),
                   "@CONTENT@": content}.items():
    text = text.replace(key, value)
(page / "sw.js").write_text(text, encoding="utf-8")
EOF_SW
[[ -n $zip ]] || exit 0

# One time stamp, the last commit's where there is one, gives the same zip for the same files.
stamp="${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}"
find "$page" -exec touch -h -d "@$stamp" {} +
mkdir -p "$(dirname "$zip")"
rm -f "$zip"
(cd "$page" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | zip -X -q -9 "$zip" -@)
