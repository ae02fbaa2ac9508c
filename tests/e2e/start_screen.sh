#!/usr/bin/env bash
# Drives the real game through its start screen under a private virtual X server, the way a
# player would: keyboard and mouse go through XTEST, windows are found by their titles.
# Usage: start_screen.sh /path/to/vantaro
# Needs: Xvfb (xvfb), xdotool, xwininfo and xev (x11-utils), xmodmap (x11-xserver-utils),
# import and convert (imagemagick).
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -ne 1 ]]; then
    echo "usage: $0 /path/to/vantaro" >&2
    exit 2
fi
game=$(realpath -e -- "$1")
[[ -x $game ]] || { echo "FAIL: $game is not executable" >&2; exit 2; }
for tool in Xvfb xdotool xwininfo xev xmodmap import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done

# Window titles, as xdotool regexes (POSIX extended).
readonly start_title_re='^ {53}Введите своё имя$'
start_title="$(printf "%53s" "")Введите своё имя"
readonly start_title
readonly main_title_re='^Vantaro$'
readonly blank_title_re='^Не понял\?\.\.\.$'

# Points inside the start screen's controls (client coordinates; no window manager, so the
# client area starts at the window's origin).
readonly field_x=260 field_y=17   # Text1: (184,8) 153x19
readonly confirm_x=212 confirm_y=60 # Label2 "УСЁ!": (8,48) 409x25, and (10,43) while pressed
# The player's name on the main screen: lblName, (472,0) 193x17, less the column it shares with
# the white caption on its left.
readonly name_crop=192x17+473+0

e2e_begin start-screen
xev_pid=
failures=0
set -E
trap 'echo "FAIL: unexpected error in line $LINENO: $BASH_COMMAND"' ERR

# A failed step leaves the rest of the case meaningless: report it and stop the case.
abort_case() {
    fail "$*"
    if [[ -n $game_pid ]]; then
        echo "---- game output ----"
        cat "$work/game.log" 2>/dev/null || true
        echo "---------------------"
    fi
    stop_game
}

# --- X server -------------------------------------------------------------------------------

start_xvfb 1024x768
root_id=$(($(xwininfo -root | awk '/Window id:/ {print $4}')))

russian_keys

# A working directory that is not the repository.
mkdir "$work/cwd"
cd "$work/cwd"

# --- helpers --------------------------------------------------------------------------------

# Mapped top-level windows (direct children of the root: there is no window manager).
toplevels() { xdotool search --maxdepth 1 --onlyvisible --name '' 2>/dev/null | grep -vx "$root_id" || true; }

# Starts the game and checks that its only window is the start screen; sets start_win.
start_game() {
    "$game" >"$work/game.log" 2>&1 &
    game_pid=$!
    start_win=$(wait_window "$start_title_re" 60) || { abort_case "start screen did not appear"; return 1; }
    local title geometry all
    title=$(xdotool getwindowname "$start_win")
    [[ $title == "$start_title" ]] || { abort_case "start screen title is '$title'"; return 1; }
    geometry=$(xdotool getwindowgeometry --shell "$start_win" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
    [[ $geometry == "WIDTH=425 HEIGHT=82 " ]] || { abort_case "start screen is $geometry"; return 1; }
    all=$(toplevels)
    [[ $all == "$start_win" ]] || { abort_case "windows on screen at start: $(tr '\n' ' ' <<<"$all")"; return 1; }
    # Without a window manager nobody hands out focus, so give it to the start screen here.
    xdotool windowfocus "$start_win"
}

# Types a name into Text1: a click puts the caret there, XTEST delivers the keys.
type_name() {
    xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
    xdotool type --delay 30 -- "$1"
}

# Presses and releases mouse button 1 on "УСЁ!".
press_confirm() {
    xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1
    xdotool mouseup 1
}

# Counts the pixels of the player's name on the main screen: prints "<red> <white>".
name_colours() {
    local shot="$work/name.png"
    import -window "$1" -crop "$name_crop" +repage "$shot" 2>/dev/null || { echo "0 0"; return; }
    convert "$shot" -format %c histogram:info:- | awk '
        match($0, /\(([0-9]+),([0-9]+),([0-9]+)/) {
            split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
            n = $1 + 0
            if (c[1] >= 200 && c[2] <= 40 && c[3] <= 40) red += n
            if (c[1] >= 200 && c[2] >= 200 && c[3] >= 200) white += n
        }
        END { print red + 0, white + 0 }'
}

# Waits until the name is drawn, then checks it is in the expected colour ("red" or "white").
check_name_colour() {
    local win=$1 want=$2 red=0 white=0
    local deadline=$((SECONDS + e2e_wait))
    while ((SECONDS <= deadline)); do
        read -r red white < <(name_colours "$win")
        ((red + white > 0)) && break
        sleep 0.2
    done
    case $want in
        red) ((red > 0 && white == 0)) ;;
        white) ((white > 0 && red == 0)) ;;
    esac || { abort_case "player's name should be $want (red px: $red, white px: $white)"; return 1; }
}

