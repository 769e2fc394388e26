#!/bin/sh
# Installs what is missing, builds Quorbex and shows the sample dictionary.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
./build/cli/zvk list build/samples/demo.zvk
