#!/usr/bin/env bash
# Builds bluffwick.exe (Release, MinGW-w64) in the given folder, configuring it on
# first use; quiet unless something fails. Used by play.sh and package.sh.
#   scripts/build-game.sh BUILD-FOLDER     -> BUILD-FOLDER/bin/bluffwick.exe and 説明.txt
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD-FOLDER}
mkdir -p "$build"
log="$build/build-game.log"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
fi
cmake --build "$build" --target bluffwick -j"$(nproc 2>/dev/null || echo 2)" >"$log" 2>&1 ||
  { cat "$log" >&2; exit 1; }
