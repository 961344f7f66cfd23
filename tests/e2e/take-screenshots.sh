#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes docs/screenshots/main-window.png, the main window as it opens, on a
# private Xvfb display.
#
# usage: take-screenshots.sh [path to tintaro] [output folder]
#   defaults: build/app/tintaro and docs/screenshots of this source tree

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=e2e_lib.sh
source "$repo/tests/e2e/e2e_lib.sh"
out=${2:-$repo/docs/screenshots}
mkdir -p "$out"
e2e_init screenshots "${1:-$repo/build/app/tintaro}"
E2E_FOCUS=0 e2e_start "$E2E_ROOT/program"
# The pointer off the window (no hover highlight); painted once the sample is white.
xdotool mousemove 0 0
e2e_wait_pixel "sample" "$SAMPLE_X" "$SAMPLE_Y" 255,255,255
e2e_step_done
# Only the window's pixels, without a time stamp: an unchanged window gives an unchanged file.
import -silent -window "$E2E_WIN" -strip "$out/main-window.png" || e2e_abort "cannot write $out/main-window.png"
e2e_finish
