#!/usr/bin/env bash
# Plays the start of a game under a virtual X server with a screen reader's view of it, over a
# private D-Bus session and accessibility bus: the main screen's labels read through AT-SPI
# after the start and after breakfasts, the button-like labels announced as buttons, and their
# press actions doing what a click does.
# Usage: atspi.sh /path/to/vantaro
# Needs: dbus-daemon, dbus-send (dbus-bin), at-spi-bus-launcher and at-spi2-registryd
# (at-spi2-core), python3-dbus, Xvfb (xvfb), xdotool.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -ne 1 ]]; then
    echo "usage: $0 /path/to/vantaro" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
game=$(realpath -e -- "$1")
[[ -x $game ]] || { echo "FAIL: $game is not executable" >&2; exit 2; }
readonly bus_launcher=/usr/libexec/at-spi-bus-launcher
[[ -x $bus_launcher ]] || { echo "FAIL: $bus_launcher is missing (at-spi2-core)" >&2; exit 2; }
for tool in Xvfb xdotool dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done
# The system Python: that is where Debian's python3-dbus lives, whatever else is on PATH.
readonly python=/usr/bin/python3
"$python" -c 'import dbus' 2>/dev/null || { echo "FAIL: $python cannot import dbus (python3-dbus)" >&2; exit 2; }

# Titles as xdotool regexes, and as the accessible names of the windows.
readonly start_title_re='^ {53}Введите своё имя$'
start_title="$(printf '%53s' '')Введите своё имя"
readonly start_title
readonly main_title='Vantaro'
readonly main_title_re='^Vantaro$'
readonly shop_title_re='^ {50}Магазин\. Поел и порядок\.\.\.$'
shop_title="$(printf '%50s' '')Магазин. Поел и порядок..."
readonly shop_title

# Client coordinates: the name field Text1 (184,8) 153x19 and "УСЁ!" (8,48) 409x25 on the start
# screen, the opener "М А Г А З И Н" (568,40) 153x17 on the main screen, "Купить завтрак"
# (8,16) 161x25 and "<<< Н А З А Д" (8,184) 449x17 in the shop.
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60
readonly shop_opener_x=644 shop_opener_y=48
readonly breakfast_x=88 breakfast_y=28
readonly shop_back_x=100 shop_back_y=192

readonly player=Petya
readonly openers=("М А Г А З И Н" "Р А Б О Т А" "К В А Р Т И Р К А" "К О Р А Б Л Ь" "У Ч Ё Б А")
readonly shop_opener="М А Г А З И Н"
readonly confirm_text="УСЁ!"
readonly shop_back_text="<<< Н А З А Д"
readonly breakfast_text="Купить завтрак"

e2e_begin atspi
session_pid=
launcher_pid=
failures=0
set -E
trap 'echo "FAIL: unexpected error in line $LINENO: $BASH_COMMAND"' ERR

# A failure after which nothing else can be checked.
give_up() {
    fail "$*"
    echo "FAIL: $failures check(s) failed"
    exit 1
}
on_exit() {
    if ((failures > 0)) && [[ -s $work/game.log ]]; then
        echo "---- game output ----"
        cat "$work/game.log"
        echo "---------------------"
    fi
}

# --- X server, accessibility bus ------------------------------------------------------------

start_xvfb 1024x768 || give_up "Xvfb did not start"
# The bus launcher puts its socket in the runtime folder, the run's own. Nothing from the caller
# may point the game elsewhere or switch its bridge off.
unset AT_SPI_BUS_ADDRESS NO_AT_BRIDGE QT_ACCESSIBILITY QT_LINUX_ACCESSIBILITY_ALWAYS_ON

# A session bus of our own, so no desktop's bus is touched and parallel runs never meet. Run
# as our child (not through dbus-run-session) so that whoever stops this script stops it too.
: >"$work/session"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/session" \
    >"$work/session.log" 2>&1 &
session_pid=$!
session_ready() { [[ -s $work/session ]] || ! kill -0 "$session_pid" 2>/dev/null; }
wait_until "$e2e_wait" "the session bus to report its address" session_ready || true
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session")
[[ -n $DBUS_SESSION_BUS_ADDRESS ]] || { cat "$work/session.log"; give_up "the session bus did not start"; }
export DBUS_SESSION_BUS_ADDRESS

