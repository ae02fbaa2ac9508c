#!/usr/bin/env bash
# Plays the start of a game under a virtual X server and saves a picture of each screen into
# docs/screenshots, for the README.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=tests/e2e/common.sh
. "$here/tests/e2e/common.sh"
game=$(realpath -e -- "${1:-$here/build/bin/vantaro}")
out="$here/docs/screenshots"
mkdir -p "$out"

e2e_begin screenshots
start_xvfb 1024x768
# A moment for the window to finish painting: a picture, not a check, so no condition to wait on.
shot() { sleep 0.4; import -window "$1" "$out/$2.png"; }

(cd "$work" && exec "$game" >"$work/game.log" 2>&1) &
game_pid=$!
begin=$(wait_window 'Введите своё имя' 60)
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
xdotool mousemove $((X + 20)) $((Y + 6)) click 1

# Each secondary screen: its opener on the main screen, a picture, then its back label.
open_screen() { # opener row (0..4), window title pattern, file, back label y
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + 640)) $((Y + 48 + 24 * $1)) click 1
  local id; id=$(wait_window "$2")
  shot "$id" "$3"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + 100)) $((Y + $4)) click 1
  wait_no_window "$2"
}
open_screen 0 'Магазин. Поел' shop 192
open_screen 1 '^Работа$' work 424
open_screen 2 'Покупка квартиры' home 232
open_screen 3 'Здесь можно купить корабль' car 280
open_screen 4 'Учение - свет' children 224
echo "screenshots in $out"
