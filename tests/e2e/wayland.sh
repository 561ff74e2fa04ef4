#!/usr/bin/env bash
# The desktop as layer surfaces of a Wayland compositor: a headless sway with
# one 1280x720 output shows moravel_wlprobe's pattern (red and green halves,
# a pure-blue hole in the middle); grim reads the screen back and
# moravel_wlpointer clicks. The hole shows what is beneath and lets clicks
# through; the rest takes them, in device pixels; partial updates land
# without losing the rest of the frame; at output scale 2 the frame is drawn
# at the output's device pixels.
# Usage: wayland.sh MORAVEL_WLPROBE MORAVEL_WLPOINTER   (exit 77: sway or grim missing)
set -euo pipefail
probe=$1
pointer=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in sway swaymsg grim; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/xvfb.sh"  # end_process

fail() {
  echo "FAIL: $*" >&2
  for log in sway.log probe.out probe.err pointer.err; do
    [ -s "$work/$log" ] && { echo "--- $log" >&2; tail -n 20 "$work/$log" >&2; }
  done
  exit 1
}
step() { echo "-- $*"; }

sway_pid= probe_pid= pointer_pid=
cleanup() {
  exec 7>&- 8>&- 2>/dev/null || true
  for pid in "$pointer_pid" "$probe_pid" "$sway_pid"; do
    [ -n "$pid" ] && end_process "$pid" 5 >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
work=$(mktemp -d /tmp/moravel-wayland-XXXXXX)
trap cleanup EXIT
chmod 755 "$work"

# sway refuses to run as root: then it runs as nobody, in a runtime folder of
# its own; the clients here reach its sockets all the same.
run=$work/run
mkdir -m 700 "$run"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown nobody:nogroup "$run"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
cat >"$work/sway.config" <<'CONFIG'
output HEADLESS-1 resolution 1280x720 position 0 0 scale 1
CONFIG
chmod 644 "$work/sway.config"
env -u WAYLAND_DISPLAY -u DISPLAY -u SWAYSOCK HOME="$work" XDG_RUNTIME_DIR="$run" \
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_user[@]}" sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
sway_pid=$!

# wait_for COMMAND...: runs COMMAND every 50 ms until it succeeds, at most 5 s.
wait_for() {
  local ticks=100
  until "$@"; do
    ticks=$((ticks - 1))
    [ "$ticks" -gt 0 ] || return 1
    kill -0 "$sway_pid" 2>/dev/null || fail "sway ended"
    sleep 0.05
  done
}
sockets_up() {
  compgen -G "$run/wayland-*.lock" >/dev/null && compgen -G "$run/sway-ipc.*.sock" >/dev/null
}
wait_for sockets_up || fail "sway did not start"
export XDG_RUNTIME_DIR=$run
socket=$(compgen -G "$run/wayland-*.lock" | head -n 1)
export WAYLAND_DISPLAY=$(basename "${socket%.lock}")
export SWAYSOCK=$(compgen -G "$run/sway-ipc.*.sock" | head -n 1)
unset DISPLAY

