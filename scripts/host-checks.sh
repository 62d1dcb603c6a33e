#!/usr/bin/env bash
# The host side of the test command: the page's build (the core in WebAssembly),
# the page's checks' npm packages and prettier at their pinned versions (prettier
# checks the JavaScript and CSS at once), then the host build of the portable
# core, bluffwick-lab and the tools, and their tests with the page's checks.
#   scripts/host-checks.sh JOBS
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-2}

echo "== Web build: the core in WebAssembly and bluffwick.html"
rm -rf build/test-web
scripts/build-page.sh build/test-web
ls -l build/test-web/web/bluffwick.html
# The browsers' drivers, the hosted copy's server and prettier, at the versions the lock file pins.
rm -rf build/test-npm
mkdir -p build/test-npm
cp tests/web/package.json tests/web/package-lock.json build/test-npm/
(cd build/test-npm && npm ci --no-audit --no-fund --loglevel=error)
echo "== Format: JavaScript and CSS as the pinned prettier lays them out"
# As with the other layouts, a fault fails the run at its end.
format_status=0
git ls-files -z '*.js' '*.css' | xargs -0 build/test-npm/node_modules/.bin/prettier --check || format_status=1

echo "== Host build: the portable core, bluffwick-lab, their tests and the page's checks"
rm -rf build/test-host
cmake -S . -B build/test-host -DCMAKE_BUILD_TYPE=Release -DBLUFFWICK_WEB_BUILD="$PWD/build/test-web" \
  -DBLUFFWICK_PLAYWRIGHT="$PWD/build/test-npm/node_modules"
cmake --build build/test-host -j"$jobs"
ctest --test-dir build/test-host --output-on-failure -j"$jobs"
[ "$format_status" -eq 0 ] || { echo "FAILED: the JavaScript and CSS layout (prettier, above)" >&2; exit 1; }
