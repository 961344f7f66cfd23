#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The memory list across runs of the real program, in a program folder of its
# own: a colour stored with "Guardar" (saved at once), the window closed (by SIGTERM and by a
# window manager's close message), the memory file checked byte for byte; at
# the next start the entries listed again in order, their samples, "Cargar"
# and "Borrar".
#
# usage: test_memory_e2e.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_memory "$@"
dir=$E2E_ROOT/program

e2e_step "first run in an empty folder: store #0080FF, close with SIGTERM"
e2e_start "$dir"
e2e_wait_pixel "list sample before any use" "$LIST_SAMPLE_X" "$LIST_SAMPLE_Y" "$BUTTON_FACE"
e2e_apply_code "#0080FF"
e2e_expect_colour 255 128 0 "#0080FF"
e2e_key alt+g
e2e_expect_list_row 0 255,128,0
e2e_expect_file "List.slc right after Guardar" "$dir/List.slc" '#0080FF\r\n'
e2e_stop TERM
e2e_expect_file "List.slc after the first run" "$dir/List.slc" '#0080FF\r\n'

e2e_step "second run: the entry is listed again, a click shows it, Cargar loads it"
e2e_start "$dir"
e2e_wait_pixel "list sample before a click" "$LIST_SAMPLE_X" "$LIST_SAMPLE_Y" "$BUTTON_FACE"
e2e_expect_list_row 0 255,128,0
e2e_wait_pixel "sample, not loaded by the click" "$SAMPLE_X" "$SAMPLE_Y" 255,255,255
e2e_click "$LOAD_X" "$LOAD_Y"
e2e_expect_colour 255 128 0 "#0080FF"

e2e_step "second run: a code that sorts first, closed by the window's close message"
e2e_apply_code "#004000"
e2e_wait_pixel "sample" "$SAMPLE_X" "$SAMPLE_Y" 0,64,0
e2e_click "$SAVE_X" "$SAVE_Y"
e2e_expect_list_row 0 0,64,0
e2e_send_close "$E2E_WIN"
e2e_wait_exit "$E2E_APP_PID" || e2e_abort "the program did not end after WM_DELETE_WINDOW"
e2e_expect_eq "exit status after WM_DELETE_WINDOW" "$E2E_STATUS" 0
e2e_expect_file "List.slc after the second run" "$dir/List.slc" '#004000\r\n#0080FF\r\n'

e2e_step "third run: both entries in file order; Borrar removes the first for good"
e2e_start "$dir"
e2e_expect_list_row 1 255,128,0
e2e_expect_list_row 0 0,64,0
e2e_click "$DELETE_X" "$DELETE_Y"
e2e_expect_list_row 0 255,128,0    # the second row moved up
e2e_stop TERM
e2e_expect_file "List.slc after the deletion" "$dir/List.slc" '#0080FF\r\n'

e2e_finish
