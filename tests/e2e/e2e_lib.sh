# SPDX-License-Identifier: MIT
# shellcheck shell=bash disable=SC2034  # the tests read the variables set here
# Helpers for driving the real tintaro executable on a private Xvfb display the
# way a user would: clicks, typed keys, a box's text copied to the clipboard,
# the pixels on screen. Coordinates are pixels of the driven window's client
# area. Source this file, then:
#   e2e_init <test name> <path to tintaro>    (also starts Xvfb)
#   e2e_start <program folder> [command...]   (and drive it)
#   e2e_step <description> ... checks ... e2e_finish
# Everything started here ends when the script exits.

set -uo pipefail

E2E_TIMEOUT=${E2E_TIMEOUT:-10}           # seconds a condition may take to come true
E2E_START_TIMEOUT=${E2E_START_TIMEOUT:-30}
E2E_FAILURES=0 E2E_STEP='' E2E_PIDS=() E2E_XVFB_PID='' E2E_APP_PID='' E2E_ROOT='' E2E_APP_LOG=''

# The main window's controls at 1x (twips / 15, frame offsets added).
SAMPLE_X=76 SAMPLE_Y=56 CODE_X=48 CODE_Y=124
VALUE_X=272 RED_Y=193 GREEN_Y=233 BLUE_Y=273
LIST_X=190 ROW_Y=(31 44 57) LIST_SAMPLE_X=272 LIST_SAMPLE_Y=36
SAVE_X=272 SAVE_Y=68 LOAD_X=272 LOAD_Y=92 DELETE_X=272 DELETE_Y=124 ABOUT_X=252 ABOUT_Y=316
BUTTON_FACE=239,239,239    # the list sample before its first use

# A failure: a screenshot of the screen and the program's output, then the end.
e2e_abort() {
    echo "FAIL [$E2E_STEP]: $*"
    [ -n "${DISPLAY:-}" ] && import -silent -window root "$PWD/$E2E_NAME-failure.png" 2>/dev/null &&
        echo "screenshot of the screen: $PWD/$E2E_NAME-failure.png"
    [ -s "$E2E_APP_LOG" ] && { echo "--- program output ---"; cat "$E2E_APP_LOG"; }
    exit 1
}

e2e_cleanup() {
    # Only processes this shell started that are still its running jobs.
    local pid running
    running=" $(jobs -p | tr '\n' ' ') "
    for pid in "${E2E_PIDS[@]}" $E2E_XVFB_PID; do
        [[ $running == *" $pid "* ]] && kill "$pid" 2>/dev/null
    done
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_ROOT"
}

# e2e_poll <seconds> <command...> — runs the command every 0.1 s until it
# succeeds; returns 1 when it has not within the time.
e2e_poll() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# e2e_alive <pid> — true while the process runs (a zombie has ended).
e2e_alive() {
    local state
    state=$(awk '/^State:/ { print $2 }' "/proc/${1:-none}/status" 2>/dev/null)
    [ -n "$state" ] && [ "$state" != Z ]
}
e2e_dead() { ! e2e_alive "$1"; }

e2e_display_up() {
    DISPLAY=:$(head -n1 "$E2E_ROOT/display" 2>/dev/null)
    export DISPLAY
    [ "$DISPLAY" != : ] && xdpyinfo >/dev/null 2>&1
}

# e2e_init <test name> <tintaro executable> — a private temporary folder,
# environment and X server.
e2e_init() {
    E2E_NAME=$1 E2E_EXE=${2:-}
    local tool
    for tool in Xvfb xdpyinfo xdotool xwininfo xprop xclip import convert python3 timeout; do
        command -v "$tool" >/dev/null || e2e_abort "$tool not found (scripts/setup.sh installs it)"
    done
    [ -x "$E2E_EXE" ] || e2e_abort "usage: $0 <path to tintaro>"
    E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/tintaro-e2e.XXXXXX") || e2e_abort "cannot make a temporary folder"
    E2E_APP_LOG=$E2E_ROOT/program.log
    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    # Our own X server through xcb; no file, bus or setting of a desktop session.
    export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 XDG_RUNTIME_DIR=$E2E_ROOT/runtime \
        XDG_CONFIG_HOME=$E2E_ROOT/config DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_ROOT/runtime/no-bus
    unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
          QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
          QT_FONT_DPI QT_DEVICE_PIXEL_RATIO QT_IM_MODULE XMODIFIERS
    mkdir -m 0700 "$E2E_ROOT/runtime" "$E2E_ROOT/config"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$E2E_ROOT/display" </dev/null >"$E2E_ROOT/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_poll "$E2E_START_TIMEOUT" e2e_display_up || { cat "$E2E_ROOT/xvfb.log"; e2e_abort "Xvfb did not start"; }
}

