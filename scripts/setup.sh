#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Tintaro needs to build, run and test, skipping
# those already present. Uses sudo when not run as root.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev clang-format
    # runtime: Spanish texts of Qt's own dialogs, fonts close to Tahoma and
    # Arial, native Wayland
    qt6-translations-l10n fonts-dejavu-core fonts-liberation2 qt6-wayland
    # tests: a real X server, a user's hands and eyes
    xvfb xauth xdotool xclip imagemagick x11-utils
    # tests of picking from the screen: two monitors and a tiled background on
    # X11, a private session bus with a stand-in desktop portal
    x11-xserver-utils dbus-daemon python3-dbus python3-gi
    # tests of the installed tree
    desktop-file-utils appstream
    # the Debian package (dependencies, checks) and its tests on Wayland
    dpkg-dev file lintian weston
    # benchmarks, fuzzers and sanitizers
    libbenchmark-dev clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