# Started here rather than by D-Bus activation so that it ends with the test. Asking for the
# address before it owns its name would activate a second one, hence the wait for the name.
"$bus_launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
launcher_pid=$!
a11y_address=
a11y_ready() {
    if dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; then
        a11y_address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress | tr -d ' ')
        return 0
    fi
    ! kill -0 "$launcher_pid" 2>/dev/null
}
wait_until "$e2e_wait" "the accessibility bus (org.a11y.Bus)" a11y_ready || true
[[ -n $a11y_address ]] || { cat "$work/launcher.log"; give_up "the accessibility bus did not come up"; }

mkdir "$work/cwd"
cd "$work/cwd"

# --- helpers --------------------------------------------------------------------------------

atspi() { "$python" "$here/atspi_read.py" "$1" "$game_pid" "${@:2}"; }

# Polls `atspi ARGS...` until what it prints matches the glob $1; the last output (or error)
# is left in $last.
last=
wait_atspi() {
    local pattern=$1 timeout=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    while ((SECONDS <= deadline)); do
        # shellcheck disable=SC2053 # a glob on purpose
        last=$(atspi "$@" 2>&1) && [[ $last == $pattern ]] && return 0
        game_alive || return 1
        sleep 0.2
    done
    return 1
}

press() {
    xdotool mousemove --window "$1" "$2" "$3" mousedown 1
    xdotool mouseup 1
}

# Reads the status column of the main screen until money and satiety read as expected; $1 is
# the money, $2 the satiety on day 1. A day ends every 24 s of play and takes 2 satiety, so the
# day is read before and after and the satiety expected for the day that was read.
check_status() {
    local when=$1 money=$2 satiety_day1=$3 day1 sat cash name day2 want
    local deadline=$((SECONDS + e2e_wait))
    while ((SECONDS <= deadline)); do
        # "|| true": a failure must leave nothing to read, not the ERR trap's message.
        if { read -r day1; read -r sat; read -r cash; read -r name; read -r day2; } < <(
            atspi value "$main_title" "Дата:" "Сытость:" "Финансы:" "Мултипаспорт на имя" "Дата:" \
                2>"$work/atspi.err" || true
        ) && [[ $day1 == "$day2" && $day1 =~ ^[0-9]+$ ]]; then
            want=$((satiety_day1 - 2 * (day1 - 1)))
            [[ $cash == "$money" && $sat == "$want" && $name == "$player" ]] && break
        fi
        game_alive || break
        sleep 0.2
    done
    if [[ ${cash:-} == "$money" ]]; then
        pass "$when: the money label reads '$cash' through AT-SPI"
    else
        fail "$when: the money label reads '${cash:-}', not '$money' ($(cat "$work/atspi.err"))"
    fi
    if [[ -n ${want:-} && ${sat:-} == "$want" ]]; then
        pass "$when: the satiety label reads '$sat' through AT-SPI (day $day1)"
    else
        fail "$when: the satiety label reads '${sat:-}', not ${want:-?} for day ${day1:-?} ($(cat "$work/atspi.err"))"
    fi
    if [[ ${name:-} == "$player" ]]; then
        pass "$when: the name label reads '$name' through AT-SPI"
    else
        fail "$when: the name label reads '${name:-}', not '$player'"
    fi
}

# Role, actions and states of a button-like label; a button when it is a focusable push button
# with a press action.
check_button_like() {
    local window=$1 text=$2 role actions states
    if ! IFS='|' read -r role actions states < <(atspi info "$window" "$text" 2>"$work/atspi.err" || true); then
        fail "'$text' is not in the accessibility tree ($(cat "$work/atspi.err"))"
        return
    fi
    local what="'$text': role '$role', actions '$actions', states '$states'"
    if [[ $role == "push button" && ,${actions,,}, == *,press,* && ,$states, == *,focusable,* ]]; then
        pass "$what: announced as a button with a press action"
    else
        fail "$what: should be a focusable push button with a press action"
    fi
}

# --- start screen ---------------------------------------------------------------------------

echo "Running $game on $DISPLAY, accessibility bus $a11y_address"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$game" >"$work/game.log" 2>&1 &
game_pid=$!
start_win=$(wait_window "$start_title_re" 60) || give_up "start screen did not appear"

