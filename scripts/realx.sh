#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real-X test suites (RealX*, RealInput*) of a build on a private
# Xvfb with openbox as window manager: scripts/realx.sh [BUILD_DIR [CTEST_ARGS...]]
# Each executable's suites run with QT_QPA_PLATFORM=xcb (scripts/realx-run.sh),
# and a skipped test fails the run: here every real-X test has what it needs.
# The suites about the window manager's own part in the window's state
# (RealXWindowManager*) then run once more under icewm, whose ways differ.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# The tests' own font configuration, for the runs ctest's properties miss too.
export FONTCONFIG_FILE=$PWD/tests/fonts.conf

display_file=$(mktemp)
wm_log=$(mktemp)
xvfb_pid=
wm_pid=
# Waits for both to end, so the next display starts on a quiet server list.
stop_display() {
  [ -n "$wm_pid" ] && { kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; } || true
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  wm_pid= xvfb_pid=
}
cleanup() {
  stop_display
  rm -f "$display_file" "$wm_log"
}
trap cleanup EXIT

# Waits for the server and the manager are long: on a loaded machine either
# may take many seconds to come up, and a wait that ends early fails the run.
startup_limit=${BR_REALX_STARTUP_SECONDS:-60}

# Polls "$@" every tenth of a second until it succeeds or startup_limit passes.
wait_until() {
  local deadline=$((SECONDS + startup_limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
wm_announced() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# A private Xvfb (it picks a free display itself and writes its number to
# the file) managed by window manager $1; DISPLAY names it afterwards.
start_display_once() {
  local wm=$1
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  wait_until test -s "$display_file" || { echo "Xvfb did not start within ${startup_limit}s" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$display_file")"

  case "$wm" in
    openbox) openbox --sm-disable >"$wm_log" 2>&1 & ;;
    icewm) icewm >"$wm_log" 2>&1 & ;;
  esac
  wm_pid=$!
  # The manager announces itself on the root window once it manages the screen.
  wait_until wm_announced_or_gone
  if ! wm_announced; then
    if kill -0 "$wm_pid" 2>/dev/null; then
      echo "$wm did not announce itself on $DISPLAY within ${startup_limit}s" >&2
    else
      echo "$wm ended on $DISPLAY before it announced itself" >&2
    fi
    sed 's/^/  /' "$wm_log" >&2
    return 1
  fi
}
wm_announced_or_gone() { wm_announced || ! kill -0 "$wm_pid" 2>/dev/null; }

# A manager that ends at its start (rarely, on a loaded machine) is a fault
# of that start, not of the tests: the display is made again, twice at most.
start_display() {
  local attempt
  for attempt in 1 2 3; do
    start_display_once "$1" && return 0
    stop_display
    [ "$attempt" -lt 3 ] && echo "starting Xvfb and $1 again" >&2
  done
  exit 1
}

start_display openbox
ctest --test-dir "$build" -L realx --output-on-failure "${@:2}"
stop_display

suite=$build/tests/skin/form/skin_form_tests
if [ -x "$suite" ]; then
  start_display icewm
  echo "Under icewm: $(basename "$suite") RealXWindowManager*"
  BR_REALX_FILTER='RealXWindowManager*' bash scripts/realx-run.sh "$suite"
fi
