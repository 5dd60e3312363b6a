#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a built tree into a temporary prefix and checks what a desktop
# reads from it, then builds the Debian package and checks its contents.
# Usage: check-install.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > /dev/null
p=$work/prefix
expected=(
  bin/batch-renamer
  bin/batch-renamer-skin
  share/applications/batch-renamer.desktop
  share/metainfo/io.github.batchrenamer.BatchRenamer.metainfo.xml
  share/man/man1/batch-renamer.1.gz
  share/man/man1/batch-renamer-skin.1.gz
  share/doc/batch-renamer/copyright
  share/doc/batch-renamer/changelog.gz
  share/batch-renamer/skins/default.skn
  share/batch-renamer/skins/dark.skn
)
for size in 16 24 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/batch-renamer.png"); done
for f in "${expected[@]}"; do [ -f "$p/$f" ] || fail "not installed: $f"; done

# Each icon is a PNG of its own size with see-through corners.
for size in 16 24 32 48 64 128 256; do
  icon=$p/share/icons/hicolor/${size}x${size}/apps/batch-renamer.png
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size has the wrong size"
  [ "$(convert "$icon" -format '%[fx:p{0,0}.a]' info:)" = "0" ] || fail "icon $size is not see-through"
done

desktop-file-validate "$p/share/applications/batch-renamer.desktop"
grep -qx 'Name\[zh_CN\]=批量修改文件名' "$p/share/applications/batch-renamer.desktop" || fail "no Chinese name"
grep -qx 'Exec=batch-renamer %f' "$p/share/applications/batch-renamer.desktop" || fail "Exec line"
grep -qx 'Categories=Utility;FileTools;' "$p/share/applications/batch-renamer.desktop" || fail "Categories"
appstreamcli validate --no-net "$p/share/metainfo/io.github.batchrenamer.BatchRenamer.metainfo.xml"
grep -q "<release version=\"$version\"" "$p/share/metainfo/io.github.batchrenamer.BatchRenamer.metainfo.xml" \
  || fail "metainfo names another version"
for page in batch-renamer batch-renamer-skin; do
  [ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$p/share/man/man1/$page.1.gz" 2>&1 >/dev/null)" ] \
    || fail "man page $page has warnings"
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$p/share/man/man1/batch-renamer.1.gz" | grep -q '^EXIT STATUS' || fail "no EXIT STATUS"
grep -qx 'License: GPL-3+' "$p/share/doc/batch-renamer/copyright" || fail "copyright names another licence"
zcat "$p/share/doc/batch-renamer/changelog.gz" | head -1 | grep -q "^batch-renamer ($version) " || fail "changelog"

# The installed programs answer without a display.
# --version: name and version, then the copyright holder and the licence.
for program in batch-renamer batch-renamer-skin; do
  answer=$(env -u DISPLAY "$p/bin/$program" --version)
  [ "$(sed -n 1p <<< "$answer")" = "$program $version" ] || fail "$program --version: $answer"
  [ "$(sed -n 2p <<< "$answer")" = "Copyright (C) 2026 The batch-renamer developers" ] || fail "$program: copyright"
  grep -q '^License GPL-3.0-or-later: ' <<< "$answer" || fail "$program: licence"
done
env -u DISPLAY "$p/bin/batch-renamer" --help | grep -q -- '--skin <FILE>' || fail "--help"
# The skin tool speaks under its installed name.
"$p/bin/batch-renamer-skin" --help | grep -q '^  batch-renamer-skin pack ' || fail "skin tool usage"
for skin in default dark; do
  "$p/bin/batch-renamer-skin" dump "$p/share/batch-renamer/skins/$skin.skn" > /dev/null || fail "$skin.skn does not load"
done

# The Debian package: built from the same tree, looked into, never installed here.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > "$work/cpack.log") \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/deb/batch-renamer_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $deb"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in "${expected[@]}"; do grep -qx "./usr/$f" <<< "$contents" || fail "package lacks /usr/$f"; done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "package does not depend on Qt"
echo "install layout and package ok"
