#!/usr/bin/env bash
# End-to-end test of the colour editor: the real tintaro executable on a
# private Xvfb display, driven with the mouse and the keyboard. The colour is
# read back the way a user sees it (the sample's pixels on screen) and the way
# a user copies it (click a box, Ctrl+C, read the clipboard).
#
# usage: test_editor_e2e.sh <path to tintaro>

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

[ $# -eq 1 ] || { echo "usage: $0 <path to tintaro>"; exit 2; }

# Client-area pixels of the controls (twips / 15, frame offset added):
#   sample frame at 8,8: Preview 24,16 89x65; Res 8,106 65x19; CmdGo 80,104
#   channel frame at 8,152: CScroll(i) 8,32+40i 217x17; SValue(i) 232,32+40i 65x19
SAMPLE_X=76 SAMPLE_Y=56
CODE_X=48 CODE_Y=124
VALUE_X=272
RED_Y=193 GREEN_Y=233 BLUE_Y=273
RED_SLIDER_Y=192
SLIDER_RIGHT_ARROW_X=226    # the slider's last 17 pixels are its right arrow

# expect_colour <r> <g> <b> <code> — the sample shows the colour, the three
# value boxes hold the channels and the code box holds the code.
expect_colour() {
    e2e_wait_pixel "sample Preview" "$SAMPLE_X" "$SAMPLE_Y" "$1,$2,$3"
    e2e_expect_box "red value box SValue(0)" "$VALUE_X" "$RED_Y" "$1"
    e2e_expect_box "green value box SValue(1)" "$VALUE_X" "$GREEN_Y" "$2"
    e2e_expect_box "blue value box SValue(2)" "$VALUE_X" "$BLUE_Y" "$3"
    e2e_expect_box "code box Res" "$CODE_X" "$CODE_Y" "$4"
}

e2e_init e2e_editor "$1"
e2e_start_xvfb
e2e_start_program

e2e_step "start-up: window size and place, design-time white"
e2e_expect_eq "client area size" "${E2E_WIN_W}x$E2E_WIN_H" "323x337"
# Centred on the 1024x768 screen; an odd leftover pixel may go either way.
off_x=$((2 * E2E_OX + E2E_WIN_W - 1024)) off_y=$((2 * E2E_OY + E2E_WIN_H - 768))
e2e_expect_eq "window centred horizontally" "$((off_x >= -1 && off_x <= 1))" 1
e2e_expect_eq "window centred vertically" "$((off_y >= -1 && off_y <= 1))" 1
expect_colour 255 255 255 "#FFFFFF"

e2e_step "a typed code applied with Alt+V (pairs blue, green, red)"
e2e_click "$CODE_X" "$CODE_Y"      # selects the whole code
e2e_type "#0080FF"
e2e_key alt+v
# The access key presses the button with its short press animation, so the
# code is applied a moment later: expect_colour waits for the sample first,
# before any click could meet the chain still to come.
expect_colour 255 128 0 "#0080FF"

e2e_step "a number typed into the green value box"
e2e_click "$VALUE_X" "$GREEN_Y"    # selects the whole value
e2e_type "12"
expect_colour 255 12 0 "#000CFF"

e2e_step "an out-of-range number in the red value box becomes 0"
e2e_click "$VALUE_X" "$RED_Y"
e2e_type "300"
expect_colour 0 12 0 "#000C00"

e2e_step "a click on the red slider's right arrow adds 1"
e2e_click "$SLIDER_RIGHT_ARROW_X" "$RED_SLIDER_Y"
expect_colour 1 12 0 "#000C01"

e2e_step "the keyboard moves the slider that was clicked"
e2e_click "$SLIDER_RIGHT_ARROW_X" "$RED_SLIDER_Y"   # 2, and the slider has the focus
e2e_key Right
expect_colour 3 12 0 "#000C03"

e2e_finish
