#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the project with gcov's counters in build-coverage/, runs the whole
# test suite there and writes the line and branch coverage of the program's
# own code (tests, benchmarks and generated files left out):
#   build-coverage/coverage/index.html   per file, each line marked
#   build-coverage/coverage/coverage.txt per file, the lines no test reaches
#   build-coverage/coverage/exclusions.txt the lines left out, with reasons
# then prints the table per folder and fails when a folder's line coverage
# falls below its floor in scripts/coverage-floor.txt.
#
# With SANITIZE=ON the same build also has the sanitizers of
# scripts/sanitize.sh (at -O1, in build-asan-coverage/), so that one build
# and one run check both: CI does so.
#
#   scripts/coverage.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${SANITIZE:-OFF}" = ON ]; then
    build=build-asan-coverage
    # -O1 keeps the instrumented tests fast; lines still count where they stand.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DTINTARO_COVERAGE=ON -DTINTARO_SANITIZE=ON -DTINTARO_WERROR=ON \
        -DTINTARO_BUILD_BENCH=OFF >/dev/null
    source scripts/sanitizer-env.sh
else
    build=build-coverage
    # -O0: each line counted where it stands, no line folded into another.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O0" \
        -DTINTARO_COVERAGE=ON -DTINTARO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}"

# Counts from an earlier run would add to this one's.
find "$build" -name '*.gcda' -delete
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "${JOBS:-2}" "$@"

report=$build/coverage
rm -rf "$report" && mkdir -p "$report"
# Branches the compiler adds for exceptions thrown by the library, and those
# it proves never taken, are not choices of the program's code.
gcovr --root . --object-directory "$build" "$build" \
    --exclude '(^|.*/)tests/' --exclude '(^|.*/)bench/' --exclude '(^|.*/)build[^/]*/' \
    --exclude-throw-branches --exclude-unreachable-branches \
    --html-details "$report/index.html" --txt "$report/coverage.txt" \
    --json-summary "$report/summary.json" --print-summary
# Every line or block left out of the figures, each with its reason beside
# its marker, in one list.
folders=$(awk '!/^#/ && NF { print $1 }' scripts/coverage-floor.txt)
# shellcheck disable=SC2086 # one argument per folder
grep -rnE 'GCOVR_EXCL_(BR_)?(LINE|START)' $folders >"$report/exclusions.txt" || true
echo "$(wc -l <"$report/exclusions.txt") exclusions, each with its reason: $report/exclusions.txt"
python3 scripts/coverage_table.py "$report/summary.json" scripts/coverage-floor.txt
