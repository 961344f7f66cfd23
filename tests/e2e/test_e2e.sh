#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end scenarios: the real program on a private Xvfb display, driven
# with the verbs of e2e_lib.sh. Each scenario is a function scenario_<name>;
# tests/e2e/CMakeLists.txt registers one CTest test per scenario.
#
# usage: test_e2e.sh <scenario> <path to tintaro>
if [ -z "${E2E_DEFINING:-}" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
    E2E_DEFINING=1 source "${BASH_SOURCE[0]}" # every scenario, to the end of this file
    e2e_run "$@"
fi

# The memory list of a hand-edited file (LF ends, a comment, an empty line)
# in its own order: loaded from, deleted from, a code applied and stored
# with the keyboard, saved with CR LF when the program is asked to end.
scenario_memory() {
    local dir=$E2E_ROOT/program
    mkdir -p "$dir" && printf '#FF0000\n* mis colores\n\n#0080FF\r\n#0000FF' >"$dir/List.slc"
    e2e_start "$dir"
    e2e_click "$LIST_X" "${ROW_Y[0]}"
    e2e_click "$LOAD_X" "$LOAD_Y"
    e2e_expect_pixel "sample after Cargar" "$SAMPLE_X" "$SAMPLE_Y" 0,0,255
    e2e_read_code
    e2e_expect "code box" "$E2E_TEXT" "#FF0000"
    e2e_click "$LIST_X" "${ROW_Y[1]}"
    e2e_click "$DELETE_X" "$DELETE_Y"
    e2e_apply_code "#0080FF" && e2e_keys alt+g
    e2e_stop TERM
    e2e_expect_file "$dir/List.slc" '#FF0000\r\n#0000FF\r\n#0080FF\r\n'
}

# One copy per program folder: a second copy shows a message and ends, a
# copy from another folder runs, a killed copy leaves nothing that blocks.
scenario_single_copy() {
    e2e_start "$E2E_ROOT/a" && local first=$E2E_PID
    e2e_launch "$E2E_ROOT/a"
    e2e_wait_window dialog && e2e_keys Return
    e2e_wait_exit
    e2e_expect "exit status of the second copy" "$E2E_STATUS" 0
    e2e_start "$E2E_ROOT/b"
    e2e_stop TERM
    kill -KILL "$first" && e2e_wait_exit "$first"
    e2e_start "$E2E_ROOT/a"
    e2e_stop TERM
}

# SIGINT and SIGHUP close the window like its close box and save the list;
# so does SIGTERM while the About window is open.
scenario_signals() {
    for signal in INT HUP TERM; do
        e2e_start "$E2E_ROOT/$signal"
        e2e_keys alt+g
        [ $signal != TERM ] || { e2e_click "$ABOUT_X" "$ABOUT_Y" && e2e_wait_window dialog; }
        e2e_stop $signal
        e2e_expect_file "$E2E_ROOT/$signal/List.slc" '#FFFFFF\r\n'
    done
}
