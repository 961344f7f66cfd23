# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Verbs that drive the real tintaro executable on a private Xvfb display as a
# user would. Coordinates are pixels of the client area of the window that
# e2e_wait_window found last (E2E_WIN); E2E_PID is the copy started last.
set -uo pipefail
E2E_TIMEOUT=${E2E_TIMEOUT:-15} E2E_FAILURES=0 E2E_PIDS=()

# The main window's controls at scale 1.
SAMPLE_X=76 SAMPLE_Y=56 CODE_X=48 CODE_Y=124 LIST_X=190 ROW_Y=(31 44 57) LIST_SAMPLE_X=272
LIST_SAMPLE_Y=36 SAVE_X=272 SAVE_Y=68 LOAD_X=272 LOAD_Y=92 DELETE_X=272 DELETE_Y=124 ABOUT_X=252 ABOUT_Y=316

# e2e_expect <what> <actual> <expected>: a failure is counted, the scenario goes on.
e2e_expect() { [ "$2" = "$3" ] && echo "ok: $1 is '$3'" || { echo "FAIL: $1 is '$2', expected '$3'"; ((++E2E_FAILURES)); }; }
# e2e_expect_file <file> <printf format of its exact bytes>
e2e_expect_file() { e2e_expect "$1" "$(od -An -c "$1")" "$(printf "$2" | od -An -c)"; }
e2e_abort() { echo "FAIL: $*"; cat "$E2E_ROOT/program.log"; exit 1; }
# e2e_poll <command...>: true once the command is, within E2E_TIMEOUT seconds.
e2e_poll() { local end=$((SECONDS + E2E_TIMEOUT)); until "$@"; do [ $SECONDS -lt $end ] && sleep 0.1 || return 1; done; }

# e2e_run <scenario> <tintaro>: the scenario with a folder (E2E_ROOT),
# environment and X server of its own.
e2e_run() {
    declare -F "scenario_${1:-}" >/dev/null && [ -x "${2:-}" ] || { echo "usage: $0 <scenario> <tintaro>" && exit 2; }
    E2E_EXE=$2 E2E_ROOT=$(mktemp -d)
    trap 'kill "${E2E_PIDS[@]}" 2>/dev/null; rm -rf "$E2E_ROOT"' EXIT
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$E2E_ROOT/run XDG_CONFIG_HOME=$E2E_ROOT NO_AT_BRIDGE=1
    unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
    mkdir -m 0700 "$E2E_ROOT/run"
    # E2E_XVFB_WRAP: a command that runs Xvfb, e.g. in a namespace of its own.
    [ -z "${E2E_XVFB_WRAP:-}" ] || $E2E_XVFB_WRAP true || { echo "SKIP: $E2E_XVFB_WRAP fails here" && exit 77; }
    # shellcheck disable=SC2086  # E2E_XVFB_ARGS, E2E_XVFB_WRAP: split as words
    ${E2E_XVFB_WRAP:-} Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset ${E2E_XVFB_ARGS:-} 3>"$E2E_ROOT/display" 2>/dev/null & E2E_PIDS+=($!)
    e2e_poll grep -qs . "$E2E_ROOT/display" || e2e_abort "Xvfb did not start"
    export DISPLAY=:$(cat "$E2E_ROOT/display")
    "scenario_$1"
    echo "$1: $E2E_FAILURES failed checks" && exit $((E2E_FAILURES > 0))
}

# e2e_launch <folder> [command...]: starts a copy of the program from the
# folder, run by the command when given (e.g. prlimit ... --).
e2e_launch() {
    mkdir -p "$1" && cp -n "$E2E_EXE" "$1/tintaro"
    (cd "$1" && shift && exec "$@" ./tintaro) </dev/null >>"$E2E_ROOT/program.log" 2>&1 &
    E2E_PID=$! && E2E_PIDS+=($!)
}
# e2e_wait_window <main|dialog> [pid]: waits for a window of that kind, raises
# and focuses it, and sets its place and size E2E_X E2E_Y E2E_WIDTH E2E_HEIGHT.
e2e_wait_window() {
    e2e_poll e2e_window "${2:-$E2E_PID}" "$1" || e2e_abort "no $1 window"
    eval "$(xdotool getwindowgeometry --shell "$E2E_WIN" | sed -n 's/^[XYWH]/E2E_&/p')"
    timeout 5 xdotool windowraise "$E2E_WIN" windowfocus --sync "$E2E_WIN"
}
e2e_window() {
    for E2E_WIN in $(xdotool search --all --onlyvisible --pid "$1" --name '.*' 2>/dev/null); do
        [[ $2$(xprop -id "$E2E_WIN" _NET_WM_WINDOW_TYPE) == @(dialog*DIALOG*|main*= _NET_WM_WINDOW_TYPE_NORMAL*) ]] && return
    done && return 1
}
e2e_start() { e2e_launch "$@" && e2e_wait_window main; }
e2e_click() { xdotool mousemove $((E2E_X + $1)) $((E2E_Y + $2)) click 1; }
e2e_type() { xdotool type --delay 20 -- "$1"; }
e2e_keys() { xdotool key --delay 50 "$@"; }
e2e_apply_code() { e2e_click "$CODE_X" "$CODE_Y" && e2e_type "$1" && e2e_keys alt+v; }

# e2e_read_code: a click in the code box, Ctrl+A, Ctrl+C; E2E_TEXT is what
# reached the clipboard in place of a marker put there first.
e2e_read_code() {
    printf marker | xclip -quiet -selection clipboard >/dev/null 2>&1 & E2E_PIDS+=($!)
    e2e_poll e2e_clipboard_is marker && e2e_click "$CODE_X" "$CODE_Y" && e2e_keys ctrl+a ctrl+c
    e2e_poll eval '! e2e_clipboard_is marker'
}
e2e_clipboard_is() { E2E_TEXT=$(timeout 2 xclip -o -selection clipboard) && [ "$E2E_TEXT" = "$1" ]; }

# e2e_expect_pixel <what> <x> <y> <r,g,b>: the colour must show there in time.
e2e_expect_pixel() { e2e_poll e2e_pixel_is "$2" "$3" "$4"; e2e_expect "$1" "$E2E_SEEN" "$4"; }
e2e_pixel_is() {
    E2E_SEEN=$(import -window root -crop "1x1+$((E2E_X + $1))+$((E2E_Y + $2))" -depth 8 txt:- |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p') && [ "$E2E_SEEN" = "$3" ]
}

# e2e_wait_exit [pid]: E2E_STATUS is its exit status (128 + n for signal n).
e2e_wait_exit() {
    local pid=${1:-$E2E_PID}
    e2e_poll eval "! grep -qs 'State:.*[^Z] (' /proc/$pid/status" || e2e_abort "$pid still runs"
    wait "$pid"
    E2E_STATUS=$?
}
# e2e_stop <signal>: the copy started last must close normally on the signal.
e2e_stop() { kill "-$1" "$E2E_PID" && e2e_wait_exit && e2e_expect "exit status after SIG$1" "$E2E_STATUS" 0; }
