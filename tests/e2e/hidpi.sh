#!/usr/bin/env bash
# The installed program on a 3840x2160 virtual screen at 200 % (Xft.dpi 192):
# the probe skin is laid out on a 1920x1080 screen of skin pixels and drawn
# twice as large; the pointer hovers and clicks in device pixels. A new button
# placed with the keys (as in newbutton.sh) is stored in skin pixels and its
# pictures are written for both scales.
# Usage: hidpi.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
set -euo pipefail
build=$1
xshot=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool xrdb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/xvfb.sh"
source "$here/program.sh"
e2e_install "$build"
probe_skin

# A fifth button of one colour per state, 40 x 30 skin pixels at (600, 400),
# that runs clicked.sh: at 200 % it covers device pixels (1200, 800) to
# (1279, 859).
up="255 0 255" over="0 255 255" down="255 255 0"
"$xshot" solid "$skin/temp/block_u.png" 40 30 $up
"$xshot" solid "$skin/temp/block_o.png" 40 30 $over
"$xshot" solid "$skin/temp/block_d.png" 40 30 $down
# The new button's target.
printf '#!/bin/sh\ntouch %s\n' "$work/launched" >"$work/launch.sh"
chmod +x "$work/launch.sh"
printf '[button5]\nobject=%s\nimage=temp\\block_u.png\nx=600\ny=400\ntr=0\n' \
  "$work/clicked.sh" >>"$skin/user.ini"

# -noreset: the screen keeps Xft.dpi when xrdb, its last client, leaves.
start_xvfb 3840x2160 -noreset
set_xft_dpi 192
start_program

# Whether device rectangle (X, Y, W, H) shows colour "R G B" at its four
# corner pixels and not at the eight pixels just outside them.
shows_block() {
  local x=$1 y=$2 r=$(($1 + $3 - 1)) b=$(($2 + $4 - 1)) colour=$5 p px py
  for p in "$x $y" "$r $y" "$x $b" "$r $b"; do
    read -r px py <<<"$p"
    [ "$("$xshot" pixel "$px" "$py")" = "$colour" ] || return 1
  done
  for p in "$((x - 1)) $y" "$x $((y - 1))" "$((r + 1)) $y" "$r $((y - 1))" \
    "$((x - 1)) $b" "$x $((b + 1))" "$((r + 1)) $b" "$r $((b + 1))"; do
    read -r px py <<<"$p"
    [ "$("$xshot" pixel "$px" "$py")" != "$colour" ] || return 1
  done
}

step "the probe button stands at twice its stored place, twice its size"
"$xshot" wait-is 1200 800 $up 10000 || fail "the button is not drawn at (1200, 800)"
shows_block 1200 800 80 60 "$up" || fail "the button does not cover (1200, 800, 80, 60)"

step "the pointer over it shows its over picture; a click runs its program"
xdotool mousemove 3000 1800
xdotool mousemove 1240 830
wait_for shows_block 1200 800 80 60 "$over" || fail "no over picture"
xdotool click 1
wait_for test -f "$work/marker" || fail "the button's program did not run"

make_button_with_keys 3000 1800 "$work/launch.sh" 2
wait_for grep -q '^\[button6\]' "$skin/user.ini" || fail "no record: $(cat "$skin/user.ini")"
record=$(tr -d '\r' <"$skin/user.ini" | sed -n '/^\[button6\]/,/^\[/p')
for line in x=160 y=156 'image=temp\freebutton6_u.png'; do
  grep -qxF "$line" <<<"$record" || fail "record lacks $line: $record"
done

step "its pictures are written at 200 % too: name@2x.png, twice as wide and high"
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4, $7 * 256 + $8}'; }
for state in u o d; do
  one=$skin/temp/freebutton6_$state.png two=$skin/temp/freebutton6_$state@2x.png
  [ -f "$one" ] || fail "no $(basename "$one")"
  [ -f "$two" ] || fail "no $(basename "$two") beside it: $(cd "$skin/temp" && echo *)"
  read -r w h <<<"$(png_size "$one")"
  [ "$(png_size "$two")" = "$((2 * w)) $((2 * h))" ] ||
    fail "$(basename "$two") is $(png_size "$two"), not twice $w $h"
done

step "the new button is drawn from its 200 % picture at twice its stored place"
"$xshot" match "$skin/temp/freebutton6_u@2x.png" 320 312 5000 || fail "not drawn at (320, 312)"

step "a click at twice the stored place (320, 312) launches it"
xdotool mousemove $((320 + 2 * 56)) $((312 + 2 * 44)) click 1
wait_for test -f "$work/launched" || fail "the new button launched nothing"

stop_program
echo "e2e hidpi: all checks passed"
