#!/usr/bin/env bash
# Fuzzes the saved game's reader: builds the core and the fuzzer with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in WORK_DIR/build, writes
# saved games of one match as seeds, and runs libFuzzer for SECONDS. Any crash,
# sanitizer report or broken round trip fails; the input is left in WORK_DIR.
#   tests/fuzz/run-fuzz.sh SOURCE_DIR WORK_DIR [SECONDS] [CLANG++] [SEED]
# SEED 0 lets libFuzzer pick one; the default 1 makes a run repeat itself.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 SOURCE_DIR WORK_DIR [SECONDS] [CLANG++] [SEED]" >&2
  exit 2
fi
source_dir=$1
work=$2
seconds=${3:-20}
clangxx=${4:-clang++-14}
seed=${5:-1}
build=$work/build

mkdir -p "$work"
# Shows a step's log only when the step fails.
quietly() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "failed: $*" >&2
    exit 1
  fi
}

# Only the core and the fuzzer's two programs are built, at -O1.
quietly "$work/configure.log" cmake -S "$source_dir" -B "$build" -DBLUFFWICK_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$clangxx"
quietly "$work/build.log" cmake --build "$build" --target saved_game_fuzz saved_game_seeds \
  -j "$(nproc)"

# Seeds and corpus start afresh, so every run fuzzes from the same inputs.
rm -rf "$work/seeds" "$work/corpus" "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
mkdir -p "$work/seeds" "$work/corpus"
"$build/tests/fuzz/saved_game_seeds" "$work/seeds"

"$build/tests/fuzz/saved_game_fuzz" -max_total_time="$seconds" -runs=50000000 -seed="$seed" \
  -max_len=5000 -len_control=0 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" "$work/seeds" 2>"$work/fuzz.log" || {
  tail -n 60 "$work/fuzz.log" >&2
  echo "the fuzzer failed; its input is in $work" >&2
  exit 1
}
{ grep -E '^stat::|^Done|cov:' "$work/fuzz.log" || true; } | tail -n 12
