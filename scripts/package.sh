#!/usr/bin/env bash
# Builds the portable zip: a Bluffwick folder with bluffwick.exe, 説明.txt and a
# short readme, ready to copy to any Windows machine and run; and beside it
# bluffwick.html, the game for any browser.
#   scripts/package.sh [ZIP]      default build/play/Bluffwick.zip
# BLUFFWICK_PLAY_BUILD chooses the build folder (default build/play, shared with play.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package
scripts/install-deps.sh web
build=${BLUFFWICK_PLAY_BUILD:-build/play}
echo "package: building bluffwick.exe in $build"
scripts/build-game.sh "$build"
zip=${1:-$build/Bluffwick.zip}
python3 scripts/make-package.py "$build/bin/bluffwick.exe" "$build/bin/説明.txt" "$zip"
echo "package: $zip"
echo "package: building bluffwick.html in build/page"
scripts/build-page.sh build/page
cp build/page/web/bluffwick.html "$(dirname "$zip")/bluffwick.html"
echo "package: $(dirname "$zip")/bluffwick.html"
