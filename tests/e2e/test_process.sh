#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program's life as a process, each case in program folders of its
# own: the memory file at the first close, a hand-edited file rewritten in its
# own order, one copy per program folder (a second copy shows its message and
# ends, a copy from another folder runs, a killed copy blocks nothing, two
# copies started at once leave one running), the signals that close the window.
#
# usage: test_process.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_process "$@"
ALREADY_RUNNING="La Aplicación ya se esta ejecutando"

# expect_refused <pid> — the copy shows only its message, titled Tintaro;
# Enter closes it and the copy ends with status 0.
expect_refused() {
    e2e_poll "$E2E_START_TIMEOUT" e2e_shown "$1"
    e2e_expect_eq "main window of the second copy" "$E2E_MAIN" ""
    e2e_message "$1"
    e2e_expect_eq "title of the message window" "$E2E_TITLE" Tintaro
    e2e_expect_eq "text of the message window" "$E2E_TEXT" "$ALREADY_RUNNING"
    e2e_wait_exit "$1" || e2e_abort "the second copy still runs after its message"
    e2e_expect_eq "exit status of the second copy" "$E2E_STATUS" 0
}

# file_state <file> — content hash and modification time with nanoseconds.
file_state() { echo "$(e2e_sha "$1") $(stat -c %y "$1" 2>/dev/null)"; }

e2e_step "first run in a folder without List.slc: an empty List.slc at close"
e2e_start "$E2E_ROOT/first"
e2e_expect_eq "List.slc while running" "$(e2e_sha "$E2E_ROOT/first/List.slc")" "<missing>"
e2e_stop TERM
e2e_expect_file "List.slc after the first close" "$E2E_ROOT/first/List.slc" ''

e2e_step "a hand-edited file comes back in its own order, with CR LF, without comment or empty line"
dir=$E2E_ROOT/main
mkdir -p "$dir"
printf '#FF0000\n* mis colores\n\n#00FF00\n#0000FF\n' >"$dir/List.slc"    # not sorted, LF
e2e_start "$dir"
e2e_expect_list_row 0 0,0,255
e2e_expect_list_row 1 0,255,0
e2e_expect_list_row 2 255,0,0
e2e_stop TERM
e2e_expect_file "List.slc rewritten" "$dir/List.slc" '#FF0000\r\n#00FF00\r\n#0000FF\r\n'

e2e_step "a second copy from the same folder shows its message and ends; the first runs on"
e2e_start "$dir"
first_pid=$E2E_APP_PID first_win=$E2E_WIN
before=$(file_state "$dir/List.slc")
e2e_launch "$dir"
expect_refused "$E2E_PID"
e2e_expect_eq "first copy's main window" "$(e2e_alive "$first_pid" && e2e_windows "$first_pid")" "$first_win main"
e2e_expect_eq "List.slc (hash, time) after the second copy" "$(file_state "$dir/List.slc")" "$before"

e2e_step "a copy from another folder runs beside the first"
e2e_start "$E2E_ROOT/other"
e2e_stop TERM
e2e_expect_eq "first copy still running" "$(e2e_alive "$first_pid" && echo yes)" yes

e2e_step "after SIGKILL of the first copy a new copy starts in the same folder, and holds it"
kill -KILL "$first_pid"
e2e_wait_exit "$first_pid" || e2e_abort "SIGKILL did not end the program"
e2e_expect_eq "List.slc (hash, time) after SIGKILL" "$(file_state "$dir/List.slc")" "$before"
e2e_start "$dir"
e2e_launch "$dir"
expect_refused "$E2E_PID"
e2e_stop TERM

e2e_step "two copies started at the same instant: one main window, one message"
# both_shown <a> <b> — each copy shows its one window (or has ended).
both_shown() {
    e2e_shown "$1" && kind_a=${E2E_MAIN:+main}${E2E_DIALOG:+dialog}
    e2e_shown "$2" && kind_b=${E2E_MAIN:+main}${E2E_DIALOG:+dialog}
    [ -n "$kind_a" ] && [ -n "$kind_b" ]
}
for round in 1 2 3; do
    e2e_launch "$E2E_ROOT/race"
    a=$E2E_PID
    e2e_launch "$E2E_ROOT/race"
    b=$E2E_PID
    kind_a='' kind_b=''
    e2e_poll "$E2E_START_TIMEOUT" both_shown "$a" "$b"
    case $kind_a/$kind_b in
    main/dialog) runner=$a refused=$b ;;
    dialog/main) runner=$b refused=$a ;;
    *) e2e_abort "round $round: the copies show '$kind_a' and '$kind_b', expected a main window and a message" ;;
    esac
    e2e_message "$refused"
    e2e_expect_eq "round $round: message" "$E2E_TEXT" "$ALREADY_RUNNING"
    e2e_wait_exit "$refused" || e2e_abort "the refused copy still runs"
    e2e_shown "$runner"
    e2e_use "$runner" "$E2E_MAIN"
    e2e_stop TERM
done

for signal in TERM INT HUP; do
    e2e_step "SIG$signal closes the window normally and saves the list"
    case $signal in
    TERM) code="#0000FF" rgb=255,0,0 ;;
    INT) code="#00FF00" rgb=0,255,0 ;;
    HUP) code="#FF0000" rgb=0,0,255 ;;
    esac
    e2e_start "$E2E_ROOT/signal-$signal"
    e2e_apply_code "$code"
    e2e_key alt+g
    e2e_expect_list_row 0 "$rgb"
    e2e_stop "$signal"
    e2e_expect_file "List.slc after SIG$signal" "$E2E_ROOT/signal-$signal/List.slc" "$code\\r\\n"
done

e2e_finish
