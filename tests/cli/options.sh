#!/usr/bin/env bash
# The program's own command line: options.sh BRILLEX
set -uo pipefail
brillex="$1"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$brillex" --help); rc=$?
[ $rc -eq 0 ] || fail "--help exited $rc"
grep -q '^usage: brillex' <<<"$out" || fail "--help prints no usage line"
for word in --simulate --built-in --version 'ctl status' 'ctl boost' 'ctl level' 'ctl up' 'ctl quit' 'Exit status'; do
  grep -q -- "$word" <<<"$out" || fail "--help does not mention $word"
done

out=$("$brillex" --version); rc=$?
[ $rc -eq 0 ] || fail "--version exited $rc"
grep -qE '^brillex [0-9]+\.[0-9]+\.[0-9]+$' <<<"$out" || fail "--version printed: $out"

# Neither needs a display: both answer before the front end starts.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$brillex" --version) || fail "--version needs a display"

for bad in --bogus "--built-in" "--simulate extra"; do
  err=$("$brillex" $bad 2>&1 >/dev/null); rc=$?
  [ $rc -eq 2 ] || fail "'$bad' exited $rc, not 2"
  grep -q '^usage: brillex' <<<"$err" || fail "'$bad' gives no usage line on standard error"
done
echo "all command-line checks passed"
