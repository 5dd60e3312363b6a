#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a built tree and has lintian check it: any
# error or warning fails, and lintian's whole answer is printed either way.
# Usage: check-lintian.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > "$work/cpack.log") \
  || { cat "$work/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
deb=$work/deb/batch-renamer_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
# Informational tags are shown too, but only errors and warnings fail.
status=0
lintian --display-info --fail-on error,warning "$deb" || status=$?
[ $status -eq 0 ] && echo "lintian: no errors, no warnings"
exit $status
