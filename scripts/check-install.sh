#!/usr/bin/env bash
# Installs the library (static and shared) into a scratch prefix chosen at install time (not at
# configure time, so that nothing may depend on the configured one) and builds a program
# against it twice: with the CMake package and with pkg-config; the same for the export library.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gen=""; command -v ninja >/dev/null && gen="-G Ninja"
for shared in OFF ON; do
  prefix="$work/prefix-$shared"
  cmake -S "$src" -B "$work/build-$shared" $gen -DBUILD_SHARED_LIBS=$shared \
    -DGEOPROJ_BUILD_TESTS=OFF -DGEOPROJ_BUILD_BENCH=OFF -DGEOPROJ_BUILD_TOOL=OFF \
    -DCMAKE_INSTALL_PREFIX="$work/configured-prefix-unused" >/dev/null
  cmake --build "$work/build-$shared" -j "$(nproc)" >/dev/null
  cmake --install "$work/build-$shared" --prefix "$prefix" >/dev/null
  cmake -S "$src/tests/install/consumer" -B "$work/consumer-$shared" $gen \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$work/consumer-$shared" >/dev/null
  LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/consumer-$shared/consumer"
  LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/consumer-$shared/consumer_export"
  PKG_CONFIG_PATH="$prefix/lib/pkgconfig" g++ -std=c++20 "$src/tests/install/consumer/main.cpp" \
    $(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs geoproj) -o "$work/pc-$shared"
  LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/pc-$shared"
  static=""; [ "$shared" = OFF ] && static="--static"
  PKG_CONFIG_PATH="$prefix/lib/pkgconfig" g++ -std=c++20 "$src/tests/install/consumer/export_main.cpp" \
    $(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config $static --cflags --libs geoproj-export) -o "$work/pc-export-$shared"
  LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/pc-export-$shared"
done
echo "install check passed"
