#!/usr/bin/env bash
# The screenshot tool writes every named popover state in every language and
# both appearances, and each state shows something its plain screen does not.
#
#   screenshots.sh path/to/brillex-screenshots
set -uo pipefail
tool="${1:?usage: screenshots.sh path/to/brillex-screenshots}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$out" "$tool" "$out/shots" >"$out/log" 2>&1 ||
  { cat "$out/log"; fail "the tool failed"; }

main_states="main-feature-on main-below-full-brightness main-not-supported main-battery-rule main-keyboard"
settings_states="settings-sliders settings-accessibility-prompt"
for language in en ko ja zh-Hans es fr de; do
  for appearance in light dark; do
    prefix="$out/shots/popover-$language-$appearance"
    for state in main settings about $main_states $settings_states; do
      [ -s "$prefix-$state.png" ] || fail "no $(basename "$prefix-$state.png")"
    done
    for state in $main_states; do
      cmp -s "$prefix-main.png" "$prefix-$state.png" && fail "$language $appearance $state looks like the main screen"
    done
    for state in $settings_states; do
      cmp -s "$prefix-settings.png" "$prefix-$state.png" && fail "$language $appearance $state looks like the settings screen"
    done
  done
  cmp -s "$out/shots/popover-$language-light-main.png" "$out/shots/popover-$language-dark-main.png" &&
    fail "$language: the dark appearance looks like the light one"
done
for other in osd-plain osd-xdr simulator; do [ -s "$out/shots/$other.png" ] || fail "no $other.png"; done
echo "PASS"
