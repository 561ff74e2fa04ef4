#!/usr/bin/env bash
# The skin chooser of the installed program switches skins, and the choice
# holds at the next start: the main menu is opened with a right click on the
# wallpaper (Xvfb has no tray), "Обложки..." is chosen with the keyboard, the
# second skin of the list is clicked and "OK" pressed.
# Usage: chooser.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
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

# Two skins over the wood wallpapers, each with a block of its own colour at
# (600, 300); the list shows them first: alpha, beta, then the bundled skins.
for skin in alpha beta; do
  mkdir -p "$app/skins/$skin"
  cp -r "$app/skins/wood/wallpaper" "$app/skins/$skin/"
  {
    printf '[doubleclick]\ndc=0\n[wallpaper]\n'
    tr -d '\r' <"$app/skins/wood/config.ini" | grep -E '^image[0-9]+x[0-9]+='
    printf '[picture1]\nx=600\ny=300\ntr=0\nimage=block.png\n'
  } >"$app/skins/$skin/config.ini"
done
"$xshot" solid "$app/skins/alpha/block.png" 80 60 200 40 40
"$xshot" solid "$app/skins/beta/block.png" 80 60 40 200 90
printf '[skin]\ndir=alpha\n' >"$app/data.ini"

start_xvfb 1920x1080
start_program
"$xshot" match "$app/skins/alpha/block.png" 600 300 10000 || fail "skin alpha is not drawn"

chooser_shown() { [ -n "$(window_at 300 453)" ]; }
chooser_gone() { [ -z "$(window_at 300 453)" ]; }

step "a right click on the wallpaper opens the main menu; Down Down Return chooses \"Обложки...\""
xdotool mousemove 900 700 click 3
wait_for popup_open || fail "no main menu"
xdotool key Down Down Return
wait_for chooser_shown || fail "no skin chooser: $("$xshot" windows)"
read -r x y <<<"$(window_at 300 453)"
[ "$x $y" = "$((960 - 150)) $((540 - 226))" ] || fail "the chooser is not centred: $x $y"

step "a click on the second skin of the list, then OK"
# The list starts at (10, 10) in the dialog, 13 pixels a line, inside a thin frame.
xdotool mousemove $((x + 60)) $((y + 10 + 2 + 13 + 6)) click 1
sleep 0.3
xdotool mousemove $((x + 105 + 45)) $((y + 420 + 12)) click 1
wait_for chooser_gone || fail "the chooser stayed open"
"$xshot" match "$app/skins/beta/block.png" 600 300 5000 || fail "skin beta is not drawn"
tr -d '\r' <"$app/data.ini" | grep -qx 'dir=beta' || fail "data.ini: $(cat "$app/data.ini")"
stop_program

step "the next start shows skin beta"
start_program
"$xshot" match "$app/skins/beta/block.png" 600 300 10000 || fail "skin beta is not drawn"
stop_program
echo "e2e chooser: all checks passed"
