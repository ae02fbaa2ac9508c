#!/usr/bin/env bash
# Plays a little under strace and checks that the game writes no file and opens no network
# socket: all it keeps is in memory, and it talks only to the X server (and, if there is one,
# the sound server) through local sockets.
# Usage: no_traces.sh /path/to/vantaro
# Needs: Xvfb (xvfb), xdotool, strace.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

game=$(realpath -e -- "$1")
readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
# Each secondary screen: the row of its opener on the main screen (568,40)+24*row, its title
# and the y of its back label, at x 100 (client coordinates, no window manager).
readonly screens=(
    "0|^ {50}Магазин\. Поел и порядок\.\.\.$|192"
    "1|^Работа$|424"
    "2|Покупка квартиры|232"
    "3|Здесь можно купить корабль|280"
    "4|Учение - свет|224"
)

e2e_begin no-traces
log="$work/strace.log"
strace_pid=
on_exit() {
    if ((failures > 0)) && [[ -s $work/game.log ]]; then
        echo "---- game output ----"
        cat "$work/game.log"
        echo "---------------------"
    fi
}
# Ends the run at once: later checks make no sense without this one.
die() {
    fail "$*"
    exit 1
}

start_xvfb 1024x768
mkdir "$work/cwd"
(cd "$work/cwd" && exec strace -f -qq -o "$log" \
    -e trace=openat,open,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect \
    "$game" >"$work/game.log" 2>&1) &
strace_pid=$!
traced_game() { game_pid=$(children_of "$strace_pid" | head -n1) && [[ -n $game_pid ]]; }
wait_until "$e2e_wait" "strace to start the game" traced_game || die "strace did not start the game"

begin=$(wait_window "$start_title_re" 60) || die "the start screen did not appear"
xdotool mousemove --window "$begin" 260 17 click 1
xdotool type --delay 30 "Petya"
xdotool mousemove --window "$begin" 212 60 mousedown 1
xdotool mouseup 1
main=$(wait_window "$main_title_re") || die "the main window did not appear"
for screen in "${screens[@]}"; do # every screen once, and back
    IFS='|' read -r row title_re back_y <<<"$screen"
    xdotool mousemove --window "$main" 644 $((48 + 24 * row)) click 1
    win=$(wait_window "$title_re") || die "the screen /$title_re/ did not open"
    xdotool mousemove --window "$win" 100 "$back_y" click 1
    wait_no_window "$title_re" || die "the screen /$title_re/ did not close"
done
pass "played through the start screen and every secondary screen under strace"
# The game is strace's child; once it has gone, strace finishes its log and leaves.
kill -TERM "$game_pid"
wait_gone "$strace_pid" "$e2e_wait" "strace, after the game ended," || die "strace did not finish"
game_pid=

# Anything opened for writing, created, renamed or removed, except /dev/null and the sound
# library's socket folder in the session's runtime folder (which holds no files of the game).
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(|mkdir|rename|unlink' "$log" |
    grep -v ' = -1 ' | grep -v '"/dev/null"' | grep -v "mkdir(\"$XDG_RUNTIME_DIR/pulse\"" || true)
if [[ -n $writes ]]; then
    fail "the game wrote to the file system:"
    echo "$writes"
else
    pass "no file written"
fi
net=$(grep -E 'socket\((AF_INET|AF_INET6|AF_PACKET)' "$log" || true)
if [[ -n $net ]]; then
    fail "the game opened a network socket:"
    echo "$net"
else
    pass "no network socket ($(grep -c 'socket(AF_UNIX' "$log") local sockets)"
fi
grep -q 'sun_path=@"/tmp/.X11-unix/X' "$log" || fail "strace saw no X connection"
((failures == 0))
