#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real-X suites (scripts/realx.sh) again and again while a load keeps
# every core busy, and counts the runs that failed: a wait that gives up too
# early on a loaded machine shows here, not in someone's check months later.
#   scripts/realx-loop.sh [RUNS [BUILD_DIR]]     default 20 runs of build/
# BR_REALX_LOAD=0 runs without the load. The log of each failed run is kept
# in BUILD_DIR/realx-loop/.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
build=${2:-build}
logs=$build/realx-loop
mkdir -p "$logs"
rm -f "$logs"/run-*.log

load_pid=
stop_load() { [ -n "$load_pid" ] && kill "$load_pid" 2>/dev/null && wait "$load_pid" 2>/dev/null || true; load_pid=; }
trap stop_load EXIT
if [ "${BR_REALX_LOAD:-1}" != 0 ]; then
  stress-ng --cpu "$(nproc)" --quiet &
  load_pid=$!
  echo "load: stress-ng --cpu $(nproc) (pid $load_pid)"
fi

failed=0
for run in $(seq "$runs"); do
  start=$SECONDS
  if bash scripts/realx.sh "$build" >"$logs/run-$run.log" 2>&1; then
    echo "run $run/$runs: passed in $((SECONDS - start)) s"
    rm -f "$logs/run-$run.log"
  else
    failed=$((failed + 1))
    echo "run $run/$runs: FAILED in $((SECONDS - start)) s (log: $logs/run-$run.log)"
    grep -E '^\[  FAILED  \]|did not|FAILED:' "$logs/run-$run.log" | sort -u | sed 's/^/    /' || true
  fi
done
echo "$failed of $runs runs failed"
[ "$failed" -eq 0 ]
