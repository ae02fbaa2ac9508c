#!/usr/bin/env bash
# Plays up to the main screen at device pixel ratios 1 and 2 under a virtual X server and
# compares screenshots: at ratio 2 every window must be exactly twice as big, keep its layout
# and draw its text sharply rather than blowing up a ratio-1 picture, and the ship must not be
# its ratio-1 picture with every pixel doubled.
# Usage: hidpi.sh /path/to/vantaro [folder for the screenshots]
# The folder (a new temporary one if not given) gets start-x1.png, main-x1.png, start-x2.png,
# main-x2.png and a frame of the ship at each ratio, ship-x1.png and ship-x2.png.
# Needs: Xvfb (xvfb), xdotool, xwininfo (x11-utils), import and convert (imagemagick).
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 /path/to/vantaro [screenshot folder]" >&2
    exit 2
fi
game=$(realpath -e -- "$1")
[[ -x $game ]] || { echo "FAIL: $game is not executable" >&2; exit 2; }
for tool in Xvfb xdotool xwininfo import convert identify timeout; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done

if [[ $# -eq 2 ]]; then
    out=$2
    mkdir -p -- "$out"
    out=$(realpath -e -- "$out")
    # Pictures of an earlier run must not pass for this one's.
    rm -f -- "$out"/{start,main,ship}-x[12].png "$out"/{start,main}-layout-diff.png
else
    out=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-hidpi-shots.XXXXXX")
fi

readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
# Window sizes in logical pixels.
readonly start_w=425 start_h=82 main_w=727 main_h=482
# Points inside the start screen's controls, logical: the name field Text1 (184,8) 153x19 and
# the confirm label "УСЁ!" (8,48) 409x25.
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60

# Parts of the main screen that change on their own, as x,y,w,h in logical pixels: the ship
# spins in PicSpin (568,160) 153x153, and the clock's hour label (lblTime) ticks every second
# and moves when the hour gets a second digit.
readonly main_moving=("568,160,153,153" "286,0,30,17")

# The inside of PicSpin, within its two-pixel border.
readonly ship_inside="570,162,148,148"
# A frame of the spinning ship counts when this share of the box is not black (the ship is seen
# edge on now and then, leaving the box nearly empty).
readonly ship_min_cover=0.15

# Text-only areas, free of frame lines (a one-pixel line may land on either device pixel row at
# ratio 2, which is fine but would count as detail): x,y,w,h in logical pixels.
readonly start_text=("8,8,174,30" "8,48,409,25")
readonly main_text=("12,44,128,156" "570,64,149,89" "334,0,200,17")

# How far ratio 2 may stray from ratio 1. Measured on this game: once a one-pixel shift is
# allowed, at most 1 pixel of a 16x16 tile differs by more than half the range (glyphs
# rasterised at another size, dotted focus frames). In doctored screenshots a label moved by
# two pixels made 8 or more, a missing value or text 12% bigger 12 or more.
readonly max_bad_per_tile=5
# Sharp text keeps its steep edges (0.85 to 1 of the ratio-1 share of strong steps; a smooth
# enlargement keeps under 0.05) and is not made of 2x2 blocks (see block_detail).
readonly min_steep_ratio=0.6
readonly min_block_detail=0.3

e2e_begin hidpi
failures=0
set -E
trap 'echo "FAIL: unexpected error in line $LINENO: $BASH_COMMAND"' ERR

# Big enough for the main window at ratio 2 (1454x964).
start_xvfb 2048x1536
root_id=$(($(xwininfo -root | awk '/Window id:/ {print $4}')))

# Only QT_SCALE_FACTOR decides the ratio here.
unset QT_FONT_DPI QT_USE_PHYSICAL_DPI QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY
mkdir "$work/cwd"
cd "$work/cwd"

# --- helpers --------------------------------------------------------------------------------

window_size() {
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=' | sed 's/^/local /')"
    echo "${WIDTH}x${HEIGHT}"
}

# A frame of the ship with enough of the ship in it, cropped to the inside of its box.
ship_shot() {
    local win=$1 dst=$2 s=$3 cover
    local deadline=$((SECONDS + e2e_wait))
    while ((SECONDS < deadline)); do
        grab -window "$win" -crop "$(crop_geometry "$ship_inside" "$s")" +repage "$dst" || return 1
        cover=$(convert "$dst" -colorspace gray -threshold 10% -format '%[fx:mean]' info:)
        awk -v c="$cover" -v m="$ship_min_cover" 'BEGIN { exit !(c >= m) }' && return 0
        sleep 0.1
    done
    return 1
}

# Plays at ratio $1 up to the main screen and saves start-x$1.png, main-x$1.png and ship-x$1.png.
play_at() {
    local s=$1 start_win main_win size
    QT_SCALE_FACTOR=$s "$game" >"$work/game-x$s.log" 2>&1 &
    game_pid=$!
    start_win=$(wait_window "$start_title_re" 60) || { fail "[x$s] no start screen"; stop_game; return 1; }
    size=$(window_size "$start_win")
    if [[ $size == "$((start_w * s))x$((start_h * s))" ]]; then
        pass "[x$s] start screen is $size device pixels"
    else
        fail "[x$s] start screen is $size device pixels, not $((start_w * s))x$((start_h * s))"
    fi
    xdotool windowfocus "$start_win"
    xdotool mousemove --window "$start_win" $((field_x * s)) $((field_y * s)) click 1
    xdotool type --delay 30 -- "Petya"
    # Take the focus away so that no blinking caret is in the picture; the game handles the
    # focus change after the keys, so the whole name is in the field by then.
    xdotool windowfocus "$root_id"
    settled_shot "$start_win" "$out/start-x$s.png" "$s" || { fail "[x$s] no steady start screen"; stop_game; return 1; }
    xdotool mousemove --window "$start_win" $((confirm_x * s)) $((confirm_y * s)) mousedown 1
    xdotool mouseup 1
    main_win=$(wait_window "$main_title_re") || { fail "[x$s] no main window"; stop_game; return 1; }
    size=$(window_size "$main_win")
    if [[ $size == "$((main_w * s))x$((main_h * s))" ]]; then
        pass "[x$s] main window is $size device pixels"
    else
        fail "[x$s] main window is $size device pixels, not $((main_w * s))x$((main_h * s))"
    fi
    settled_shot "$main_win" "$out/main-x$s.png" "$s" "${main_moving[@]}" || { fail "[x$s] no steady main screen"; stop_game; return 1; }
    ship_shot "$main_win" "$out/ship-x$s.png" "$s" || fail "[x$s] the ship box stayed empty"
    game_alive || { fail "[x$s] the game died on the main screen"; cat "$work/game-x$s.log"; return 1; }
    stop_game
}

# Pixels of grey image $1 that differ from every pixel within one pixel of them in grey image
# $2 by more than half the range, and the other way round, as a black-and-white map $3.
unexplained() {
    convert "$1" \( "$2" -morphology Dilate Square:1 \) -compose minus_src -composite "$work/u1.png"
    convert \( "$2" -morphology Erode Square:1 \) "$1" -compose minus_src -composite "$work/u2.png"
    convert "$work/u1.png" "$work/u2.png" -compose lighten -composite -threshold 50% "$work/u12.png"
    convert "$2" \( "$1" -morphology Dilate Square:1 \) -compose minus_src -composite "$work/u1.png"
    convert \( "$1" -morphology Erode Square:1 \) "$2" -compose minus_src -composite "$work/u2.png"
    convert "$work/u1.png" "$work/u2.png" -compose lighten -composite -threshold 50% "$work/u21.png"
    convert "$work/u12.png" "$work/u21.png" -compose lighten -composite "$3"
}

# The ratio-2 picture, averaged down to ratio 1, against the ratio-1 picture.
check_layout() {
    local name=$1
    shift
    local one="$work/$name-1.png" two="$work/$name-2.png" map="$work/$name-bad.png" worst total
    masked "$out/$name-x1.png" "$one" 1 "$@"
    masked "$out/$name-x2.png" "$two" 2 "$@"
    convert "$two" -filter box -resize 50% "$two"
    unexplained "$one" "$two" "$map"
    total=$(convert "$map" -format '%[fx:round(mean*w*h)]' info:)
    # Worst 16x16 tile: its count and where it is.
    worst=$(convert "$map" -crop 16x16 -format '%[fx:round(mean*w*h)] %X%Y\n' info: | sort -n | tail -1)
    if ((${worst%% *} <= max_bad_per_tile)); then
        pass "$name screen keeps its layout at ratio 2 ($total stray pixels, at most ${worst%% *} in a 16x16 tile)"
    else
        cp "$map" "$out/$name-layout-diff.png"
        fail "$name screen: ratio 2 strays from ratio 1 by ${worst%% *} pixels in the 16x16 tile at ${worst#* } ($total in all; map in $out/$name-layout-diff.png)"
    fi
}

# Share of the strong steps (over half the range) among all visible steps (over an eighth)
# between neighbouring pixels: high for crisp text, low for a smoothly enlarged picture.
steepness() {
    local img=$1
    convert "$img" \( +clone -roll +1+0 \) -compose difference -composite -crop +1+0 +repage "$work/sh.png"
    convert "$img" \( +clone -roll +0+1 \) -compose difference -composite -crop +0+1 +repage "$work/sv.png"
    convert "$work/sh.png" "$work/sv.png" -threshold 50% -format '%[fx:mean*w*h] ' info: >"$work/strong"
    convert "$work/sh.png" "$work/sv.png" -threshold 12.5% -format '%[fx:mean*w*h] ' info: >"$work/visible"
    awk -v s="$(cat "$work/strong")" -v v="$(cat "$work/visible")" \
        'BEGIN { split(s, a, " "); split(v, b, " "); n = b[1] + b[2]; printf "%.4f\n", (n > 0 ? (a[1] + a[2]) / n : 0) }'
}

# Mean difference between each pixel and the average of its 2x2 block, for blocks on the device
# pixel grid the window is drawn on, divided by the same for blocks shifted by one pixel. A
# pixel-doubled picture is flat within every block of its own grid: 0. Text drawn at ratio 2 has
# no favourite grid: well above 0 (0.6 to 0.8 here).
block_detail() {
    local img=$1 w h on off
    read -r w h <<<"$(identify -format '%w %h' "$img")"
    on=$(convert "$img" -crop "$((w - 2))x$((h - 2))+0+0" +repage \
        \( +clone -filter box -resize 50% -filter point -resize 200% \) \
        -compose difference -composite -format '%[fx:mean]' info:)
    off=$(convert "$img" -crop "$((w - 2))x$((h - 2))+1+1" +repage \
        \( +clone -filter box -resize 50% -filter point -resize 200% \) \
        -compose difference -composite -format '%[fx:mean]' info:)
    awk -v on="$on" -v off="$off" 'BEGIN { printf "%.3f\n", (off > 0 ? on / off : 0) }'
}

check_sharpness() {
    local name=$1 r one two s1 s2 up b2 ok
    shift
    for r in "$@"; do
        one="$work/text-1.png" two="$work/text-2.png"
        convert "$out/$name-x1.png" -crop "$(crop_geometry "$r" 1)" +repage -colorspace gray "$one"
        convert "$out/$name-x2.png" -crop "$(crop_geometry "$r" 2)" +repage -colorspace gray "$two"
        s1=$(steepness "$one")
        s2=$(steepness "$two")
        # For the record: what a smooth enlargement of ratio 1 would score.
        convert "$one" -filter triangle -resize 200% "$work/text-up.png"
        up=$(steepness "$work/text-up.png")
        b2=$(block_detail "$two")
        ok=$(awk -v s1="$s1" -v s2="$s2" -v b2="$b2" -v ms="$min_steep_ratio" -v mb="$min_block_detail" \
            'BEGIN { print (s1 > 0 && s2 >= ms * s1 && b2 >= mb) ? 1 : 0 }')
        if [[ $ok == 1 ]]; then
            pass "$name text at $r is sharp at ratio 2 (strong steps $s2, ratio 1 $s1, ratio 1 enlarged $up; block detail $b2)"
        else
            fail "$name text at $r is not sharp at ratio 2 (strong steps $s2, ratio 1 $s1, ratio 1 enlarged $up, need ${min_steep_ratio} of ratio 1; block detail $b2, need $min_block_detail)"
        fi
    done
}

# The ship has a high-resolution picture: at ratio 2 it must not be the ratio-1 one with every
# pixel doubled.
check_ship() {
    local detail
    convert "$out/ship-x2.png" -colorspace gray "$work/ship.png"
    detail=$(block_detail "$work/ship.png")
    if awk -v b="$detail" -v mb="$min_block_detail" 'BEGIN { exit !(b >= mb) }'; then
        pass "the ship is drawn with detail finer than ratio 1 at ratio 2 (block detail $detail)"
    else
        fail "the ship is pixel-doubled at ratio 2 (block detail $detail, need $min_block_detail)"
    fi
}

# --- run ------------------------------------------------------------------------------------

echo "Running $game on $DISPLAY; screenshots in $out"
played=1
play_at 1 || played=0
play_at 2 || played=0
if ((played)); then
    check_layout start
    check_layout main "${main_moving[@]}"
    check_sharpness start "${start_text[@]}"
    check_sharpness main "${main_text[@]}"
    [[ -f $out/ship-x2.png ]] && check_ship
fi

echo "Screenshots: $out"
if ((failures > 0)); then
    echo "FAIL: $failures check(s) failed"
    exit 1
fi
echo "PASS: all device pixel ratio checks"
