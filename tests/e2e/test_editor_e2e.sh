#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The colour editor of the real program, driven with the mouse and the
# keyboard; the colour read back from the sample's pixels on screen and,
# through the clipboard, from the boxes.
#
# usage: test_editor_e2e.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_editor "$@"
e2e_start "$E2E_ROOT/program"

e2e_step "start-up: the 323 x 337 window in white"
e2e_expect_eq "client area size" "${E2E_W}x$E2E_H" 323x337
e2e_expect_colour 255 255 255 "#FFFFFF"

e2e_step "a typed code applied with Alt+V (pairs blue, green, red)"
e2e_apply_code "#0080FF"
e2e_expect_colour 255 128 0 "#0080FF"

e2e_step "a number typed into the green value box"
e2e_click "$VALUE_X" "$GREEN_Y"    # selects the whole value
e2e_type 12
e2e_expect_colour 255 12 0 "#000CFF"

e2e_step "an out-of-range number in the red value box becomes 0"
e2e_click "$VALUE_X" "$RED_Y"
e2e_type 300
e2e_expect_colour 0 12 0 "#000C00"

# The red slider at 8,184 217x17: its last 17 pixels are the right arrow.
e2e_step "a click on the red slider's right arrow adds 1"
e2e_click 226 192
e2e_expect_colour 1 12 0 "#000C01"

e2e_step "the keyboard moves the slider that was clicked"
e2e_click 226 192                  # 2, and the slider has the focus
e2e_key Right
e2e_expect_colour 3 12 0 "#000C03"

e2e_finish
