#!/usr/bin/env bash
# Builds bluffwick.html (the game core in WebAssembly with Emscripten, the page
# around it) in the given folder, configuring it on first use; quiet unless
# something fails. Used by play.sh --web, package.sh and test.sh.
#   scripts/build-page.sh BUILD-FOLDER     -> BUILD-FOLDER/web/bluffwick.html
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD-FOLDER}
# Debian's em++ runs its tools under the installed Node, which sees Debian's own
# JavaScript modules (acorn) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
mkdir -p "$build"
log="$build/build-page.log"
if [ ! -f "$build/CMakeCache.txt" ]; then
  emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
fi
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