# e2e_launch <program folder> [command...] — starts a copy from the folder
# (the executable copied in when it has none) and sets E2E_PID. A command
# runs the program (e.g. prlimit --fsize=4096 --) and must exec it.
e2e_launch() {
    local dir=$1
    shift
    mkdir -p "$dir"
    [ -x "$dir/tintaro" ] || cp "$E2E_EXE" "$dir/tintaro" || e2e_abort "cannot copy the program into $dir"
    (cd "$dir" && exec "$@" ./tintaro) </dev/null >>"$E2E_APP_LOG" 2>&1 &
    E2E_PID=$!
    E2E_PIDS+=("$E2E_PID")
}

# e2e_windows <pid> — its visible top-level windows, one a line, as
# "<id> main" or "<id> dialog" (a message or the About window).
e2e_windows() {
    local win
    for win in $(xdotool search --all --onlyvisible --pid "$1" --name '.*' 2>/dev/null); do
        case $(xprop -id "$win" _NET_WM_WINDOW_TYPE 2>/dev/null) in
        *_NET_WM_WINDOW_TYPE_DIALOG*) echo "$win dialog" ;;
        ?*) echo "$win main" ;;
        esac
    done
}

# e2e_shown <pid> — sets E2E_MAIN and E2E_DIALOG (each empty when there is
# none); true once the process shows a window or has ended.
e2e_shown() {
    local list
    list=$(e2e_windows "$1")
    E2E_MAIN=$(awk '$2 == "main" { print $1; exit }' <<<"$list")
    E2E_DIALOG=$(awk '$2 == "dialog" { print $1; exit }' <<<"$list")
    [ -n "$list" ] || e2e_dead "$1"
}
e2e_dialog() { e2e_shown "$1" && [ -n "$E2E_DIALOG" ]; }

# e2e_geometry <window> — "x y width height" of its client area on screen.
e2e_geometry() {
    xwininfo -id "$1" | awk -F: '/Absolute upper-left [XY]|^ *(Width|Height):/ { printf "%d ", $2 }'
}

e2e_focus() { timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$1" >/dev/null 2>&1; }

# e2e_use <pid> <main window> — the copy the helpers below drive. Without a
# window manager nobody hands out the focus: it gets it here (not with
# E2E_FOCUS=0, which leaves the window without a blinking caret).
e2e_use() {
    E2E_APP_PID=$1 E2E_WIN=$2
    read -r E2E_OX E2E_OY E2E_W E2E_H < <(e2e_geometry "$E2E_WIN")
    [ "${E2E_FOCUS:-1}" = 0 ] || e2e_focus "$E2E_WIN"
}

# e2e_start <program folder> [command...] — e2e_launch, then waits for the
# main window alone and drives it.
e2e_start() {
    e2e_launch "$@"
    e2e_poll "$E2E_START_TIMEOUT" e2e_shown "$E2E_PID"
    if [ -z "$E2E_MAIN" ] || [ -n "$E2E_DIALOG" ]; then
        e2e_abort "the program shows main window '$E2E_MAIN' and dialog '$E2E_DIALOG' at start"
    fi
    e2e_use "$E2E_PID" "$E2E_MAIN"
}

# e2e_wait_exit <pid> [seconds] — sets E2E_STATUS to its exit status (128 + n
# for signal n); returns 1 when it still runs after the time.
e2e_wait_exit() {
    e2e_poll "${2:-$E2E_TIMEOUT}" e2e_dead "$1" || return 1
    wait "$1"
    E2E_STATUS=$?
}

# e2e_stop <signal> [seconds] — the driven copy must end with status 0.
e2e_stop() {
    kill "-$1" "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" "${2:-$E2E_TIMEOUT}" ||
        e2e_abort "the program still runs after SIG$1; windows: $(e2e_windows "$E2E_APP_PID" | tr '\n' ' ')"
    e2e_expect_eq "exit status after SIG$1" "$E2E_STATUS" 0
}

e2e_xdo() {
    e2e_alive "$E2E_APP_PID" || e2e_abort "the program is no longer running"
    xdotool "$@" || e2e_abort "xdotool $* failed"
}
e2e_click() { e2e_xdo mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))" click 1; }
e2e_type() { e2e_xdo type --delay 20 -- "$1"; }
e2e_key() { e2e_xdo key "$@"; }

