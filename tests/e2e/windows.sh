#!/usr/bin/env bash
# The Windows game as a player gets it: the zip unpacked into a fresh folder and started from
# another working directory, under Wine on a private virtual X server, driven by keyboard and
# mouse through XTEST (Wine takes no events sent to one window).
# Usage: windows.sh /path/to/vantaro-VERSION-win64.zip /path/to/tests/pictures
# Needs: wine, Xvfb, xdotool, xmodmap, import, convert and compare (imagemagick), unzip,
# x86_64-w64-mingw32-objdump and -windres.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -ne 2 ]]; then
    echo "usage: $0 /path/to/vantaro-VERSION-win64.zip /path/to/tests/pictures" >&2
    exit 2
fi
zip=$(realpath -e -- "$1")
pictures=$(realpath -e -- "$2")
for tool in wine Xvfb xdotool xmodmap import convert compare unzip x86_64-w64-mingw32-objdump \
    x86_64-w64-mingw32-windres; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done

readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
readonly shop_title_re='^ {50}Магазин\. Поел и порядок\.\.\.$'
# Client coordinates: the start screen's name field and "УСЁ!".
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60
# What moves on the main screen by itself, "x,y,w,h": the date and the clock, the satiety that
# falls each day, and the turning ship.
readonly clock_box=152,0,176,17 satiety_box=146,40,110,24 ship_box=570,162,150,150
# The money, which a breakfast takes from.
readonly money_box=146,64,110,24

e2e_begin windows
failures=0
die() {
    fail "$*"
    if [[ -s $work/game.log ]]; then
        echo "---- game output ----"
        tail -n 40 "$work/game.log"
    fi
    exit 1
}

# --- the files ------------------------------------------------------------------------------

start_xvfb 1024x768 || die "no X server"
russian_keys
start_wine || die "no Wine"
# A fresh folder with a blank and Cyrillic letters in its name, as a player's may have.
folder="$work/Мои игры/Vantaro"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
exe="$folder/vantaro.exe"
[[ -f $exe && -f $folder/Sound/Click1.wav ]] || die "the zip holds no vantaro.exe beside Sound\\"

# A GUI program (no console window) that needs nothing beyond Windows' own libraries: every
# library the game or its sound module imports is one that Windows (here, Wine) has itself, in
# its system folder or among the API sets (api-ms-win-*) that its loader resolves by name.
system32="$WINEPREFIX/drive_c/windows/system32"
for file in "$exe" "$folder"/*.dll; do
    [[ -f $file ]] || continue
    x86_64-w64-mingw32-objdump -p "$file" >"$work/objdump.txt"
    foreign=()
    while read -r dll; do
        [[ -e $system32/${dll,,} || ${dll,,} == api-ms-win-* ]] || foreign+=("$dll")
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/objdump.txt")
    if ((${#foreign[@]} > 0)); then
        fail "$(basename "$file") needs libraries Windows does not have: ${foreign[*]}"
    else
        pass "$(basename "$file") imports only Windows' own libraries"
    fi
done
# Explorer shows the game's icon and the version the zip is named after.
version=${zip##*/vantaro-}
version=${version%-win64.zip}
x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/resources.rc"
if grep -q 'RT_GROUP_ICON' "$work/resources.rc" &&
    grep -qF "VALUE \"ProductVersion\", \"$version\"" "$work/resources.rc"; then
    pass "vantaro.exe carries the icon and version $version"
else
    fail "vantaro.exe lacks its icon or version $version: $(grep -m1 ProductVersion "$work/resources.rc")"
fi
if grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]' <(x86_64-w64-mingw32-objdump -p "$exe"); then
    pass "vantaro.exe is a GUI program"
else
    fail "vantaro.exe is not a GUI program: $(grep '^Subsystem' <(x86_64-w64-mingw32-objdump -p "$exe"))"
fi

# --- the game -------------------------------------------------------------------------------

mkdir "$work/elsewhere"
cd "$work/elsewhere"
start_game() {
    wine "$exe" >"$work/game.log" 2>&1 &
    game_pid=$!
    start_win=$(wait_window "$start_title_re" 60) || die "no start screen"
}

# The masked shot of a window against its reference picture: no pixel further off than a level
# or two (text blended on another processor may round differently).
matches_reference() { # WINDOW NAME MOVING_BOXES...
    local win=$1 name=$2 diff
    shift 2
    settled_shot "$win" "$work/$name.png" 1 "$@" || return 1
    masked "$work/$name.png" "$work/$name-seen.png" 1 "$@"
    masked "$pictures/$name.png" "$work/$name-want.png" 1 "$@"
    diff=$(compare -metric AE -fuzz 1% "$work/$name-seen.png" "$work/$name-want.png" null: 2>&1) || true
    if [[ $diff == 0 ]]; then
        pass "the $name screen matches its picture"
    else
        fail "the $name screen differs from its picture in $diff pixels"
        cp "$work/$name.png" "${VANTARO_KEEP_SHOTS:-$work}/" 2>/dev/null || true
    fi
}

# A box of a window, "x,y,w,h", grabbed into FILE; and whether it now differs from that FILE.
grab_box() { grab -window "$1" -crop "$(crop_geometry "$2" 1)" +repage "$3"; }
box_differs() { # WINDOW BOX FILE
    grab_box "$1" "$2" "$work/box-now.png" &&
        [[ $(compare -metric AE "$3" "$work/box-now.png" null: 2>&1) != 0 ]]
}

start_game
matches_reference "$start_win" begin
# The name the main screen's picture was taken with.
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool type --delay 40 -- 'Владислав Шишковский'
xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1 mouseup 1
main_win=$(wait_window "$main_title_re") || die "no main screen after the name"
wait_no_window "$start_title_re" || die "the start screen stays with the main screen"
grab_box "$main_win" "$clock_box" "$work/clock.png"
wait_until 10 "the clock to tick" box_differs "$main_win" "$clock_box" "$work/clock.png" &&
    pass "the clock ticks" || fail "the clock stands still"
matches_reference "$main_win" main "$clock_box" "$satiety_box" "$ship_box"

# A breakfast by keyboard: Enter on the focused shop opener, Tab round the shop's buttons to the
# breakfast again, Enter; the money goes down by its price. Shift+Tab to the way back, Enter.
grab_box "$main_win" "$money_box" "$work/money.png"
xdotool key Return
wait_window "$shop_title_re" >/dev/null || die "Enter on the main screen opened no shop"
xdotool key Tab Tab Tab Tab Tab Return
wait_until 10 "the money to change" box_differs "$main_win" "$money_box" "$work/money.png" &&
    pass "a breakfast is bought by keyboard" || fail "Tab and Enter in the shop bought no breakfast"
xdotool key shift+Tab Return
wait_no_window "$shop_title_re" || die "Shift+Tab and Enter did not leave the shop"

# F1 on the main screen: the help over all of it. A click on the empty black below the frames
# gives the main screen the keyboard.
xdotool mousemove --window "$main_win" 400 470 click 1
xdotool key F1
matches_reference "$main_win" main_help
game_alive || die "the game died"
stop_game

# Esc on the start screen ends the game, with code 0.
start_game
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool key Escape
wait_gone "$game_pid" "$e2e_wait" "the game after Esc" || die "Esc did not end the game"
game_pid=
((gone_rc == 0)) && pass "Esc on the start screen ends the game" ||
    fail "after Esc the game ended with code $gone_rc"

if ((failures > 0)); then
    echo "FAIL: $failures check(s) of the Windows game failed"
    exit 1
fi
echo "PASS: the Windows game from its zip"
