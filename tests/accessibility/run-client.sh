#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the AT-SPI client (client.py) against the program on the X server in
# DISPLAY, inside a private session bus that the accessibility bus joins:
#   tests/accessibility/run-client.sh PROGRAM
# Part of the real-X run (scripts/realx.sh); without a display, a bus or the
# client's packages (scripts/deps.sh) it fails: it never skips.
set -euo pipefail
program=${1:?program}
here=$(dirname "$0")
# Debian's python, which has pyatspi; not one a version manager puts first in PATH.
python=/usr/bin/python3

if [ -z "${DISPLAY:-}" ]; then
  echo "FAILED: DISPLAY is not set: the AT-SPI test runs under scripts/realx.sh (part of scripts/test.sh)" >&2
  exit 1
fi
for tool in dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher "$python"; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
"$python" -c 'import pyatspi' 2>/dev/null || { echo "FAILED: pyatspi is missing (scripts/deps.sh installs it)" >&2; exit 1; }

# The client's own bus: nothing of the desktop it runs on is seen or changed.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
exec dbus-run-session -- "$python" "$here/client.py" "$program"
