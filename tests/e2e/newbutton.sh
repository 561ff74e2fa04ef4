#!/usr/bin/env bash
# A new button made with the editor of the installed program: the main menu
# (a right click on the wallpaper: Xvfb has no tray) opens "Добавить кнопку",
# a target is typed, OK begins the placement, the arrows move the marker
# along the wood template's grid and Space commits. The button's files and
# record are written, its picture stands on the screen, a click launches it,
# and it is back after a restart. Then button 1 is removed through its menu:
# the new (last) button takes number 1 and stays in place, after a restart too.
# Usage: newbutton.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
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

marker=$work/launched
printf '#!/bin/sh\ntouch %s\n' "$marker" >"$work/launch.sh"
chmod +x "$work/launch.sh"
skin=$app/skins/wood

start_xvfb 1920x1080
start_program
"$xshot" match "$skin/temp/freebutton1_u.png" 40 40 10000 || fail "the wood skin is not drawn"


make_button_with_keys 900 700 "$work/launch.sh" 1
wait_for -t 5 test -f "$skin/temp/freebutton4_d.png" || fail "no button pictures: $(ls "$skin/temp")"
wait_for grep -q '^\[button4\]' "$skin/user.ini" || fail "no record: $(cat "$skin/user.ini")"
record=$(tr -d '\r' <"$skin/user.ini" | sed -n '/^\[button4\]/,/^\[/p')
for line in "object=$work/launch.sh" x=160 y=156 'image=temp\freebutton4_u.png' tr=0; do
  grep -qxF "$line" <<<"$record" || fail "record lacks $line: $record"
done
! grep -q '^param=' <<<"$record" || fail "a file button has no param: $record"
"$xshot" match "$skin/temp/freebutton4_u.png" 160 156 5000 || fail "the new button is not drawn"

step "a click on the new button launches its target"
xdotool mousemove 216 200 click 1
wait_for test -f "$marker" || fail "the button launched nothing"
stop_program

step "the next start shows the new button"
start_program
"$xshot" match "$skin/temp/freebutton4_u.png" 160 156 10000 || fail "the new button is gone"
cp "$skin/temp/freebutton4_u.png" "$work/new_u.png"

step "\"Удалить кнопку\" on button 1: the new button takes number 1 (its pictures copied under a fresh name) and stays where it is"
xdotool mousemove 60 60 click 3
wait_for popup_open || fail "no button menu"
xdotool key Down Down Return
wait_for window_shown 226 100 || fail "no removal dialog: $("$xshot" windows)"
read -r x y <<<"$(window_at 226 100)"
xdotool mousemove $((x + 33 + 37)) $((y + 65 + 12)) click 1
wait_for window_gone 226 100 || fail "the removal dialog stayed open"
wait_for test ! -e "$skin/temp/freebutton4_u.png" || fail "button 4's pictures are still there"
record=$(tr -d '\r' <"$skin/user.ini" | sed -n '/^\[button1\]/,/^\[/p')
for line in "object=$work/launch.sh" x=160 y=156 'image=temp\freebutton1-2_u.png'; do
  grep -qxF "$line" <<<"$record" || fail "record 1 lacks $line: $record"
done
! grep -q '^\[button4\]' "$skin/user.ini" || fail "[button4] is still there"
cmp -s "$skin/temp/freebutton1-2_u.png" "$work/new_u.png" || fail "the moved pictures differ"
test ! -e "$skin/temp/freebutton1_u.png" || fail "button 1's old pictures are still there"
"$xshot" match "$work/new_u.png" 160 156 5000 || fail "the moved button is not drawn"
stop_program

step "after a restart the moved button is still there"
start_program
"$xshot" match "$work/new_u.png" 160 156 10000 || fail "the moved button is gone"
stop_program
echo "e2e newbutton: all checks passed"
