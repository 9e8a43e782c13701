#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test suite
# inside one Xvfb, so the GL and window tests take the path a user's desktop takes.
# A second stage builds the suite again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it the same way; between the two, each fuzz target runs for a bounded time.
# LAPIDO_SANITIZE_STAGE=0 and LAPIDO_FUZZ_STAGE=0 skip those for a quick local run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

if [ "${LAPIDO_FUZZ_STAGE:-1}" = 1 ]; then
    export LAPIDO_FUZZ=1 # the fuzz stage needs clang and its libFuzzer runtime
fi
bash scripts/deps.sh

# ctest_args: what the stage passes to ctest besides the defaults.
ctest_args=()
run_suite() {
    local build=$1
    shift
    cmake -S "$ROOT" -B "$build" -DLAPIDO_STRICT=ON "$@"
    cmake --build "$build" -j2
    # -noreset: the tests start and end programs one after another on this one server.
    (cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --output-on-failure -j1 "${ctest_args[@]}")
}

echo "== Release build and tests"
run_suite "${LAPIDO_BUILD_DIR:-build}" -DCMAKE_BUILD_TYPE=Release

if [ "${LAPIDO_FUZZ_STAGE:-1}" = 1 ]; then
    echo "== Fuzzing, ${LAPIDO_FUZZ_SECONDS:-60} s per target"
    bash fuzz/run.sh "${LAPIDO_FUZZ_SECONDS:-60}"
fi

if [ "${LAPIDO_SANITIZE_STAGE:-1}" = 1 ]; then
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # The long-session test runs fewer steps: the sanitizers make each one far slower.
    export LAPIDO_SOAK_STEPS=${LAPIDO_SOAK_STEPS:-1000}
    # The outside-in tests drive the program through the desktop with deadlines that the
    # sanitized program, many times slower, does not keep; they run in the Release stage.
    ctest_args=(-LE desktop)
    run_suite "${LAPIDO_ASAN_BUILD_DIR:-build-asan}" -DCMAKE_BUILD_TYPE=Debug \
        -DLAPIDO_SANITIZE=ON -DLAPIDO_BENCH=OFF
fi
