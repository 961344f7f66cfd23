#!/usr/bin/env bash
# Takes the screenshots of the documentation on a private Xvfb display:
# docs/screenshots/main-window.png, the main window as it opens.
#
# usage: take-screenshots.sh [path to tintaro] [output folder]
#   defaults: build/app/tintaro and docs/screenshots of this source tree

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

exe=${1:-$repo/build/app/tintaro}
out=${2:-$repo/docs/screenshots}

e2e_init screenshots "$exe"
mkdir -p "$out" || e2e_abort "cannot make $out"
e2e_start_xvfb
E2E_FOCUS=0 e2e_start_program

# Keep the pointer off the window (no hover highlight) and wait until the
# window has been painted: the sample is white at start.
xdotool mousemove 0 0
E2E_STEP="main window"
e2e_wait_pixel "sample Preview" 76 56 "255,255,255"
e2e_step_done

# Only the window's pixels, without any time stamp, so that an unchanged
# window gives an unchanged file.
import -silent -window "$E2E_WIN" -strip "$out/main-window.png" ||
    e2e_abort "cannot take the screenshot of window $E2E_WIN"
e2e_log "wrote $out/main-window.png ($(identify -format '%wx%h' "$out/main-window.png"))"
e2e_finish
