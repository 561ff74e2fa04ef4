# Building and running the libFuzzer targets, shared by scripts/fuzz and
# scripts/fuzz-campaign (sourced, not run). Everything lives in build/fuzz:
# the targets in build/fuzz/fuzz, the corpus each target grows in
# build/fuzz/corpus/TARGET, and the inputs that broke one in
# build/fuzz/artifacts/TARGET-{crash,leak,timeout,oom}-HASH.
fuzz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_build="$fuzz_root/build/fuzz"
fuzz_artifacts="$fuzz_build/artifacts"

# Prints the target names, one a line.
fuzz_list() {
  local f
  for f in "$fuzz_root"/fuzz/*_fuzz.cpp; do basename "$f" _fuzz.cpp; done
}

fuzz_exists() { [ -f "$fuzz_root/fuzz/${1}_fuzz.cpp" ]; }

# Installs what is missing and builds the named targets (clang, ASan, UBSan).
fuzz_build_targets() {
  source "$fuzz_root/scripts/packages.sh"
  "$fuzz_root/scripts/deps" "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
  if [ ! -f "$fuzz_build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$fuzz_root" -B "$fuzz_build" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORAVEL_FUZZ=ON -DMORAVEL_TESTS=OFF >/dev/null
  fi
  local names=() t
  for t in "$@"; do names+=(--target "fuzz_$t"); done
  cmake --build "$fuzz_build" -j"$(nproc)" "${names[@]}" >/dev/null
}

# Sets fuzz_seeds to the seed folders of TARGET: its folder in fuzz/corpus and,
# for some targets, folders of the outside suites.
fuzz_seed_folders() {
  local target=$1 folder
  fuzz_seeds=()
  [ -d "$fuzz_root/fuzz/corpus/$target" ] && fuzz_seeds+=("$fuzz_root/fuzz/corpus/$target")
  # The outside suites are read in place from beside the clone, never copied into
  # fuzz/corpus; a folder that is absent is left out. Shortcuts there are base64
  # text (the target reads them decoded too).
  local shared="$fuzz_root/../shared/testdata" shared_seeds=()
  case "$target" in
    png) shared_seeds=(pngsuite/png) ;;
    bmp) shared_seeds=(bmpsuite/g bmpsuite/q bmpsuite/b pngsuite/bmp) ;;
    lnk) shared_seeds=(lnk/samples) ;;
  esac
  for folder in "${shared_seeds[@]}"; do
    if [ -d "$shared/$folder" ]; then fuzz_seeds+=("$shared/$folder"); fi
  done
}

# Runs TARGET (already built) for at most SECONDS and, when RUNS is above 0, at
# most RUNS executions (the seeds' first runs count); libFuzzer's output goes to
# LOG. Returns libFuzzer's status: 0 when it stopped on time or runs, non-zero
# when it left a finding in fuzz_artifacts (or could not run at all).
fuzz_run() {
  local target=$1 seconds=$2 runs=$3 log=$4
  local work="$fuzz_build/corpus/$target"
  mkdir -p "$work" "$fuzz_artifacts"
  fuzz_seed_folders "$target"
  local limit=()
  [ "$runs" -gt 0 ] && limit=(-runs="$runs")
  # libFuzzer writes new inputs only to the first folder, "$work". ASan keeps
  # freed memory in quarantine to catch use after free; a small one keeps long
  # runs of allocation-heavy targets (zlib) inside the memory limit.
  ASAN_OPTIONS="quarantine_size_mb=64:${ASAN_OPTIONS:-}" \
  "$fuzz_build/fuzz/fuzz_$target" -max_total_time="$seconds" "${limit[@]}" \
    -rss_limit_mb=4096 -timeout=10 -artifact_prefix="$fuzz_artifacts/$target-" \
    -print_final_stats=1 "$work" "${fuzz_seeds[@]}" >"$log" 2>&1
}

# Prints how many inputs the run in LOG executed: libFuzzer's final count, or
# its last progress line when it ended without one.
fuzz_executions() {
  local log=$1 n
  n=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  [ -n "$n" ] || n=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  echo "${n:-0}"
}
