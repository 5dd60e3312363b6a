#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one fuzz target for a number of seconds:
#   scripts/fuzz.sh fuzz_skin_package|fuzz_bmp|fuzz_skin_description|fuzz_journal|fuzz_photo_date SECONDS
# Builds it first (fuzz/build.sh); new inputs go to a scratch corpus so the
# seeds in fuzz/corpus stay as committed. Fails when the fuzzer finds a crash.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target=${1:?target}
seconds=${2:?seconds}
bash "$root/fuzz/build.sh" "$target"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
extra=()
if [ "$target" = fuzz_skin_description ]; then extra+=(-dict="$root/fuzz/skin_description.dict"); fi
status=0
ASAN_OPTIONS=detect_leaks=1 "$root/build-fuzz/$target" "${extra[@]}" -max_total_time="$seconds" \
  -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  "$work/corpus" "$root/fuzz/corpus/$target" || status=$?
if [ $status -ne 0 ]; then
  mkdir -p "$root/build-fuzz/crashes"
  cp -r "$work/artifacts/." "$root/build-fuzz/crashes/" 2>/dev/null || true
  echo "fuzz target $target failed; inputs kept in build-fuzz/crashes" >&2
fi
exit $status
