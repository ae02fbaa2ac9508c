#!/usr/bin/env bash
# The browser game's zip as a game portal gets it, unpacked into a fresh folder, served from
# 127.0.0.1 and played in Debian's headless Chromium into a private PulseAudio with a null sink:
# the loading bar, then the start screen as its picture; a typed and pasted Cyrillic name (the
# paste held to the 20-character limit) reaches the main screen, whose clock ticks and which
# matches its picture; the shop opens in a window of its own size and a breakfast is bought by
# keyboard; F1 is the game's help, not the browser's; Tab never leaves the page; Esc on the start
# screen ends the game and the page says so and offers a new one. What is heard is counted as
# on the desktop: a click per key, the first key's included; a meal whole; a click cutting it;
# a meal and the clock waiting while the tab cannot be seen; silence from a click's file that is
# no sound, and the meal it would have cut heard whole. The sounds are the page's own fetches,
# each decoded as it arrives.
# As an installed app, served as hosts serve (an hour's cache lifetime, index.html redirected):
# Chromium finds nothing keeping the page from being installed; a reload asks before it ends a
# game on the main screen, never on the start screen nor once the game has ended or crashed;
# after one visit the game starts and plays with the network gone; a host part-way through a
# deploy leaves the build kept alone; a visit to a newer build than the one kept, its version
# number unchanged, leaves the newer one alone in the cache, and the game is the newer one
# (OLDER_PAGE: the page of the build before, as the build stages it; GAME: the game file as
# last built, which the zip must hold).
# By touch, in Chromium's emulation of a phone and a tablet: every screen opened lies within the
# page, fitted and crisp at the device's pixels, as their pictures show; a name typed on the
# on-screen keyboard as a whole word, a composition and single letters reaches the main screen
# whole; taps buy a meal, heard whole, and the first tap lets the next one be heard; a finger
# drags a window by its title bar and closes it by its cross; a long press opens no menu; a
# phone held upright asks to be turned.
# Usage: web.sh /path/to/vantaro-VERSION-web.zip /path/to/tests/pictures OLDER_PAGE GAME.wasm
# Needs: chromium, node with NODE_PATH naming playwright-core's folder, python3, unzip,
# convert and compare (imagemagick), pulseaudio, pactl, pacat and parec.
set -euo pipefail
[[ $# -eq 4 ]] || { echo "usage: $0 /path/to/vantaro-VERSION-web.zip /path/to/pictures OLDER_PAGE GAME.wasm" >&2; exit 2; }
zip=$(realpath -e -- "$1")
pictures=$(realpath -e -- "$2")
older_page=$(realpath -e -- "$3")
game=$(realpath -e -- "$4")
for tool in chromium node python3 unzip convert compare pulseaudio pactl pacat parec; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done
readonly rate=48000 sink=vantaro_web
# In client coordinates: the start screen's "УСЁ!" and the name field's blinking caret; the main screen's moving parts (clock,
# satiety, ship), its money and an empty spot below the frames that no other screen covers.
readonly confirm=212,60 caret_box=186,10,6,15 clock_box=152,0,176,17 satiety_box=146,40,110,24 ship_box=570,162,150,150
readonly money_box=146,64,110,24 empty=20,470
# Qt's window frame in the page: title bar and borders.
readonly frame_top=26 frame_side=4

# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_begin web
# VANTARO_KEEP_RECORDING=folder keeps the recording, its phases and the server's log.
on_exit() {
    [[ -z ${VANTARO_KEEP_RECORDING:-} ]] ||
        cp -- "$work/rec.raw" "$work/marks" "$work/server.log" "$VANTARO_KEEP_RECORDING"/ 2>/dev/null || true
}
die() {
    echo "FAIL: $*"
    [[ -s $work/server.log ]] && tail -n 20 "$work/server.log"
    exit 1
}

mkdir "$work/site"
unzip -q "$zip" -d "$work/site"
[[ -f $work/site/index.html ]] && pass "the zip has index.html at its top" ||
    die "no index.html at the zip's top: $(unzip -Z1 "$zip" | head -n 5 | tr '\n' ' ')"
cmp -s "$work/site/vantaro.wasm" "$game" && pass "the zip holds the game as last built" ||
    die "the zip holds another game than the one last built: $game"
start_web_server "$work/site" --as-host || die "no web server"
start_sound_server pulseaudio "$sink" "$rate" || die "no sound server"
: >"$work/rec.raw"
start_recorder
start_browser 1 --sound

# The page's view of its screens, the active one last.
screens=window.vantaroGame.vantaroScreensOnShow
active_is() { browser eval "(($screens || []).slice(-1)[0] || {}).name" && [[ $browser_said == "\"$1\"" ]]; }
wait_active() { # NAME
    browser wait "(($screens || []).slice(-1)[0] || {}).name === '$1'" || die "no $1 screen in front"
}
# The client area of the active screen, "x,y,w,h" in page pixels.
client_area() {
    browser eval "(s => [s.x, s.y, s.width, s.height].join())(($screens).slice(-1)[0])"
    echo "${browser_said//\"/}"
}
# A page pixel of the point X,Y of the active screen's client area.
page_point() { # X,Y
    local area x y px py
    area=$(client_area)
    IFS=, read -r px py _ _ <<<"$area"
    IFS=, read -r x y <<<"$1"
    echo "$((px + x)) $((py + y))"
}
# Screenshots the active screen's client area into FILE.
shot_screen() { # FILE
    local area
    area=$(client_area)
    browser shot "$work/page.png" && convert "$work/page.png" -crop "$(crop_geometry "$area" 1)" +repage "$1"
}
# The active screen's client area against its picture, once two shots in a row agree where
# nothing moves. On a device whose page is zoomed (fitted), the shot is at the device's own
# pixels, the moving parts blacked out in it already.
fitted=
matches_reference() { # NAME MOVING_BOXES...
    local name=$1 deadline=$((SECONDS + e2e_wait)) moving
    shift
    moving=("$@")
    [[ -z $fitted ]] || set --
    shoot() { if [[ -n $fitted ]]; then fitted_shot "$1" "${moving[@]}"; else shot_screen "$1"; fi; }
    shoot "$work/$name.png"
    while ((SECONDS < deadline)); do
        sleep 0.3
        shoot "$work/$name-next.png"
        masked "$work/$name.png" "$work/a.png" 1 "$@"
        masked "$work/$name-next.png" "$work/b.png" 1 "$@"
        mv -f "$work/$name-next.png" "$work/$name.png"
        [[ $(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1) == 0 ]] && break
    done
    same_as_reference "$work/$name.png" "$pictures" "$name" "$@"
}
# BOX of the client area AREA ("x,y,w,h" in page pixels; the active screen's by default).
box_shot() { # BOX FILE [AREA]
    local area=${3:-$(client_area)} x y w h ax ay
    IFS=, read -r x y w h <<<"$1"
    IFS=, read -r ax ay _ _ <<<"$area"
    browser shot "$work/page.png" &&
        convert "$work/page.png" -crop "$(crop_geometry "$((ax + x)),$((ay + y)),$w,$h" 1)" +repage "$2"
}
box_differs() { # BOX FILE [AREA]
    box_shot "$1" "$work/box-now.png" "${3:-}" && [[ $(compare -metric AE "$2" "$work/box-now.png" null: 2>&1) != 0 ]]
}

# --- loading, the start screen --------------------------------------------------------------

# The loading bar's readings, kept from the page's first moment on.
browser open "${web_url}index.html" || die "the page did not open"
wait_active Begin
browser eval "window.vantaroLoadingSeen"
[[ $browser_said =~ ^\[.*\"100\ %\"\]$ ]] && pass "the loading bar ran up to 100 %: ${browser_said:0:60}…" ||
    fail "the loading bar did not run to 100 %: $browser_said"
browser eval "[document.documentElement.lang, document.title, getComputedStyle(document.body).overflow]"
[[ $browser_said == '["ru","Vantaro","hidden"]' ]] && pass "a Russian page titled Vantaro, no scroll bars" ||
    fail "the page's language, title and scroll bars: $browser_said"
matches_reference begin "$caret_box"
# The title bar's button beside the cross would maximise a window: a screen keeps its size.
IFS=, read -r bx by bw _ <<<"$(client_area)"
browser click "$((bx + bw - 27))" "$((by - 14))"
sleep 0.5
[[ $(client_area) == "$bx,$by,425,82" ]] && pass "the start screen keeps its size and place" ||
    fail "the start screen went from $bx,$by,425,82 to $(client_area)"
# F1 is the game's on every screen, also on one that has no help: never the browser's.
browser key F1
browser eval "window.vantaroDefaultPrevented.F1"
[[ $browser_said == true ]] && pass "F1 is kept from the browser" || fail "F1 reaches the browser: $browser_said"

# --- installable; leaving the start screen asks nothing -------------------------------------

browser installable
[[ $browser_said == '[[],[]]' ]] && pass "Chromium reads the manifest and can install the page" ||
    fail "the page cannot be installed (manifest errors, then installability errors): $browser_said"
browser eval "fetch('manifest.webmanifest').then(r => r.json()).then(m =>
    [m.lang, m.display, m.orientation, m.icons.map(i => i.sizes).join(' ')].join())"
[[ $browser_said == '"ru,standalone,landscape,192x192 512x512"' ]] &&
    pass "the manifest: Russian, standalone, in landscape, icons of 192 and 512" || fail "the manifest says $browser_said"
# The page has had the player's keys and clicks, without which a browser never asks.
browser reload
[[ $browser_said == reloaded ]] && pass "a reload on the start screen asks nothing" ||
    fail "a reload on the start screen gave: $browser_said"
wait_active Begin
# Every sound in the page's own files, as they are long before a player has read the screen.
sounds=$(find "$work/site/Sound" -name '*.wav' | wc -l)
sounds_in() { # [COUNT] [WHERE]
    browser wait "window.vantaroGame.vantaroSoundsReady === ${1:-$sounds}" || fail "the sounds were not ready${2:-}"
}
sounds_in
# Fetched by the page itself, not by emscripten's preload plugin (a request of its own, kept
# as a media element and its blob besides), and decoded at the files' own rates.
rates=$(python3 -c 'import sys, wave; print(",".join(sorted({str(wave.open(f).getframerate()) for f in sys.argv[1:]})))' \
    "$work"/site/Sound/*.wav)
browser eval "Promise.all([...window.vantaroGame.vantaroSound.sounds.values()]).then(b => {
    const got = performance.getEntriesByType('resource').filter(r => r.name.includes('/Sound/'));
    return [got.length, [...new Set(got.map(r => r.initiatorType))], [...new Set(b.map(x => x.sampleRate))].sort()].join(' ');
})"
[[ $browser_said == "\"$sounds fetch $rates\"" ]] && pass "the page fetches its sounds and decodes each as it arrives" ||
    fail "the page's sounds, as count, fetched by, decoded at: $browser_said, not $sounds fetch $rates"

# --- what is heard: the first key, a click per key, by the page's own audio ------------------

begin_phase
browser type К || die "no key reached the page"
settle 500
heard && pass "the first key's click is heard" || fail "the first key's click was not heard"
browser key Backspace
settle 500
begin_phase
browser type абвгдежзиклм 400
settle 500
end_phase clicks "12 keys 0.4 s apart" 12 "$work/site/Sound/Click1.wav"
browser key Control+a && browser key Backspace
settle 500
begin_phase
browser type нопрстуфхцчшщэюя 100
settle 500
end_phase clicks "16 keys 0.1 s apart" 16 "$work/site/Sound/Click1.wav"
browser key Control+a && browser key Backspace
settle 500

# --- a name, typed and pasted, to the main screen -------------------------------------------

# No name yet: the message box, closed by Enter, gives the keyboard back to the name field, so
# that the name below lands there.
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
browser wait "($screens).length === 2" || fail "no message box for a blank name"
browser key Enter
browser wait "($screens).length === 1" || fail "Enter did not close the message box"
wait_active Begin
browser type Владислав 50
# Pasted over the limit: the field keeps 20 characters, the name the main screen's picture has.
browser eval "navigator.clipboard.writeText(' Шишковский-Залесский')" || die "no clipboard"
browser key Control+v
settle 300
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
wait_active Vantaro
browser eval "($screens).length"
[[ $browser_said == 1 ]] && pass "the start screen gives way to the main screen" ||
    fail "$browser_said screens on show with the main screen"
box_shot "$clock_box" "$work/clock.png"
wait_until 10 "the clock to tick" box_differs "$clock_box" "$work/clock.png" &&
    pass "the clock ticks" || fail "the clock stands still"
matches_reference main "$clock_box" "$satiety_box" "$ship_box"
browser reload
[[ $browser_said == "dialog beforeunload" ]] && active_is Vantaro &&
    pass "a reload on the main screen asks first, and staying keeps the game" ||
    fail "a reload on the main screen gave: $browser_said"

# --- the shop by keyboard; a meal whole, a click cutting the next one -----------------------

box_shot "$money_box" "$work/money.png"
main_area=$(client_area)
browser key Enter
wait_active Shop
shop_area=$(client_area)
IFS=, read -r _ _ shop_w shop_h <<<"$shop_area"
((shop_w < 1024 && shop_h < 768)) && pass "the shop has a window of its own size: ${shop_w}x$shop_h" ||
    fail "the shop fills the page: $shop_area"
# Dragged by its title bar, 40 pixels left and 30 up, the shop goes with the pointer.
IFS=, read -r sx sy _ _ <<<"$shop_area"
browser drag "$((sx + 60))" "$((sy - 14))" "$((sx + 20))" "$((sy - 44))"
[[ $(client_area) == "$((sx - 40)),$((sy - 30)),$shop_w,$shop_h" ]] &&
    pass "the shop is dragged by its title bar" || fail "dragged, the shop went from $shop_area to $(client_area)"
settle 300
begin_phase
browser key Tab && browser key Tab && browser key Tab && browser key Tab && browser key Tab &&
    browser key Enter
settle 1200
end_phase whole "a breakfast bought by keyboard" "$work/site/Sound/eda1.wav"
box_differs "$money_box" "$work/money.png" "$main_area" && pass "the breakfast is paid for" ||
    fail "Tab and Enter in the shop bought no breakfast"
# The tab in the background 0.3 s into the next meal, for 1.5 s: the meal waits, and so does
# the clock; both go on once the tab is seen again.
begin_phase
browser key Enter
sleep 0.3
browser hidden on
sleep 0.2
box_shot "$clock_box" "$work/clock.png" "$main_area"
sleep 1.3
box_differs "$clock_box" "$work/clock.png" "$main_area" && fail "the clock went on in a tab the player cannot see"
browser hidden off
settle 1500
end_phase paused "a meal in a tab hidden 0.3 s in for 1.5 s" "$work/site/Sound/eda1.wav" 1200
wait_until 5 "the clock to tick again" box_differs "$clock_box" "$work/clock.png" "$main_area" &&
    pass "the clock stands while the tab cannot be seen, and goes on after" || fail "the clock stands since the tab was seen again"
IFS=, read -r mx my _ _ <<<"$main_area"
begin_phase
browser key Enter
sleep 0.3
# The jobs opener on the main screen, beside the shop: its click stops the meal.
read -r x y < <(IFS=, read -r ox oy <<<"644,72"; echo "$((mx + ox)) $((my + oy))")
browser click "$x" "$y"
settle 1500
end_phase cut "a meal cut short by a click 0.3 s in" "$work/site/Sound/eda1.wav" "$work/site/Sound/Click1.wav"
wait_active Work

# --- F1, Tab ----------------------------------------------------------------------------------

# A click on the empty black below the main screen's frames brings it to the front.
read -r x y < <(IFS=, read -r ox oy <<<"$empty"; echo "$((mx + ox)) $((my + oy))")
browser click "$x" "$y"
wait_active Vantaro
browser key F1
matches_reference main_help
for _ in 1 2 3 4 5 6; do browser key Tab && browser key Shift+Tab && browser key Tab; done
browser eval "document.getElementById('screen').contains(document.activeElement)"
[[ $browser_said == true ]] && pass "Tab and Shift+Tab stay within the game" ||
    fail "Tab took the focus out of the game: $browser_said"

# --- Esc on the start screen: the page's end of the game --------------------------------------

browser open "${web_url}index.html"
wait_active Begin
browser key Escape
browser wait "!document.getElementById('ended').hidden" || fail "Esc on the start screen did not end the game"
browser eval "document.getElementById('ended').innerText"
[[ $browser_said == *"Игра окончена"*"Начать новую игру"* ]] &&
    pass "the page says the game is over and offers a new one" || fail "the end of the game reads: $browser_said"
# The offer has the keyboard.
browser key Enter
wait_active Begin && pass "a new game starts from the page's end"

# --- offline, after one visit ------------------------------------------------------------------

# The worker that keeps the game's files.
worker_active() {
    browser eval "navigator.serviceWorker.getRegistration().then(r => !!r && !!r.active &&
        r.active.state === 'activated')" && [[ $browser_said == true ]]
}
# The page's caches, each as "VERSION CONTENT: FILES, the wasm's SHA-256".
caches_held() {
    browser eval "caches.keys().then(names => Promise.all(names.map(async n => {
        const c = await caches.open(n), w = await c.match('vantaro.wasm');
        const sum = w ? new Uint8Array(await crypto.subtle.digest('SHA-256', await w.arrayBuffer())) : [];
        return n.split(' ').slice(-2).join(' ') + ': ' + (await c.keys()).length + ', ' +
            Array.from(sum, b => b.toString(16).padStart(2, '0')).join('');
    })))"
    echo "$browser_said"
}
wasm_sum() { sha256sum "$1/vantaro.wasm" | cut -d' ' -f1; }
# What a page's worker is told to keep, as caches_held gives it: "VERSION CONTENT: FILES, SUM".
kept_by() {
    python3 - "$1/sw.js" "$(wasm_sum "$1")" <<'EOF_KEPT'
import re, sys
text = open(sys.argv[1]).read()
files = re.search(r"FILES = (\{.*?\});", text, re.S)[1].count(": ")
version = re.search(r'VERSION = "(.*)";', text)[1]
content = re.search(r'VERSION \+ " (.*)";', text)[1]
print(f'["{version} {content}: {files}, {sys.argv[2]}"]')
EOF_KEPT
}
# The game file the page plays, by its SHA-256.
served_sum() {
    browser eval "fetch('vantaro.wasm').then(r => r.arrayBuffer()).then(b => crypto.subtle.digest('SHA-256', b))
        .then(d => Array.from(new Uint8Array(d), b => b.toString(16).padStart(2, '0')).join(''))"
    echo "${browser_said//\"/}"
}

wait_until 60 "the worker to keep the game" worker_active || fail "no worker keeps the game"
browser clearcache
# The page's requests fail, and so does the browser's own look for a newer worker: the host is gone.
browser offline on
kill "$web_server_pid" && wait "$web_server_pid" 2>/dev/null || true
# By the address the host redirects: the page kept must answer it itself.
browser open "${web_url}index.html"
wait_active Begin || die "no start screen offline"
sounds_in "$sounds" " offline"
begin_phase
browser type Ю
settle 500
heard && pass "offline, the start screen shows and the first key's click is heard" ||
    fail "offline, the first key's click was not heard"
browser type ра 50
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
wait_active Vantaro && pass "offline, a name reaches the main screen"
# How many times the page has said TEXT, up to the browser's last answer; more than N times.
page_said() { browser eval 1 && grep -c -- "$1" "$work/page.log" || true; }
said_more() { (($(page_said "$1") > $2)); }
# The page says what happened, once: no newer version could be looked for, and nothing more.
wait_until 10 "the page to say it looked for no newer version" said_more "no newer version looked for" 0 || true
[[ $(page_said "no newer version looked for") == 1 && $(page_said "not kept\|could not be kept") == 0 ]] &&
    pass "offline, the page says only that it looked for no newer version" ||
    fail "offline, the page said: $(grep 'page: vantaro:' "$work/page.log" | tr '\n' ' ')"
browser offline off

# --- an update: the build before, a host part-way through a deploy, then this build -----------

# The build before: the version before's game, staged under this version's number as a rebuild
# that forgot the bump would be. Published before this one, its files are older.
cp -r -- "$older_page" "$work/older"
find "$work/older" -exec touch -h -d "@$(($(stat -c %Y "$work/site/index.html") - 86400))" {} +
ln -s "$work/older" "$work/update"
start_web_server "$work/update" --as-host || die "no second web server"
browser open "${web_url}index.html"
wait_active Begin
wait_until 60 "the build before's worker" worker_active || fail "no worker keeps the build before"
held=$(caches_held)
[[ $held == "$(kept_by "$work/older")" ]] && pass "the build before keeps its files: $held" ||
    fail "the build before keeps $held, not $(kept_by "$work/older")"
# Part-way through a deploy, the host has this build's page with the game file before it: the
# new worker keeps nothing and the page says so; the build before plays on.
mkdir "$work/deploying"
cp -r -- "$work/site/." "$work/deploying/"
cp -- "$work/older/vantaro.wasm" "$work/deploying/"
ln -sfn "$work/deploying" "$work/update"
kept_not=$(page_said "could not be kept")
browser open "${web_url}index.html"
wait_until 30 "the page to say the game could not be kept" said_more "could not be kept" "$kept_not" &&
    [[ $(caches_held) == "$held" ]] &&
    pass "a host part-way through a deploy: the page says so, and the build before is kept alone" ||
    fail "a host part-way through a deploy: the caches hold $(caches_held); the page said $(grep 'page: vantaro:' "$work/page.log" | tail -n 2 | tr '\n' ' ')"
# The host now serves this build whole. The page open still runs the one kept; the new build
# takes over once no page of the old one is open.
ln -sfn "$work/site" "$work/update"
browser open "${web_url}index.html"
waiting() { browser eval "navigator.serviceWorker.getRegistration().then(r => !!r.waiting)" && [[ $browser_said == true ]]; }
wait_until 60 "the new build's worker" waiting || fail "no new worker waits"
[[ $(served_sum) == "$(wasm_sum "$work/older")" ]] && pass "a page open while the new build arrives plays the build before" ||
    fail "the page open while the new build arrived plays the game $(served_sum)"
browser close
newer() { browser open "${web_url}index.html" && [[ $(served_sum) == "$(wasm_sum "$work/site")" ]] || { browser close; false; }; }
wait_until 30 "this build's page" newer || fail "the page plays the game $(served_sum), not $(wasm_sum "$work/site")"
wait_active Begin
held=$(caches_held)
[[ $held == "$(kept_by "$work/site")" ]] && pass "after the update the cache holds this build's files alone: $held" ||
    fail "after the update the caches hold $held, not $(kept_by "$work/site")"
# The game itself is the new one: its About panel's version, in the help's picture.
browser type Владислав 50
browser eval "navigator.clipboard.writeText(' Шишковский-Залесский')"
browser key Control+v
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
wait_active Vantaro
browser key F1
matches_reference main_help

# --- the end of a game on the main screen, and a crash -------------------------------------------

# The main screen closed by its title bar's cross ends the game: a new one then starts with no
# question. So does a reload once the game has stopped on an error, reported as the game's
# runtime reports one.
IFS=, read -r bx by bw _ <<<"$(client_area)"
browser click "$((bx + bw - 9))" "$((by - 14))"
browser wait "!document.getElementById('ended').hidden" || fail "closing the main screen did not end the game"
browser key Enter
wait_active Begin
browser type Ян 50
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
wait_active Vantaro
browser eval "window.vantaroGame.onAbort('a planted fault')"
browser reload
[[ $browser_said == reloaded ]] && pass "the main screen's end, a new game and its crash: leaving asks nothing" ||
    fail "a reload after the game stopped on an error gave: $browser_said"

# --- a click's file that is no sound ----------------------------------------------------------

# A host whose click is no sound (an upload gone wrong): the keys are silent, and a meal goes on
# whole past the click of the jobs opener, as on the desktop.
mkdir "$work/broken"
cp -r -- "$work/site/." "$work/broken/"
printf 'RIFF\x10\x00\x00\x00WAVEjunkjunkjunk' >"$work/broken/Sound/Click1.wav"
start_web_server "$work/broken" || die "no web server for the broken click"
browser open "${web_url}index.html"
wait_active Begin
sounds_in "$((sounds - 1))" " but the click"
# The first key opens the page's audio, which is the browser's to start.
browser type Я
settle 500
begin_phase
browser type нвар 300
settle 500
end_phase silent "keys whose click is no sound"
read -r x y < <(page_point "$confirm")
browser click "$x" "$y"
wait_active Vantaro
IFS=, read -r mx my _ _ <<<"$(client_area)"
browser key Enter
wait_active Shop
begin_phase
browser key Tab && browser key Tab && browser key Tab && browser key Tab && browser key Tab &&
    browser key Enter
sleep 0.3
read -r x y < <(IFS=, read -r ox oy <<<"644,72"; echo "$((mx + ox)) $((my + oy))")
browser click "$x" "$y"
settle 1500
end_phase whole "a meal past a click that is no sound" "$work/site/Sound/eda1.wav"
wait_active Work
stop_browser

# --- by touch: a phone in landscape, then upright; a tablet ----------------------------------

# Every screen on show, title bar and borders included, lies within the page, once the page
# has fitted them.
outside="(($screens || []).filter(s => s.x - $frame_side < 0 || s.y - $frame_top < 0 ||
    s.x + s.width + $frame_side > innerWidth || s.y + s.height + $frame_side > innerHeight)
    .map(s => s.name + ' ' + [s.x, s.y, s.width, s.height] + ' in ' + innerWidth + 'x' + innerHeight))"
in_page() { # WHAT
    browser_within 5 wait 3 "$outside.length === 0" || true
    browser eval "$outside"
    [[ $browser_said == "[]" ]] && pass "$1 lies within the page" || fail "$1 is not within the page: $browser_said"
}
tap_at() { # X,Y of the active screen's client area
    local x y
    read -r x y < <(page_point "$1")
    browser tap "$x" "$y"
}
# The active screen as the device shows it, zoomed and at its own pixels, with the moving
# BOXES (client coordinates) blacked out.
fitted_shot() { # FILE BOXES...
    local file=$1 area ax ay crop cx cy draw=() box x y w h
    shift
    area=$(client_area)
    IFS=, read -r ax ay _ _ <<<"$area"
    browser pixels "$area" && crop=$browser_said
    IFS=+ read -r _ cx cy <<<"$crop"
    for box in "$@"; do
        IFS=, read -r x y w h <<<"$box"
        browser pixels "$((ax + x)),$((ay + y)),$w,$h"
        IFS='x+' read -r w h x y <<<"$browser_said"
        draw+=(-draw "rectangle $((x - cx)),$((y - cy)) $((x - cx + w - 1)),$((y - cy + h - 1))")
    done
    browser shot "$work/page.png" &&
        convert "$work/page.png" -crop "$crop" +repage -fill black "${draw[@]}" "$file"
}
fitted=1
start_web_server "$work/site" || die "no web server for the touch phase"
start_browser 1 --sound --device "Pixel 7 landscape"
browser open "${web_url}index.html"
wait_active Begin
in_page "on a phone in landscape, the start screen"
matches_reference begin_phone "$caret_box"
# A tap on the name field opens the keyboard: a word at once, a composition, letters one at a
# time and Backspace reach it, each held to the field's 20 characters.
tap_at 250,16
browser eval "document.activeElement.id + ': ' + document.activeElement.getAttribute('aria-label')"
[[ $browser_said == '"vantaro-text: Накапай сюда своё имя >>>"' ]] &&
    pass "a tap on the name field gives the keyboard an element named by the field's caption" ||
    fail "a tap on the name field left the browser's focus on $browser_said"
browser words Иван && browser compose " Петрович" && browser type ъ && browser key Backspace &&
    browser words " Сидоровский" && browser type в
settle 300
tap_at "$confirm"
wait_active Vantaro
in_page "on a phone in landscape, the main screen"
matches_reference main_phone "$clock_box" "$satiety_box" "$ship_box"
# Taps open the shop and buy a breakfast, heard whole.
tap_at 644,48
wait_active Shop
in_page "the shop"
settle 300
begin_phase
tap_at 88,28
settle 1200
end_phase whole "a breakfast bought by a tap" "$work/site/Sound/eda1.wav"
# A finger drags the shop by its title bar, 40 pixels left and 30 up, and its cross closes it.
shop_area=$(client_area)
IFS=, read -r sx sy sw sh <<<"$shop_area"
browser swipe "$((sx + 60))" "$((sy - 14))" "$((sx + 20))" "$((sy - 44))"
[[ $(client_area) == "$((sx - 40)),$((sy - 30)),$sw,$sh" ]] && pass "a finger drags the shop by its title bar" ||
    fail "dragged by a finger, the shop went from $shop_area to $(client_area)"
browser tap "$((sx - 40 + sw - 9))" "$((sy - 30 - 14))"
wait_active Vantaro && pass "a tap on the title bar's cross closes the shop"
# Upright, the phone asks to be turned; turned back, the game fits again.
turned() { browser eval "getComputedStyle(document.getElementById('turn')).display !== 'none' &&
    document.getElementById('turn').innerText"; }
browser turn
turned
[[ $browser_said == *"Поверните телефон"* ]] && pass "a phone held upright asks to be turned" ||
    fail "a phone held upright shows no line asking to turn it: $browser_said"
# A long press on that line, as on the game, opens no menu of the browser's.
browser press "$(browser eval "innerWidth >> 1" && echo "$browser_said") $(browser eval "innerHeight >> 1" && echo "$browser_said")"
browser eval "window.vantaroMenus"
[[ $browser_said == "[true]" ]] && pass "a long press opens no menu" ||
    fail "a long press let the browser's menu through: $browser_said"
browser turn
turned
[[ $browser_said == false ]] || fail "a phone turned back still asks to be turned"
in_page "turned back, the main screen"
stop_browser
# Held upright, a tablet fits the game. The first tap, on the name field, is the gesture after
# which the browser lets the page play: the next tap's click is heard.
start_browser 1 --sound --device "Galaxy Tab S4"
browser open "${web_url}index.html"
wait_active Begin
sounds_in
tap_at 250,16
browser words Ян
settle 300
begin_phase
tap_at "$confirm"
wait_active Vantaro
settle 500
heard && pass "the tap after the first is heard" || fail "the tap after the first, on the start screen's button, was not heard"
in_page "on a tablet, the main screen"
stop_browser

python3 "$e2e_dir/sound_count.py" "$work/rec.raw" "$rate" "$work/marks" "$work/server.log" ||
    failures=$((failures + 1))
((failures == 0))
