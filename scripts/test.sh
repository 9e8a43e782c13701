#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test suite
# inside one Xvfb, so the GL and window tests take the path a user's desktop takes.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
BUILD=${LAPIDO_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLAPIDO_STRICT=ON
cmake --build "$BUILD" -j2
cd "$BUILD"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j1
