#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded time.
#   fuzz/run.sh [seconds per target]       default 120
# Targets: the generator followed by the assembly, and the panel's text reading.
# New inputs go to build-fuzz/corpus-<target>; the seeds in fuzz/corpus/<target> are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${1:-120}
OUT=build-fuzz
# A tree of its own: clang, every module instrumented, only the fuzz targets built.
cmake -S . -B "$OUT" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLAPIDO_FUZZ=ON -DLAPIDO_TESTS=OFF -DLAPIDO_BENCH=OFF
cmake --build "$OUT" -j2 --target fuzz_generator fuzz_panel
mkdir -p "$OUT/corpus-generator" "$OUT/corpus-panel"

"$OUT/fuzz_generator" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
    -artifact_prefix="$OUT/generator-" "$OUT/corpus-generator" fuzz/corpus/generator
"$OUT/fuzz_panel" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
    -artifact_prefix="$OUT/panel-" "$OUT/corpus-panel" fuzz/corpus/panel
