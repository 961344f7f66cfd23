# shellcheck shell=bash
# Helpers for driving the real tintaro executable on a private Xvfb display,
# the way a user would: mouse clicks, typed keys, copying a box's text to the
# clipboard and looking at the pixels on screen.
#
# Source this file from a test script, then:
#   e2e_init <test name> <path to tintaro>
#   e2e_start_xvfb
#   e2e_start_program [program folder]
#   ... e2e_click / e2e_type / e2e_key / e2e_read_box / e2e_wait_pixel ...
#   e2e_expect_eq / e2e_expect_box / e2e_step
#   e2e_finish
#
# All coordinates given to the helpers are pixels relative to the top-left
# corner of the main window's client area. Everything started here (Xvfb, the
# program, clipboard helpers) is stopped when the script exits, and a
# watchdog stops Xvfb should the script itself be killed.

set -uo pipefail

E2E_TIMEOUT=${E2E_TIMEOUT:-10}     # seconds a condition may take to come true
E2E_START_TIMEOUT=${E2E_START_TIMEOUT:-30}
E2E_POLL=0.1

E2E_NAME=
E2E_EXE=
E2E_ROOT=
E2E_ARTIFACTS=
E2E_XVFB_PID=
E2E_WATCHDOG_PID=
E2E_APP_PID=
E2E_APP_DIR=
E2E_APP_LOG=
E2E_WIN=
E2E_OX=
E2E_OY=
E2E_FAILURES=0
E2E_STEP=
E2E_HELPER_PIDS=()
E2E_TEXT=

e2e_log() { printf '%s\n' "$*"; }

# Saves a screenshot of the whole screen next to the test's working
# directory and prints what is known about the program, then exits.
e2e_abort() {
    e2e_log "FAIL: $*"
    e2e_save_failure_evidence
    exit 1
}

e2e_save_failure_evidence() {
    if [ -n "${DISPLAY:-}" ] && e2e_alive "$E2E_XVFB_PID"; then
        local shot=$E2E_ARTIFACTS/$E2E_NAME-failure.png
        if import -silent -window root "$shot" 2>/dev/null; then
            e2e_log "screenshot of the screen at the failure: $shot"
        fi
    fi
    if [ -n "$E2E_APP_LOG" ] && [ -s "$E2E_APP_LOG" ]; then
        e2e_log "--- program output ---"
        cat "$E2E_APP_LOG"
        e2e_log "----------------------"
    fi
}

e2e_cleanup() {
    # Only processes this shell started and that are still its running jobs.
    local running pid
    running=" $(jobs -p | tr '\n' ' ') "
    for pid in "${E2E_HELPER_PIDS[@]}" $E2E_APP_PID $E2E_XVFB_PID $E2E_WATCHDOG_PID; do
        [[ $running == *" $pid "* ]] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ -n "$E2E_ROOT" ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_ROOT"
    fi
}

# e2e_init <test name> <tintaro executable>
e2e_init() {
    E2E_NAME=$1
    E2E_EXE=$2
    E2E_ARTIFACTS=$PWD

    local tool
    for tool in Xvfb xdpyinfo xdotool xwininfo xclip import convert timeout; do
        command -v "$tool" >/dev/null || e2e_abort "$tool not found (scripts/setup.sh installs it)"
    done
    [ -x "$E2E_EXE" ] || e2e_abort "no executable program at '$E2E_EXE'"

    E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/tintaro-e2e.XXXXXX") || e2e_abort "cannot make a temporary folder"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    # The program must talk to our own X server through xcb and meet no file,
    # bus or setting of a real desktop session.
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
          QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
          QT_FONT_DPI QT_DEVICE_PIXEL_RATIO QT_IM_MODULE XMODIFIERS
    mkdir -m 0700 "$E2E_ROOT/runtime" "$E2E_ROOT/config"
    export XDG_RUNTIME_DIR=$E2E_ROOT/runtime
    export XDG_CONFIG_HOME=$E2E_ROOT/config
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_ROOT/runtime/no-bus
    export NO_AT_BRIDGE=1
}

