#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own set to DPI, on a
# display of its own large enough for the scaled window:
#   run-at-dpi.sh DPI WORK_DIR PROGRAM.exe [ARGUMENT...]
# The prefix is a copy of the test run's prefix (scripts/wine-env.sh), so it
# has the same font replacements; it is removed afterwards.
set -euo pipefail
dpi=$1 work=$2
shift 2
project=$(cd "$(dirname "$0")/../.." && pwd)
"$project/scripts/wine-env.sh" --make-prefix
source_root=${BLUFFWICK_WINE_ROOT:-${TMPDIR:-/tmp}/bluffwick-wine-$(id -u)}

if [ -z "${BLUFFWICK_DPI_DISPLAY_READY:-}" ]; then
  export BLUFFWICK_DPI_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 2560x1600x24" "$0" "$dpi" "$work" "$@"
fi

rm -rf "$work"
mkdir -p "$work/home"
cp -a "$source_root/prefix" "$work/prefix"
export BLUFFWICK_WINE_ROOT="$work"
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$project/scripts/wine-env.sh" --keep-server
(
  export WINEPREFIX="$work/prefix" HOME="$work/home"
  # shellcheck source=scripts/wine-settings.sh
  source "$project/scripts/wine-settings.sh"
  set_wine_dpi "$dpi"
)
"$project/scripts/wine-env.sh" "$@"
