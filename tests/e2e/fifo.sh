#!/usr/bin/env bash
# The installed program never waits on a FIFO that nobody writes to: the
# button editor takes as its target, in turn, a launcher whose Icon= names a
# FIFO, a FIFO named x.desktop and one named x.lnk, and draws its preview of
# each (the "Открыть файл" choice reads the target's icon at once). After each
# the wood skin's clock still ticks, and at the end the editor still closes.
# Usage: fifo.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
set -euo pipefail
build=$1
xshot=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/xvfb.sh"
source "$here/program.sh"
e2e_install "$build"

mkfifo "$work/icon" "$work/x.desktop" "$work/x.lnk"
printf '[Desktop Entry]\nType=Application\nName=f\nExec=/bin/true\nIcon=%s\n' "$work/icon" \
  >"$work/launcher.desktop"
skin=$app/skins/wood

# True once the screen differs from what it showed when called, within 3 s:
# the clock's second hand moves once a second while the program is running.
ticks() {
  "$xshot" save "$work/before.png"
  for _ in $(seq 30); do
    sleep 0.1
    "$xshot" save "$work/now.png"
    cmp -s "$work/before.png" "$work/now.png" || return 0
  done
  return 1
}

start_xvfb 1920x1080
start_program
"$xshot" match "$skin/temp/freebutton1_u.png" 40 40 10000 || fail "the wood skin is not drawn"
ticks || fail "the clock does not tick before any FIFO"

step "the main menu's \"Добавить кнопку\" opens the editor"
xdotool mousemove 900 700 click 3
wait_for popup_open || fail "no main menu"
xdotool key Down Down Down Return
wait_for window_shown 600 400 || fail "no editor: $("$xshot" windows)"
read -r x y <<<"$(window_at 600 400)"

for target in "$work/launcher.desktop" "$work/x.desktop" "$work/x.lnk"; do
  step "the target $(basename "$target"), its icon read for the preview: the clock ticks on"
  # The target box at (5, 25) and "Открыть файл" at (5, 55) in the action group at (310, 5).
  xdotool mousemove $((x + 315 + 120)) $((y + 30 + 12)) click 1
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 5 "$target"
  xdotool mousemove $((x + 315 + 20)) $((y + 60 + 8)) click 1
  sleep 0.3
  ticks || fail "the clock stopped after the target $target"
done

step "Escape closes the editor"
xdotool key Escape
wait_for window_gone 600 400 || fail "the editor does not answer"
stop_program
echo "e2e fifo: all checks passed"
