#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded time.
#   fuzz/run.sh [seconds per target]       default 120
# Targets: the generator followed by the assembly, and the panel's text reading.
# New inputs go to build-fuzz/corpus-<target>; the seeds in fuzz/corpus/<target> are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${1:-120}
OUT=build-fuzz
CXX=${CXX:-clang++}
FLAGS=(-std=c++17 -O1 -g -I. -ffp-contract=off
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
mkdir -p "$OUT/corpus-generator" "$OUT/corpus-panel"

"$CXX" "${FLAGS[@]}" geometry/*.cpp model/*.cpp fuzz/FuzzGenerator.cpp -o "$OUT/fuzz_generator"
"$CXX" "${FLAGS[@]}" platform/CodePage.cpp platform/NumberText.cpp fuzz/FuzzPanelText.cpp \
    -o "$OUT/fuzz_panel"

"$OUT/fuzz_generator" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
    -artifact_prefix="$OUT/generator-" "$OUT/corpus-generator" fuzz/corpus/generator
"$OUT/fuzz_panel" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
    -artifact_prefix="$OUT/panel-" "$OUT/corpus-panel" fuzz/corpus/panel
