#!/usr/bin/env bash
# Plays the game into a private sound server with a null sink, records the sink and counts what a
# player would hear: one whole click per keystroke, typed fast or slow, the meal and job sounds
# from their first sample to their last, and a meal cut short by the click that replaces it. While
# a sound plays the server lists the game's stream under the game's own name; a volume the player
# gives it is the volume of the next game's first sound. A server that goes away mid-game is said
# once and the game plays on in silence; back again, the next sound is heard whole.
# SERVER is the server to play into: pulseaudio, or pipewire (PipeWire with WirePlumber and its
# PulseAudio layer, on a configuration of this test's own); or none, where the game must play on
# in silence, say so once and not spin.
# GAME is the Linux game, or the Windows game's zip or setup program, played under Wine through
# Wine's PulseAudio driver for the clicks, the meal and the cut (the server's own view of the
# stream and its volume are Wine's). Under Wine a click that is no sound stays silent, though
# the prefix has a default sound that Windows would ring for it, and every sound is asked of
# Windows with the default forbidden. The zip is unpacked into a folder with Cyrillic letters in
# its name; the setup program installs the game silently, and its Start menu shortcut starts it.
# Usage: sound.sh /path/to/vantaro|/path/to/vantaro-VERSION-win64.zip|-setup.exe SERVER
# Needs: Xvfb (xvfb), xdotool, pactl, pacat and parec (pulseaudio-utils), python3; the server's
# packages (pulseaudio; pipewire, wireplumber and dbus-daemon); wine and unzip for the zip. Exits
# 77 (skipped) when the server is not installed.
set -euo pipefail

if [[ $# -ne 2 || ! $2 =~ ^(pulseaudio|pipewire|none)$ ]]; then
    echo "usage: $0 /path/to/vantaro|/path/to/vantaro-VERSION-win64.zip|-setup.exe pulseaudio|pipewire|none" >&2
    exit 2
fi
game=$(realpath -e -- "$1")
server=$2
windows='' setup=''
[[ $game == *.zip ]] && windows=1
[[ $game == *-setup.exe ]] && windows=1 setup=$game
[[ -n $windows || -x $game ]] || { echo "FAIL: $game is not executable" >&2; exit 2; }
pulse_module=$(compgen -G '/usr/lib/*/pipewire-0.3/libpipewire-module-protocol-pulse.so' || true)
case $server in
    pulseaudio) needs=(pulseaudio) ;;
    pipewire) needs=(pipewire wireplumber dbus-daemon) ;;
    none) needs=() ;;
esac
for tool in "${needs[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [[ $server == pipewire && -z $pulse_module ]]; then
    echo "SKIP: PipeWire's PulseAudio layer (libpipewire-module-protocol-pulse) is not installed"
    exit 77
fi
for tool in Xvfb xdotool pactl pacat parec python3 ${windows:+wine unzip}; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 2; }
done
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

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
e2e_begin "sound-$server${windows:+-wine}"
# (The setup program installs the game once Wine is up.)
if [[ $game == *.zip ]]; then
    # Windows spells the folder in UTF-16 only; the locale's 8-bit code page is a Western one.
    export LC_ALL=C.UTF-8
    folder="$work/Игры/Вантаро"
    mkdir -p "$folder"
    unzip -q "$game" -d "$folder"
    game="$folder/vantaro.exe"
    sounds="$folder/Sound"
elif [[ -z $windows ]]; then
    sounds=$(realpath -e -- "$(dirname "$game")/../share/vantaro/Sound")
fi
# VANTARO_KEEP_RECORDING=folder keeps the recording and its phases for a person to hear.
on_exit() {
    if [[ -n ${VANTARO_KEEP_RECORDING:-} ]]; then
        cp -- "$work/rec.raw" "$work/marks" "$work/server.log" "$work/game.log" "$VANTARO_KEEP_RECORDING"/ 2>/dev/null || true
    fi
}

die() {
    echo "FAIL: $*"
    for log in game server wireplumber; do
        if [[ -s $work/$log.log ]]; then
            echo "---- $log output ----"
            tail -n 40 "$work/$log.log"
        fi
    done
    exit 1
}

# Under Wine the prefix gets a default sound of its own, which Windows rings for a sound that
# cannot be played unless the program forbids it (a fresh prefix has none to ring), and Wine's
# relay channel logs each sound the game hands to Windows.
default_sound() {
    local media="$WINEPREFIX/drive_c/windows/media" default='C:\windows\media\default.wav'
    mkdir -p "$media"
    cp -- "$sounds/eda1.wav" "$media/default.wav"
    # Windows' own default beep, and win.ini's [Sounds] default, which Wine reads.
    wine reg add 'HKCU\AppEvents\Schemes\Apps\.Default\.Default\.Current' /ve /d "$default" /f &&
        wine reg add 'HKCU\Control Panel\Sounds' /v Default /d "$default" /f &&
        wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d winmm.PlaySoundW /f
} >/dev/null 2>&1

