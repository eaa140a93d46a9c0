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

# Polls CONDITION (a shell command) every 0.1 s until it holds; fails after
# a minute, far beyond what anything here takes on a loaded machine.
wait_for() {
  local end=$((SECONDS + 60))
  while ((SECONDS < end)); do
    if eval "$@"; then return 0; fi
    sleep 0.1
  done
  eval "$@"
}

# Whether a tray host owns the tray selection of screen 0, as the tray
# protocol has an icon look for it (libX11 through python3's ctypes).
tray_owned() {
  python3 -c '
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(None)
sys.exit(0 if display and x.XGetSelectionOwner(display, x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)) else 1)
' 2>/dev/null
}

# A private X server on a free display number.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 60 -u "$displayfd" number || fail "Xvfb did not start"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# No session bus: neither a running Brillex nor another test's is met.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"

trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$work/trayer.log" 2>&1 &
pids+=($!)
# The icon docks only with a tray host that owns the tray selection already.
wait_for tray_owned || fail "the tray host did not take the tray selection"

"$brillex" --simulate --no-simulator-window >"$work/brillex.log" 2>&1 &
app=$!
pids+=("$app")

# Geometry of a window as WIDTH X Y HEIGHT, or nothing.
geometry() {
  (eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" && echo "$WIDTH $X $Y $HEIGHT")
}

# The program's windows that are mapped: the tray icon is a few pixels wide,
# the popover 300.
program_window() {  # program_window MIN_WIDTH MAX_WIDTH
  local window width x y height
  for window in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
    read -r width x y height < <(geometry "$window") || continue
    if [ "$width" -ge "$1" ] && [ "$width" -le "$2" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ]; then
      echo "$window"
      return 0
    fi
  done
  return 1
}
popover_shown() { program_window 200 10000 >/dev/null; }

# The icon is docked once the tray host has placed it on the screen.
wait_for 'program_window 8 64 >/dev/null' || fail "the tray icon was not docked"
# A moment for a popover that opens by itself to show.
sleep 0.5
popover_shown && fail "the popover is open before any click"

read -r width x y height < <(geometry "$(program_window 8 64)")
icon_x=$((x + width / 2)); icon_y=$((y + height / 2))

# The desktop itself: the root window, well away from the icon and the popover.
desktop="$(xdotool search --maxdepth 0 --name '' | head -n 1)"
[ -n "$desktop" ] || fail "the root window was not found"

# The popover's models come to be when it first opens: the system brightness
# (the click refreshes it), then the keyboard backlight and display features.
first_line() { grep -n -m 1 "^$1" "$work/brillex.log" | cut -d: -f1; }
[ -z "$(first_line 'SystemBrightness:')$(first_line 'KeyboardBrightness:')$(first_line 'DisplayFeatures:')" ] ||
  fail "the popover's models were made at launch"

xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for popover_shown || fail "a click on the tray icon did not open the popover"
system=$(first_line 'SystemBrightness:'); keyboard=$(first_line 'KeyboardBrightness:'); features=$(first_line 'DisplayFeatures:')
[ -n "$system" ] && [ -n "$keyboard" ] && [ -n "$features" ] && ((system < keyboard && keyboard < features)) ||
  fail "opening the popover did not make system brightness, keyboard backlight and display features in that order"

# A click on the desktop, far from the popover under the icon. There is no
# window manager here to move the focus on a click, so the test moves it to
# the desktop as one would.
xdotool mousemove 100 700 click 1
xdotool windowfocus "$desktop"
wait_for '! popover_shown' || fail "a click outside did not close the popover"

# It opens again on the next click on the icon, and a click on the icon closes
# it. A person's next click comes a moment later; a tray click right on the
# heels of a deactivation is taken for the click that caused it.
sleep 0.6
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for popover_shown || fail "a second click on the tray icon did not open the popover"
# Past the double-click interval, or the press counts as a double click.
sleep 0.6
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for '! popover_shown' || fail "a click on the tray icon did not close the open popover"

kill -TERM "$app"
wait_for '! kill -0 "$app" 2>/dev/null' || fail "the program did not end on SIGTERM"
wait "$app"; status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status on SIGTERM"
echo "PASS"
