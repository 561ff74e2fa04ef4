#!/usr/bin/env bash
# The installed program follows the monitors (RandR monitors set on Xvfb):
# a smaller primary monitor, a monitor beside it with a wallpaper of its own,
# and back; nothing is written to the skin. Without any display it ends at
# once with a message.
# Usage: screens.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
set -euo pipefail
build=$1
xshot=$2
here=$(cd "$(dirname "$0")" && pwd)
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
source "$here/xvfb.sh"
source "$here/program.sh"
e2e_install "$build"

step "without DISPLAY: exit code 1 and a message"
rc=0
env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$app/moravel" 2>"$work/err.log" || rc=$?
[ "$rc" = 1 ] || fail "exit code $rc"
grep -q DISPLAY "$work/err.log" || fail "no message: $(cat "$work/err.log")"

# The wood skin with a block 100 pixels from the far edges.
skin=$app/skins/wood
printf '[picture6]\r\nx=-100\r\ny=-100\r\ntr=0\r\nimage=block.png\r\n' >>"$skin/config.ini"
"$xshot" solid "$skin/block.png" 40 30 200 40 40
printf '[skin]\ndir=wood\n' >"$app/data.ini"
sums() { find "$app" -type f -name '*.ini' -print0 | sort -z | xargs -0 md5sum; }

start_xvfb 1920x1080
start_program
"$xshot" match "$skin/block.png" 1820 980 10000 || fail "the block is not at the far edges"
before=$(sums)

step "a 1280x720 primary monitor: the window, the wallpaper and the block follow"
"$xshot" monitor Main 0 0 1280 720 primary
wait_for window_shown 1280 720 || fail "the window is not 1280x720: $("$xshot" windows)"
"$xshot" match "$skin/block.png" 1180 620 5000 || fail "the block did not move"
[ "$("$xshot" pixel 1600 360)" = "0 0 0" ] || fail "the screen beyond the monitor is not empty"

step "a monitor beside it gets a wallpaper; when it is gone, so is the wallpaper"
"$xshot" monitor Side 1280 0 640 720
"$xshot" wait-not 1600 360 0 0 0 5000 || fail "no wallpaper on the monitor beside"
wait_for window_shown 640 720 || fail "no window on the monitor beside"
"$xshot" delmonitor Side
wait_for window_gone 640 720 || fail "the side window stayed"

step "the whole screen again"
"$xshot" delmonitor Main
wait_for window_shown 1920 1080 || fail "the window is not 1920x1080 again"
"$xshot" match "$skin/block.png" 1820 980 5000 || fail "the block is not back"
stop_program
[ "$(sums)" = "$before" ] || fail "settings files changed"
echo "e2e: all checks passed"
