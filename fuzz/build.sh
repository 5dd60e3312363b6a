#!/usr/bin/env bash
# Builds the fuzz targets (skin data, undo journal) with clang and libFuzzer, outside the
# CMake build: usage fuzz/build.sh [TARGET...] (default: all). Objects are
# kept in build-fuzz/ and rebuilt only when their source changed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-fuzz"
mkdir -p "$out/obj" "$out/moc"

cxx=${CXX_FUZZ:-clang++}
moc=/usr/lib/qt6/libexec/moc
[ -x "$moc" ] || moc=$(command -v moc-qt6 || command -v moc)
qt_flags=$(pkg-config --cflags Qt6Core Qt6Gui Qt6Widgets zlib)
qt_libs=$(pkg-config --libs Qt6Core Qt6Gui Qt6Widgets zlib)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
       -I"$root" $qt_flags)

objects=()
compile() {  # source object
  if [ ! -f "$2" ] || [ "$1" -nt "$2" ] || [ -n "$(find "$root/skin/data" "$root/framework" "$root/platform" "$root/renamer" -name '*.h' -newer "$2" -print -quit)" ]; then
    "$cxx" "${flags[@]}" -c "$1" -o "$2"
  fi
  objects+=("$2")
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
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_skin_package fuzz_bmp fuzz_skin_description fuzz_journal)
for t in "${targets[@]}"; do
  compile "$root/fuzz/$t.cpp" "$out/obj/target_$t.o"
  # Relink only when an object changed: a running fuzzer may be using the binary.
  if [ -f "$out/$t" ] && [ -z "$(find "$out/obj" -name '*.o' -newer "$out/$t" -print -quit)" ]; then continue; fi
  # shellcheck disable=SC2086
  "$cxx" -fsanitize=fuzzer,address,undefined "$out/obj/target_$t.o" \
    $(printf '%s\n' "${objects[@]}" | grep -v '/target_') $qt_libs -o "$out/$t.new"
  mv "$out/$t.new" "$out/$t"
done
