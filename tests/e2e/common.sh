# Sourced by the scripts that run the game on a virtual X server.

pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Ends the given processes that still run, and waits for them.
stop_all() { # PID...
    local pid
    for pid in "$@"; do
        if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
}

# Starts Xvfb on a free display (the server picks it) and exports DISPLAY; sets xvfb_pid.
# No reset between clients: a reset may refuse the next connection.
start_xvfb() { # [WIDTHxHEIGHT]
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 10 number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || { echo "FAIL: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
}

# Prints the id of the visible window whose name matches, waiting up to 15 s for it.
wait_window() { # NAME-REGEX
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "FAIL: no window $1" >&2
  return 1
}
