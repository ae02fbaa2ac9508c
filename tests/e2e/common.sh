# Sourced by the scripts that run the game and its tools: one way to report, to start the
# virtual X server, to wait with a deadline and to end everything a run started.
#
# Source it first thing, before the script starts anything: it may start the script anew.
# Then `e2e_begin NAME` makes the private folder $work, sets the traps and the environment.
# A script may define `on_exit`, run before its processes are ended (to show a log, say).
# shellcheck shell=bash
# Variables set here are read by the scripts; the small condition functions are called by name.
# shellcheck disable=SC2034,SC2317

# --- one process group per run --------------------------------------------------------------

# Prints the process group of a process; fails when it is gone.
e2e_pgid() { # PID
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    stat=${stat##*) } # past the name, which may hold blanks and parentheses
    read -r _ _ stat _ <<<"$stat"
    echo "$stat"
}

# Everything a run starts stays in the script's process group unless it leaves on purpose, so
# the run can be ended as one. A script that does not lead a group of its own (ctest starts
# tests inside its own group) starts again as the leader of a new session: setsid keeps the
# process id, so whoever waits for the script still does.
if [[ $(e2e_pgid $$) != "$$" && -z ${VANTARO_E2E_REEXEC:-} ]]; then
    export VANTARO_E2E_REEXEC=1
    exec setsid -- "$BASH" "$0" "$@"
fi
unset VANTARO_E2E_REEXEC

# --- reports --------------------------------------------------------------------------------

pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# --- waits ----------------------------------------------------------------------------------

# Seconds a wait allows by default: enough for a cold start on a busy machine. A wait ends
# as soon as its condition holds, so a generous bound costs nothing when all is well.
readonly e2e_wait=30

# Runs COMMAND until it succeeds. After TIMEOUT seconds says what it waited for (WHAT) and fails.
wait_until() { # TIMEOUT WHAT COMMAND...
    local timeout=$1 what=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    until "$@"; do
        if ((SECONDS >= deadline)); then
            echo "gave up waiting for $what after ${timeout}s" >&2
            return 1
        fi
        sleep 0.1
    done
}

# Waits for a process to end; when it was this shell's child, reaps it and leaves its exit
# code in gone_rc. Fails, saying what it waited for, if the process still runs after TIMEOUT.
gone_rc=
wait_gone() { # PID TIMEOUT WHAT
    local pid=$1 timeout=$2 what=$3
    local deadline=$((SECONDS + timeout))
    while kill -0 "$pid" 2>/dev/null && [[ $(e2e_state "$pid") != Z ]]; do
        if ((SECONDS >= deadline)); then
            echo "$what still runs after ${timeout}s" >&2
            return 1
        fi
        sleep 0.1
    done
    gone_rc=0
    wait "$pid" 2>/dev/null || gone_rc=$?
}

# The state letter of a process (R, S, Z...), nothing when it is gone.
e2e_state() { # PID
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 0
    stat=${stat##*) }
    echo "${stat%% *}"
}

game_pid=
stop_game() {
    stop_all "$game_pid"
    game_pid=
}
game_alive() { [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null && [[ $(e2e_state "$game_pid") != Z ]]; }

visible_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }

# Prints the id of the one mapped window whose title matches the regex (POSIX extended). Fails,
# saying what it waited for, when more than one matches, when the game ($game_pid, if set)
# exits first, or after TIMEOUT seconds.
wait_window() { # REGEX [TIMEOUT]
    local re=$1 timeout=${2:-$e2e_wait} ids
    local deadline=$((SECONDS + timeout))
    while :; do
        ids=$(visible_windows "$re")
        if [[ -n $ids ]]; then
            if [[ $(wc -l <<<"$ids") -ne 1 ]]; then
                echo "more than one window matches /$re/: $(tr '\n' ' ' <<<"$ids")" >&2
                return 1
            fi
            echo "$ids"
            return 0
        fi
        if [[ -n $game_pid ]] && ! game_alive; then
            echo "the game exited while waiting for a window /$re/" >&2
            return 1
        fi
        if ((SECONDS >= deadline)); then
            echo "no window /$re/ within ${timeout}s" >&2
            return 1
        fi
        sleep 0.1
    done
}

# Waits until no mapped window matches the regex.
wait_no_window() { # REGEX [TIMEOUT]
    local re=$1
    no_window() { [[ -z $(visible_windows "$re") ]]; }
    wait_until "${2:-$e2e_wait}" "the window /$re/ to go" no_window
}

# --- processes ------------------------------------------------------------------------------

# Prints the live children of a process, one a line (the game under its tracer, say).
children_of() { # PID
    local f stat pid ppid state
    for f in /proc/[0-9]*/stat; do
        { read -r stat <"$f"; } 2>/dev/null || continue
        pid=${stat%% *}
        stat=${stat##*) }
        read -r state ppid _ <<<"$stat"
        [[ $ppid == "$1" && $state != Z ]] && echo "$pid"
    done
    return 0
}

# Ends the given processes that still run: TERM, then KILL for any still there after 10 s.
stop_all() { # PID...
    local pid
    for pid in "$@"; do
        [[ -n $pid ]] && kill -TERM "$pid" 2>/dev/null
    done
    for pid in "$@"; do
        [[ -n $pid ]] || continue
        if ! wait_gone "$pid" 10 "process $pid" 2>/dev/null; then
            kill -KILL "$pid" 2>/dev/null
            wait_gone "$pid" 5 "process $pid (killed)" || true
        fi
    done
    return 0
}

# The other live processes of this run, in e2e_left: its process group, and any that left the
# group but carry the run's mark in their environment (a daemon that made itself a session).
e2e_left=()
e2e_watchdog_pid=
e2e_members() {
    local f stat pid state pgid list marked=()
    e2e_left=()
    # grep must not carry the mark itself; it has ended when the substitution returns.
    list=$(env -u VANTARO_E2E_RUN grep -lsxzF -- "VANTARO_E2E_RUN=$work" /proc/[0-9]*/environ) || true
    [[ -n $list ]] && mapfile -t marked <<<"$list"
    marked=("${marked[@]#/proc/}")
    marked=("${marked[@]%/environ}")
    for f in /proc/[0-9]*/stat; do
        { read -r stat <"$f"; } 2>/dev/null || continue
        pid=${stat%% *}
        stat=${stat##*) }
        read -r state _ pgid _ <<<"$stat"
        [[ $pid == "$$" || $pid == "$BASHPID" || $state == Z ]] && continue
        if [[ $pgid == "$$" || " ${marked[*]} " == *" $pid "* ]]; then
            e2e_left+=("$pid")
        fi
    done
    return 0
}

# Ends every other process of this run: TERM (and CONT, for a stopped tracee), then KILL for
# those still there after GRACE seconds. What survives is left in e2e_left.
stop_group() { # [GRACE]
    local grace=${1:-10} deadline
    e2e_members
    ((${#e2e_left[@]} > 0)) || return 0
    kill -TERM "${e2e_left[@]}" 2>/dev/null
    kill -CONT "${e2e_left[@]}" 2>/dev/null
    deadline=$((SECONDS + grace))
    while e2e_members && ((${#e2e_left[@]} > 0 && SECONDS < deadline)); do sleep 0.1; done
    ((${#e2e_left[@]} > 0)) || return 0
    echo "ending with KILL what TERM did not end: ${e2e_left[*]}" >&2
    kill -KILL "${e2e_left[@]}" 2>/dev/null
    deadline=$((SECONDS + 5))
    while e2e_members && ((${#e2e_left[@]} > 0 && SECONDS < deadline)); do sleep 0.1; done
    return 0
}

# Gives up on a run that takes longer than its limit, and on one whose starter has gone (ctest
# stopped by Ctrl-C: this session is not the terminal's, so the signal does not reach it).
e2e_watchdog() { # LIMIT
    local limit=$1 script=$$ parent=$PPID
    (
        trap - ERR EXIT INT TERM
        set +e
        deadline=$((SECONDS + limit))
        while ((SECONDS < deadline)) && [[ -d /proc/$parent ]]; do sleep 1; done
        if [[ -d /proc/$parent ]]; then
            echo "FAIL: the run took more than ${limit}s: giving up" >&2
        else
            echo "FAIL: the process that started the run has gone: giving up" >&2
        fi
        kill -TERM "$script" 2>/dev/null
        # The script runs its trap only once its current command is over: end that command.
        sleep 5
        e2e_members
        for pid in "${e2e_left[@]}"; do
            [[ $pid != "$script" ]] && kill -TERM "$pid" 2>/dev/null
        done
    ) &
    e2e_watchdog_pid=$!
}

# --- a run ----------------------------------------------------------------------------------

# Makes the private folder $work for a run named NAME and the environment the game meets there,
# and sets the traps that end the run's processes however the script exits. The run gives up
# after $VANTARO_E2E_LIMIT seconds (300 when not set).
e2e_begin() { # NAME
    work=$(mktemp -d "${TMPDIR:-/tmp}/vantaro-$1.XXXXXX")
    failures=${failures:-0}
    trap e2e_exit EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
    # Marks every process started from here on, including any that leaves the process group.
    export VANTARO_E2E_RUN=$work

    # A home and a runtime folder of the run's own: nothing of the caller's desktop (settings,
    # sockets of a running sound server or session bus) reaches the game, nothing of the game
    # reaches the caller's.
    mkdir -m 0700 "$work/home" "$work/runtime"
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
    unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME

    # The sound library must neither start a sound server (it would outlive the game, and a
    # tracer following the game would wait for it) nor find one of the machine's: a client
    # configuration of the run's own names a server that does not exist and turns autospawn
    # off, whether a sound server package is installed or not. The game then has no audio
    # device and plays nothing. A test with a server of its own calls use_sound_server.
    unset PULSE_SERVER PULSE_SINK PULSE_SOURCE PULSE_COOKIE PULSE_PROP PULSE_RUNTIME_PATH \
        PULSE_STATE_PATH PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR
    export PULSE_CLIENTCONFIG="$work/pulse-client.conf"
    printf 'autospawn = no\ndefault-server = unix:%s\n' "$work/no-sound-server" >"$PULSE_CLIENTCONFIG"
    # No session bus either: libdbus would otherwise start one for the X display (dbus-launch).
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"

    # The X platform whatever the caller set, at its own scale.
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

    e2e_watchdog "${VANTARO_E2E_LIMIT:-300}"
}

# Points the sound library at a server the test started itself (its address, "unix:/path").
use_sound_server() { # ADDRESS
    printf 'autospawn = no\ndefault-server = %s\n' "$1" >"$PULSE_CLIENTCONFIG"
}

# Starts a private sound server in the run's runtime folder, with a null sink at RATE as the
# default sink, and points the game and the tools at it; sets server_pid (and session_pid and
# wireplumber_pid). SERVER is pulseaudio, or pipewire: PipeWire with its PulseAudio layer in the
# same process, and WirePlumber on a session bus of the run's own. Their output is added to
# server.log and wireplumber.log in $work. Started again after stop_sound_server, it serves at
# the same address.
server_pid=
session_pid=
wireplumber_pid=
start_sound_server() { # SERVER SINK RATE
    local kind=$1 sink_name=$2 sink_rate=$3
    use_sound_server "unix:$XDG_RUNTIME_DIR/pulse/native"
    if [[ $kind == pulseaudio ]]; then
        # stream-restore keeps the volume a player gives the game for its next streams.
        # Its own real-time thread renders the sink, as on a desktop. Its log, timed, tells each
        # stream that ran dry (sound_count.py reads it).
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
            --realtime=yes --high-priority=yes --log-level=debug --log-time=yes \
            -L "module-null-sink sink_name=$sink_name rate=$sink_rate channels=2" -L module-stream-restore \
            -L module-native-protocol-unix --log-target=stderr >>"$work/server.log" 2>&1 &
        server_pid=$!
    else
        : >"$work/session"
        dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/session" \
            >>"$work/session.log" 2>&1 &
        session_pid=$!
        session_ready() { [[ -s $work/session ]]; }
        wait_until "$e2e_wait" "the session bus to report its address" session_ready || return 1
        DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session")
        export DBUS_SESSION_BUS_ADDRESS
        cat >"$work/pipewire.conf" <<'EOF_CONF'
# Cycles of 2048 frames: on a busy machine short cycles run late and leave holes in what the
# sink plays. The graph's thread runs at real-time priority, as on a desktop.
context.properties = {
    core.daemon = true
    core.name = pipewire-0
    default.clock.quantum = 2048
    default.clock.min-quantum = 2048
}
context.spa-libs = {
    audio.convert.* = audioconvert/libspa-audioconvert
    support.*       = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-rt args = { nice.level = -11 rt.prio = 88 } flags = [ nofail ] }
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-access }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
    { name = libpipewire-module-protocol-pulse args = { server.address = [ "unix:native" ] } }
]
# A driver for the graph while no sink drives it.
context.objects = [
    { factory = spa-node-factory
      args = { factory.name = support.node.driver node.name = Dummy-Driver
               node.group = pipewire.dummy priority.driver = 20000 } }
]
EOF_CONF
        pipewire -c "$work/pipewire.conf" >>"$work/server.log" 2>&1 &
        server_pid=$!
    fi
    server_up() { pactl info >/dev/null 2>&1 || ! kill -0 "$server_pid" 2>/dev/null; }
    wait_until "$e2e_wait" "the sound server to answer" server_up || return 1
    # The server's log counts its time from its start: a client timed here ties it to the
    # shell's clock, that of the phases (sound_count.py).
    pactl --client-name=vantaro-clock info >/dev/null 2>&1 || return 1
    echo "clock	$EPOCHREALTIME" >>"$work/marks"
    if [[ $kind == pipewire ]]; then
        # Once PipeWire answers: a session manager that finds no PipeWire gives up.
        wireplumber >>"$work/wireplumber.log" 2>&1 &
        wireplumber_pid=$!
        pactl load-module module-null-sink "sink_name=$sink_name" "rate=$sink_rate" channels=2 >/dev/null ||
            return 1
    fi
    # The session manager may not have seen the sink yet.
    default_sink() { pactl set-default-sink "$sink_name" 2>/dev/null && [[ $(pactl get-default-sink) == "$sink_name" ]]; }
    wait_until "$e2e_wait" "the null sink to become the default" default_sink
}

# Ends the sound server start_sound_server started, and what it started with it.
stop_sound_server() {
    stop_all "$wireplumber_pid" "$server_pid" "$session_pid"
    server_pid=
    session_pid=
    wireplumber_pid=
}

# --- the recorder ---------------------------------------------------------------------------

# What the null sink $sink plays, at $rate, recorded into $work/rec.raw; counted by
# sound_count.py phase by phase. A script calls `die` when the recorder cannot work.
recorded() { stat -c %s "$work/rec.raw"; }

# Starts the sink's silent stream and a recorder that adds to the recording; sets keeper_pid and
# recorder_pid.
start_recorder() {
    local from
    from=$(recorded)
    # A silent stream keeps the sink running: an idle sink is suspended and the recording would
    # skip the quiet time between sounds.
    pacat --raw --playback -d "$sink" --stream-name=vantaro-keeper </dev/zero >/dev/null \
        2>>"$work/keeper.log" &
    keeper_pid=$!
    # A small latency, or the last seconds are still in the recorder's buffer when it stops.
    parec --raw --latency-msec=10 -d "$sink.monitor" --format=s16le --rate="$rate" --channels=2 \
        --stream-name=vantaro-recorder >>"$work/rec.raw" 2>>"$work/recorder.log" &
    recorder_pid=$!
    recording() { (($(recorded) > from)) || ! kill -0 "$recorder_pid" 2>/dev/null; }
    wait_until "$e2e_wait" "the recorder's first bytes" recording || true
    (($(recorded) > from)) || die "the recorder wrote nothing"
}

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Waits until the recording has grown by at least MS milliseconds and its last half second is
# quiet: every sound started so far has ended. Gives up after 20 s.
settle() { # MS
    local want
    want=$(($(recorded) + $1 * rate * 4 / 1000))
    quiet() { (($(recorded) >= want)) && python3 "$e2e_dir/sound_count.py" --quiet "$work/rec.raw" "$rate" 500; }
    wait_until 20 "the recording to fall quiet" quiet || die "the recording did not fall quiet"
}

# Phases of the recording, by byte offset, for sound_count.py.
phase_start=0 phase_time=0
begin_phase() { phase_start=$(recorded) phase_time=$EPOCHREALTIME; }
end_phase() { # KIND NAME ARGS...
    local IFS=$'\t'
    echo "$1	$2	$phase_start	$(recorded)	$phase_time	$EPOCHREALTIME	${*:3}" >>"$work/marks"
}
# Something was heard since the phase began.
heard() { python3 "$e2e_dir/sound_count.py" --loud "$work/rec.raw" "$rate" "$phase_start"; }

# --- pictures -------------------------------------------------------------------------------

# A screenshot against its reference picture in PICTURES, both masked at ratio 1 where they
# move: no pixel further off than a level or two (text blended on another processor may round
# differently). Passes or fails by the picture's NAME.
same_as_reference() { # SHOT PICTURES NAME MOVING_BOXES...
    local shot=$1 pictures=$2 name=$3 diff
    shift 3
    if [[ ! -f $pictures/$name.png ]]; then
        fail "the $name screen has no picture to match"
        cp "$shot" "${VANTARO_KEEP_SHOTS:-$work}/" 2>/dev/null || true
        return
    fi
    masked "$shot" "$work/$name-seen.png" 1 "$@"
    masked "$pictures/$name.png" "$work/$name-want.png" 1 "$@"
    diff=$(compare -metric AE -fuzz 1% "$work/$name-seen.png" "$work/$name-want.png" null: 2>&1) || true
    if [[ $diff == 0 ]]; then
        pass "the $name screen matches its picture"
    else
        fail "the $name screen differs from its picture in $diff pixels"
        cp "$shot" "${VANTARO_KEEP_SHOTS:-$work}/" 2>/dev/null || true
    fi
}

# The EXIT trap: ends every process of the run and fails the run if any outlives that.
e2e_exit() {
    local rc=$? pid cmd
    # Nothing may cut the ending short: not a second signal, not the watchdog (a bash subshell
    # keeps catching TERM whatever its traps say, so only KILL stops it for sure).
    trap '' INT TERM HUP
    trap - ERR
    set +e
    { kill -KILL "$e2e_watchdog_pid" && wait "$e2e_watchdog_pid"; } 2>/dev/null
    if declare -F on_exit >/dev/null; then on_exit; fi
    stop_group 10
    if ((${#e2e_left[@]} > 0)); then
        echo "FAIL: ${#e2e_left[@]} process(es) of this run outlived it:"
        for pid in "${e2e_left[@]}"; do
            cmd=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)
            echo "  $pid ${cmd:-?}"
        done
        rc=1
    fi
    ((${#e2e_left[@]} > 0)) || wait 2>/dev/null
    cd / && rm -rf -- "$work"
    exit "$rc"
}

# The real-time priority of a stack's audio threads (Wine's, Chromium's): below the sound
# server's own thread (PulseAudio's 5), above everything else.
readonly audio_rt=3

# Gives every thread of this run's processes whose command line matches PATTERN that priority;
# fails when there was none.
realtime() { # -- PATTERN
    local pid found=1
    for pid in $(pgrep -f "$@"); do
        grep -qzxF -- "VANTARO_E2E_RUN=$work" "/proc/$pid/environ" 2>/dev/null &&
            chrt -a -r -p "$audio_rt" "$pid" >/dev/null 2>&1 && found=0
    done
    return "$found"
}

# --- the virtual X server -------------------------------------------------------------------

# Starts Xvfb on a free display (the server picks it) and exports DISPLAY; sets xvfb_pid.
# No reset between clients: on a busy machine the next client may arrive mid-reset and be
# refused.
xvfb_pid=
start_xvfb() { # [WIDTHxHEIGHT]
    : >"${work:?e2e_begin first}/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    xvfb_ready() { [[ -s $work/display ]] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
    wait_until "$e2e_wait" "Xvfb to report its display" xvfb_ready
    local number
    number=$(head -n1 "$work/display")
    if [[ -z $number ]]; then
        cat "$work/xvfb.log" >&2
        echo "FAIL: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

# --- screenshots ----------------------------------------------------------------------------

# "x,y,w,h" in logical pixels to an ImageMagick rectangle at ratio $2.
draw_rect() {
    local x y w h s=$2
    IFS=, read -r x y w h <<<"$1"
    echo "rectangle $((x * s)),$((y * s)) $(((x + w) * s - 1)),$(((y + h) * s - 1))"
}
crop_geometry() {
    local x y w h s=$2
    IFS=, read -r x y w h <<<"$1"
    echo "$((w * s))x$((h * s))+$((x * s))+$((y * s))"
}

# import waits for ever on a window that goes away while it reads it.
grab() { timeout --foreground 30 import "$@" 2>/dev/null; }

# Grey copy of a screenshot with the moving parts blacked out; $3 is the ratio.
masked() {
    local src=$1 dst=$2 s=$3 args=() r
    shift 3
    for r in "$@"; do args+=(-draw "$(draw_rect "$r" "$s")"); done
    convert "$src" -fill black "${args[@]}" -colorspace gray "$dst"
}

# Screenshots the window until two in a row agree once the moving parts are blacked out, so the
# picture is not caught halfway through a repaint. $3 is the ratio, then the moving parts.
settled_shot() {
    local win=$1 dst=$2 s=$3
    shift 3
    local prev="$work/settle-a.png" cur="$work/settle-b.png"
    local deadline=$((SECONDS + e2e_wait))
    grab -window "$win" "$dst" || return 1
    masked "$dst" "$prev" "$s" "$@"
    while ((SECONDS <= deadline)); do
        sleep 0.3
        game_alive || { echo "the game exited" >&2; return 1; }
        grab -window "$win" "$dst" || return 1
        masked "$dst" "$cur" "$s" "$@"
        if [[ $(convert "$prev" "$cur" -compose difference -composite -format '%[fx:maxima]' info:) == 0 ]]; then
            return 0
        fi
        mv -f "$cur" "$prev"
    done
    echo "the window kept changing for ${e2e_wait}s" >&2
    return 1
}

# --- the keyboard ---------------------------------------------------------------------------

# Russian letters on the letter keys (ЙЦУКЕН), set before the game reads the keymap. Otherwise
# xdotool binds each letter to a spare key just for its keystroke, and a game still busy with
# the previous letter reads the map after the binding is gone and loses the letter.
russian_keys() {
    xmodmap - <<'EOF_KEYS'
keysym q = Cyrillic_shorti Cyrillic_SHORTI
keysym w = Cyrillic_tse Cyrillic_TSE
keysym e = Cyrillic_u Cyrillic_U
keysym r = Cyrillic_ka Cyrillic_KA
keysym t = Cyrillic_ie Cyrillic_IE
keysym y = Cyrillic_en Cyrillic_EN
keysym u = Cyrillic_ghe Cyrillic_GHE
keysym i = Cyrillic_sha Cyrillic_SHA
keysym o = Cyrillic_shcha Cyrillic_SHCHA
keysym p = Cyrillic_ze Cyrillic_ZE
keysym bracketleft = Cyrillic_ha Cyrillic_HA
keysym bracketright = Cyrillic_hardsign Cyrillic_HARDSIGN
keysym a = Cyrillic_ef Cyrillic_EF
keysym s = Cyrillic_yeru Cyrillic_YERU
keysym d = Cyrillic_ve Cyrillic_VE
keysym f = Cyrillic_a Cyrillic_A
keysym g = Cyrillic_pe Cyrillic_PE
keysym h = Cyrillic_er Cyrillic_ER
keysym j = Cyrillic_o Cyrillic_O
keysym k = Cyrillic_el Cyrillic_EL
keysym l = Cyrillic_de Cyrillic_DE
keysym semicolon = Cyrillic_zhe Cyrillic_ZHE
keysym apostrophe = Cyrillic_e Cyrillic_E
keysym z = Cyrillic_ya Cyrillic_YA
keysym x = Cyrillic_che Cyrillic_CHE
keysym c = Cyrillic_es Cyrillic_ES
keysym v = Cyrillic_em Cyrillic_EM
keysym b = Cyrillic_i Cyrillic_I
keysym n = Cyrillic_te Cyrillic_TE
keysym m = Cyrillic_softsign Cyrillic_SOFTSIGN
keysym comma = Cyrillic_be Cyrillic_BE
keysym period = Cyrillic_yu Cyrillic_YU
keysym grave = Cyrillic_io Cyrillic_IO
EOF_KEYS
}

# --- Wine -----------------------------------------------------------------------------------

# Makes a fresh Wine prefix in the run's folder and points wine at it. No Mono or Gecko (nothing
# of the game needs them, and their installers would ask), no menu builder (it copies Windows
# shortcuts into the Linux desktop's menus, outside the run's folder), and no debugger: a crash
# ends the program with its code instead of waiting for a debugger that never comes.
start_wine() {
    export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if ! wine wineboot --init >"$work/wineboot.log" 2>&1 ||
        ! wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d false /f >>"$work/wineboot.log" 2>&1; then
        cat "$work/wineboot.log" >&2
        echo "FAIL: Wine did not start" >&2
        return 1
    fi
}

# --- the browser ----------------------------------------------------------------------------

# Serves FOLDER on 127.0.0.1 (tools/web/serve.py, with its OPTIONS); sets web_url and
# web_server_pid.
web_url=
web_server_pid=
start_web_server() { # FOLDER [OPTIONS...]
    local top
    top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    : >"$work/web-server.out"
    python3 "$top/tools/web/serve.py" "$@" >"$work/web-server.out" 2>"$work/web-server.log" &
    web_server_pid=$!
    serving() { [[ -s $work/web-server.out ]] || ! kill -0 "$web_server_pid" 2>/dev/null; }
    wait_until "$e2e_wait" "the web server to report its address" serving
    web_url=$(head -n1 "$work/web-server.out")
    [[ $web_url == http://127.0.0.1:* ]] || { cat "$work/web-server.log" >&2; return 1; }
}

# Starts headless Chromium under tests/e2e/web/browser.cjs at device pixel ratio SCALE (with
# --sound, heard); sets browser_pid. NODE_PATH has to name playwright-core's folder.
browser_pid=
start_browser() { # SCALE [--sound]
    local scale=$1
    shift
    mkdir -p "$work/profile"
    : >"$work/page.log"
    # A 100 ms server buffer for the browser's audio, as for Wine's, against a busy machine.
    coproc BROWSER {
        PULSE_LATENCY_MSEC=100 exec node "$(dirname "${BASH_SOURCE[0]}")/web/browser.cjs" \
            "$scale" "$work/profile" "$@" 2>&1
    }
    browser_pid=$BROWSER_PID
    browser_in=${BROWSER[1]} browser_out=${BROWSER[0]}
    [[ $* != *--sound* ]] || realtime_audio_service &
}

# Chromium's audio service, which feeds the sound server, at the real-time priority a desktop's
# RealtimeKit gives a browser's audio threads, from the moment it starts (its threads started
# later take their starter's). Runs until the run ends it.
realtime_audio_service() {
    until realtime -- '--utility-sub-type=audio.mojom.AudioService'; do sleep 0.1; done
}

# Sends one command to the browser and waits up to TIMEOUT seconds for its answer, printing
# what the page says meanwhile (and keeping it in page.log); the answer's text is left in
# browser_said. Fails on an error.
browser_said=
browser_within() { # TIMEOUT COMMAND...
    local timeout=$1 line deadline
    shift
    deadline=$((SECONDS + timeout))
    if [[ -z ${BROWSER_PID:-} ]]; then
        echo "the browser has ended (no playwright-core on NODE_PATH?); it could not: $*" >&2
        return 1
    fi
    # One line a command: an expression written over several lines is joined.
    local command="$*"
    echo "${command//$'\n'/ }" >&"$browser_in"
    while ((SECONDS < deadline)); do
        IFS= read -r -t "$((deadline - SECONDS + 1))" line <&"$browser_out" || break
        case $line in
            "ok"*) browser_said=${line#ok}; browser_said=${browser_said# }; return 0 ;;
            "error "*) echo "the browser could not: $* (${line#error })" >&2; return 1 ;;
            *) echo "$line" >&2 && echo "$line" >>"$work/page.log" ;;
        esac
    done
    echo "the browser did not answer within ${timeout}s: $*" >&2
    return 1
}
browser() { browser_within "$e2e_wait" "$@"; }
# Closes the browser as a player does, so that it has written its profile by the time the run's
# folder goes.
stop_browser() {
    [[ -n ${BROWSER_PID:-} ]] || return 0
    local pid=$BROWSER_PID
    echo quit >&"$browser_in"
    wait_until "$e2e_wait" "the browser to close" eval "! kill -0 $pid 2>/dev/null"
}