# Starts Xvfb on a display number it picks itself among the free ones and
# waits until it answers.
e2e_start_xvfb() {
    local numfile=$E2E_ROOT/display xvfb_log=$E2E_ROOT/xvfb.log
    : >"$numfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$numfile" </dev/null >"$xvfb_log" 2>&1 &
    E2E_XVFB_PID=$!

    # Should this script be killed outright (a CTest timeout), no trap would
    # stop Xvfb; the watchdog does, the program and the clipboard helpers end
    # with their display, and the temporary folder goes too.
    local me=$$ xvfb=$E2E_XVFB_PID root=$E2E_ROOT keep=${E2E_KEEP:-}
    (
        trap - EXIT INT TERM
        while kill -0 "$me" 2>/dev/null; do sleep 1; done
        kill "$xvfb" 2>/dev/null
        [ -n "$keep" ] || rm -rf "$root"
    ) </dev/null >/dev/null 2>&1 &
    E2E_WATCHDOG_PID=$!

    local deadline=$((SECONDS + E2E_START_TIMEOUT)) num=
    while :; do
        num=$(head -n1 "$numfile" 2>/dev/null)
        if [[ $num =~ ^[0-9]+$ ]] && xdpyinfo -display ":$num" >/dev/null 2>&1; then
            break
        fi
        e2e_alive "$E2E_XVFB_PID" || { cat "$xvfb_log"; e2e_abort "Xvfb ended at start"; }
        [ $SECONDS -lt $deadline ] || { cat "$xvfb_log"; e2e_abort "Xvfb did not answer within ${E2E_START_TIMEOUT}s"; }
        sleep "$E2E_POLL"
    done
    export DISPLAY=:$num
    e2e_log "Xvfb running on display $DISPLAY"
}

# e2e_start_program [program folder]
# Copies the executable into the folder (a fresh one when none is given), so
# that the memory file beside it belongs to this test alone, starts it and
# waits for its main window. Sets E2E_APP_PID, E2E_APP_DIR, E2E_WIN and the
# client-area origin E2E_OX, E2E_OY (screen pixels).
# shellcheck disable=SC2120  # the folder is optional
e2e_start_program() {
    E2E_APP_DIR=${1:-}
    if [ -z "$E2E_APP_DIR" ]; then
        E2E_APP_DIR=$(mktemp -d "$E2E_ROOT/program.XXXXXX") || e2e_abort "cannot make a program folder"
    fi
    mkdir -p "$E2E_APP_DIR"
    cp "$E2E_EXE" "$E2E_APP_DIR/tintaro" || e2e_abort "cannot copy the program into $E2E_APP_DIR"
    E2E_APP_LOG=$E2E_ROOT/program.log

    (cd "$E2E_APP_DIR" && exec ./tintaro) </dev/null >>"$E2E_APP_LOG" 2>&1 &
    E2E_APP_PID=$!

    E2E_WIN=$(timeout "$E2E_START_TIMEOUT" \
        xdotool search --sync --all --onlyvisible --pid "$E2E_APP_PID" --name '^Tintaro$' 2>/dev/null | head -n1)
    if [ -z "$E2E_WIN" ]; then
        e2e_program_running || e2e_abort "the program ended at start"
        e2e_abort "no visible window named 'Tintaro' within ${E2E_START_TIMEOUT}s"
    fi
    e2e_window_origin
    e2e_log "program window $E2E_WIN, client area at $E2E_OX,$E2E_OY size ${E2E_WIN_W}x$E2E_WIN_H"

    # Without a window manager nobody hands out the keyboard focus; give it to
    # the window ourselves so typed keys reach it (E2E_FOCUS=0 leaves the
    # window inactive, without a blinking caret, for screenshots).
    [ "${E2E_FOCUS:-1}" = 0 ] && return 0
    timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$E2E_WIN" >/dev/null 2>&1 ||
        e2e_log "note: xdotool windowfocus did not confirm the focus; clicks will set it"
}

# Reads the client area's screen position and size from the X server.
# xwininfo's absolute corner is the client area even under a window manager.
e2e_window_origin() {
    local info
    info=$(xwininfo -id "$E2E_WIN") || e2e_abort "xwininfo failed for window $E2E_WIN"
    E2E_OX=$(awk -F: '/Absolute upper-left X/ { gsub(/ /, "", $2); print $2 }' <<<"$info")
    E2E_OY=$(awk -F: '/Absolute upper-left Y/ { gsub(/ /, "", $2); print $2 }' <<<"$info")
    E2E_WIN_W=$(awk -F: '/^ *Width/ { gsub(/ /, "", $2); print $2 }' <<<"$info")
    E2E_WIN_H=$(awk -F: '/^ *Height/ { gsub(/ /, "", $2); print $2 }' <<<"$info")
    [[ $E2E_OX =~ ^-?[0-9]+$ && $E2E_OY =~ ^-?[0-9]+$ ]] || e2e_abort "cannot read the window's position"
}

# e2e_alive <pid> — true while the process runs; one that ended but has not
# been waited for yet (a zombie) counts as ended.
e2e_alive() {
    local state
    [ -n "$1" ] || return 1
    state=$(awk '/^State:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}

e2e_program_running() { e2e_alive "$E2E_APP_PID"; }

e2e_require_program() {
    e2e_program_running || e2e_abort "the program is no longer running"
}

# e2e_stop_program — ends the program with SIGTERM, waits until it has gone
# and returns its exit status.
e2e_stop_program() {
    local deadline=$((SECONDS + E2E_TIMEOUT)) status
    kill -TERM "$E2E_APP_PID" 2>/dev/null
    while e2e_program_running; do
        [ $SECONDS -lt $deadline ] || e2e_abort "the program did not end within ${E2E_TIMEOUT}s of SIGTERM"
        sleep "$E2E_POLL"
    done
    wait "$E2E_APP_PID"
    status=$?
    E2E_APP_PID=
    return $status
}

# e2e_click <x> <y> — left click at client coordinates.
e2e_click() {
    e2e_require_program
    xdotool mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))" click 1 ||
        e2e_abort "xdotool could not click at $1,$2"
}

