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

echo "== Windows build: bluffwick.exe and its Win32 tests, run under Wine"
# A throwaway Wine prefix and HOME (shortcut tests write to its desktop), one Xvfb
# display for the whole run, and a wineserver kept up between the test programs.
wine_root=$(mktemp -d "${TMPDIR:-/tmp}/bluffwick-test-wine.XXXXXX")
export BLUFFWICK_WINE_ROOT="$wine_root"
xvfb_pid=
windows_tests=
stop_windows_session() {
  if [ -n "$windows_tests" ]; then kill "$windows_tests" 2>/dev/null || true; fi
  scripts/wine-env.sh --remove-prefix || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_windows_session EXIT
display_pipe="$wine_root/display"
mkfifo "$display_pipe"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_pipe" >"$wine_root/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r display_number <"$display_pipe"
export DISPLAY=":$display_number"
scripts/wine-env.sh --make-prefix
scripts/wine-env.sh --keep-server
rm -rf build/test-win
cmake -S . -B build/test-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/test-win -j"$jobs"

# The Windows tests spend most of their time waiting on the game's own pauses, so
# the host side runs beside them, at the lowest priority so as not to slow them.
echo "== Windows tests under Wine, with the host and web checks beside them"
windows_log="$wine_root/windows-tests.log"
ctest --test-dir build/test-win --output-on-failure -j"$jobs" >"$windows_log" 2>&1 &
windows_tests=$!
host_status=0
nice -n 19 scripts/host-checks.sh "$jobs" || host_status=$?
windows_status=0
wait "$windows_tests" || windows_status=$?
windows_tests=
echo "== Windows tests under Wine (their output)"
cat "$windows_log"
[ "$format_status" -eq 0 ] || echo "FAILED: the format checks (their output is at the top)" >&2
[ "$host_status" -eq 0 ] || echo "FAILED: the host and web checks (status $host_status)" >&2
[ "$windows_status" -eq 0 ] || echo "FAILED: the Windows tests (status $windows_status)" >&2
[ "$format_status" -eq 0 ] && [ "$host_status" -eq 0 ] && [ "$windows_status" -eq 0 ]
