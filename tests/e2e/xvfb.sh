# Sourced: start_xvfb WxH starts a virtual X screen of that size on a free
# display number, exports DISPLAY and sets XVFB_PID. stop_xvfb ends it.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u /tmp/moravel-xvfb-XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "$1x24" -nolisten tcp 9>"$fifo" >/dev/null 2>&1 &
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

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
