#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts it. Without a
# display the program runs under Xvfb, a screenshot of the screen is saved to
# build/screenshot.png once the window is up, and the script ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target app

if [ -n "${DISPLAY:-}" ]; then
  exec build/batch-renamer "$@"
fi

# Xvfb picks a free display itself and writes its number to the file.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" &
xvfb_pid=$!
app_pid=
trap 'kill $app_pid 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
display=":$(head -n1 "$display_file")"

DISPLAY="$display" build/batch-renamer "$@" &
app_pid=$!
# Wait for the window to be mapped, then let it paint.
for _ in $(seq 100); do
  DISPLAY="$display" xdotool search --onlyvisible --name '批量修改文件名' >/dev/null 2>&1 && break
  kill -0 "$app_pid" 2>/dev/null || { echo "the program ended before its window appeared" >&2; exit 1; }
  sleep 0.1
done
sleep 1
DISPLAY="$display" import -window root build/screenshot.png
echo "Screenshot saved to build/screenshot.png"
