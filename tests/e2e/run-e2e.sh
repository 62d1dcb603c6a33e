#!/usr/bin/env bash
# Runs the end-to-end driver against the real program under Wine (scripts/wine-env.sh:
# throwaway prefix and HOME, a private Xvfb when there is no display), samples the
# game's resident memory from the Linux side, and turns the screenshots into PNGs.
#   tests/e2e/run-e2e.sh DRIVER.exe PROGRAM.exe OUTPUT-FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
driver=$1 program=$2 out=$3
rm -rf "$out"
mkdir -p "$out"

# The game runs as a Wine process whose first argument ends in bluffwick.exe.
# One pgrep a look: a shell walking every process twice a second forked
# hundreds of times a second, and took a processor from the checks beside it.
sample_memory() {
  local peak=0 pid first kb
  while :; do
    for pid in $(pgrep -f 'bluffwick\.exe'); do
      first=
      IFS= read -r -d '' first <"/proc/$pid/cmdline" 2>/dev/null
      case "$first" in *bluffwick.exe) ;; *) continue ;; esac
      kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
      if [ -n "$kb" ] && [ "$kb" -gt "$peak" ]; then
        peak=$kb
        echo "$peak" >"$out/peak-rss-kb.txt"
      fi
    done
    sleep 0.5
  done
}
sample_memory &
sampler=$!

started=$(date +%s)
"$here/../../scripts/wine-env.sh" "$driver" "$program" "$out"
status=$?
kill "$sampler" 2>/dev/null
wait "$sampler" 2>/dev/null

if [ -f "$out/peak-rss-kb.txt" ]; then
  echo "peak resident memory of the game's Wine process: $(( $(cat "$out/peak-rss-kb.txt") / 1024 )) MB" |
    tee -a "$out/figures.txt"
fi
echo "end-to-end run: $(( $(date +%s) - started )) s" | tee -a "$out/figures.txt"
if command -v convert >/dev/null 2>&1; then
  for shot in "$out"/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
  done
fi
echo "screenshots and figures: $out"
exit $status
