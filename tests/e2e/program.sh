# Sourced by the end-to-end scripts, after xvfb.sh: a fresh portable folder of
# the installed program and the program started in it.
#
#   e2e_install BUILD    installs into a new folder: sets $work and $app
#                        (removed on exit), its own XDG_RUNTIME_DIR (lock
#                        folder) and an exit trap that ends the program and Xvfb
#   start_program [WRAPPER...]   starts $app/moravel (through WRAPPER, e.g.
#                        faketime) in the background: sets $pid
#   stop_program         SIGTERM; fails unless the program ends with code 0
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
  kill -TERM "$pid"
  local rc=0
  wait "$pid" || rc=$?
  pid=
  [ "$rc" = 0 ] || fail "exit code $rc after SIGTERM: $(cat "$work/out.log")"
}
