#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that one or more purposes need, skipping those
# already present; through sudo when not run as root.
#
#   scripts/setup.sh [run|package|test|bench|fuzz|sanitize|coverage]...    (default: run)
set -euo pipefail

# Building and running Tintaro: compiler, CMake, Qt; the X shared-memory
# extension's library (the pick mode reads the screens through it); Qt's
# Spanish texts; fonts close to Tahoma and Arial (DejaVu Sans Condensed,
# Liberation Sans); native Wayland; ccache, so
# that a build made again from scratch (a fresh clone, `make clean`) takes its
# compiles from the last one; it is here rather than with the tests so that a
# build begun by `make run` keeps the same compiler command under `make test`.
run=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxcb-shm0-dev
     ccache qt6-translations-l10n fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 qt6-wayland)
# The Debian package: its dependencies computed, its contents checked.
package=("${run[@]}" dpkg-dev file lintian)
# The test suite: formatting; a private X server driven like a user's hands
# and read like their eyes, with two monitors and a tiled background for
# picking; a private session bus with a stand-in desktop portal; a headless
# Wayland compositor; an assistive-technology client (pyatspi); the validators of the installed tree and the package.
test=("${package[@]}" clang-format xvfb xauth xdotool xclip imagemagick x11-utils
      x11-xserver-utils dbus-daemon python3-dbus python3-gi python3-pyatspi at-spi2-core weston
      desktop-file-utils appstream)
# The benchmarks: Google Benchmark; the start-up comparison on a private X server.
bench=("${run[@]}" libbenchmark-dev xvfb python3)
# The fuzz targets: clang's libFuzzer and sanitizer runtimes.
fuzz=("${run[@]}" clang-14 libclang-rt-14-dev)
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (GCC's runtimes come with g++).
sanitize=("${test[@]}")
# The coverage report: the test suite and gcovr.
coverage=("${test[@]}" gcovr)

packages=()
for purpose in "${@:-run}"; do
    case $purpose in
    run | package | test | bench | fuzz | sanitize | coverage) declare -n list=$purpose && packages+=("${list[@]}") ;;
    *) echo "usage: $0 [run|package|test|bench|fuzz|sanitize|coverage]..." >&2 && exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
