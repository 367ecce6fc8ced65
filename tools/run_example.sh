#!/usr/bin/env bash
# Builds the library and the command-line driver, then runs the main job:
# the design of the example propeller examples/ga_design.prj on the default
# polar database. The working files go to examples/ga_design_tmp/, the
# design result page to examples/ga_design.des.html.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
if [ ! -f "$root/data/naca4_polars.bin" ]; then
  echo "run_example.sh: the default polar database data/naca4_polars.bin is missing" >&2
  echo "  (make it with: python3 tools/polar_gen/polar_gen.py generate)" >&2
  exit 1
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target skarvel
"$build/skarvel" --root "$root" design "$root/examples/ga_design.prj"
