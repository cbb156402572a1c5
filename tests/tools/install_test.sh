#!/usr/bin/env bash
# Installs the build into a scratch prefix and validates what a desktop reads:
# the desktop entry, the AppStream metadata and the painted hicolor icons.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for file in bin/norvaket bin/norvaket-status share/applications/norvaket.desktop \
            share/metainfo/org.norvaket.Norvaket.metainfo.xml \
            share/man/man1/norvaket.1.gz share/man/man1/norvaket-status.1.gz; do
  [ -e "$prefix/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/norvaket.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || { echo "bad icon: $icon" >&2; exit 1; }
done
# The man pages render without a single groff warning.
for page in norvaket norvaket-status; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "man page $page: $warnings" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/norvaket.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.norvaket.Norvaket.metainfo.xml"
echo "installation is valid"
