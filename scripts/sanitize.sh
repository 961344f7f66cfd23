#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole project with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (TINTARO_SANITIZE) in build-asan/ and runs the
# whole test suite there. A sanitizer report aborts the program that made it,
# which fails its test.
#
#   scripts/sanitize.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-asan
# Debug keeps the assertions; -O1 instead of -O0 makes the instrumented code
# several times faster while the stacks stay readable.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DTINTARO_SANITIZE=ON -DTINTARO_BUILD_BENCH=OFF -DTINTARO_WERROR=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}"

# A smaller quarantine of freed memory than the default 256 MB: a freed block
# still waits for 32 MB of other frees before it is reused.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=32
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside system libraries, not ours to fix: see the file.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "${JOBS:-2}" "$@"
