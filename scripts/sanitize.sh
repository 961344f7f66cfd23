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

source scripts/sanitizer-env.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "${JOBS:-2}" "$@"
