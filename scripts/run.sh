#!/bin/sh
# Installs what is missing, builds Quorbex and opens the sample dictionary.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: here is the sample dictionary as zvk lists it." >&2
    echo "Run the program with a display, or under xvfb-run, to see its window." >&2
    exec ./build/cli/zvk list build/samples/demo.zvk
fi
exec ./build/app/quorbex build/samples/demo.zvk
