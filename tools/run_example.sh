#!/usr/bin/env bash
# Builds the library and the command-line driver, then runs the main job on
# the example project examples/trainer_propeller.prj. For now that is the
# project set-up and its state report; the working directory
# examples/trainer_propeller_tmp/ is created beside the project.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target skarvel
"$build/skarvel" --root "$root" state "$root/examples/trainer_propeller.prj"