# e2e_apply_code <code> — typed into the code box (a click selects its text), Alt+V.
e2e_apply_code() {
    e2e_click "$CODE_X" "$CODE_Y"
    e2e_type "$1"
    e2e_key alt+v
}

e2e_clip_is() {
    E2E_TEXT=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
    [ "$E2E_TEXT" = "$1" ]
}
e2e_clip_not() { ! e2e_clip_is "$1"; }

# e2e_copy <command...> — the command should copy some text; E2E_TEXT is the
# clipboard once it has changed. A marker put there first by an xclip of our
# own tells. Returns 1 when nothing came.
e2e_copy() {
    local marker="<e2e marker $RANDOM$RANDOM>"
    printf '%s' "$marker" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
    E2E_PIDS+=("$!")
    e2e_poll "$E2E_TIMEOUT" e2e_clip_is "$marker" || e2e_abort "cannot put a marker on the clipboard"
    "$@"
    e2e_poll "$E2E_TIMEOUT" e2e_clip_not "$marker" || { E2E_TEXT="<nothing copied>"; return 1; }
}

# e2e_read_box <x> <y> — a click (which selects the whole text), Ctrl+C.
e2e_read_box() {
    e2e_copy e2e_xdo mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))" click 1 key ctrl+c
}

# e2e_read_message <pid> — waits for a message window of the process and
# copies its text into E2E_TEXT, its title into E2E_TITLE.
e2e_read_message() {
    E2E_TEXT="<no message>" E2E_TITLE=
    e2e_poll "$E2E_TIMEOUT" e2e_dialog "$1" || { e2e_fail "no message window"; return 1; }
    local x y w h
    read -r x y w h < <(e2e_geometry "$E2E_DIALOG")
    E2E_TITLE=$(xdotool getwindowname "$E2E_DIALOG")
    # Without a window manager a window mapped later covers it: raise it.
    xdotool windowraise "$E2E_DIALOG"
    e2e_focus "$E2E_DIALOG"
    # A click on the text, at the top far from the button; Ctrl+A, Ctrl+C.
    e2e_copy xdotool mousemove "$((x + w / 2))" "$((y + 17))" click 1 key ctrl+a ctrl+c ||
        e2e_fail "nothing copied from the message window"
}

e2e_hidden() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# e2e_message <pid> — e2e_read_message, then Enter must close the message.
e2e_message() {
    e2e_read_message "$1" || return 1
    e2e_focus "$E2E_DIALOG"
    xdotool key Return
    e2e_poll "$E2E_TIMEOUT" e2e_hidden "$E2E_DIALOG" || e2e_fail "Enter did not close the message window"
}

# e2e_send_close <window> — what a window manager sends when the user clicks
# the close box: a WM_DELETE_WINDOW message. The event is laid out as an
# array of longs, as Xlib's XClientMessageEvent is on 64-bit Linux.
e2e_send_close() {
    python3 - "$1" <<'PY' || e2e_abort "cannot send WM_DELETE_WINDOW to window $1"
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
d = x.XOpenDisplay(None) or sys.exit("cannot open the display")
win = int(sys.argv[1], 0)
# type ClientMessage, window, message_type, format, data[0], data[1] = CurrentTime
ev = (ctypes.c_ulong * 24)(33, 0, 0, 0, win, x.XInternAtom(d, b"WM_PROTOCOLS", 0), 32,
                           x.XInternAtom(d, b"WM_DELETE_WINDOW", 0), 0)
x.XSendEvent(d, win, 0, 0, ev) or sys.exit("XSendEvent failed")
x.XSync(d, 0)
PY
}

