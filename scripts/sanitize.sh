#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs the whole test suite there, offscreen and on a real
# X server. Any report stops the test that made it, so the run is clean or fails.
#   scripts/sanitize.sh            build and test
#   scripts/sanitize.sh --build    build only
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/deps.sh

# Line tables (-g1) are all a report's backtrace needs, at a fraction of the
# compile time of full debug information.
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# Benchmarks are not tests; the fuzz targets already run with both sanitizers
# in their own clang build (fuzz/build.sh), so neither is built here.
# Compiles go through the shared compiler cache (scripts/ccache.sh).
flock /tmp/br-build.lock cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
# One layer at a time under the lock, so other builds on this machine get
# their turn between layers.
for target in platform framework renamer skin_data skin_draw skin_form skin_controls skinpack skingen \
              skin_default app_window app; do
  flock /tmp/br-build.lock cmake --build build-sanitize -j2 --target "$target"
done
for target in $(ninja -C build-sanitize -t targets all | grep -o '^[a-z_]*_tests:' | grep -v '^cmake_' | tr -d :); do
  flock /tmp/br-build.lock cmake --build build-sanitize -j2 --target "$target"
done
flock /tmp/br-build.lock cmake --build build-sanitize -j2
[ "${1:-}" = --build ] && exit 0

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:suppressions=$root/scripts/sanitize/asan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/scripts/sanitize/ubsan.supp"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitize/lsan.supp:print_suppressions=0"

QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize -LE 'fuzz|realx' -j2 --output-on-failure
bash scripts/realx.sh build-sanitize
