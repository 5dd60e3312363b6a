#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One compiler cache for every build of this tree on the machine (build/,
# build-sanitize/, build-fuzz/), so a tree that was checked once before
# compiles again only what changed, and a clean clone elsewhere hits it too.
#   source scripts/ccache.sh          sets the cache's environment
#   scripts/ccache.sh COMPILER ARGS   compiles through the cache (the
#                                     compiler launcher CMake is given)
# BR_CCACHE_DIR moves the cache; BR_CCACHE=0 compiles without it.
br_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
br_ccache_dir=${BR_CCACHE_DIR:-/var/cache/batch-renamer-ccache}
if ! mkdir -p "$br_ccache_dir" 2>/dev/null || [ ! -w "$br_ccache_dir" ]; then
  # Not allowed to write there: the user's own cache folder instead.
  br_ccache_dir=${XDG_CACHE_HOME:-$HOME/.cache}/batch-renamer-ccache
  mkdir -p "$br_ccache_dir"
fi
export CCACHE_DIR=$br_ccache_dir
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
# Paths under the source root are hashed relative to it, and the build
# folder is left out of the hash (debug information then names the folder of
# the compile that filled the cache), so another clone reuses the objects.
export CCACHE_BASEDIR=$br_root
export CCACHE_NOHASHDIR=1
# What the precompiled headers of the tests need (they come in by -include).
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
unset br_root br_ccache_dir

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if [ "${BR_CCACHE:-1}" = 0 ] || ! command -v ccache >/dev/null; then exec "$@"; fi
  exec ccache "$@"
fi
