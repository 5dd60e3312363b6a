#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real-X suites (RealX*, RealInput*) of one test executable on the X
# server in DISPLAY: scripts/realx-run.sh EXECUTABLE
# BR_REALX_FILTER narrows them (a gtest filter), e.g. 'RealXWindowManager*'.
# An executable without such suites passes at once. Fails when any test fails,
# is skipped, or the display is missing: a skipped real-X test tests nothing.
set -euo pipefail
exe=${1:?test executable}
filter=${BR_REALX_FILTER:-'RealX*:RealInput*'}

list=$(QT_QPA_PLATFORM=offscreen "$exe" --gtest_list_tests --gtest_filter="$filter")
if ! grep -q '^  ' <<<"$list"; then
  echo "no real-X tests in $(basename "$exe")"
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "DISPLAY is not set: the real-X tests run under scripts/realx.sh (part of scripts/test.sh)" >&2
  exit 1
fi

xml=$(mktemp --suffix=.xml)
trap 'rm -f "$xml"' EXIT
status=0
BR_REAL_X=1 QT_QPA_PLATFORM=xcb "$exe" --gtest_filter="$filter" --gtest_output="xml:$xml" || status=$?
[ $status -eq 0 ] || exit $status
ran=$(grep -c '<testcase ' "$xml" || true)
skipped=$(grep -c 'result="skipped"' "$xml" || true)
if [ "$skipped" -gt 0 ]; then
  echo "FAILED: $skipped of $ran real-X tests skipped:" >&2
  grep -B0 -A1 'result="skipped"' "$xml" | grep -o 'name="[^"]*"\|message="[^"]*"' >&2 || true
  exit 1
fi
[ "$ran" -gt 0 ] || { echo "FAILED: no real-X test ran" >&2; exit 1; }
