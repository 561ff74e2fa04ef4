# Sourced by scripts/run and scripts/bench-idle (needs $root): the Release build
# of the program and of moravel_xshot (the screen reader of tests/e2e).
#
#   release_build PACKAGES...  installs what is missing of the packages, then
#                              configures and builds in $release (build/release;
#                              MORAVEL_RELEASE_DIR overrides it)
#   release_install DIR        lays out a fresh portable folder in DIR
release=${MORAVEL_RELEASE_DIR:-$root/build/release}
xshot=$release/tests/moravel_xshot

release_build() {
  "$root/scripts/deps" "$@"
  cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORAVEL_TESTS=ON >/dev/null
  cmake --build "$release" -j"$(nproc)" --target moravel moravel_xshot >&2
}

release_install() {
  cmake --install "$release" --prefix "$1" >/dev/null
}
