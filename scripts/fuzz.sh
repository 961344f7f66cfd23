#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets of tests/fuzz with clang++-14 (AddressSanitizer
# and UndefinedBehaviorSanitizer on) in build-fuzz/, then runs each for the
# given number of seconds (default 60) on a scratch copy of its seed corpus.
# Fails on a crash, a sanitizer error, a leak, a timeout or a broken check; the
# reproducer is kept in build-fuzz/findings/<target>/.
#
#   scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [seconds-per-target]" >&2; exit 2; }
command -v clang++-14 >/dev/null || { echo "clang++-14 not found: run scripts/setup.sh fuzz" >&2; exit 2; }

# The product's own libraries, instrumented, and one program per target.
build=build-fuzz
targets=(fuzz_code fuzz_text_to_number fuzz_memory_file fuzz_css_colour fuzz_css_grammar)
CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTARO_FUZZ=ON \
    -DTINTARO_WERROR=ON -DTINTARO_BUILD_TESTS=OFF -DTINTARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]}"

# Scratch corpora and memory files on tmpfs when there is one: every memory
# file write ends with a sync to disk.
scratch_base=${TMPDIR:-/tmp}
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch_base=/dev/shm; fi
scratch=$(mktemp -d "$scratch_base/tintaro-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
    findings=$build/findings/$target log=$build/logs/$target.log
    mkdir -p "$scratch/$target" "$findings" "$build/logs"
    cp tests/fuzz/corpus/"$target"/* "$scratch/$target"/
    touch "$scratch/$target.start"
    echo "== $target: ${seconds}s"
    status=0
    TMPDIR=$scratch "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$scratch/$target" >"$log" 2>&1 || status=$?
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' "$log" || true
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "!! $target failed (exit $status); log: $log"
        grep -E -A30 '^(==[0-9]+==ERROR|.*runtime error)' "$log" | head -60 || tail -40 "$log"
        find "$findings" -type f -newer "$scratch/$target.start" -printf '!! reproducer: %p\n'
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "Fuzzing found problems in: ${failed[*]}" >&2; exit 1; }
echo "Fuzzing found nothing in ${#targets[@]} targets, ${seconds}s each."
