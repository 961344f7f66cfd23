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

# --- several copies, message windows, closing --------------------------------
# For tests of the program's life as a process: copies started side by side,
# the message windows they show, the ways a copy is closed or ended.

E2E_LAUNCH_PID=
E2E_MAIN=
E2E_DIALOG=
E2E_STATUS=

# e2e_launch <program folder> [command...] — starts a copy of the program from
# the folder and returns at once, without waiting for a window. The
# executable is copied in only when the folder has none (the file of a copy
# that runs cannot be replaced). A command given after the folder runs the
# program, e.g. prlimit --fsize=4096 --, and must exec it so the process
# keeps its id. Sets E2E_LAUNCH_PID.
e2e_launch() {
    local dir=$1
    shift
    mkdir -p "$dir" || e2e_abort "cannot make the program folder $dir"
    if [ ! -x "$dir/tintaro" ]; then
        cp "$E2E_EXE" "$dir/tintaro" || e2e_abort "cannot copy the program into $dir"
    fi
    E2E_APP_LOG=$E2E_ROOT/program.log
    (cd "$dir" && exec "$@" ./tintaro) </dev/null >>"$E2E_APP_LOG" 2>&1 &
    E2E_LAUNCH_PID=$!
    E2E_HELPER_PIDS+=("$E2E_LAUNCH_PID")
}

# e2e_windows <pid> — the process's visible top-level windows, one a line, as
# "<window id> main" for its main window or "<window id> dialog" for a
# message or the About window.
e2e_windows() {
    local win types
    for win in $(xdotool search --all --onlyvisible --pid "$1" --name '.*' 2>/dev/null); do
        types=$(xprop -id "$win" _NET_WM_WINDOW_TYPE 2>/dev/null) || continue
        if [[ $types == *_NET_WM_WINDOW_TYPE_DIALOG* ]]; then
            echo "$win dialog"
        else
            echo "$win main"
        fi
    done
}

# e2e_wait_windows <pid> [seconds] — waits until the process shows a window;
# sets E2E_MAIN to its main window and E2E_DIALOG to a dialog window, each
# empty when there is none. Returns 1 when the process ended or showed
# nothing in time.
e2e_wait_windows() {
    local deadline=$((SECONDS + ${2:-$E2E_START_TIMEOUT})) list
    while :; do
        list=$(e2e_windows "$1")
        E2E_MAIN=$(awk '$2 == "main" { print $1; exit }' <<<"$list")
        E2E_DIALOG=$(awk '$2 == "dialog" { print $1; exit }' <<<"$list")
        [ -n "$list" ] && return 0
        e2e_alive "$1" || return 1
        [ $SECONDS -lt $deadline ] || return 1
        sleep "$E2E_POLL"
    done
}

# e2e_wait_dialog <pid> [seconds] — waits for a dialog window of the process;
# sets E2E_DIALOG (empty and returns 1 when none came in time).
e2e_wait_dialog() {
    local deadline=$((SECONDS + ${2:-$E2E_TIMEOUT}))
    while :; do
        E2E_DIALOG=$(e2e_windows "$1" | awk '$2 == "dialog" { print $1; exit }')
        [ -n "$E2E_DIALOG" ] && return 0
        e2e_alive "$1" || return 1
        [ $SECONDS -lt $deadline ] || return 1
        sleep "$E2E_POLL"
    done
}

# e2e_use_window <pid> <main window> — makes this copy the one the click, type
# and key helpers drive, and gives its main window the keyboard focus (not
# with E2E_FOCUS=0).
e2e_use_window() {
    E2E_APP_PID=$1
    E2E_WIN=$2
    e2e_window_origin
    [ "${E2E_FOCUS:-1}" = 0 ] && return 0
    timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$E2E_WIN" >/dev/null 2>&1 ||
        e2e_log "note: xdotool windowfocus did not confirm the focus"
}

