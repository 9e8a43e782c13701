#!/usr/bin/env bash
# Builds the generator's fuzz target with clang and libFuzzer and runs it.
#   fuzz/run.sh [seconds]       default 120
# New inputs go to build-fuzz/corpus; the seeds in fuzz/corpus/generator are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_TO_RUN=${1:-120}
OUT=build-fuzz
mkdir -p "$OUT/corpus"
CXX=${CXX:-clang++}
FLAGS=(-std=c++17 -O1 -g -I. -ffp-contract=off
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

"$CXX" "${FLAGS[@]}" geometry/*.cpp model/*.cpp fuzz/FuzzGenerator.cpp -o "$OUT/fuzz_generator"
"$OUT/fuzz_generator" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
    -artifact_prefix="$OUT/" "$OUT/corpus" fuzz/corpus/generator
