#!/bin/sh
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each in turn for SECONDS seconds,
# from its seed corpus and what earlier runs found. A target stops at its
# first finding, whose input libFuzzer writes to build-fuzz/findings/; the
# script fails if any target found one.
#
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]   (default: 30 seconds, every target)
set -eu
cd "$(dirname "$0")/.."

seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-store_fuzzer csv_fuzzer gbk_fuzzer quick_match_fuzzer document_fuzzer}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORBEX_FUZZ=ON -DQUORBEX_BUILD_TESTS=OFF -DQUORBEX_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build build-fuzz --target $targets

# The document target saves a file for every input: on a memory file
# system its syncs cost nothing.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

mkdir -p build-fuzz/findings
passed=0
failed=0
for target in $targets; do
    # New inputs go to the first folder; the seeds in the repository stay as they are.
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== $target, $seconds s"
    if ./build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/findings/"$target"- "$corpus" fuzz/corpus/"$target"; then
        passed=$((passed + 1))
    else
        echo "== $target found a fault: its input is in build-fuzz/findings/" >&2
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
