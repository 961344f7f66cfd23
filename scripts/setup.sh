#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that one or more purposes need, skipping those
# already present; through sudo when not run as root.
#
#   scripts/setup.sh [run|test|bench|fuzz|sanitize]...    (default: run)
set -euo pipefail

# Building and running Tintaro: compiler, CMake, Qt; Qt's Spanish texts;
# fonts close to Tahoma and Arial.
run=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
     qt6-translations-l10n fonts-dejavu-core fonts-liberation2)
# The test suite: formatting; a private X server driven like a user's hands
# and read like their eyes; the validators of the installed tree.
test=("${run[@]}" clang-format xvfb xauth xdotool xclip imagemagick x11-utils
      desktop-file-utils appstream)
# The benchmarks: Google Benchmark; the start-up comparison on a private X server.
bench=("${run[@]}" libbenchmark-dev xvfb python3)
# The fuzz targets: clang's libFuzzer and sanitizer runtimes.
fuzz=("${run[@]}" clang-14 libclang-rt-14-dev)
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (GCC's runtimes come with g++).
sanitize=("${test[@]}")

packages=()
for purpose in "${@:-run}"; do
    case $purpose in
    run | test | bench | fuzz | sanitize) declare -n list=$purpose && packages+=("${list[@]}") ;;
    *) echo "usage: $0 [run|test|bench|fuzz|sanitize]..." >&2 && exit 2 ;;
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
