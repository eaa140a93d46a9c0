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
    # Hints are advice (Settings is a main category, as is Utility); errors and warnings fail.
    if grep -vE ': hint: ' <<<"$out" | grep -q .; then echo "$out"; exit 1; fi ;;
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
    need cpack; need lintian; need dpkg-deb
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
    file "$work/root/usr/share/icons/hicolor/48x48/apps/brillex.png" | grep -q '48 x 48' ;;
  *) echo "unknown check $check"; exit 2 ;;
esac