# --- cases ----------------------------------------------------------------------------------

# A name leads to the main screen; `colour` is how the main screen shows that name.
case_name_opens_main() {
    local name=$1 colour=$2 main_win all geometry
    start_game || return 0
    type_name "$name"
    press_confirm
    main_win=$(wait_window "$main_title_re") || { abort_case "[$name] main window did not appear"; return 0; }
    wait_no_window "$start_title_re" || { abort_case "[$name] start screen still shown with the main window"; return 0; }
    all=$(toplevels)
    [[ $all == "$main_win" ]] || { abort_case "[$name] windows on screen: $(tr '\n' ' ' <<<"$all")"; return 0; }
    geometry=$(xdotool getwindowgeometry --shell "$main_win" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
    [[ $geometry == "WIDTH=727 HEIGHT=482 " ]] || { abort_case "[$name] main window is $geometry"; return 0; }
    check_name_colour "$main_win" "$colour" || return 0
    game_alive || { abort_case "[$name] the game died after showing the main window"; return 0; }
    stop_game
    wait_no_window "$main_title_re" || { abort_case "[$name] main window outlived the game"; return 0; }
    pass "name '$name' opens the main window and the start screen closes"
}

case_escape_quits() {
    start_game || return 0
    # Record every window the game maps from now on: none may appear after Esc. A root property
    # change shows when xev is listening (the start screen is already mapped by then).
    xev -root -event substructure -event property >"$work/xev.log" 2>&1 &
    xev_pid=$!
    local deadline=$((SECONDS + e2e_wait))
    until grep -q '_VANTARO_E2E_PROBE' "$work/xev.log" 2>/dev/null; do
        if ((SECONDS > deadline)); then
            abort_case "xev did not start listening"
            return 0
        fi
        xprop -root -f _VANTARO_E2E_PROBE 8s -set _VANTARO_E2E_PROBE "$SECONDS"
        sleep 0.1
    done
    xdotool windowfocus "$start_win"
    xdotool key Escape
    if ! wait_gone "$game_pid" "$e2e_wait" "the game, after Esc,"; then
        abort_case "the game did not end after Esc"
        stop_all "$xev_pid"
        return 0
    fi
    game_pid=
    local game_rc=$gone_rc
    stop_all "$xev_pid"
    xev_pid=
    if ((game_rc != 0)); then
        fail "after Esc the game exited with code $game_rc"
        cat "$work/game.log"
        return 0
    fi
    if grep -q 'MapNotify' "$work/xev.log"; then
        fail "a window was shown after Esc:"
        grep -A2 'MapNotify' "$work/xev.log"
        return 0
    fi
    if [[ -n $(visible_windows "$main_title_re") ]]; then
        fail "a Vantaro window is on screen after Esc"
        return 0
    fi
    pass "Esc on the start screen ends the game with code 0 and no other window"
}

case_blank_name_complains() {
    local box ids
    start_game || return 0
    press_confirm
    box=$(wait_window "$blank_title_re") || { abort_case "no 'Не понял?...' box for a blank name"; return 0; }
    ids=$(visible_windows "$main_title_re")
    [[ -z $ids ]] || { abort_case "the main window opened with a blank name"; return 0; }
    [[ -n $(visible_windows "$start_title_re") ]] || { abort_case "the start screen went away behind the box"; return 0; }
    # OK puts the player back on the start screen.
    xdotool windowfocus "$box"
    xdotool key Return
    wait_no_window "$blank_title_re" || { abort_case "Enter did not close the 'Не понял?...' box"; return 0; }
    [[ -n $(visible_windows "$start_title_re") ]] || { abort_case "start screen gone after the box"; return 0; }
    [[ -z $(visible_windows "$main_title_re") ]] || { abort_case "the main window opened after the box"; return 0; }
    game_alive || { abort_case "the game exited after the box"; return 0; }
    stop_game
    pass "a blank name shows 'Не понял?...' and keeps the start screen"
}

# --- focus: the keyboard's, never the mouse's ------------------------------------------------

# Counts the pixels of one colour (#RRGGBB) in a window's area: used on the left edge of a
# centred button-like label, where only its dotted focus ring ever draws.
ring_dots() { # WINDOW GEOMETRY COLOUR
    import -window "$1" -crop "$2" +repage "$work/edge.png" 2>/dev/null || { echo 0; return; }
    convert "$work/edge.png" -format %c histogram:info:- |
        awk -v want="$3" 'index(toupper($0), want) { n += $1 } END { print n + 0 }'
}

# After the blank-name message the letters typed next land in the field; no ring shows at rest
# after mouse use, and Tab brings one.
case_focus_after_blank_name() {
    local box main_win dots=0 deadline
    start_game || return 0
    press_confirm
    box=$(wait_window "$blank_title_re" 10) || { abort_case "no 'Не понял?...' box"; return 0; }
    xdotool windowfocus "$box"
    xdotool key Return
    wait_no_window "$blank_title_re" 5 || { abort_case "Enter did not close the box"; return 0; }
    # A window manager would hand the focus back to the start screen; here nobody does.
    xdotool windowfocus "$start_win"
    dots=$(ring_dots "$start_win" 1x25+8+48 '#FFFFFF')
    ((dots == 0)) || { abort_case "'УСЁ!' shows a focus ring after a mouse press ($dots dots)"; return 0; }
    xdotool type --delay 30 -- 'Петя'
    press_confirm
    main_win=$(wait_window "$main_title_re" 10) ||
        { abort_case "the letters typed after the box did not reach the field"; return 0; }
    check_name_colour "$main_win" white || return 0
    # The openers, yellow on dark blue: "М А Г А З И Н" at (568,40), "Р А Б О Т А" at (568,64).
    dots=$(ring_dots "$main_win" 1x17+568+40 '#FFFF00')
    ((dots == 0)) || { abort_case "'М А Г А З И Н' shows a focus ring at rest ($dots dots)"; return 0; }
    xdotool windowfocus "$main_win"
    xdotool key Tab
    deadline=$((SECONDS + 10))
    until (($(ring_dots "$main_win" 1x17+568+64 '#FFFF00') > 0)); do
        ((SECONDS <= deadline)) || { abort_case "Tab shows no focus ring on 'Р А Б О Т А'"; return 0; }
        sleep 0.2
    done
    stop_game
    pass "after the blank-name message typing goes on in the field; a focus ring only on Tab"
}

# Last, since it ends the X server: the game ends as the toolkit ends it when its display goes
# away (code 1), and does not crash closing windows on a display that is gone.
case_display_goes_away() {
    start_game || return 0
    type_name 'Петя'
    stop_all "$xvfb_pid"
    xvfb_pid=
    wait_gone "$game_pid" "$e2e_wait" "the game after its display went away" ||
        { abort_case "the game outlived its display"; return 0; }
    game_pid=
    [[ $gone_rc == 1 ]] || { fail "the game ended with code $gone_rc when its display went away"; return 0; }
    pass "the game ends with code 1 when its display goes away"
}

echo "Running $game on $DISPLAY from $PWD"
case_name_opens_main 'Петя' white
case_name_opens_main 'Ксут' red
case_escape_quits
case_blank_name_complains
case_focus_after_blank_name
case_display_goes_away

if ((failures > 0)); then
    echo "FAIL: $failures case(s) failed"
    exit 1
fi
echo "PASS: all start screen cases"
