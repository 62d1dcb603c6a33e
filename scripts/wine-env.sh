#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, in a throwaway prefix whose
# font replacements draw Japanese with the installed IPA Gothic fonts.
#   scripts/wine-env.sh PROGRAM.exe [ARGUMENT...]   run it (makes the prefix if missing)
#   scripts/wine-env.sh --make-prefix               make the prefix now, nothing else
#   scripts/wine-env.sh --keep-server               keep a wineserver running for the prefix
#                                                   until --remove-prefix (faster test runs)
#   scripts/wine-env.sh --remove-prefix             stop its wineserver and delete it
# BLUFFWICK_WINE_ROOT chooses the folder (default /tmp/bluffwick-wine-UID); it holds the
# prefix and the HOME the programs see, so shortcuts never reach a real home. Without
# DISPLAY the program runs on a private Xvfb display.
# This is also the CMake emulator of the Windows build (cmake/mingw-w64-x86_64.cmake).
set -euo pipefail

root=${BLUFFWICK_WINE_ROOT:-${TMPDIR:-/tmp}/bluffwick-wine-$(id -u)}
export WINEPREFIX="$root/prefix"
export HOME="$root/home"
# shellcheck source=scripts/wine-settings.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-settings.sh"

make_prefix() {
  mkdir -p "$root" "$HOME"
  exec 9>"$root/.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.bluffwick-ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "wine-env: making the Wine prefix $WINEPREFIX" >&2
    wine wineboot --init >/dev/null 2>&1
    write_wine_registry "$root/settings.reg"
    import_wine_registry "$root/settings.reg"
    touch "$WINEPREFIX/.bluffwick-ready"
  fi
  flock -u 9
  exec 9>&-
}

case "${1:-}" in
  --make-prefix) make_prefix; exit 0 ;;
  --keep-server)
    make_prefix
    wineserver -p </dev/null >/dev/null 2>&1
    # Wine's own background processes (services, the desktop) start here, holding
    # none of our pipes: started by a test program they would inherit its output,
    # and whoever reads that output (ctest, test discovery) would wait for them.
    wine wineboot </dev/null >/dev/null 2>&1
    wine explorer /desktop </dev/null >/dev/null 2>&1 &
    exit 0 ;;
  --remove-prefix)
    if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$root"
    exit 0 ;;
  "") echo "usage: $0 PROGRAM.exe [ARGUMENT...] | --make-prefix | --remove-prefix" >&2; exit 2 ;;
esac

make_prefix
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$@"
fi
# A private display for this one run; wait for the wineserver so that nothing of
# Wine outlives the display it was started on (so never with --keep-server).
# shellcheck disable=SC2016 # "$@" and $status are the inner shell's
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'wine "$@"; status=$?; wineserver -w; exit $status' wine-env "$@"
