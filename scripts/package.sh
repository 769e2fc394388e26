#!/bin/sh
# Builds the Debian package in a Release build of its own (build-release/)
# and checks it with lintian. Installs what is missing first.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
if ! command -v lintian > /dev/null; then
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends lintian
fi

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORBEX_BUILD_TESTS=OFF \
    -DQUORBEX_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-release
(cd build-release && cpack -G DEB)
package=$(ls build-release/quorbex_*.deb)
lintian --fail-on error "$package"
echo "$package"
