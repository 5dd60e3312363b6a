#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (skin data, undo journal, photo date) with clang and libFuzzer, outside the
# CMake build: usage fuzz/build.sh [TARGET...] (default: all). Objects are
# kept in build-fuzz/ and rebuilt only when their source changed, through the
# shared compiler cache (scripts/ccache.sh), BR_FUZZ_JOBS (default 2) at a time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-fuzz"
cd "$root"  # the same paths from wherever it is started, for the cache
mkdir -p "$out/obj" "$out/moc"
# Fuzz tests run side by side (ctest -j2) and each builds its target first:
# one build of build-fuzz/ at a time.
exec 9>"$out/.lock"
flock 9

cxx=${CXX_FUZZ:-clang++}
moc=/usr/lib/qt6/libexec/moc
[ -x "$moc" ] || moc=$(command -v moc-qt6 || command -v moc)
qt_flags=$(pkg-config --cflags Qt6Core Qt6Gui Qt6Widgets zlib)
qt_libs=$(pkg-config --libs Qt6Core Qt6Gui Qt6Widgets zlib)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
       -I"$root" $qt_flags)

objects=()
pending=$(mktemp)
trap 'rm -f "$pending"' EXIT
compile() {  # source object: queued for compile_pending when out of date
  if [ ! -f "$2" ] || [ "$1" -nt "$2" ] || [ -n "$(find "$root/skin/data" "$root/framework" "$root/platform" "$root/renamer" -name '*.h' -newer "$2" -print -quit)" ]; then
    printf '%s\0%s\0' "$1" "$2" >>"$pending"
  fi
  objects+=("$2")
}
# Compiles what compile queued, several at a time; an object is written
# under a temporary name, so a failed compile leaves none to look current.
compile_pending() {
  [ -s "$pending" ] || return 0
  # xargs puts each source and object after the compiler and its flags.
  # shellcheck disable=SC2016
  xargs -0 -n2 -P "${BR_FUZZ_JOBS:-2}" bash -c \
    'src=${*: -2:1} obj=${*: -1}; "${@:1:$#-2}" -c "$src" -o "$obj.tmp" && mv "$obj.tmp" "$obj"' compile \
    bash "$root/scripts/ccache.sh" "$cxx" "${flags[@]}" <"$pending"
  : >"$pending"
}

# The platform and framework layers (with their meta-object code), the
# skin data layer and the rename engine.
for header in "$root"/platform/*.h "$root"/framework/*.h; do
  if grep -q Q_OBJECT "$header"; then
    name=$(basename "$header" .h)
    if [ ! -f "$out/moc/moc_$name.cpp" ] || [ "$header" -nt "$out/moc/moc_$name.cpp" ]; then
      "$moc" -I"$root" "$header" -o "$out/moc/moc_$name.cpp"
    fi
    compile "$out/moc/moc_$name.cpp" "$out/obj/moc_$name.o"
  fi
done
for src in "$root"/platform/*.cpp "$root"/framework/*.cpp "$root"/skin/data/*.cpp "$root"/renamer/*.cpp; do
  layer=$(basename "$(dirname "$src")")
  compile "$src" "$out/obj/${layer}_$(basename "$src" .cpp).o"
done

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_skin_package fuzz_bmp fuzz_skin_description fuzz_journal fuzz_photo_date)
for t in "${targets[@]}"; do
  compile "$root/fuzz/$t.cpp" "$out/obj/target_$t.o"
done
compile_pending
for t in "${targets[@]}"; do
  # Relink only when an object changed: a running fuzzer may be using the binary.
  if [ -f "$out/$t" ] && [ -z "$(find "$out/obj" -name '*.o' -newer "$out/$t" -print -quit)" ]; then continue; fi
  # shellcheck disable=SC2086
  "$cxx" -fsanitize=fuzzer,address,undefined "$out/obj/target_$t.o" \
    $(printf '%s\n' "${objects[@]}" | grep -v '/target_') $qt_libs -o "$out/$t.new"
  mv "$out/$t.new" "$out/$t"
done
