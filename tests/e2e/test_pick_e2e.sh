#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Taking a colour from the screen on X11, in the open window (Ctrl+T) and
# with tintaro --pick, on two monitors side by side whose background repeats
# an 8 x 8 tile: #123456 at each multiple of 8, #ABCDEF everywhere else, so a
# pick one pixel off shows.
#
# usage: test_pick_e2e.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_pick "$@"
command -v xsetroot >/dev/null && command -v xrandr >/dev/null ||
    e2e_abort "xsetroot or xrandr not found (scripts/setup.sh installs x11-xserver-utils)"
xrandr --setmonitor left 512/135x768/203+0+0 screen >/dev/null &&
    xrandr --setmonitor right 512/135x768/203+512+0 none >/dev/null || e2e_abort "cannot make two monitors"
printf '#define t_width 8\n#define t_height 8\nstatic unsigned char t_bits[] = {\n%s};\n' \
    "0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00" >"$E2E_ROOT/tile.xbm"
xsetroot -bitmap "$E2E_ROOT/tile.xbm" -fg '#123456' -bg '#ABCDEF' || e2e_abort "xsetroot failed"
e2e_start "$E2E_ROOT/program"

picking() { xdotool search --onlyvisible --name '^Tintaro: tomar color$' >/dev/null 2>&1; }
not_picking() { ! picking; }
# pick <xdotool command...> — Ctrl+T, the command once the pick mode covers the screens.
pick() {
    e2e_key ctrl+t
    e2e_poll "$E2E_TIMEOUT" picking || e2e_fail "Ctrl+T shows no pick mode"
    xdotool "$@"
    e2e_poll "$E2E_TIMEOUT" not_picking || e2e_fail "the pick mode stays after xdotool $*"
}

e2e_step "Ctrl+T and a click on the screen: the editor takes that pixel's colour"
pick mousemove 8 8 click 1
e2e_expect_colour 18 52 86 "#563412"

e2e_step "Esc, or a right click, leaves the pick mode without changing anything"
pick mousemove 16 16 key Escape
pick mousemove 16 16 click 3
e2e_expect_colour 18 52 86 "#563412"

e2e_step "Ctrl+Shift+C copies the colour for style sheets, red first"
e2e_copy e2e_key ctrl+shift+c
e2e_expect_eq "clipboard" "$E2E_TEXT" "#123456"

e2e_step "tintaro --pick at twice the scale, on the second monitor, beside the open window"
for case in "520 400 click 1:0:#123456" "521 400 click 1:0:#ABCDEF" "520 400 key Escape:1:"; do
    IFS=: read -r action status output <<<"$case"
    (cd "$E2E_ROOT/program" && QT_SCALE_FACTOR=2 exec ./tintaro --pick) >"$E2E_ROOT/out" 2>&1 &
    pid=$!
    e2e_poll "$E2E_TIMEOUT" picking || e2e_fail "--pick shows no pick mode"
    # shellcheck disable=SC2086  # the action is words for xdotool
    xdotool mousemove $action
    e2e_wait_exit "$pid" || e2e_abort "--pick still runs after $action"
    e2e_expect_eq "--pick, $action: status and output" "$E2E_STATUS $(cat "$E2E_ROOT/out")" \
        "$status $output"
    e2e_poll "$E2E_TIMEOUT" not_picking || e2e_fail "the pick mode stays after $action"
done
e2e_expect_eq "memory file beside --pick" "$(ls "$E2E_ROOT/program")" tintaro
e2e_stop TERM
e2e_finish
