#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those not yet installed:
# as root directly, otherwise through sudo.
#   scripts/install-deps.sh test   everything the test command builds and runs
#   scripts/install-deps.sh play   what building and running the game needs
#   scripts/install-deps.sh package   what building the portable zip needs
#   scripts/install-deps.sh web   what building the browser page needs
set -euo pipefail

host_build=(cmake make g++ pkg-config googletest libgtest-dev libcairo2-dev libpng-dev
            libfreetype-dev fonts-dejavu-core)
# The test command builds with Ninja: it schedules files rather than targets, which
# keeps both cores busy where make waits on one target's last file.
test_build=(ninja-build)
# clang-format pinned to 14: other major versions lay the same style out
# differently. black lays out the Python files, shellcheck checks the shell scripts.
format_check=(clang-format-14 black shellcheck)
windows_build=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               mingw-w64-x86-64-dev)
windows_run=(wine wine64 fonts-ipafont-gothic)
# xrdb tells the play command the desktop's DPI.
desktop_scale=(x11-xserver-utils)
headless_desktop=(xvfb xauth imagemagick python3)
# The play command's test validates its launcher and starts it as a desktop would.
launcher_check=(desktop-file-utils libglib2.0-bin)
# The browser page: the core through Emscripten, a font cut down by fontTools.
web_build=(cmake make emscripten python3 python3-fonttools python3-brotli fonts-ipafont-gothic)
# Its checks: Debian's chromium, driven by playwright-core from npm; Firefox ESR,
# driven by puppeteer-core; WebKitGTK's MiniBrowser through WebKitWebDriver.
web_check=(chromium firefox-esr webkit2gtk-driver)
# The saved game's fuzz test: clang with libFuzzer and the sanitizers' runtimes.
fuzz_check=(clang-14 libclang-rt-14-dev)

case "${1:-test}" in
  test) wanted=("${format_check[@]}" "${test_build[@]}" "${host_build[@]}" "${windows_build[@]}" "${windows_run[@]}" "${desktop_scale[@]}" "${headless_desktop[@]}" "${launcher_check[@]}" "${web_build[@]}" "${web_check[@]}" "${fuzz_check[@]}") ;;
  # googletest: its sources must be there for the Windows build to configure;
  # python3 converts the core's texts to Shift-JIS while it builds.
  play) wanted=(cmake make googletest python3 "${windows_build[@]}" "${windows_run[@]}" "${desktop_scale[@]}") ;;
  package) wanted=(cmake make googletest python3 "${windows_build[@]}") ;;
  web) wanted=("${web_build[@]}") ;;
  npm) wanted=(npm) ;;
  *) echo "usage: $0 test|play|package|web|npm" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
