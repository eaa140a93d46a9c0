#!/usr/bin/env bash
# One check of the desktop integration files or of the Debian package:
#   validate.sh desktop|metainfo|manpage SOURCE_DIR
#   validate.sh package SOURCE_DIR BUILD_DIR
# Exits 77 (skipped) when the tool it needs is missing.
set -euo pipefail
check="$1" src="$2"
need() { command -v "$1" >/dev/null || { echo "SKIPPED: $1 is not installed (scripts/install-deps installs it)"; exit 77; }; }
case "$check" in
  desktop)
    need desktop-file-validate
    out=$(desktop-file-validate "$src/data/brillex.desktop")
    # Hints too: two main categories list the program twice in some menus.
    if [ -n "$out" ]; then echo "$out"; exit 1; fi ;;
  metainfo)
    need appstreamcli
    appstreamcli validate --no-net "$src/data/org.brillex.Brillex.metainfo.xml" ;;
  manpage)
    need groff
    for page in "$src"/data/*.1; do
      warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' groff -man -ww -z -Tutf8 "$page" 2>&1)
      [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
    done ;;
  package)
    need cpack; need lintian; need dpkg-deb; need readelf; need nm
    build="$3"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
    deb=$(ls "$work"/out/*.deb)
    # Info tags are advice; errors and warnings fail the package.
    lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges' || true
    lintian --fail-on error,warning "$deb" >/dev/null 2>&1
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "Depends lacks the Qt libraries"; exit 1; }
    dpkg -x "$deb" "$work/root"
    version=$("$work/root/usr/bin/brillex" --version)
    [ "$version" = "brillex $(dpkg-deb -f "$deb" Version)" ] || { echo "unexpected: $version"; exit 1; }
    for f in usr/share/applications/brillex.desktop usr/share/metainfo/org.brillex.Brillex.metainfo.xml \
             usr/share/icons/hicolor/scalable/apps/brillex.svg usr/share/icons/hicolor/256x256/apps/brillex.png \
             usr/share/icons/hicolor/16x16/apps/brillex.png usr/share/man/man1/brillex.1.gz usr/bin/brillex-sim \
             usr/libexec/brillex/brillex-guard; do
      [ -e "$work/root/$f" ] || { echo "missing from the package: $f"; exit 1; }
    done
    file "$work/root/usr/share/icons/hicolor/48x48/apps/brillex.png" | grep -q '48 x 48'
    # What a new user's apt brings: fonts for every language, no compiler for tools the program never runs.
    field() { dpkg-deb -f "$deb" "$1"; }
    grep -q 'fonts-noto-cjk' <<<"$(field Recommends)" || { echo "Recommends lacks fonts-noto-cjk"; exit 1; }
    if grep -q 'x11-xserver-utils' <<<"$(field Depends), $(field Recommends)"; then
      echo "x11-xserver-utils is more than a suggestion"; exit 1
    fi
    homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$src/data/org.brillex.Brillex.metainfo.xml")
    [ "$(field Homepage)" = "$homepage" ] || { echo "Homepage '$(field Homepage)' is not the project's ('$homepage')"; exit 1; }
    # The demo that brillex-sim --demo plays, found beside the unpacked program.
    demo=$("$work/root/usr/bin/brillex-sim" --demo) || { echo "brillex-sim --demo failed"; exit 1; }
    grep -q '^Displays detected: ' <<<"$demo" || { echo "brillex-sim --demo played nothing"; exit 1; }
    # Debian's hardening and dh_strip's sections, on every program.
    for program in "$work"/root/usr/bin/* $(find "$work/root/usr/libexec" -type f 2>/dev/null); do
      name=${program##*/}
      readelf -h "$program" | grep -q 'Type:.*DYN' || { echo "$name is no PIE"; exit 1; }
      readelf -lW "$program" | grep -q GNU_RELRO || { echo "$name has no RELRO"; exit 1; }
      readelf -dW "$program" | grep -qE 'BIND_NOW|FLAGS.*NOW' || { echo "$name binds lazily"; exit 1; }
      symbols=$(nm -D "$program")
      grep -q '__stack_chk_fail' <<<"$symbols" || { echo "$name has no stack protector"; exit 1; }
      grep -qE '__[a-z_]+_chk(@|$)' <<<"$symbols" || { echo "$name calls no fortified function"; exit 1; }
      if readelf -SW "$program" | grep -qE '\] \.(comment|note) '; then echo "$name keeps .comment or .note"; exit 1; fi
    done
    pedantic=$(lintian --pedantic --tags hardening-no-bindnow,hardening-no-fortify-functions,binary-has-unneeded-section \
      "$deb" 2>&1 | grep -v 'root privileges' || true)
    [ -z "$pedantic" ] || { echo "$pedantic"; exit 1; } ;;
  *) echo "unknown check $check"; exit 2 ;;
esac
