#!/usr/bin/env bash
# End to end on a real X server with a real tray host: a click on the tray icon
# opens the popover, a click elsewhere on the desktop closes it, and SIGTERM
# ends the program cleanly.
#
#   tray_e2e.sh path/to/brillex
set -uo pipefail
brillex="${1:?usage: tray_e2e.sh path/to/brillex}"
work="$(mktemp -d)"
pids=()

cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- brillex output"; cat "$work/brillex.log" 2>/dev/null
  exit 1
}

# Polls CONDITION (a shell command) every 0.1 s for at most SECONDS.
wait_for() {
  local seconds="$1"; shift
  local tries=$((seconds * 10))
  while ((tries-- > 0)); do
    if eval "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# A private X server on a free display number.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 -u "$displayfd" number || fail "Xvfb did not start"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config"

trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for 10 'xdotool search --class trayer >/dev/null 2>&1' || fail "the tray host did not start"
tray_window="$(xdotool search --class trayer | head -n 1)"

"$brillex" --simulate --no-simulator-window >"$work/brillex.log" 2>&1 &
app=$!
pids+=("$app")

# The popover is the program's only wide window; the tray icon is a few pixels wide.
popover_shown() {
  local window width
  for window in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
    width="$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')"
    [ -n "$width" ] && [ "$width" -ge 200 ] && return 0
  done
  return 1
}

# The icon is docked when the tray host has grown to hold it.
tray_width() { xdotool getwindowgeometry --shell "$tray_window" 2>/dev/null | sed -n 's/^WIDTH=//p'; }
wait_for 15 '[ "$(tray_width)" -ge 16 ] 2>/dev/null' || fail "the tray icon was not docked"
sleep 0.5
popover_shown && fail "the popover is open before any click"

eval "$(xdotool getwindowgeometry --shell "$tray_window")"
icon_x=$((X + WIDTH / 2)); icon_y=$((Y + HEIGHT / 2))

xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for 10 popover_shown || fail "a click on the tray icon did not open the popover"

# A click on the bare desktop, far from the popover under the icon.
xdotool mousemove 100 700 click 1
wait_for 10 '! popover_shown' || fail "a click outside did not close the popover"

# It opens again on the next click on the icon, and a click on the icon closes it.
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for 10 popover_shown || fail "a second click on the tray icon did not open the popover"
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for 10 '! popover_shown' || fail "a click on the tray icon did not close the open popover"

kill -TERM "$app"
wait_for 10 '! kill -0 "$app" 2>/dev/null' || fail "the program did not end on SIGTERM"
wait "$app"; status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status on SIGTERM"
echo "PASS"
