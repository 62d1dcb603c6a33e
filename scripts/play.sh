#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
echo "The Windows program is not built yet; it arrives with the main window." >&2
echo "Until then, try the lab: cmake -S . -B build && cmake --build build && build/tools/lab/bluffwick-lab --help" >&2
exit 1
