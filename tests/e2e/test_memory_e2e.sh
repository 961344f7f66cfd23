#!/usr/bin/env bash
# End-to-end test of the memory list across runs: the real tintaro executable
# on a private Xvfb display, in a program folder of its own. A colour is
# composed, stored with "Guardar", the window closed (by SIGTERM and by the
# close message a window manager sends); the memory file beside the program
# is checked byte for byte; on the next start the entry is listed again, its
# sample shows its colour, "Cargar" brings it back into the editor and
# "Borrar" removes it for good.
#
# usage: test_memory_e2e.sh <path to tintaro>

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

[ $# -eq 1 ] || { echo "usage: $0 <path to tintaro>"; exit 2; }

# Client-area pixels of the controls (twips / 15, frame offset added).
SAMPLE_X=76 SAMPLE_Y=56
CODE_X=48 CODE_Y=124
VALUE_X=272
RED_Y=193 GREEN_Y=233 BLUE_Y=273
LIST_X=190                      # memory frame at 152,8; MemList at 8,16
ROW_Y=(31 44 57)                # middle of the list's first rows
PREVIEW_LIST_X=272 PREVIEW_LIST_Y=36
SAVE_X=272 SAVE_Y=68            # "Guardar"
LOAD_X=272 LOAD_Y=92            # "Cargar"
DELETE_X=272 DELETE_Y=124       # "Borrar"
BUTTON_FACE=239,239,239         # the list sample before its first use

expect_colour() {
    e2e_wait_pixel "sample Preview" "$SAMPLE_X" "$SAMPLE_Y" "$1,$2,$3"
    e2e_expect_box "red value box SValue(0)" "$VALUE_X" "$RED_Y" "$1"
    e2e_expect_box "green value box SValue(1)" "$VALUE_X" "$GREEN_Y" "$2"
    e2e_expect_box "blue value box SValue(2)" "$VALUE_X" "$BLUE_Y" "$3"
    e2e_expect_box "code box Res" "$CODE_X" "$CODE_Y" "$4"
}

apply_code() {
    e2e_click "$CODE_X" "$CODE_Y"      # selects the whole code
    e2e_type "$1"
    e2e_key alt+v
}

e2e_init e2e_memory "$1"
e2e_start_xvfb
dir=$E2E_ROOT/program
mkdir "$dir"

e2e_step "first run in an empty folder: store #0080FF, close with SIGTERM"
e2e_start_program "$dir"
e2e_wait_pixel "list sample PreviewList before any use" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" "$BUTTON_FACE"
apply_code "#0080FF"
expect_colour 255 128 0 "#0080FF"
e2e_key alt+g
# Only entry, so the first row: its sample proves it is in the list.
e2e_click "$LIST_X" "${ROW_Y[0]}"
e2e_wait_pixel "list sample of the stored entry" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 255,128,0
e2e_expect_eq "memory file while the program runs" "$(e2e_sha "$dir/List.slc")" "<missing>"
e2e_stop_program
e2e_expect_eq "exit status after SIGTERM" "$?" 0
e2e_expect_file "List.slc after the first run" "$dir/List.slc" '#0080FF\r\n'

e2e_step "second run: the entry is listed again and loads into the editor"
e2e_start_program "$dir"
expect_colour 255 255 255 "#FFFFFF"
e2e_wait_pixel "list sample before a click" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" "$BUTTON_FACE"
e2e_click "$LIST_X" "${ROW_Y[0]}"
e2e_wait_pixel "list sample of the listed entry" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 255,128,0
e2e_wait_pixel "sample Preview, not yet loaded" "$SAMPLE_X" "$SAMPLE_Y" 255,255,255
e2e_click "$LOAD_X" "$LOAD_Y"
expect_colour 255 128 0 "#0080FF"

e2e_step "second run: a code that sorts first, closed by the window's close message"
apply_code "#004000"
expect_colour 0 64 0 "#004000"
e2e_click "$SAVE_X" "$SAVE_Y"
e2e_click "$LIST_X" "${ROW_Y[0]}"
e2e_wait_pixel "list sample of the first row (the new entry)" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 0,64,0
e2e_click "$LIST_X" "${ROW_Y[1]}"
e2e_wait_pixel "list sample of the second row" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 255,128,0
e2e_send_close "$E2E_WIN"
e2e_wait_exit "$E2E_APP_PID" || e2e_abort "the program did not end after WM_DELETE_WINDOW"
e2e_expect_eq "exit status after WM_DELETE_WINDOW" "$E2E_STATUS" 0
e2e_expect_file "List.slc after the second run" "$dir/List.slc" '#004000\r\n#0080FF\r\n'

e2e_step "third run: both entries in file order; Borrar removes the first for good"
e2e_start_program "$dir"
e2e_click "$LIST_X" "${ROW_Y[1]}"
e2e_wait_pixel "list sample of the second row" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 255,128,0
e2e_click "$LIST_X" "${ROW_Y[0]}"
e2e_wait_pixel "list sample of the first row" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 0,64,0
e2e_click "$LOAD_X" "$LOAD_Y"
expect_colour 0 64 0 "#004000"
e2e_click "$DELETE_X" "$DELETE_Y"
# What was the second row moved up: its sample shows it is the one left.
e2e_click "$LIST_X" "${ROW_Y[0]}"
e2e_wait_pixel "list sample of the row left" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 255,128,0
e2e_stop_program
e2e_expect_eq "exit status after SIGTERM" "$?" 0
e2e_expect_file "List.slc after the deletion" "$dir/List.slc" '#0080FF\r\n'

e2e_finish