# e2e_read_message <window> — copies a message window's text into E2E_TEXT: a
# click on the text (at the top of the window, far from its button), Ctrl+A,
# Ctrl+C. Returns 1 when nothing reached the clipboard in time.
e2e_read_message() {
    # shellcheck disable=SC2034  # xdotool's --shell output sets all of them
    local X Y WIDTH HEIGHT SCREEN WINDOW marker="<e2e marker $RANDOM$RANDOM>"
    eval "$(xdotool getwindowgeometry --shell "$1")"
    e2e_clipboard_mark "$marker"
    # Without a window manager a window mapped later covers it: raise it.
    xdotool windowraise "$1"
    timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$1" >/dev/null 2>&1
    xdotool mousemove "$((X + WIDTH / 2))" "$((Y + 17))" click 1 key ctrl+a ctrl+c ||
        e2e_abort "xdotool could not copy the text of window $1"
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

# e2e_dismiss <window> — presses Enter in the window (its default button) and
# waits until it is no longer shown. Returns 1 when it stays.
e2e_dismiss() {
    local deadline=$((SECONDS + E2E_TIMEOUT))
    timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$1" >/dev/null 2>&1
    xdotool key Return || e2e_abort "xdotool could not press Return"
    while xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep "$E2E_POLL"
    done
}

# e2e_send_close <window> — asks the window to close the way a window manager
# does when the user clicks its close box: a WM_DELETE_WINDOW message.
e2e_send_close() {
    python3 - "$1" <<'PY' || e2e_abort "cannot send WM_DELETE_WINDOW to window $1"
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                           ctypes.c_long, ctypes.POINTER(XEvent)]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1], 0)
event = XEvent()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x11.XSync(display, 0)
PY
}

# e2e_wait_exit <pid> [seconds] — waits for the process to end and sets
# E2E_STATUS to its exit status (128 + n when signal n ended it). Returns 1,
# with E2E_STATUS empty, when it still runs after the time.
e2e_wait_exit() {
    local deadline=$((SECONDS + ${2:-$E2E_TIMEOUT}))
    E2E_STATUS=
    while e2e_alive "$1"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep "$E2E_POLL"
    done
    wait "$1"
    # shellcheck disable=SC2034  # read by the tests
    E2E_STATUS=$?
    [ "$1" = "$E2E_APP_PID" ] && E2E_APP_PID=
    return 0
}

# e2e_sha <file> — the file's SHA-256, or "<missing>".
e2e_sha() {
    if [ -f "$1" ]; then
        sha256sum <"$1" | cut -d' ' -f1
    else
        echo "<missing>"
    fi
}

# e2e_start_main <program folder> [command...] — starts a copy (e2e_launch),
# waits for its main window and makes it the copy the helpers drive. Ends the
# test when the copy shows no main window, or a dialog window beside it.
e2e_start_main() {
    e2e_launch "$@"
    e2e_wait_windows "$E2E_LAUNCH_PID" || e2e_abort "the program showed no window (it ended or took too long)"
    [ -n "$E2E_DIALOG" ] && e2e_abort "the program showed a dialog window at start"
    [ -n "$E2E_MAIN" ] || e2e_abort "the program showed no main window"
    e2e_use_window "$E2E_LAUNCH_PID" "$E2E_MAIN"
}

# e2e_bytes <file> — the file's bytes, readably (for small files).
e2e_bytes() {
    od -An -c "$1" 2>&1 | tr -s ' \n' ' '
}

# e2e_expect_file <what> <file> <printf format of the expected bytes>
e2e_expect_file() {
    local expected=$E2E_ROOT/expected-bytes
    # shellcheck disable=SC2059  # the format describes the expected bytes
    printf "$3" >"$expected"
    if cmp -s "$expected" "$2"; then
        e2e_log "ok: $1 holds exactly:$(e2e_bytes "$expected")"
    else
        e2e_fail "$1 holds:$(e2e_bytes "$2"), expected:$(e2e_bytes "$expected")"
    fi
}