# What the game said: its standard error, or under Wine its debug output (and not the sound
# libraries' complaints that Wine's own drivers print as they look for a device).
said_lines() {
    if [[ -n $windows ]]; then
        sed -n 's/^[0-9.]*:[0-9a-f]*:warn:debugstr:OutputDebugString[AW] "\(.*\)\\n"$/\1/p' "$work/game.log"
    else
        cat "$work/game.log"
    fi
}

# Under Wine the relay log times each sound the game asks for. On a busy machine Wine's driver
# may start a click late, and the next ask then rightly cuts what it has not played yet, so a
# clicks phase hands the counter those times (ms), and it holds a short click against them.
asked() { grep -c ':Call winmm\.PlaySoundW(' "$work/game.log" || true; }
begin_clicks() { begin_phase; [[ -z $windows ]] || asks_from=$(asked); }
end_clicks() { # NAME COUNT
    local asks=()
    [[ -z $windows ]] ||
        asks=("$(sed -n 's/^\([0-9]*\)\.\([0-9]*\):.*:Call winmm\.PlaySoundW(.*/\1\2/p' "$work/game.log" |
            tail -n +$((asks_from + 1)) | paste -sd, -)")
    end_phase clicks "$1" "$2" "$sounds/Click1.wav" "${asks[@]}"
}

# Starts the game in a folder with no Sound/ in it, so that it plays the shipped sounds, and
# puts the caret in the name field; sets start_win.
start_game() {
    mkdir -p "$work/cwd"
    # A Windows program's standard error goes nowhere: what it says is its debug output, which
    # Wine writes as lines of its own.
    #
    # Wine's PulseAudio driver stands in for Windows' audio engine, which keeps a sound going at
    # real-time priority: Wine's thread that feeds the server runs in the game's process, which
    # gets real-time priority, as does the prefix's wineserver (both below the server's own
    # thread), and a 100 ms server buffer (libpulse's own setting, which Wine players use against
    # crackling) instead of Wine's 25 ms.
    local run=()
    [[ -z $windows ]] ||
        run=(chrt -r "$audio_rt" env WINEDEBUG=-all,warn+debugstr,+relay,+timestamp PULSE_LATENCY_MSEC=100 wine)
    if [[ -n $setup ]]; then
        (cd "$work/cwd" && exec "${run[@]}" start /unix "$shortcut") >"$work/game.log" 2>&1
        start_win=$(wait_window "$start_title_re" 60) || die "no start screen"
        game_pid=$(pgrep -n -f '\\vantaro\.exe$')
    else
        (cd "$work/cwd" && exec "${run[@]}" "$game") >"$work/game.log" 2>&1 &
        game_pid=$!
        start_win=$(wait_window "$start_title_re") || die "no start screen"
    fi
    [[ -z $windows ]] || realtime -- 'wineserver' || die "no wineserver to give real-time priority"
    xdotool windowfocus "$start_win"
    xdotool mousemove --window "$start_win" "$field_x" "$field_y" click 1
}

