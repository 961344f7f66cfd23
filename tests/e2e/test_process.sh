#!/usr/bin/env bash
# End-to-end test of the program's life as a process: the real tintaro
# executable on a private Xvfb display, each case in program folders of its
# own. Covers the memory file written at the first close, a hand-edited file
# rewritten in its own order, one copy per program folder (a second copy
# shows its message and ends, a copy from another folder runs, a killed copy
# blocks nothing, two copies started at once leave one running), and the
# signals that close the window normally, also while the About window is open.
#
# usage: test_process.sh <path to tintaro>

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

[ $# -eq 1 ] || { echo "usage: $0 <path to tintaro>"; exit 2; }

CODE_X=48 CODE_Y=124
LIST_X=190 ROW0_Y=31
PREVIEW_LIST_X=272 PREVIEW_LIST_Y=36
ABOUT_X=252 ABOUT_Y=316
ALREADY_RUNNING="La Aplicación ya se esta ejecutando"

# store_code <code> <r,g,b> — applies the code and stores it in an empty
# list; the list sample of the first row then shows that the entry is in
# the list before anything else happens to the program.
store_code() {
    e2e_click "$CODE_X" "$CODE_Y"
    e2e_type "$1"
    e2e_key alt+v alt+g
    e2e_click "$LIST_X" "$ROW0_Y"
    e2e_wait_pixel "list sample of the stored $1" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" "$2"
}

# stop_with <signal> — sends the signal to the driven copy and expects a
# normal end (status 0) within the time limit.
stop_with() {
    local pid=$E2E_APP_PID
    kill "-$1" "$pid"
    e2e_wait_exit "$pid" || e2e_abort "the program still runs ${E2E_TIMEOUT}s after SIG$1"
    e2e_expect_eq "exit status after SIG$1" "$E2E_STATUS" 0
}

# file_state <file> — content hash and modification time with nanoseconds.
file_state() {
    printf '%s %s' "$(e2e_sha "$1")" "$(stat -c %y "$1" 2>/dev/null)"
}

# expect_second_copy_refused <folder> — a copy started from the folder shows
# only its message window, titled Tintaro; Enter dismisses it and the copy
# ends with status 0.
expect_second_copy_refused() {
    e2e_launch "$1"
    local pid=$E2E_LAUNCH_PID
    e2e_wait_windows "$pid" || e2e_abort "the second copy showed no window"
    e2e_expect_eq "main window of the second copy" "$E2E_MAIN" ""
    [ -n "$E2E_DIALOG" ] || e2e_abort "the second copy showed no message window"
    e2e_expect_eq "title of the message window" "$(xdotool getwindowname "$E2E_DIALOG")" "Tintaro"
    e2e_read_message "$E2E_DIALOG"
    e2e_expect_eq "text of the message window" "$E2E_TEXT" "$ALREADY_RUNNING"
    e2e_dismiss "$E2E_DIALOG" || e2e_fail "Enter did not close the message window"
    e2e_wait_exit "$pid" || e2e_abort "the second copy still runs after its message"
    e2e_expect_eq "exit status of the second copy" "$E2E_STATUS" 0
}

e2e_init e2e_process "$1"
e2e_start_xvfb
command -v python3 >/dev/null || e2e_abort "python3 not found"

e2e_step "first run in a folder without List.slc: an empty List.slc at close"
first=$E2E_ROOT/first
e2e_start_main "$first"
e2e_expect_eq "List.slc while running" "$(e2e_sha "$first/List.slc")" "<missing>"
stop_with TERM
e2e_expect_file "List.slc after the first close" "$first/List.slc" ''

e2e_step "a hand-edited file comes back in its own order, with CR LF, without comment or empty line"
folder=$E2E_ROOT/main
mkdir -p "$folder"
# Not in sorted order, LF line ends, a comment and an empty line.
printf '#FF0000\n* mis colores\n\n#00FF00\n#0000FF\n' >"$folder/List.slc"
e2e_start_main "$folder"
e2e_click "$LIST_X" "$ROW0_Y"
e2e_wait_pixel "list sample of the first row (#FF0000: blue 255)" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" 0,0,255
stop_with TERM
e2e_expect_file "List.slc rewritten" "$folder/List.slc" '#FF0000\r\n#00FF00\r\n#0000FF\r\n'
e2e_start_main "$folder"
stop_with INT
e2e_expect_file "List.slc after one more run" "$folder/List.slc" '#FF0000\r\n#00FF00\r\n#0000FF\r\n'

e2e_step "a second copy from the same folder shows its message and ends; the first runs on"
e2e_start_main "$folder"
first_pid=$E2E_APP_PID first_win=$E2E_WIN
before=$(file_state "$folder/List.slc")
expect_second_copy_refused "$folder"
e2e_expect_eq "first copy still running" "$(e2e_alive "$first_pid" && echo yes)" yes
e2e_expect_eq "first copy's main window still shown" \
    "$(e2e_windows "$first_pid" | awk '$2 == "main" { print $1 }')" "$first_win"
e2e_expect_eq "List.slc (hash, time) after the second copy" "$(file_state "$folder/List.slc")" "$before"

e2e_step "a copy from another folder runs beside the first"
other=$E2E_ROOT/other
e2e_start_main "$other"
stop_with TERM
e2e_expect_file "the other folder's List.slc" "$other/List.slc" ''
e2e_use_window "$first_pid" "$first_win"
e2e_expect_eq "first copy still running" "$(e2e_alive "$first_pid" && echo yes)" yes

e2e_step "after SIGKILL of the first copy a new copy starts in the same folder"
kill -KILL "$first_pid"
e2e_wait_exit "$first_pid" || e2e_abort "SIGKILL did not end the program"
e2e_expect_eq "exit status after SIGKILL" "$E2E_STATUS" 137
e2e_expect_eq "List.slc (hash, time) after SIGKILL" "$(file_state "$folder/List.slc")" "$before"
e2e_start_main "$folder"
expect_second_copy_refused "$folder"
stop_with TERM
e2e_expect_file "List.slc" "$folder/List.slc" '#FF0000\r\n#00FF00\r\n#0000FF\r\n'

e2e_step "two copies started at the same instant: one main window, one message"
race=$E2E_ROOT/race
mkdir -p "$race"
cp "$E2E_EXE" "$race/tintaro"
for round in 1 2 3 4 5; do
    (cd "$race" && exec ./tintaro) </dev/null >>"$E2E_ROOT/program.log" 2>&1 &
    a=$!
    (cd "$race" && exec ./tintaro) </dev/null >>"$E2E_ROOT/program.log" 2>&1 &
    b=$!
    E2E_HELPER_PIDS+=("$a" "$b")
    # Each copy settles on one window: its main window or its message.
    deadline=$((SECONDS + E2E_START_TIMEOUT))
    while :; do
        wa=$(e2e_windows "$a") wb=$(e2e_windows "$b")
        [ -n "$wa" ] && [ -n "$wb" ] && break
        if ! e2e_alive "$a" || ! e2e_alive "$b"; then break; fi
        [ $SECONDS -lt $deadline ] || break
        sleep "$E2E_POLL"
    done
    kinds="$(awk '{ print $2 }' <<<"$wa" | sort | tr '\n' ' ')/$(awk '{ print $2 }' <<<"$wb" | sort | tr '\n' ' ')"
    case $kinds in
    "main /dialog ") runner=$a refused=$b ;;
    "dialog /main ") runner=$b refused=$a ;;
    *) e2e_fail "round $round: windows of the two copies are '$kinds', expected one main window and one dialog"
       e2e_step_done ;;
    esac
    e2e_log "ok: round $round: copy $runner shows the main window, copy $refused the message"
    dialog=$(e2e_windows "$refused" | awk '{ print $1 }')
    e2e_read_message "$dialog"
    e2e_expect_eq "round $round: message" "$E2E_TEXT" "$ALREADY_RUNNING"
    e2e_dismiss "$dialog" || e2e_fail "round $round: Enter did not close the message"
    e2e_wait_exit "$refused" || e2e_abort "the refused copy still runs"
    e2e_expect_eq "round $round: exit status of the refused copy" "$E2E_STATUS" 0
    e2e_use_window "$runner" "$(e2e_windows "$runner" | awk '{ print $1 }')"
    stop_with TERM
