#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it under Wine.
# The game lives in a Wine prefix of its own under the user's data folder
# (${XDG_DATA_HOME:-~/.local/share}/bluffwick/wine), in C:\Bluffwick, so its
# settings file and the shortcuts made on its first run outlive rebuilds. A second
# run rebuilds and reinstalls nothing that is already there. The first run also
# puts a launcher in the desktop's menu, which starts the game through --start.
#   scripts/play.sh               install, build, start
#   scripts/play.sh --start       start the installed game: no install, no build
#   scripts/play.sh --uninstall   remove the game's prefix, launcher, icons and shortcuts
#   scripts/play.sh --web         build bluffwick.html and open it in the desktop's browser
#   scripts/play.sh --web --serve build it and serve site/ (the hosted copy) on 127.0.0.1
# BLUFFWICK_PLAY_BUILD chooses the build folder (default build/play; build/page for --web).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=play
case "${1:-} ${2:-}" in
  " ") ;;
  "--start ") mode=start ;;
  "--uninstall ") mode=uninstall ;;
  "--web ") mode=web ;;
  "--web --serve") mode=serve ;;
  *) echo "usage: $0 [--start | --uninstall | --web [--serve]]" >&2; exit 2 ;;
esac

# The browser's game needs no Wine: one file, opened from disk.
if [ "$mode" = web ] || [ "$mode" = serve ]; then
  scripts/install-deps.sh web
  build=${BLUFFWICK_PLAY_BUILD:-build/page}
  echo "play: building bluffwick.html in $build"
  scripts/build-page.sh "$build"
  if [ "$mode" = serve ]; then
    # The loopback address counts as a secure origin, so the service worker
    # runs and the page can be installed, as from an HTTPS host.
    port=${BLUFFWICK_SERVE_PORT:-8634}
    echo "play: serving $build/web/site at http://127.0.0.1:$port/ (Ctrl+C stops)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$build/web/site"
  fi
  page="$PWD/$build/web/bluffwick.html"
  [ "${build#/}" = "$build" ] || page="$build/web/bluffwick.html"
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
    echo "play: opening $page"
    exec xdg-open "$page"
  fi
  echo "play: no display to open it on; the page is $page"
  exit 0
fi

data=${XDG_DATA_HOME:-$HOME/.local/share}/bluffwick
export WINEPREFIX="$data/wine"
# The same Wine settings as the tests' prefix: quiet, and Wine's menu builder
# off, so that neither making the prefix nor the game puts entries or file
# associations of Wine's own on the desktop.
# shellcheck source=scripts/wine-settings.sh
source scripts/wine-settings.sh
# shellcheck source=scripts/linux-desktop.sh
source scripts/linux-desktop.sh

if [ "$mode" = uninstall ]; then
  uninstall
  exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "play: this Wayland session has no X display (DISPLAY is empty); Wine needs XWayland." >&2
  else
    echo "play: no display: DISPLAY and WAYLAND_DISPLAY are both empty." >&2
    echo "play: run this from a desktop session; the game is a window and needs one." >&2
  fi
  exit 1
fi

game_dir="$WINEPREFIX/drive_c/Bluffwick"
if [ "$mode" = start ]; then
  if [ ! -f "$WINEPREFIX/.bluffwick-ready" ] || [ ! -f "$game_dir/bluffwick.exe" ]; then
    echo "play: Bluffwick is not installed in $WINEPREFIX; run scripts/play.sh first." >&2
    exit 1
  fi
else
  scripts/install-deps.sh play
  build=${BLUFFWICK_PLAY_BUILD:-build/play}
  echo "play: building bluffwick.exe in $build"
  scripts/build-game.sh "$build"
fi

if [ ! -f "$WINEPREFIX/.bluffwick-ready" ]; then
  echo "play: making the game's Wine prefix in $WINEPREFIX (once)"
  mkdir -p "$data"
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.bluffwick-ready"
fi
# Imported on the first run, and again whenever the settings change.
write_wine_registry "$data/settings.reg"
if cmp -s "$data/settings.reg" "$WINEPREFIX/.bluffwick-settings.reg"; then
  rm -f "$data/settings.reg"
else
  echo "play: setting the Japanese font replacements"
  import_wine_registry "$data/settings.reg"
  mv -f "$data/settings.reg" "$WINEPREFIX/.bluffwick-settings.reg"
fi
# After an upgrade of Wine, the prefix update happens here, quietly, rather than
# at the game's start with the menu builder on.
inf=/usr/share/wine/wine.inf
if [ -f "$inf" ] && [ "$(tr -dc 0-9 <"$WINEPREFIX/.update-timestamp" 2>/dev/null)" != "$(stat -c %Y "$inf")" ]; then
  echo "play: updating the game's Wine prefix for this Wine"
  wineboot --update >/dev/null 2>&1
  wineserver -w
fi

# The desktop's scale, so that a 200 % desktop gets the game at 2x without a
# visit to winecfg: BLUFFWICK_DPI, else the X resources' Xft.dpi, else GDK_SCALE
# or QT_SCALE_FACTOR x 96, else 96.
desktop_dpi() {
  local dpi=${BLUFFWICK_DPI:-}
  if [ -z "$dpi" ] && command -v xrdb >/dev/null; then
    dpi=$(xrdb -query 2>/dev/null | awk '$1 == "Xft.dpi:" { print $2; exit }')
  fi
  if [ -z "$dpi" ]; then
    local factor=${GDK_SCALE:-${QT_SCALE_FACTOR:-}}
    [ -n "$factor" ] && dpi=$(awk -v f="$factor" 'BEGIN { print f * 96 }')
  fi
  dpi=$(awk -v d="${dpi:-96}" 'BEGIN { if (d + 0 >= 48 && d + 0 <= 480) printf "%d", d + 0.5; else print 96 }')
  echo "$dpi"
}
# What the prefix holds now (96 when it never was set), read from its registry file.
prefix_dpi() {
  local hex
  hex=$(awk '/^\[Control Panel\\\\Desktop\]/ { inside = 1; next }
             /^\[/ { inside = 0 }
             inside && /^"LogPixels"=dword:/ { sub(/^"LogPixels"=dword:/, ""); print; exit }' \
        "$WINEPREFIX/user.reg" 2>/dev/null)
  echo $((16#${hex:-60}))
}
dpi=$(desktop_dpi)
if [ "$dpi" != "$(prefix_dpi)" ]; then
  echo "play: setting the game's scale to $dpi DPI"
  set_wine_dpi "$dpi"
  wineserver -w
fi

if [ "$mode" = play ]; then
  # Copied only when different, so an unchanged program keeps its file as it was.
  put_file "$build/bin/bluffwick.exe" "$game_dir/bluffwick.exe" 755
  put_file "$build/bin/説明.txt" "$game_dir/説明.txt"
fi
install_launcher

echo "play: starting Bluffwick"
cd "$game_dir"
run_game
