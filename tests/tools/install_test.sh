#!/usr/bin/env bash
# Installs the build into a scratch prefix and validates what a desktop reads:
# the desktop entry, the AppStream metadata and the painted hicolor icons.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for file in bin/norvaket bin/norvaket-status share/applications/norvaket.desktop \
            share/metainfo/org.norvaket.Norvaket.metainfo.xml; do
  [ -e "$prefix/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/norvaket.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || { echo "bad icon: $icon" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/norvaket.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.norvaket.Norvaket.metainfo.xml"
echo "installation is valid"
