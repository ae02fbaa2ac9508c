#!/usr/bin/env bash
# The browser game's zip as a game portal gets it, unpacked into a fresh folder, served from
# 127.0.0.1 and played in Debian's headless Chromium into a private PulseAudio with a null sink:
# the loading bar, then the start screen as its picture; a typed and pasted Cyrillic name (the
# paste held to the 20-character limit) reaches the main screen, whose clock ticks and which
# matches its picture; the shop opens in a window of its own size and a breakfast is bought by
# keyboard; F1 is the game's help, not the browser's; Tab never leaves the page; Esc on the start
# screen ends the game and the page says so and offers a new one. What is heard is counted as
# on the desktop: a click per key, the first key's included; a meal whole; a click cutting it.
# Usage: web.sh /path/to/vantaro-VERSION-web.zip /path/to/tests/pictures
# Needs: chromium, node with NODE_PATH naming playwright-core's folder, python3, unzip,
# convert and compare (imagemagick), pulseaudio, pactl, pacat and parec.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 /path/to/vantaro-VERSION-web.zip /path/to/pictures" >&2; exit 2; }
zip=$(realpath -e -- "$1")
pictures=$(realpath -e -- "$2")
for tool in chromium node python3 unzip convert compare pulseaudio pactl pacat parec; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done
readonly rate=48000 sink=vantaro_web
# In client coordinates: the start screen's "УСЁ!" and the name field's blinking caret; the main screen's moving parts (clock,
# satiety, ship), its money and an empty spot below the frames that no other screen covers.
readonly confirm=212,60 caret_box=186,10,6,15 clock_box=152,0,176,17 satiety_box=146,40,110,24 ship_box=570,162,150,150
readonly money_box=146,64,110,24 empty=20,470

# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_begin web
die() {
    echo "FAIL: $*"
    [[ -s $work/server.log ]] && tail -n 20 "$work/server.log"
    exit 1
}

mkdir "$work/site"
unzip -q "$zip" -d "$work/site"
[[ -f $work/site/index.html ]] && pass "the zip has index.html at its top" ||
    die "no index.html at the zip's top: $(unzip -Z1 "$zip" | head -n 5 | tr '\n' ' ')"
start_web_server "$work/site" || die "no web server"
start_sound_server pulseaudio "$sink" "$rate" || die "no sound server"
: >"$work/rec.raw"
start_recorder
start_browser 1 --sound

# The page's view of its screens, the active one last.
screens=window.vantaroGame.vantaroScreens
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
# nothing moves.
matches_reference() { # NAME MOVING_BOXES...
    local name=$1 deadline=$((SECONDS + e2e_wait))
    shift
    shot_screen "$work/$name.png"
    while ((SECONDS < deadline)); do
        sleep 0.3
        shot_screen "$work/$name-next.png"
        masked "$work/$name.png" "$work/a.png" 1 "$@"
        masked "$work/$name-next.png" "$work/b.png" 1 "$@"
        mv -f "$work/$name-next.png" "$work/$name.png"
        [[ $(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1) == 0 ]] && break
    done
    same_as_reference "$work/$name.png" "$pictures" "$name" "$@"
}
box_shot() { # BOX FILE
    shot_screen "$work/screen.png" && convert "$work/screen.png" -crop "$(crop_geometry "$1" 1)" +repage "$2"
}
box_differs() { # BOX FILE
    box_shot "$1" "$work/box-now.png" && [[ $(compare -metric AE "$2" "$work/box-now.png" null: 2>&1) != 0 ]]
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
box_differs "$money_box" "$work/money.png" && pass "the breakfast is paid for" ||
    fail "Tab and Enter in the shop bought no breakfast"
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

python3 "$e2e_dir/sound_count.py" "$work/rec.raw" "$rate" "$work/marks" || failures=$((failures + 1))
((failures == 0))
