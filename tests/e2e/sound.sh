#!/usr/bin/env bash
# Plays the game into a private PulseAudio server with a null sink, records the sink and counts
# what a player would hear: one whole click per keystroke, typed fast or slow, and the meal and
# job sounds from their first sample to their last.
# Usage: sound.sh /path/to/vantaro
# Needs: Xvfb (xvfb), xdotool, pulseaudio, pactl, pacat and parec (pulseaudio-utils), python3.
# Exits 77 (skipped) when PulseAudio is not installed.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 /path/to/vantaro" >&2
    exit 2
fi
game=$(realpath -e -- "$1")
[[ -x $game ]] || { echo "FAIL: $game is not executable" >&2; exit 2; }
if ! command -v pulseaudio >/dev/null; then
    echo "SKIP: pulseaudio is not installed"
    exit 77
fi
for tool in Xvfb xdotool pactl pacat parec python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sounds=$(realpath -e -- "$(dirname "$game")/../share/vantaro/Sound")

readonly start_title_re='^ {53}Введите своё имя$'
readonly main_title_re='^Vantaro$'
readonly shop_title_re='^ {50}Магазин\. Поел и порядок\.\.\.$'
readonly work_title_re='^Работа$'
# Client coordinates (no window manager): start screen's name field and "УСЁ!", the main
# screen's shop and jobs openers, the breakfast button and the shop's back label, and the taxi
# driver's button.
readonly field_x=260 field_y=17 confirm_x=212 confirm_y=60
readonly shop_x=644 shop_y=48 work_x=644 work_y=72
readonly breakfast_x=88 breakfast_y=28 shop_back_x=232 shop_back_y=192
readonly taxi_x=108 taxi_y=52
# The null sink's format, which the recorder keeps.
readonly rate=44100 sink=vantaro_test

# shellcheck source=tests/e2e/common.sh
. "$here/common.sh"
e2e_begin sound
# VANTARO_KEEP_RECORDING=folder keeps the recording and its phases for a person to hear.
on_exit() {
    if [[ -n ${VANTARO_KEEP_RECORDING:-} ]]; then
        cp -- "$work/rec.raw" "$work/marks" "$VANTARO_KEEP_RECORDING"/ 2>/dev/null || true
    fi
}

die() {
    echo "FAIL: $*"
    for log in game pulse; do
        if [[ -s $work/$log.log ]]; then
            echo "---- $log output ----"
            tail -n 40 "$work/$log.log"
        fi
    done
    exit 1
}

# --- sound server and recorder --------------------------------------------------------------

# The game and the tools below talk to this server only.
use_sound_server "unix:$XDG_RUNTIME_DIR/pulse/native"

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    -L "module-null-sink sink_name=$sink rate=$rate channels=2" \
    -L module-native-protocol-unix --log-target=stderr >"$work/pulse.log" 2>&1 &
pulse_pid=$!
pulse_up() { pactl info >/dev/null 2>&1 || ! kill -0 "$pulse_pid" 2>/dev/null; }
wait_until "$e2e_wait" "PulseAudio to answer" pulse_up || true
pactl info >/dev/null 2>&1 || die "PulseAudio did not start"
pactl set-default-sink "$sink"

# A silent stream keeps the sink running: an idle sink is suspended and the recording would
# skip the quiet time between sounds.
pacat --raw --playback -d "$sink" </dev/zero >/dev/null 2>"$work/keeper.log" &
keeper_pid=$!
# A small latency, or the last seconds are still in the recorder's buffer when it stops.
parec --raw --latency-msec=10 -d "$sink.monitor" --format=s16le --rate="$rate" --channels=2 \
    >"$work/rec.raw" 2>"$work/recorder.log" &
recorder_pid=$!

recorded() { stat -c %s "$work/rec.raw"; }
recording() { (($(recorded) > 0)) || ! kill -0 "$recorder_pid" 2>/dev/null; }
wait_until "$e2e_wait" "the recorder's first bytes" recording || true
(($(recorded) > 0)) || die "the recorder wrote nothing"