done
e2e_expect_file "List.slc written once per round by the copy that ran" "$race/List.slc" ''

for signal in TERM INT HUP; do
    e2e_step "SIG$signal closes the window normally and saves the list"
    case $signal in
    TERM) code="#0000FF" rgb=255,0,0 ;;
    INT) code="#00FF00" rgb=0,255,0 ;;
    HUP) code="#FF0000" rgb=0,0,255 ;;
    esac
    dir=$E2E_ROOT/signal-$signal
    e2e_start_main "$dir"
    store_code "$code" "$rgb"
    stop_with "$signal"
    e2e_expect_file "List.slc after SIG$signal" "$dir/List.slc" "$code\\r\\n"
done

e2e_step "SIGTERM while the About window is open closes both and saves the list"
dir=$E2E_ROOT/about
e2e_start_main "$dir"
store_code "#123456" 86,52,18
e2e_click "$ABOUT_X" "$ABOUT_Y"
e2e_wait_dialog "$E2E_APP_PID" || e2e_abort "the About window did not open"
e2e_expect_eq "About window title" "$(xdotool getwindowname "$E2E_DIALOG")" "Acerca de..."
stop_with TERM
e2e_expect_file "List.slc after SIGTERM with the About window open" "$dir/List.slc" '#123456\r\n'

e2e_finish
