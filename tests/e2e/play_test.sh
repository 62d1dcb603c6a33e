#!/usr/bin/env bash
# Checks the play command. Without a display it refuses at once. Under Xvfb, with
# HOME and XDG_DATA_HOME in a temporary folder, it makes the game's own Wine
# prefix, installs the program there and starts it; a second run starts it again
# in seconds, rebuilding and reinstalling nothing and keeping bluffwick.ini.
#   play_test.sh BUILD-FOLDER WORK-FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
play="$here/../../scripts/play.sh"
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# The game's Wine process: first argument ending in bluffwick.exe, our prefix.
game_pid() {
  local proc first
  for proc in /proc/[0-9]*; do
    first=$( { tr '\0' '\n' <"$proc/cmdline"; } 2>/dev/null | head -n 1)
    case "$first" in
      *bluffwick.exe)
        if { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; then
          echo "${proc#/proc/}"
          return 0
        fi ;;
    esac
  done
  return 1
}

# Runs play.sh in the background; sets play_pid, and took to the milliseconds
# until the game runs.
start_game() {
  local log=$1 started waited
  started=$(date +%s%N)
  "$play" >"$log" 2>&1 &
  play_pid=$!
  for waited in $(seq 1 1200); do
    if game_pid >/dev/null; then
      took=$(( ($(date +%s%N) - started) / 1000000 ))
      return 0
    fi
    kill -0 "$play_pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$log" >&2
  return 1
}

stop_game() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  wait "$play_pid" 2>/dev/null
}

with_display() {
  build=$1 work=$2
  export HOME="$work/home" XDG_DATA_HOME="$work/data" BLUFFWICK_PLAY_BUILD="$build"
  mkdir -p "$HOME"
  prefix="$XDG_DATA_HOME/bluffwick/wine"
  local installed="$prefix/drive_c/Bluffwick"

  if ! start_game "$work/play-1.log"; then
    check "the first run starts the game" false
    return
  fi
  echo "     first run: the game runs after $took ms (prefix made, program installed)"
  check "the prefix is the game's own, under the data folder" test -f "$prefix/system.reg"
  check "the prefix replaces the game's Japanese font names" grep -q '"IPAPGothic"' "$prefix/user.reg"
  check "the prefix opens .txt files with notepad, for the Help menu" grep -q '"txtfile"' "$prefix/system.reg"
  check "the program and its help text are installed in C:\\Bluffwick" \
    cmp -s "$build/bin/bluffwick.exe" "$installed/bluffwick.exe"
  check "the help text is installed beside it" cmp -s "$build/bin/説明.txt" "$installed/説明.txt"
  # Wine makes the empty XDG folders; what must not appear is an entry of its own.
  check "making the prefix left no menu entries or file types on the desktop" \
    test -z "$(find "$XDG_DATA_HOME" "$HOME" -path "$XDG_DATA_HOME/bluffwick" -prune -o -type f -print)"
  stop_game

  # As after a first run: the settings file the game wrote must survive.
  printf '[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n' >"$installed/bluffwick.ini"
  local stamp
  stamp=$(stat -c %Y.%N "$installed/bluffwick.exe" "$installed/説明.txt")
  sleep 1
  if ! start_game "$work/play-2.log"; then
    check "the second run starts the game" false
    return
  fi
  echo "     second run: the game runs after $took ms"
  check "the second run starts the game within 15 s ($took ms)" test "$took" -lt 15000
  check "the second run reinstalls nothing" test "$stamp" = "$(stat -c %Y.%N "$installed/bluffwick.exe" "$installed/説明.txt")"
  check "the second run makes no prefix and compiles nothing" \
    bash -c "! grep -q -e 'making the game' -e updating -e setting -e installed '$work/play-2.log' &&
             ! grep -q 'Building CXX' '$build/build-game.log'"
  check "bluffwick.ini survives" grep -q 'STARTUP=0' "$installed/bluffwick.ini"
  check "a desktop at 96 DPI leaves the prefix's scale alone" bash -c "! grep -q 'scale to' '$work/play-1.log' '$work/play-2.log'"
  stop_game

  # A 200 % desktop: the prefix gets 192 DPI, once.
  if ! BLUFFWICK_DPI=192 start_game "$work/play-3.log"; then
    check "the run at 192 DPI starts the game" false
    return
  fi
  check "BLUFFWICK_DPI=192 sets the prefix to 192 DPI" \
    bash -c "grep -q 'scale to 192 DPI' '$work/play-3.log' && grep -q '\"LogPixels\"=dword:000000c0' '$prefix/user.reg'"
  stop_game
}

if [ "${1:-}" = --with-display ]; then
  shift
  with_display "$@"
  exit $((failures > 0))
fi

build=$1 work=$2
rm -rf "$work"
mkdir -p "$work"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$play" 2>&1)
status=$?
check "without a display play.sh stops at once, nonzero, saying so" \
  test "$status" -ne 0 -a "$status" -ne 124 -a -n "$(echo "$out" | grep 'no display')"
out=$(env -u DISPLAY WAYLAND_DISPLAY=wayland-0 timeout 20 "$play" 2>&1)
status=$?
check "on Wayland without XWayland it says Wine needs an X display" \
  test "$status" -ne 0 -a "$status" -ne 124 -a -n "$(echo "$out" | grep 'XWayland')"

xvfb-run -a -s "-screen 0 1024x768x24" "$0" --with-display "$build" "$work"
[ $? -eq 0 ] || failures=$((failures + 1))
echo "$([ $failures -eq 0 ] && echo PASSED || echo FAILED)"
exit $((failures > 0))