start_xvfb || die "no X server"
# Wine's desktop needs the X server from its first program on.
[[ -z $windows ]] || start_wine || die "no Wine"
if [[ -n $setup ]]; then
    wine "$setup" /S >"$work/setup.log" 2>&1 || die "the silent setup failed: $(cat "$work/setup.log")"
    wineserver -w
    appdata=$(echo "$WINEPREFIX"/drive_c/users/*/AppData)
    shortcut="$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Vantaro.lnk"
    sounds="$appdata/Local/Programs/Vantaro/Sound"
fi

# --- no server: silence, said once, and the game goes on ------------------------------------

if [[ $server == none ]]; then
    # The run's client configuration names a server that does not exist.
    start_game
    xdotool type --delay 200 -- abcdefgh
    # The sound thread waits for the next sound: over a few idle seconds it takes next to no CPU.
    cpu() { local f; read -r -a f <"/proc/$game_pid/stat"; echo $((f[13] + f[14])); }
    before=$(cpu)
    sleep 3
    ticks=$(($(cpu) - before))
    hz=$(getconf CLK_TCK)
    ((ticks * 10 < hz * 5)) && pass "idle with no server: $ticks CPU ticks in 3 s" ||
        fail "the game spins with no sound server: $ticks CPU ticks (of $hz a second) in 3 s"
    xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1
    xdotool mouseup 1
    wait_window "$main_title_re" >/dev/null || die "the name typed with no sound server did not land"
    said_lines >"$work/said.log"
    said=$(grep -c . "$work/said.log" || true)
    if [[ $said == 1 ]] && grep -q '^vantaro: no sound, ' "$work/said.log"; then
        pass "with no sound server the keys land and the game says so once: $(cat "$work/said.log")"
    else
        fail "with no sound server the game should say so in one line; it said $said:"
        cat "$work/game.log"
    fi
    ((failures == 0)) || exit 1
    exit 0
fi

# --- sound server and recorder --------------------------------------------------------------

start_sound_server "$server" "$sink" "$rate" || die "no sound server"

: >"$work/rec.raw"
start_recorder

# The server's view of the game's stream while it plays: its index line and properties.
game_stream() {
    pactl list sink-inputs 2>/dev/null | awk '
        /^Sink Input #/ { if (found) exit; block = "" }
        { block = block $0 "\n" }
        /application\.id = "vantaro"/ { found = 1 }
        END { if (found) printf "%s", block }'
}

# --- the game -------------------------------------------------------------------------------

[[ -z $windows ]] || default_sound || die "the prefix took no default sound"
start_game
# The first sound loads the sound module; a key typed meanwhile may replace that first click
# before it is heard. Counting starts once the module is in.
xdotool type -- x
settle 300
xdotool key BackSpace
settle 300

if [[ -n $windows ]]; then
    # A click that is no sound stays silent, though the prefix has a default sound to ring.
    mv -- "$sounds/Click1.wav" "$work/Click1.wav"
    echo 'не звук' >"$sounds/Click1.wav"
    begin_phase
    xdotool type --delay 200 -- abc
    settle 1000
    end_phase silent "3 keystrokes with a Click1.wav that is no sound, and a default sound set"
    mv -f -- "$work/Click1.wav" "$sounds/Click1.wav"
    xdotool key ctrl+a BackSpace
    settle 300
fi

begin_clicks
# xdotool waits half the delay after each key press and half after each release.
xdotool type --delay 200 -- abcdefghijklmnopqrst
settle 500
end_clicks "20 keystrokes 0.1 s apart" 20

xdotool key ctrl+a BackSpace
settle 300

begin_clicks
xdotool type --delay 1200 -- uvwxyzabcdef
settle 500
end_clicks "12 keystrokes 0.6 s apart" 12

xdotool key ctrl+a BackSpace
settle 300

# The server goes away: the game says so as the connection drops, and the name typed and
# confirmed meanwhile lands in silence. Back at the same address: the next sound connects
# again, uploads anew and is heard. (Under Wine the name is just confirmed.)
first_after="the shop opener's click"
if [[ -z $windows ]]; then
    stop_all "$recorder_pid" "$keeper_pid"
    stop_sound_server
    spoke() { [[ -s $work/game.log ]]; }
    wait_until "$e2e_wait" "the game to notice the server went away" spoke ||
        fail "the game did not say that the sound server went away"
    first_after+=", the first sound once the server was back"
fi
xdotool type --delay 200 -- uvwxyz
xdotool mousemove --window "$start_win" "$confirm_x" "$confirm_y" mousedown 1
xdotool mouseup 1
main_win=$(wait_window "$main_title_re") || die "the name typed with the server gone did not land"
if [[ -z $windows ]]; then
    start_sound_server "$server" "$sink" "$rate" || die "no sound server the second time"
    start_recorder
fi
settle 300

# Opens a screen with its opener on the main screen; sets screen_win.
open_screen() { # OPENER_X OPENER_Y TITLE_RE
    xdotool mousemove --window "$main_win" "$1" "$2" mousedown 1
    xdotool mouseup 1
    screen_win=$(wait_window "$3") || die "no window /$3/"
    settle 300
}
# Presses one button on the screen just opened and keeps what was heard as a phase that must
# hold one sound of the file's whole length.
one_whole_sound() { # BUTTON_X BUTTON_Y SETTLE_MS WHAT FILE
    begin_phase
    xdotool mousemove --window "$screen_win" "$1" "$2" click 1
    settle "$3"
    end_phase whole "$4" "$5"
}

begin_phase
open_screen "$shop_x" "$shop_y" "$shop_title_re"
shop_win=$screen_win
# Connecting and uploading again may outlast a settle on a busy machine.
wait_until "$e2e_wait" "a sound once the server was back" heard || true
settle 300
end_phase whole "$first_after" "$sounds/Click1.wav"
one_whole_sound "$breakfast_x" "$breakfast_y" 1200 "a meal in the food shop" "$sounds/eda1.wav"
# A click on the jobs opener 0.3 s into the next meal stops the meal and plays whole.
begin_phase
xdotool mousemove --window "$shop_win" "$breakfast_x" "$breakfast_y" click 1 sleep 0.3 \
    mousemove --window "$main_win" "$work_x" "$work_y" mousedown 1 mouseup 1
screen_win=$(wait_window "$work_title_re") || die "no jobs screen"
settle 1200
end_phase cut "a meal cut short by the jobs opener's click" "$sounds/eda1.wav" "$sounds/Click1.wav"
if [[ -n $windows ]]; then
    # Wine frames the jobs screen itself, so its client area does not start at the corner of
    # its X window: the keyboard hires the taxi driver, the button that has the focus.
    begin_phase
    xdotool key Return
    settle 1000
    end_phase whole "a hire on the jobs screen" "$sounds/taxist.wav"
else
    one_whole_sound "$taxi_x" "$taxi_y" 1000 "a hire on the jobs screen" "$sounds/taxist.wav"
fi

if [[ -n $windows ]]; then
    kill -0 "$game_pid" 2>/dev/null || die "the game died"
    stop_game
    # Windows rings its default sound for a file it cannot play, unless the call forbids it;
    # Wine never rings one for a file, so what the game asked for is read from the relay log.
    flags=$(sed -n 's/.*:Call winmm\.PlaySoundW([^,]*,[^,]*,\([0-9a-f]*\)).*/\1/p' "$work/game.log")
    wrong=$(for f in $flags; do (((16#$f & 0x20003) == 0x20003)) || echo "$f"; done | sort -u)
    if [[ -n $flags && -z $wrong ]]; then
        pass "each of $(wc -w <<<"$flags") sounds is asked of Windows as a file, asynchronously and with no default sound"
    else
        fail "PlaySoundW was called with flags ${wrong:-(no call seen)}, not SND_FILENAME|SND_ASYNC|SND_NODEFAULT"
    fi
else
    # A third meal: while it plays the server lists it under the game's name, and the player
    # turns the game down to 40 %.
    xdotool mousemove --window "$shop_win" "$breakfast_x" "$breakfast_y" click 1
    listed() { stream=$(game_stream) && [[ -n $stream ]]; }
    stream=
    wait_until 5 "the server to list the game's stream" listed || true
    missing=()
    for want in 'application.name = "Vantaro"' 'application.id = "vantaro"' \
        'application.icon_name = "vantaro"' 'media.name = "eda1"'; do
        grep -qF -- "$want" <<<"$stream" || missing+=("$want")
    done
    grep -qE 'application\.version = "[0-9]+\.[0-9]+\.[0-9]+"' <<<"$stream" ||
        missing+=('application.version')
    if [[ -n $stream && ${#missing[@]} -eq 0 ]]; then
        pass "the server lists the game's stream as Vantaro's eda1"
    else
        fail "the game's stream lacks ${missing[*]:-everything}; the server lists:"
        pactl list sink-inputs
    fi
    index=$(sed -n 's/^Sink Input #\([0-9]*\)$/\1/p' <<<"$stream")
    [[ -n $index ]] && pactl set-sink-input-volume "$index" 40% || fail "no stream to turn down"
    settle 1200

    kill -0 "$game_pid" 2>/dev/null || die "the game died"
    said=$(grep -c . "$work/game.log" || true)
    gone_line='^vantaro: no sound, the sound server does not answer: '
    if [[ $said == 1 ]] && grep -q -- "$gone_line" "$work/game.log"; then
        pass "the server going away is said once: $(cat "$work/game.log")"
    else
        fail "the game should say once that the server went away, and nothing else; it said $said:"
        cat "$work/game.log"
    fi
    stop_game

    # The next game's first sound, at the volume the player left the game at: the server keeps
    # it by the game's name (stream-restore on PulseAudio, WirePlumber on PipeWire).
    start_game
    begin_phase
    xdotool type -- x
    settle 500
    end_phase volume "the next game's first click at the 40 % it was left at" "$sounds/Click1.wav" 40
    stop_game
fi

# Without the silent stream the sink idles and the recording skips the quiet between sounds.
kill -0 "$keeper_pid" 2>/dev/null || die "the silent stream keeping the sink running ended"
# PulseAudio's log tells where a stream of the stack (Wine's) ran dry; the game's own sounds play
# from the server's cache and have no stream of their own that could.
log=()
[[ $server != pulseaudio ]] || log=("$work/server.log")
python3 "$here/sound_count.py" "$work/rec.raw" "$rate" "$work/marks" "${log[@]}" || failures=$((failures + 1))
if ((failures > 0)); then
    echo "---- game output ----"
    cat "$work/game.log"
    echo "FAIL: the recording does not hold every sound whole on $server"
    exit 1
fi
echo "PASS: every sound plays whole on $server"
