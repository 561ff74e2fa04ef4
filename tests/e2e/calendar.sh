#!/usr/bin/env bash
# The installed program shows the calendar for the date of the machine's
# clock, set from outside with faketime: a skin whose month, weekday, day and
# year pictures are each one colour of their own, per section and per number,
# must show exactly the pictures of Saturday 7 March 2026.
# Usage: calendar.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
set -euo pipefail
build=$1
xshot=$2
here=$(cd "$(dirname "$0")" && pwd)
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
# libfaketime from the faketime package, preloaded into the program itself (the
# faketime wrapper would stand between the program and the SIGTERM below).
libfaketime=/usr/lib/$(gcc -print-multiarch 2>/dev/null || echo x86_64-linux-gnu)/faketime/libfaketime.so.1
[ -f "$libfaketime" ] || { echo "SKIP: faketime is not installed"; exit 77; }
source "$here/xvfb.sh"
source "$here/program.sh"
e2e_install "$build"

# skins/dates: section number s (0 month .. 7 year4) at x = 100 + 60 s,
# picture number i in the colour (30 s, 20 i, 150).
sections=(month weekday day1 day2 year1 year2 year3 year4)
first=(1 1 0 0 0 0 0 0)
last=(12 7 3 9 9 9 9 9)
skin=$app/skins/dates
mkdir -p "$skin/calendar"
picture() { echo "$skin/calendar/$1-$2.png"; }
for s in "${!sections[@]}"; do
  name=${sections[$s]}
  printf '[%s]\nx=%d\ny=100\ntr=0\n' "$name" $((100 + 60 * s))
  for i in $(seq "${first[$s]}" "${last[$s]}"); do
    "$xshot" solid "$(picture "$name" "$i")" 40 30 $((30 * s)) $((20 * i)) 150
    printf 'image%d=calendar\\%s-%d.png\n' "$i" "$name" "$i"
  done
done >"$skin/config.ini"
printf '[skin]\ndir=dates\n' >"$app/data.ini"

start_xvfb 1920x1080
# The clock starts at that moment and runs on; only the wall clock is moved.
LD_PRELOAD=$libfaketime FAKETIME="@2026-03-07 10:08:36" FAKETIME_DONT_FAKE_MONOTONIC=1 \
  TZ=UTC start_program

step "after the first calendar tick the pictures of Saturday 7 March 2026 show"
expected=(3 7 0 7 2 0 2 6)
for s in "${!sections[@]}"; do
  name=${sections[$s]}
  "$xshot" match "$(picture "$name" "${expected[$s]}")" $((100 + 60 * s)) 100 10000 ||
    fail "$name does not show picture ${expected[$s]}"
done
stop_program
echo "e2e calendar: all checks passed"
