#!/usr/bin/env bash
# Builds the Release tree and runs every benchmark program, under one Xvfb (llvmpipe), with
# ten repetitions each; prints the medians. Any extra arguments go to every program, e.g.
#   bash bench/run.sh --benchmark_filter=Frame
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
BUILD=${LAPIDO_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLAPIDO_BENCH=ON > /dev/null
cmake --build "$BUILD" -j2
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    glxinfo 2>/dev/null | grep -E "OpenGL (renderer|version) string" || true
    for b in "$0"/bench/bench_*; do
        echo "== $(basename "$b")"
        "$b" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@" 2>&1 |
            grep -vE "_(mean|stddev|cv) " 
    done
' "$BUILD" "$@"
