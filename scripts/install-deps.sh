#!/bin/sh
# Installs the Debian packages the project needs to build, run and test
# (scdoc writes the manual pages; the desktop tools check the desktop files;
# poppler-utils reads the printed handbook back in its tests).
# Packages that are already installed are skipped, so a second run is quick.
set -eu

PACKAGES="
  build-essential
  cmake
  ninja-build
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libcsv-dev
  nlohmann-json3-dev
  unicode-data
  libbz2-dev
  qt6-base-dev
  qt6-tools-dev
  qt6-l10n-tools
  qt6-translations-l10n
  qt6-svg-dev
  libx11-dev
  fonts-wqy-microhei
  scdoc
  poppler-utils
  desktop-file-utils
  appstream
  git
  shared-mime-info
  xdg-utils
  libfile-mimeinfo-perl
  clang
  libclang-rt-14-dev
  llvm
"

missing=""
for package in $PACKAGES; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [ "$status" != "installed" ]; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then
        SUDO=sudo
    else
        SUDO=
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
