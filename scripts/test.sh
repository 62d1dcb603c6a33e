#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
# npm comes with Node; a machine with Debian's Node alone gets Debian's npm.
command -v npm >/dev/null || scripts/install-deps.sh npm

jobs=$(nproc 2>/dev/null || echo 2)
# Every build of the run, the page's and the fuzzer's included, with Ninja.
export CMAKE_GENERATOR=Ninja

# Every tracked shell script: the *.sh files, and files with no extension whose
# first line starts a shell.
shell_scripts() {
  local file line
  git ls-files -z | while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue
    case "${file##*/}" in
      *.sh) printf '%s\0' "$file" ;;
      *.*) ;;
      *)
        line=
        IFS= read -r line <"$file" || true
        if [[ $line =~ ^#!.*[/[:space:]](ba|da)?sh([[:space:]]|$) ]]; then printf '%s\0' "$file"; fi ;;
    esac
  done
}

# A layout fault fails the run at its end, after the builds and tests, so that one
# run shows every fault.
echo "== Format: C++ as .clang-format lays it out, Python as black does, shell scripts through shellcheck"
format_status=0
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror || format_status=1
git ls-files -z '*.py' | xargs -0 black --check || format_status=1
shell_scripts | xargs -0 shellcheck --external-sources || format_status=1

# The host side (the page's build, the npm packages, the host build and their
# checks) needs no Wine: it starts now, at the lowest priority, and takes what the
# Windows build and tests leave of the processors. Its output comes at the end.
work=$(mktemp -d "${TMPDIR:-/tmp}/bluffwick-test.XXXXXX")
export BLUFFWICK_WINE_ROOT="$work/wine"
host_checks=
xvfb_pid=
stop_checks() {
  if [ -n "$host_checks" ]; then kill "$host_checks" 2>/dev/null || true; fi
  scripts/wine-env.sh --remove-prefix || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap stop_checks EXIT
host_log="$work/host-checks.log"
nice -n 19 scripts/host-checks.sh "$jobs" >"$host_log" 2>&1 &
host_checks=$!

echo "== Windows build: bluffwick.exe and its Win32 tests, run under Wine"
# A throwaway Wine prefix and HOME (shortcut tests write to its desktop), one Xvfb
# display for the whole run, and a wineserver kept up between the test programs.
mkdir "$BLUFFWICK_WINE_ROOT"
display_pipe="$work/display"
mkfifo "$display_pipe"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_pipe" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r display_number <"$display_pipe"
export DISPLAY=":$display_number"
scripts/wine-env.sh --make-prefix
scripts/wine-env.sh --keep-server
rm -rf build/test-win
cmake -S . -B build/test-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/test-win -j"$jobs"

# The Windows tests spend much of their time waiting on the game's own pauses.
echo "== Windows tests under Wine"
windows_status=0
ctest --test-dir build/test-win --output-on-failure -j"$jobs" || windows_status=$?
host_status=0
wait "$host_checks" || host_status=$?
host_checks=
echo "== The host and web checks (their output)"
cat "$host_log"
[ "$format_status" -eq 0 ] || echo "FAILED: the format checks (their output is at the top)" >&2
[ "$host_status" -eq 0 ] || echo "FAILED: the host and web checks (status $host_status)" >&2
[ "$windows_status" -eq 0 ] || echo "FAILED: the Windows tests (status $windows_status)" >&2
[ "$format_status" -eq 0 ] && [ "$host_status" -eq 0 ] && [ "$windows_status" -eq 0 ]
