#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program at twice the pixel density (QT_SCALE_FACTOR=2): the window
# exactly twice its size, drawn at the new density rather than blown up from
# the small window (one-pixel lines two device pixels thick, no blur around
# them), the bottom-right button whole inside it; the About window likewise.
#
# usage: test_scale_e2e.sh [--save] <path to tintaro>
#   --save  also writes the window's picture to docs/screenshots/main-window-2x.png

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
save=
[ "${1:-}" = --save ] && { save=$(dirname "${BASH_SOURCE[0]}")/../../docs/screenshots/main-window-2x.png; shift; }
e2e_init e2e_scale "$@"
export QT_SCALE_FACTOR=2    # after e2e_init, which clears every scaling variable
e2e_start "$E2E_ROOT/program"

# The window's picture as the X server holds it, in device pixels.
SHOT=$E2E_ROOT/main-window-2x.png
# shot_colours <x> <y> <w> <h> [-unique-colors] — the colours of a region of the
# picture, a line each (row by row), or its distinct colours.
shot_colours() {
    convert "$SHOT" -crop "$3x$4+$1+$2" +repage -depth 8 ${5:+"$5"} txt:- 2>/dev/null | e2e_rgb
}

e2e_step "window size: the 323 x 337 client area doubled"
e2e_expect_eq "client area size" "${E2E_W}x$E2E_H" 646x674
import -silent -window root -crop "${E2E_W}x$E2E_H+$E2E_OX+$E2E_OY" +repage "$SHOT" ||
    e2e_abort "cannot take a screenshot of the window"
face=$(shot_colours 4 660 1 1)    # the background, left of the "Acerca de ..." button

e2e_step "bottom separator: shadow rows 590-591, white rows 592-593, no blur"
# The line runs from logical x = 8 to 311, device pixels 16 to 623.
shadow=$(shot_colours 320 590 1 1)
e2e_expect_eq "the shadow differs from the background and white" \
    "$([ "$shadow" != "$face" ] && [ "$shadow" != 255,255,255 ] && echo yes)" yes
for x in 16 320 623; do
    # A line scaled up from one device pixel would bleed into rows 589 and 594.
    e2e_expect_eq "rows 589-594 at x=$x" "$(shot_colours "$x" 589 1 6 | tr '\n' ' ')" \
        "$face $shadow $shadow 255,255,255 255,255,255 $face "
done
e2e_expect_eq "left and right of the line" "$(shot_colours 15 592 1 1) $(shot_colours 624 592 1 1)" "$face $face"

e2e_step "\"Acerca de ...\" button whole inside the window"
# Logical 192,304 121x25: device pixels 384-625 by 608-657.
e2e_expect_eq "the button draws frame, face and text (8 colours or more)" \
    "$(($(shot_colours 384 608 242 50 -unique-colors | wc -l) >= 8))" 1
e2e_expect_eq "rows 662-673 below it are plain background" "$(shot_colours 0 662 646 12 -unique-colors)" "$face"
e2e_expect_eq "columns 630-645 right of it are plain background" "$(shot_colours 630 600 16 74 -unique-colors)" "$face"
dark=$(convert "$SHOT" -crop "160x30+425+618" +repage -colorspace Gray -threshold 50% \
    -format '%[fx:round(w*h*(1-mean))]' info: 2>/dev/null)
e2e_expect_eq "its text is drawn (60 dark pixels or more)" "$((${dark:-0} >= 60))" 1

e2e_step "About window: doubled, closed by Enter"
e2e_click "$((2 * ABOUT_X))" "$((2 * ABOUT_Y))"
e2e_poll "$E2E_TIMEOUT" e2e_dialog "$E2E_APP_PID" || e2e_abort "no About window after a click on \"Acerca de ...\""
e2e_expect_eq "About window title" "$(xdotool getwindowname "$E2E_DIALOG")" "Acerca de..."
read -r _ _ w h < <(e2e_geometry "$E2E_DIALOG")
e2e_expect_eq "About client area size" "${w}x$h" 588x428
e2e_key Return
e2e_poll "$E2E_TIMEOUT" e2e_hidden "$E2E_DIALOG" || e2e_fail "Enter did not close the About window"

if [ -n "$save" ]; then
    cp "$SHOT" "$save" || e2e_abort "cannot save $save"
fi
e2e_finish
