#!/usr/bin/env bash
# Builds the library, the driver and the tests, then runs every test.
# SKARVEL_SANITIZE=1 builds and tests with AddressSanitizer and UBSan in a
# separate build directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
if [ "${SKARVEL_SANITIZE:-0}" = "1" ]; then
  build="$root/build-sanitize"
  flags=(-DSKARVEL_SANITIZE=ON -DSKARVEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
else
  build="$root/build"
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$root" -B "$build" "${flags[@]}"
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs"
