#!/usr/bin/env bash
# Plays the start of a game under a virtual X server and saves a picture of each screen into
# docs/screenshots, for the README.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
game="${1:-$here/build/bin/vantaro}"
out="$here/docs/screenshots"
mkdir -p "$out"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${game_pid:-}" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wait_window() { # name → window id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "no window $1" >&2; exit 1
}
shot() { sleep 0.4; import -window "$1" "$out/$2.png"; }

(cd /tmp && exec "$game") &
game_pid=$!
begin=$(wait_window 'Введите своё имя')
eval "$(xdotool getwindowgeometry --shell "$begin")"
xdotool mousemove $((X + 250)) $((Y + 15)) click 1
xdotool type --delay 40 "Вилт"
shot "$begin" begin
xdotool mousemove $((X + 200)) $((Y + 60)) mousedown 1 mouseup 1
main=$(wait_window '^Vantaro$')
shot "$main" main
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 20)) $((Y + 6)) click 1
shot "$main" help
echo "screenshots in $out"
