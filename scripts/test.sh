#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Host build: the portable core, bluffwick-lab and their tests"
rm -rf build/test-host
cmake -S . -B build/test-host -DCMAKE_BUILD_TYPE=Release
cmake --build build/test-host -j"$jobs"
ctest --test-dir build/test-host --output-on-failure -j"$jobs"
