#!/usr/bin/env bash
# Plays a little under strace and checks that the game writes no file and opens no network
# socket: all it keeps is in memory, and it talks only to the X server (and, if there is one,
# the sound server) through local sockets.
set -euo pipefail
game="$(realpath "$1")"
work="$(mktemp -d)"
log="$work/strace.log"
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
start_xvfb

# Qt wants a runtime folder; one that exists already is only looked at.
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

(cd "$work" && exec strace -f -qq -o "$log" \
  -e trace=openat,open,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect \
  "$game" >/dev/null 2>&1) &
game_pid=$!

begin=$(wait_window 'Введите своё имя')
eval "$(xdotool getwindowgeometry --shell "$begin")"
xdotool mousemove $((X + 250)) $((Y + 15)) click 1
xdotool type --delay 30 "Petya"
xdotool mousemove $((X + 200)) $((Y + 60)) click 1
main=$(wait_window '^Vantaro$')
eval "$(xdotool getwindowgeometry --shell "$main")"
for row in 0 1 2 3 4; do # every screen once
  xdotool mousemove $((X + 640)) $((Y + 48 + 24 * row)) click 1
  sleep 0.3
done
sleep 1
# The game is strace's child; once it has gone, strace finishes its log and leaves.
pkill -TERM -P "$game_pid" || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

fail=0
# Anything opened for writing, created, renamed or removed, except /dev/null and the sound
# library's socket folder in the session's runtime folder (which holds no files of the game).
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(|mkdir|rename|unlink' "$log" \
  | grep -v ' = -1 ' | grep -v '"/dev/null"' | grep -v "mkdir(\"$XDG_RUNTIME_DIR/pulse\"" || true)
if [ -n "$writes" ]; then
  echo "FAIL: the game wrote to the file system:"; echo "$writes"; fail=1
else
  echo "PASS: no file written"
fi
net=$(grep -E 'socket\((AF_INET|AF_INET6|AF_PACKET)' "$log" || true)
if [ -n "$net" ]; then
  echo "FAIL: the game opened a network socket:"; echo "$net"; fail=1
else
  echo "PASS: no network socket ($(grep -c 'socket(AF_UNIX' "$log") local sockets)"
fi
grep -q 'sun_path=@"/tmp/.X11-unix/X' "$log" || { echo "FAIL: strace saw no X connection"; fail=1; }
exit $fail
