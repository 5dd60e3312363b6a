#!/usr/bin/env bash
# Runs the real-X test suites (RealX*, RealInput*) of a build on a private
# Xvfb with openbox as window manager: scripts/realx.sh [BUILD_DIR]
# Each executable's suites run with QT_QPA_PLATFORM=xcb (scripts/realx-run.sh),
# and a skipped test fails the run: here every real-X test has what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

display_file=$(mktemp)
xvfb_pid=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

# openbox announces itself on the root window once it manages the screen.
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || { echo "openbox did not start" >&2; exit 1; }

ctest --test-dir "$build" -L realx --output-on-failure "${@:2}"
