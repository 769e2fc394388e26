#!/bin/sh
# Installs what is missing, builds Quorbex and runs every test: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then each fuzz target for 30 seconds (scripts/fuzz.sh runs them longer).
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORBEX_SANITIZE=ON \
    -DQUORBEX_BUILD_BENCH=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

./scripts/fuzz.sh 30