# e2e_type <text> — types the text with the keyboard.
e2e_type() {
    e2e_require_program
    xdotool type --delay 20 -- "$1" || e2e_abort "xdotool could not type '$1'"
}

# e2e_key <key>... — presses keys or chords such as alt+v, ctrl+c, Right.
e2e_key() {
    e2e_require_program
    xdotool key "$@" || e2e_abort "xdotool could not press $*"
}

e2e_clipboard() {
    timeout 2 xclip -o -selection clipboard 2>/dev/null
}

# Puts a marker text on the clipboard, owned by an xclip of our own, so that a
# later read can tell whether the program has copied anything since.
e2e_clipboard_mark() {
    local marker=$1
    printf '%s' "$marker" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
    E2E_HELPER_PIDS+=($!)
    local deadline=$((SECONDS + E2E_TIMEOUT))
    until [ "$(e2e_clipboard)" = "$marker" ]; do
        [ $SECONDS -lt $deadline ] || e2e_abort "cannot put a marker on the clipboard"
        sleep "$E2E_POLL"
    done
}

# e2e_read_box <x> <y> — reads the text of the box at these coordinates into
# E2E_TEXT, copied the way a user copies it: a click (which selects the whole
# text in this program), Ctrl+C, then the clipboard. Returns 1 when nothing
# reached the clipboard in time.
e2e_read_box() {
    local marker="<e2e marker $RANDOM$RANDOM>"
    e2e_clipboard_mark "$marker"
    e2e_click "$1" "$2"
    e2e_key ctrl+c
    local deadline=$((SECONDS + E2E_TIMEOUT))
    while :; do
        E2E_TEXT=$(e2e_clipboard)
        [ "$E2E_TEXT" != "$marker" ] && return 0
        if [ $SECONDS -ge $deadline ]; then
            E2E_TEXT="<nothing copied>"
            return 1
        fi
        sleep "$E2E_POLL"
    done
}

# e2e_pixel <x> <y> — prints the colour on screen at client coordinates as
# "r,g,b" (0 to 255 each).
e2e_pixel() {
    local line
    line=$(import -silent -window root -crop "1x1+$((E2E_OX + $1))+$((E2E_OY + $2))" -depth 8 txt:- 2>/dev/null |
        sed -n '2p')
    if [[ $line =~ \(([0-9]+),([0-9]+),([0-9]+) ]]; then
        printf '%s,%s,%s' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}"
    else
        printf '%s' "<unreadable>"
    fi
}

# --- checks -------------------------------------------------------------------
# A failed check is reported and counted; e2e_step ends the test after the
# step that had a failure, since later steps build on the state it left.

e2e_fail() {
    e2e_log "FAIL [$E2E_STEP]: $*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

# e2e_step <description> — closes the previous step and opens a new one.
e2e_step() {
    e2e_step_done
    E2E_STEP=$1
    e2e_log "--- $E2E_STEP"
}

e2e_step_done() {
    if [ "$E2E_FAILURES" -gt 0 ]; then
        e2e_save_failure_evidence
        e2e_log "$E2E_NAME: $E2E_FAILURES check(s) failed"
        exit 1
    fi
}

e2e_finish() {
    e2e_step_done
    e2e_log "$E2E_NAME: all checks passed"
}

# e2e_expect_eq <what> <actual> <expected>
e2e_expect_eq() {
    if [ "$2" = "$3" ]; then
        e2e_log "ok: $1 is '$3'"
    else
        e2e_fail "$1 is '$2', expected '$3'"
    fi
}

# e2e_expect_box <what> <x> <y> <expected text>
e2e_expect_box() {
    e2e_read_box "$2" "$3"
    e2e_expect_eq "$1" "$E2E_TEXT" "$4"
}

# e2e_wait_pixel <what> <x> <y> <r,g,b> — waits up to E2E_TIMEOUT seconds for
# the colour to appear there.
e2e_wait_pixel() {
    local deadline=$((SECONDS + E2E_TIMEOUT)) seen
    while :; do
        seen=$(e2e_pixel "$2" "$3")
        if [ "$seen" = "$4" ]; then
            e2e_log "ok: $1 is ($4)"
            return 0
        fi
        if [ $SECONDS -ge $deadline ]; then
            e2e_fail "$1 is ($seen), expected ($4)"
            return 1
        fi
        sleep "$E2E_POLL"
    done
}
