#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Format: every C++ file as .clang-format lays it out"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror

echo "== Host build: the portable core, bluffwick-lab and their tests"
rm -rf build/test-host
cmake -S . -B build/test-host -DCMAKE_BUILD_TYPE=Release
cmake --build build/test-host -j"$jobs"
ctest --test-dir build/test-host --output-on-failure -j"$jobs"

echo "== Windows build: bluffwick.exe and its Win32 tests, run under Wine"
# A throwaway Wine prefix and HOME (shortcut tests write to its desktop), one Xvfb
# display for the whole run, and a wineserver kept up between the test programs.
wine_root=$(mktemp -d "${TMPDIR:-/tmp}/bluffwick-test-wine.XXXXXX")
export BLUFFWICK_WINE_ROOT="$wine_root"
xvfb_pid=
stop_windows_session() {
  scripts/wine-env.sh --remove-prefix || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_windows_session EXIT
display_pipe="$wine_root/display"
mkfifo "$display_pipe"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_pipe" >"$wine_root/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r display_number <"$display_pipe"
export DISPLAY=":$display_number"
scripts/wine-env.sh --make-prefix
scripts/wine-env.sh --keep-server
rm -rf build/test-win
cmake -S . -B build/test-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/test-win -j"$jobs"
ctest --test-dir build/test-win --output-on-failure -j"$jobs"
