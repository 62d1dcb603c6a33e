#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
# npm comes with Node; a machine with Debian's Node alone gets Debian's npm.
command -v npm >/dev/null || scripts/install-deps.sh npm

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Format: every C++ file as .clang-format lays it out"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror

echo "== Web build: the core in WebAssembly and bluffwick.html"
rm -rf build/test-web
scripts/build-page.sh build/test-web
ls -l build/test-web/web/bluffwick.html
# playwright-core, at the version the lock file pins, for the page's check in chromium.
rm -rf build/test-npm
mkdir -p build/test-npm
cp tests/web/package.json tests/web/package-lock.json build/test-npm/
(cd build/test-npm && npm ci --no-audit --no-fund --loglevel=error)

echo "== Host build: the portable core, bluffwick-lab, their tests and the page's checks"
rm -rf build/test-host
cmake -S . -B build/test-host -DCMAKE_BUILD_TYPE=Release -DBLUFFWICK_WEB_BUILD="$PWD/build/test-web" \
  -DBLUFFWICK_PLAYWRIGHT="$PWD/build/test-npm/node_modules"
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