# The screen as device pixels (PPM), and the colour "r g b" of one of them.
shot() { grim -t ppm "$work/shot.ppm"; }
pixel() {
  local header width
  header=$(head -c 32 "$work/shot.ppm" | head -n 3 | wc -c)
  width=$(head -n 2 "$work/shot.ppm" | tail -n 1 | cut -d' ' -f1)
  od -An -tu1 -j $((header + ($2 * width + $1) * 3)) -N3 "$work/shot.ppm" | xargs
}
# pixels_are X Y "R G B" [X Y "R G B"...]: one shot shows them all.
pixels_are() {
  shot || return 1
  while [ $# -gt 0 ]; do
    [ "$(pixel "$1" "$2")" = "$3" ] || return 1
    shift 3
  done
}
expect_pixels() {
  if ! wait_for pixels_are "$@"; then
    local report=
    while [ $# -gt 0 ]; do
      report+=" ($1,$2)=$(pixel "$1" "$2") wanted $3;"
      shift 3
    done
    fail "the screen shows:$report"
  fi
}
# The probe's and the pointer tool's lines; `said` counts those seen.
has_line() { grep -qx -- "$1" "$work/$2"; }
count_lines() { grep -cx -- "$1" "$work/$2" || true; }
to_probe() { echo "$*" >&7; }
# Clicks (surface pixels of the layout) and waits until sway has handled it.
click() {
  local before
  before=$(count_lines ok pointer.out)
  echo "click $*" >&8
  wait_for eval '[ "$(count_lines ok pointer.out)" -gt "$before" ]' || fail "no answer from the pointer"
}
presses() { grep -E '^(press|double) ' "$work/probe.out" || true; }

step "the output before the desktop is shown"
swaymsg -q output HEADLESS-1 resolution 1280x720 scale 1 || fail "swaymsg failed"
wait_for shot || fail "grim cannot read the screen"
[ "$(head -n 2 "$work/shot.ppm" | tail -n 1)" = "1280 720" ] ||
  fail "the output is $(head -n 2 "$work/shot.ppm" | tail -n 1), not 1280 720"
beneath=$(pixel 640 360)
[ "$beneath" != "0 0 255" ] || fail "the screen is blue before the desktop is shown"

red="200 40 40" green="40 160 60" yellow="255 255 0"
step "the pattern, with what is beneath in its hole"
mkfifo "$work/probe.in" "$work/pointer.in"
"$probe" 40 <"$work/probe.in" >"$work/probe.out" 2>"$work/probe.err" &
probe_pid=$!
exec 7>"$work/probe.in"
wait_for has_line "ready 1280 720 1" probe.out || fail "the probe shows no frame"
expect_pixels 100 100 "$red" 1000 600 "$green" 319 179 "$red" 960 540 "$green" \
  320 180 "$beneath" 959 539 "$beneath" 640 360 "$beneath"

step "a click on the hole goes through; one beside it is the desktop's"
"$pointer" 1280 720 <"$work/pointer.in" >"$work/pointer.out" 2>"$work/pointer.err" &
pointer_pid=$!
exec 8>"$work/pointer.in"
wait_for has_line pointer probe.out || fail "the probe's seat has no pointer"
click 640 360
click 330 190
click 100 120
wait_for has_line "release 100 120 left" probe.out || fail "no release at 100 120"
[ "$(presses)" = "press 100 120 left" ] || fail "presses: $(presses)"

step "partial updates: a yellow patch in the hole, a new hole in the green"
to_probe paint 600 300 80 60 255 255 0
wait_for has_line painted probe.out || fail "the probe did not paint"
expect_pixels 600 300 "$yellow" 679 359 "$yellow" 680 360 "$beneath" 100 100 "$red" \
  1000 600 "$green" 400 250 "$beneath"
to_probe paint 900 50 100 100 0 0 255
wait_for eval '[ "$(count_lines painted probe.out)" = 2 ]' || fail "the probe did not paint again"
expect_pixels 950 100 "$beneath" 899 100 "$green" 610 310 "$yellow" 100 100 "$red" \
  1000 600 "$green"
click 620 320
click 950 100
click 1100 650 right
wait_for has_line "release 1100 650 right" probe.out || fail "no release at 1100 650"
[ "$(presses)" = "$(printf 'press 100 120 left\npress 620 320 left\npress 1100 650 right')" ] ||
  fail "presses: $(presses)"

step "at output scale 2 the frame has the output's device pixels"
swaymsg -q output HEADLESS-1 scale 2 || fail "swaymsg failed"
wait_for has_line "ready 1280 720 2" probe.out || fail "no frame at scale 2"
expect_pixels 100 100 "$red" 1000 600 "$green" 319 179 "$red" 320 180 "$beneath" \
  610 310 "$yellow" 950 100 "$beneath"
echo "size 640 360" >&8
click 50 60
wait_for eval '[ "$(count_lines "release 100 120 left" probe.out)" = 2 ]' ||
  fail "no release at 100 120"
click 320 180
click 305 155 middle
wait_for has_line "release 610 310 middle" probe.out || fail "no release at 610 310"
[ "$(presses | tail -n 2)" = "$(printf 'press 100 120 left\npress 610 310 middle')" ] ||
  fail "presses: $(presses)"

step "the probe ends when asked"
to_probe quit
rc=0
wait "$probe_pid" || rc=$?
probe_pid=
[ "$rc" = 0 ] || fail "the probe ended with $rc"
echo "e2e: all checks passed"
