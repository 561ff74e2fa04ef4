# Sourced: start_xvfb WxH [ARG...] starts a virtual X screen of that size on a
# free display number, with the further Xvfb arguments ARG (e.g. -noreset),
# exports DISPLAY and sets XVFB_PID. stop_xvfb ends it.
# set_xft_dpi DPI sets the X resource Xft.dpi, from which Qt takes the
# screen's device pixel ratio (192: 2); a screen started without -noreset
# forgets it once its last client has left.
# end_process PID [SECONDS] ends a background process of this shell.
start_xvfb() {
  local size=$1 fifo
  shift
  fifo=$(mktemp -u /tmp/moravel-xvfb-XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp "$@" 9>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  if ! read -r -t 10 number <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
}

set_xft_dpi() {
  echo "Xft.dpi: $1" | xrdb -nocpp -merge
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    end_process "$XVFB_PID" || true
    XVFB_PID=
  fi
}

# Sends SIGTERM to PID (started in the background by this shell) and waits at
# most SECONDS (default 10) for it to end, then kills it. The status is the
# process's exit code (137 when it had to be killed).
end_process() {
  local pid=$1 ticks=$((${2:-10} * 20)) rc=0
  kill -TERM "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$ticks" -eq 0 ]; then
      echo "process $pid did not end within ${2:-10} s of SIGTERM: killed" >&2
      kill -KILL "$pid" 2>/dev/null || true
      break
    fi
    sleep 0.05
    ticks=$((ticks - 1))
  done
  wait "$pid" 2>/dev/null || rc=$?
  return "$rc"
}
