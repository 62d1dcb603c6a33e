#!/usr/bin/env bash
# Runs the benchmarks, which the test command leaves out: their times follow the
# machine's load. Each prints medians and ratios (docs/bench.md).
#   bench/run.sh [starts|paint|all] [--runs N] [--before COMMIT] [--network]
# starts: the game's start against bare windows under Wine (build/bench-win); the
#         exit status is 1 when the game's peak working set exceeds 1.40x the bare
#         window's. paint: the page's first paint in headless chromium
#         (build/bench-web); with --before, that commit's page (built in a
#         worktree under build/) is timed beside it as the mark for the rest.
# --runs: starts of each program, or rounds of page loads (9 unless given).
# --network: paint also times the hosted copy's first load on the phone profile
#         over a slow network (150 ms round trips, 1.6 Mbit/s).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 [starts|paint|all] [--runs N] [--before COMMIT] [--network]" >&2
  exit 2
}
which=all
case "${1:-}" in starts | paint | all) which=$1; shift ;; esac
runs=9 before='' network=0
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage; runs=$2; shift 2 ;;
    --before) [ -n "${2:-}" ] || usage; before=$2; shift 2 ;;
    --network) network=1; shift ;;
    *) usage ;;
  esac
done
jobs=$(nproc 2>/dev/null || echo 2)
# The game's peak working set against the bare window's, at most (it was 1.47x
# when every DLL was loaded at start).
bound=1.40

wine_root='' xvfb_pid='' worktree=''
stop_wine() {
  if [ -n "$wine_root" ]; then BLUFFWICK_WINE_ROOT="$wine_root" scripts/wine-env.sh --remove-prefix || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  wine_root='' xvfb_pid=''
}
clean_up() {
  stop_wine
  if [ -n "$worktree" ]; then git worktree remove --force "$worktree" || true; fi
}
trap clean_up EXIT

# Runs a command with its output in LOG, shown only when it fails.
quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

load() { echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"; }

guard_status=0
starts() {
  echo "== Start-up against bare windows under Wine, $runs starts each"
  local build=build/bench-win
  mkdir -p "$build"
  quietly "$build/bench-build.log" cmake -S . -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DBLUFFWICK_BENCH=ON
  quietly "$build/bench-build.log" cmake --build "$build" -j"$jobs" --target bluffwick_start_bench
  # A throwaway Wine root on a display of its own, with a warm wineserver, as the
  # test command has them.
  wine_root=$(mktemp -d "${TMPDIR:-/tmp}/bluffwick-bench-wine.XXXXXX")
  export BLUFFWICK_WINE_ROOT="$wine_root"
  mkfifo "$wine_root/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$wine_root/display" >"$wine_root/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local display_number
  read -r display_number <"$wine_root/display"
  export DISPLAY=":$display_number"
  scripts/wine-env.sh --keep-server
  load
  local out=$PWD/$build/bench
  scripts/wine-env.sh "$out/bluffwick_start_bench.exe" "$runs" "$PWD/$build/bin/bluffwick.exe" \
    "$out/bare_window.exe" "$out/starts" --memory-within "$bound" \
    --with-controls "$out/bare_controls.exe" || guard_status=$?
  load
  # Nothing of Wine is left running to weigh on the next benchmark.
  stop_wine
}

paint() {
  echo "== The page's first paint in headless chromium, $runs runs"
  scripts/build-page.sh build/bench-web
  # playwright-core at the version the tests' lock file pins.
  rm -rf build/bench-npm
  mkdir -p build/bench-npm
  cp tests/web/package.json tests/web/package-lock.json build/bench-npm/
  (cd build/bench-npm && npm ci --no-audit --no-fund --loglevel=error)
  local earlier=()
  if [ -n "$before" ]; then
    worktree=build/bench-before
    if [ -e "$worktree" ]; then git worktree remove --force "$worktree"; fi
    git worktree add --quiet --detach "$worktree" "$before"
    "$worktree/scripts/build-page.sh" build/bench-web
    earlier=("$worktree/build/bench-web/web/bluffwick.html")
    if [ -d "$worktree/build/bench-web/web/site" ]; then earlier+=("$worktree/build/bench-web/web/site"); fi
  fi
  load
  BLUFFWICK_BENCH_NETWORK=$network node bench/first_paint.js build/bench-npm/node_modules/playwright-core build/bench-web/web/bluffwick.html \
    build/bench-web/web/site "$runs" "${earlier[@]}"
  load
}

case "$which" in
  starts) starts ;;
  paint) paint ;;
  all) starts; paint ;;
esac
# The working set is the one figure held to a bound: the exit status says how it went.
[ "$guard_status" -eq 0 ] || echo "FAILED: the game's working set is over ${bound}x the bare window's" >&2
[ "$guard_status" -eq 0 ]
