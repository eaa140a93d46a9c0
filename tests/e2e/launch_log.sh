#!/usr/bin/env bash
# The program's launch log without a display server: launching makes the
# brightness manager (the displays are enumerated) and the battery monitor,
# but none of the models only the popover reads (system and keyboard
# brightness, display features) until the popover first opens.
#
#   launch_log.sh path/to/brillex
set -uo pipefail
brillex="${1:?usage: launch_log.sh path/to/brillex}"
work="$(mktemp -d)"
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- brillex output"; cat "$work/brillex.log"
  exit 1
}

export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
"$brillex" --simulate --no-simulator-window >"$work/brillex.log" 2>&1 &
app=$!

# A minute at most, far beyond what launching takes on a loaded machine.
enumerated() { [ "$(grep -c '^Displays detected: 2$' "$work/brillex.log")" -ge 2 ]; }
for ((end = SECONDS + 60; SECONDS < end; )); do enumerated && break; sleep 0.1; done
enumerated || fail "the displays were not enumerated at launch"
# The battery monitor and the auto-off timer have run by now; a model made
# late in launch would have logged.
sleep 1.5
kill -TERM "$app"
wait "$app"; status=$?
app=
[ "$status" -eq 0 ] || fail "the program ended with status $status on SIGTERM"

models="$(grep -E '^(Displays detected|SystemBrightness|KeyboardBrightness|DisplayFeatures)' "$work/brillex.log")"
expected=$'Displays detected: 2\nDisplays detected: 2'
[ "$models" = "$expected" ] || fail "launch logged other models than the displays: $models"
echo "PASS"
