#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs the whole test suite:
# first every test offscreen, then the real-X suites on a private Xvfb with
# openbox (scripts/realx.sh), where a skipped test counts as a failure.
# Compiles go through the shared compiler cache (scripts/ccache.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The lock keeps concurrent builds on one machine from starving each other.
flock /tmp/br-build.lock cmake -S . -B build -G Ninja >/dev/null
flock /tmp/br-build.lock cmake --build build
# The fuzz tests build their target before they run; built here, their
# compile is not part of their time and runs under the lock.
flock /tmp/br-build.lock bash fuzz/build.sh
status=0
# Two test programs at a time; those that measure time or mount file
# systems run alone (RUN_SERIAL in tests/CMakeLists.txt).
QT_QPA_PLATFORM=offscreen ctest --test-dir build -LE realx -j2 --output-on-failure || status=1
bash scripts/realx.sh build || status=1
exit $status