# Waits until the recording has grown by at least MS milliseconds and its last half second is
# quiet: every sound started so far has ended. Gives up after 20 s.
settle() { # MS
    local want
    want=$(($(recorded) + $1 * rate * 4 / 1000))
    quiet() { (($(recorded) >= want)) && python3 "$here/sound_count.py" --quiet "$work/rec.raw" "$rate" 500; }
    wait_until 20 "the recording to fall quiet" quiet || die "the recording did not fall quiet"
}

# Phases of the recording, by byte offset, for sound_count.py.
phase_start=0
begin_phase() { phase_start=$(recorded); }
end_phase() { # KIND NAME ARGS...
    local IFS=$'\t'
    echo "$1	$2	$phase_start	$(recorded)	${*:3}" >>"$work/marks"
}

# --- the game -------------------------------------------------------------------------------

start_xvfb || die "no X server"
# A folder with no Sound/ in it: the game plays the shipped sounds.
mkdir "$work/cwd"
cd "$work/cwd"
"$game" >"$work/game.log" 2>&1 &
game_pid=$!

start_win=$(wait_window "$start_title_re") || die "no start screen"
xdotool windowfocus "$start_win"
xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
# The first sound loads the sound module; a key typed meanwhile may replace that first click
# before it is heard. Counting starts once the module is in.
xdotool type -- x
settle 300
xdotool key BackSpace
settle 300

begin_phase
# xdotool waits half the delay after each key press and half after each release.
xdotool type --delay 200 -- abcdefghijklmnopqrst
settle 500
end_phase clicks "20 keystrokes 0.1 s apart" 20 "$sounds/Click1.wav"

xdotool key ctrl+a BackSpace
settle 300

begin_phase
xdotool type --delay 1200 -- uvwxyzabcdef
settle 500
end_phase clicks "12 keystrokes 0.6 s apart" 12 "$sounds/Click1.wav"

xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1
xdotool mouseup 1
main_win=$(wait_window "$main_title_re") || die "no main window after the name"
settle 300

# Opens a screen with its opener on the main screen, presses one button there and keeps what was
# heard as a phase that must hold one sound of the file's whole length; sets screen_win.
one_whole_sound() { # OPENER_X OPENER_Y TITLE_RE BUTTON_X BUTTON_Y SETTLE_MS WHAT FILE
    xdotool mousemove --window "$main_win" "$1" "$2" mousedown 1
    xdotool mouseup 1
    screen_win=$(wait_window "$3") || die "no window /$3/ for $7"
    settle 300
    begin_phase
    xdotool mousemove --window "$screen_win" "$4" "$5" click 1
    settle "$6"
    end_phase whole "$7" "$8"
}

one_whole_sound "$shop_x" "$shop_y" "$shop_title_re" "$breakfast_x" "$breakfast_y" 1200 \
    "a meal in the food shop" "$sounds/eda1.wav"
xdotool mousemove --window "$screen_win" "$shop_back_x" "$shop_back_y" mousedown 1
xdotool mouseup 1
one_whole_sound "$work_x" "$work_y" "$work_title_re" "$taxi_x" "$taxi_y" 1000 \
    "a hire on the jobs screen" "$sounds/taxist.wav"

kill -0 "$game_pid" 2>/dev/null || die "the game died"
# Without the silent stream the sink idles and the recording skips the quiet between sounds.
kill -0 "$keeper_pid" 2>/dev/null || die "the silent stream keeping the sink running ended"
python3 "$here/sound_count.py" "$work/rec.raw" "$rate" "$work/marks" || failures=$((failures + 1))
if ((failures > 0)); then
    echo "---- game output ----"
    cat "$work/game.log"
    echo "FAIL: the recording does not hold every sound whole"
    exit 1
fi
echo "PASS: every sound plays whole"