# The game registers on the accessibility bus as an application named after it.
wait_atspi '?*' "$e2e_wait" app || give_up "the game is not on the accessibility bus: $last"
if [[ ${last,,} == vantaro ]]; then
    pass "the game is on the accessibility bus as '$last'"
else
    fail "the game is on the accessibility bus as '$last', not 'Vantaro'"
fi
# The start screen is a window named by its title, the prompt a label in it.
if wait_atspi 'label|*' "$e2e_wait" info "$start_title" "Накапай сюда своё имя >>>"; then
    pass "the start screen's prompt reaches the tree as a label"
else
    fail "the start screen's prompt is not a label in the tree: $last"
fi

xdotool windowfocus "$start_win"
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
xdotool type --delay 30 -- "$player"
# The field reports what was typed: also proof that every key has been handled.
if wait_atspi "$player" "$e2e_wait" text "$start_title" text; then
    pass "the name field reads '$player' through AT-SPI"
else
    give_up "the name field reads '$last', not '$player'"
fi
check_button_like "$start_title" "$confirm_text"

press "$start_win" "$confirm_x" "$confirm_y"
main_win=$(wait_window "$main_title_re") || give_up "main window did not appear"
wait_no_window "$start_title_re" || fail "the start screen stayed on screen"

# --- main screen ----------------------------------------------------------------------------

check_status "after the start" 250 10

for text in "${openers[@]}"; do
    if atspi info "$main_title" "$text" >/dev/null 2>"$work/atspi.err"; then
        pass "opener '$text' is in the accessibility tree"
    else
        fail "opener '$text' is not in the accessibility tree ($(cat "$work/atspi.err"))"
    fi
    check_button_like "$main_title" "$text"
done

# --- a breakfast ----------------------------------------------------------------------------

press "$main_win" "$shop_opener_x" "$shop_opener_y"
shop_win=$(wait_window "$shop_title_re") || give_up "the shop did not open from its opener"
# A real push button, for comparison with the button-like labels.
if wait_atspi 'push button|*[Pp]ress*' "$e2e_wait" info "$shop_title" "$breakfast_text"; then
    pass "'$breakfast_text' is a push button with a press action: $last"
else
    fail "'$breakfast_text' is not a push button with a press action: $last"
fi
check_button_like "$shop_title" "$shop_back_text"

xdotool mousemove --window "$shop_win" "$breakfast_x" "$breakfast_y" click 1
check_status "after a breakfast" 246 14

# A second breakfast bought the way a screen reader presses a button.
if atspi act "$shop_title" "$breakfast_text" press 2>"$work/atspi.err"; then
    check_status "after a breakfast bought through AT-SPI" 242 18
else
    fail "the press action on '$breakfast_text' failed ($(cat "$work/atspi.err"))"
fi

# --- the press actions ----------------------------------------------------------------------

# Back to the main screen and into the shop again, both the way a screen reader presses.
if atspi act "$shop_title" "$shop_back_text" press 2>"$work/atspi.err" &&
    wait_no_window "$shop_title_re"; then
    pass "the press action on '$shop_back_text' closes the shop"
else
    fail "the press action on '$shop_back_text' did not close the shop ($(cat "$work/atspi.err"))"
    # The mouse, then, to go on with the opener.
    game_alive || give_up "the game died"
    press "$shop_win" "$shop_back_x" "$shop_back_y"
    wait_no_window "$shop_title_re" || give_up "the shop did not close from '$shop_back_text'"
fi
if atspi act "$main_title" "$shop_opener" press 2>"$work/atspi.err" &&
    wait_window "$shop_title_re" >/dev/null 2>>"$work/atspi.err"; then
    pass "the press action on '$shop_opener' opens the shop"
else
    fail "the press action on '$shop_opener' did not open the shop ($(cat "$work/atspi.err"))"
fi

if game_alive; then
    pass "the game ran through with the accessibility bridge on"
else
    fail "the game died"
    cat "$work/game.log"
fi

if ((failures > 0)); then
    echo "---- accessibility tree ----"
    atspi dump 2>&1 || true
    echo "FAIL: $failures check(s) failed"
    exit 1
fi
echo "PASS: all accessibility checks"
