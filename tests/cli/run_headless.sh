#!/usr/bin/env bash
# scripts/run on a machine without a display: one line saying so, then the
# terminal demo, and status 0.
set -uo pipefail
cd "$1"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY bash scripts/run 2>&1); rc=$?
[ $rc -eq 0 ] || { echo "FAIL: scripts/run exited $rc"; echo "$out" | tail -5; exit 1; }
first=$(head -n 1 <<<"$out")
grep -q "No X display" <<<"$first" || { echo "FAIL: first line is: $first"; exit 1; }
grep -q "^Displays detected: " <<<"$out" || { echo "FAIL: the demo did not run"; exit 1; }
if grep -q "^!" <<<"$out"; then echo "FAIL: the demo reported an error"; grep "^!" <<<"$out"; exit 1; fi
echo "headless scripts/run played the demo"
