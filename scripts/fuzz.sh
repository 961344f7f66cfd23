#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the libFuzzer targets of tests/fuzz: builds them with clang++-14 in
# build-fuzz/, then runs each one for the given number of seconds (default 60)
# on a scratch copy of its seed corpus, so the committed corpus does not grow.
# Fails when a target finds a crash, a sanitizer error, a leak, a timeout or a
# broken property; the reproducer is kept in build-fuzz/findings/<target>/ and
# its path printed.
#
#   scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds-per-target]" >&2
    exit 2
fi
if ! command -v clang++-14 >/dev/null; then
    echo "clang++-14 not found: ./scripts/setup.sh installs clang-14 and libclang-rt-14-dev" >&2
    exit 2
fi

build=build-fuzz
targets=(fuzz_code fuzz_text_to_number fuzz_memory_file)

CXX=clang++-14 cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${JOBS:-2}"

# The scratch corpora and the memory files of fuzz_memory_file go to tmpfs
# when there is one: every memory file write ends with a sync to disk.
scratch_base=${TMPDIR:-/tmp}
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch_base=/dev/shm
fi
scratch=$(mktemp -d "$scratch_base/tintaro-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
    corpus=$scratch/$target
    findings=$build/findings/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    cp tests/fuzz/corpus/"$target"/* "$corpus"/
    touch "$scratch/$target.start"
    options=(-max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$findings/")
    # Long numbers, to show a reading that is not linear in the text's length.
    if [ "$target" = fuzz_text_to_number ]; then
        options+=(-max_len=65536)
    fi

    echo "== $target: ${seconds}s"
    status=0
    TMPDIR=$scratch "$build/$target" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' "$log" || true
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "!! $target failed (exit $status); log: $log"
        grep -E -A30 '^(FAILED|==[0-9]+==ERROR|.*runtime error)' "$log" | head -60 || tail -40 "$log"
        # Reproducers of this run only; earlier ones stay for reference.
        find "$findings" -type f -newer "$scratch/$target.start" | while read -r artifact; do
            echo "!! reproducer: $artifact"
            echo "   rerun with: $build/$target $artifact"
        done
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing found nothing in ${#targets[@]} targets, ${seconds}s each."
