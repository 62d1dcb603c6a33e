#!/usr/bin/env bash
# One match script, played natively and by the web build under Node: the two
# records of table operations must be the same, line for line.
#   compare_match.sh NODE CORE.js RECORD-MATCH SCRIPT WORK-FOLDER
set -euo pipefail
node=$1 core=$2 native=$3 script=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
"$native" "$script" >"$work/native.txt"
"$node" "$here/node_match.js" "$core" "$script" >"$work/web.txt"
lines=$(wc -l <"$work/native.txt")
if [ "$lines" -lt 50 ]; then
  echo "the native record has only $lines lines: the script plays too little" >&2
  exit 1
fi
diff -u "$work/native.txt" "$work/web.txt" | head -40 || true
cmp -s "$work/native.txt" "$work/web.txt" || { echo "FAIL: the records differ" >&2; exit 1; }
echo "PASSED: $lines operations, the same in both"
