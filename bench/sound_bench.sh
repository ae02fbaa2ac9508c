#!/usr/bin/env bash
# The game's sound against a private PulseAudio server with a null sink: key to sound beside the
# server's own sample cache, the first sound, and the memory the first sound and the main screen
# take (screen_bench memory). Prints the figures and one line per goal.
# Usage: sound_bench.sh GAME SCREEN_BENCH [KEYS [FIRSTS]]
# Needs: Xvfb, xdotool, pulseaudio, pactl, pacat and parec, python3.
set -euo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 GAME SCREEN_BENCH [KEYS [FIRSTS]]" >&2
    exit 2
fi
game=$(realpath -e -- "$1")
screen_bench=$(realpath -e -- "$2")
keys=${3:-25}
firsts=${4:-5}
for tool in Xvfb xdotool pulseaudio pactl pacat parec python3; do
    command -v "$tool" >/dev/null || { echo "sound_bench.sh: $tool is not installed" >&2; exit 2; }
done
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly rate=44100 sink=vantaro_bench

# The end-to-end runs' set-up: a process group, a private home and runtime folder, a deadline, and
# everything ended on exit.
# shellcheck source=tests/e2e/common.sh
. "$here/../tests/e2e/common.sh"
e2e_begin sound-bench

start_xvfb || { echo "sound_bench.sh: no X server" >&2; exit 1; }
start_sound_server pulseaudio "$sink" "$rate" || { cat "$work/server.log" >&2; exit 1; }
# A silent stream keeps the sink running, as a desktop's sink runs while anything plays.
pacat --raw --playback -d "$sink" </dev/zero >/dev/null 2>&1 &

click=$(dirname "$game")/../share/vantaro/Sound/Click1.wav
TMPDIR=$work python3 "$here/sound_latency.py" "$game" "$click" "$sink" "$rate" "$keys" "$firsts"
echo
"$screen_bench" memory