# e2e_rgb — the "r,g,b" of each pixel in ImageMagick's txt: output, one a line.
e2e_rgb() { sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1,\2,\3/p'; }

# e2e_pixel <x> <y> — the colour on screen at client coordinates.
e2e_pixel() {
    import -silent -window root -crop "1x1+$((E2E_OX + $1))+$((E2E_OY + $2))" -depth 8 txt:- 2>/dev/null | e2e_rgb
}

e2e_sha() { if [ -f "$1" ]; then sha256sum <"$1" | cut -d' ' -f1; else echo "<missing>"; fi; }

# --- checks -------------------------------------------------------------------
# A failed check is reported and counted; the test ends after the step that
# had one, since later steps build on the state it left.

e2e_fail() {
    echo "FAIL [$E2E_STEP]: $*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

e2e_step_done() { [ "$E2E_FAILURES" -eq 0 ] || e2e_abort "$E2E_NAME: $E2E_FAILURES check(s) failed"; }
e2e_step() {
    e2e_step_done
    E2E_STEP=$1
    echo "--- $E2E_STEP"
}
e2e_finish() {
    e2e_step_done
    echo "$E2E_NAME: all checks passed"
}

# e2e_expect_eq <what> <actual> <expected>
e2e_expect_eq() {
    if [ "$2" = "$3" ]; then echo "ok: $1 is '$3'"; else e2e_fail "$1 is '$2', expected '$3'"; fi
}

# e2e_expect_box <what> <x> <y> <expected text>
e2e_expect_box() {
    e2e_read_box "$2" "$3"
    e2e_expect_eq "$1" "$E2E_TEXT" "$4"
}

e2e_pixel_is() {
    E2E_SEEN=$(e2e_pixel "$1" "$2")
    [ "$E2E_SEEN" = "$3" ]
}

# e2e_wait_pixel <what> <x> <y> <r,g,b> — the colour must appear there in time.
e2e_wait_pixel() {
    if e2e_poll "$E2E_TIMEOUT" e2e_pixel_is "$2" "$3" "$4"; then
        echo "ok: $1 is ($4)"
    else
        e2e_fail "$1 is ($E2E_SEEN), expected ($4)"
    fi
}

# e2e_expect_colour <r> <g> <b> <code> — the sample shows the colour, the value
# boxes hold the channels and the code box the code. The sample comes first:
# Alt+V presses its button with a short animation, so the colour comes a
# moment later, and no click may meet that chain still to come.
e2e_expect_colour() {
    e2e_wait_pixel "sample" "$SAMPLE_X" "$SAMPLE_Y" "$1,$2,$3"
    e2e_expect_box "red value box" "$VALUE_X" "$RED_Y" "$1"
    e2e_expect_box "green value box" "$VALUE_X" "$GREEN_Y" "$2"
    e2e_expect_box "blue value box" "$VALUE_X" "$BLUE_Y" "$3"
    e2e_expect_box "code box" "$CODE_X" "$CODE_Y" "$4"
}

# e2e_expect_list_row <row> <r,g,b> — a click on the list's row; its sample
# shows the colour.
e2e_expect_list_row() {
    e2e_click "$LIST_X" "${ROW_Y[$1]}"
    e2e_wait_pixel "list sample of row $1" "$LIST_SAMPLE_X" "$LIST_SAMPLE_Y" "$2"
}

# e2e_expect_file <what> <file> <printf format of the expected bytes>
e2e_expect_file() {
    # shellcheck disable=SC2059  # the format describes the expected bytes
    printf "$3" >"$E2E_ROOT/expected"
    if cmp -s "$E2E_ROOT/expected" "$2"; then
        echo "ok: $1 holds exactly $3"
    else
        e2e_fail "$1 holds:$(od -An -c "$2" 2>&1 | tr -s ' \n' ' '), expected $3"
    fi
}
