#!/usr/bin/env bash
# brillex-sim as a user meets it: sim.sh BRILLEX_SIM SOURCE_DIR
set -uo pipefail
sim="$1" src="$2"
fail() { echo "FAIL: $*"; exit 1; }

help=$("$sim" --help); rc=$?
[ $rc -eq 0 ] || fail "--help exited $rc"
grep -q '^usage: brillex-sim' <<<"$help" || fail "--help prints no usage line"
out=$("$sim" --version); rc=$?
[ $rc -eq 0 ] && grep -qE '^brillex-sim [0-9]+\.[0-9]+\.[0-9]+$' <<<"$out" || fail "--version printed: $out ($rc)"

# Every command the runner knows is in --help and in the manual page.
manual=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -rLL=400n -P-cbou "$src/data/brillex-sim.1" 2>/dev/null | sed "s/^ *//")
names=$(grep -ho 'runner\.add("[^"]*"' "$src"/tools/brillex-sim/*.cpp | sed 's/runner\.add("//; s/"$//' | sort -u)
[ "$(wc -l <<<"$names")" -gt 60 ] || fail "found too few commands in the sources"
while read -r name; do
  grep -qE "^  $name( |$)" <<<"$help" || fail "--help does not list '$name'"
  grep -qE "^$name( |$)" <<<"$manual" || fail "the manual page does not list '$name'"
done <<<"$names"

# The demo plays without a failing line; so does a script on standard input, piped or given as -.
out=$("$sim" --demo); rc=$?
[ $rc -eq 0 ] && grep -q '^Displays detected: ' <<<"$out" || fail "--demo exited $rc: $(head -3 <<<"$out")"
[ "$(echo 'echo piped' | "$sim")" = piped ] || fail "a piped script is not played"
[ "$(echo 'echo dash' | "$sim" -)" = dash ] || fail "- does not read standard input"

# At a terminal, no argument is the usage at once, not a silent wait.
if command -v script >/dev/null; then
  out=$(timeout 20 script -qec "$sim" /dev/null </dev/null); rc=$?
  [ $rc -eq 2 ] || fail "at a terminal brillex-sim exited $rc"
  grep -q 'usage: brillex-sim' <<<"$out" || fail "at a terminal: $out"
fi
for bad in --bogus "a b"; do
  # shellcheck disable=SC2086
  "$sim" $bad </dev/null >/dev/null 2>&1; rc=$?
  [ $rc -eq 2 ] || fail "'$bad' exited $rc, not 2"
done
echo "all brillex-sim checks passed"
