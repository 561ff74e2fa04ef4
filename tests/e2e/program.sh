# Sourced by the end-to-end scripts, after xvfb.sh: a fresh portable folder of
# the installed program and the program started in it.
#
#   e2e_install BUILD    installs into a new folder: sets $work and $app
#                        (removed on exit), its own XDG_RUNTIME_DIR (lock
#                        folder) and an exit trap that ends the program and Xvfb
#   start_program [WRAPPER...]   starts $app/moravel (through WRAPPER, e.g.
#                        timeout) in the background, output to $work/out.log:
#                        sets $pid
#   stop_program         SIGTERM; fails unless the program ends with code 0
#                        within 10 s
#   wait_for [-t SECONDS] COMMAND...   runs COMMAND every 50 ms until it
#                        succeeds, at most SECONDS (default 5); status 1 when
#                        it never does
#   window_at W H        "x y" of the viewable top-level window of that size
#                        (needs $xshot), or nothing
#   window_shown W H, window_gone W H   whether such a window is shown (for wait_for)
#   popup_open           true while a menu (override-redirect window) is shown
#   probe_skin           makes the probe skin $app/skins/e2e of the bundled
#                        skin's files and chooses it in data.ini: sets $skin
#                        (see below)
#   fail MESSAGE, step MESSAGE
pid=
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

e2e_cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}

e2e_install() {
  work=$(mktemp -d /tmp/moravel-e2e-XXXXXX)
  app=$work/moravel
  trap e2e_cleanup EXIT
  cmake --install "$1" --prefix "$app" >/dev/null
  [ -x "$app/moravel" ] || fail "the portable folder is incomplete"
  export XDG_RUNTIME_DIR=$work/run
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

start_program() {
  "$@" "$app/moravel" >>"$work/out.log" 2>&1 &
  pid=$!
}

stop_program() {
  local rc=0
  end_process "$pid" 10 || rc=$?
  pid=
  [ "$rc" = 0 ] || fail "exit code $rc after SIGTERM: $(cat "$work/out.log")"
}

wait_for() {
  local seconds=5
  if [ "$1" = -t ]; then
    seconds=$2
    shift 2
  fi
  for _ in $(seq $((seconds * 20))); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

window_at() { "$xshot" windows | awk -v w="$1" -v h="$2" '$2 == 1 && $6 == w && $7 == h {print $4, $5}'; }
window_shown() { [ -n "$(window_at "$1" "$2")" ]; }
window_gone() { [ -z "$(window_at "$1" "$2")" ]; }
popup_open() { "$xshot" windows | awk '$2 == 1 && $3 == 1' | grep -q .; }

# Opens the button editor from the main menu (right click at X Y), types
# TARGET into its target box, presses OK, then steps the placement Right and
# Down along the grid and commits with Space. SCALE: the screen's (the
# editor is 600 x 400 logical pixels).
make_button_with_keys() {
  local at_x=$1 at_y=$2 target=$3 scale=$4 w=$((600 * $4)) h=$((400 * $4)) x y key
  step "the main menu's \"Добавить кнопку\" opens the editor ($w x $h device pixels)"
  xdotool mousemove "$at_x" "$at_y" click 3
  wait_for popup_open || fail "no main menu"
  xdotool key Down Down Down Return
  wait_for window_shown "$w" "$h" || fail "no editor: $("$xshot" windows)"
  read -r x y <<<"$(window_at "$w" "$h")"
  step "a target typed, OK: the placement begins"
  # The target box: (5, 25) in the action group at (310, 5), logical pixels.
  xdotool mousemove $((x + scale * (315 + 120))) $((y + scale * (30 + 12))) click 1
  sleep 0.2
  xdotool type --delay 5 "$target"
  xdotool key Return
  wait_for window_gone "$w" "$h" || fail "the editor stayed open"
  sleep 0.3
  step "Right and Down step along the grid, Space commits"
  for key in Right Down space; do
    xdotool key "$key"
    sleep 0.25
  done
}

# The probe skin, made of the bundled skin's files, so that the places the
# tests check do not follow the artwork's layout: the wood wallpapers, three
# buttons with wood's button pictures at (40, 40), (40, 150) and (40, 260), a
# picture (pogoda.png) at (700, 300), a fourth button at (400, 40) that runs
# $work/clicked.sh, which writes "clicked" to $work/marker, and wood's first
# template of new buttons (grid from (40, 40) in steps of 120 x 116).
probe_skin() {
  local wood=$app/skins/wood
  skin=$app/skins/e2e
  mkdir -p "$skin/temp"
  cp -r "$wood/wallpaper" "$wood/templates" "$wood/pogoda.png" "$skin/"
  cp "$wood"/temp/freebutton[123]_[uod].png "$skin/temp/"
  cat >"$work/clicked.sh" <<SCRIPT
#!/bin/sh
echo clicked >"$work/marker"
SCRIPT
  chmod +x "$work/clicked.sh"
  {
    printf '[doubleclick]\ndc=0\n[wallpaper]\n'
    tr -d '\r' <"$wood/config.ini" | grep -E '^image[0-9]+x[0-9]+='
    printf '[picture1]\nx=700\ny=300\ntr=1\nimage=pogoda.png\n'
    tr -d '\r' <"$wood/config.ini" | sed -n '/^\[freebutton1\]/,/^\[freebutton2\]/p' | sed '$d'
  } >"$skin/config.ini"
  local n
  for n in 1 2 3; do
    printf '[button%d]\nobject=\nparam=17\nimage=temp\\freebutton%d_u.png\nx=40\ny=%d\ntr=0\n' \
      "$n" "$n" $((40 + 110 * (n - 1)))
  done >"$skin/user.ini"
  printf '[button4]\nobject=%s\nimage=temp\\freebutton1_u.png\nx=400\ny=40\ntr=0\n' \
    "$work/clicked.sh" >>"$skin/user.ini"
  printf '[skin]\ndir=e2e\n' >"$app/data.ini"
}
