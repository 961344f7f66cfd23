#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Taking a colour from the screen. On X11: in the open window (Ctrl+T) and
# with tintaro --pick, on two monitors side by side whose background repeats
# an 8 x 8 tile, #123456 at each multiple of 8 and #ABCDEF everywhere else,
# so that a pick one pixel off shows. Through the desktop portal (as on
# Wayland): tintaro --pick against a stand-in portal on a private session bus
# whose only service is that stand-in, so the machine's own portal never starts.
#
# usage: test_pick_e2e.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_pick "$@"
xrandr --setmonitor left 512/135x768/203+0+0 screen >/dev/null &&
    xrandr --setmonitor right 512/135x768/203+512+0 none >/dev/null ||
    e2e_abort "cannot make two monitors (xrandr, from x11-xserver-utils)"
printf '#define t_width 8\n#define t_height 8\nstatic unsigned char t_bits[] = {\n0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};\n' >"$E2E_ROOT/tile.xbm"
xsetroot -bitmap "$E2E_ROOT/tile.xbm" -fg '#123456' -bg '#ABCDEF' || e2e_abort "xsetroot failed"
e2e_start "$E2E_ROOT/program"

picking() { xdotool search --onlyvisible --name '^Tintaro: tomar color$' >/dev/null 2>&1; }

e2e_step "Ctrl+T, then a click on the screen, then Ctrl+T and Esc"
for action in "click 1" "key Escape"; do
    e2e_key ctrl+t
    e2e_poll "$E2E_TIMEOUT" picking || e2e_fail "Ctrl+T shows no pick mode"
    # shellcheck disable=SC2086  # the action is words for xdotool
    xdotool mousemove 8 8 $action
    e2e_expect_colour 18 52 86 "#563412"
done

e2e_step "tintaro --pick at twice the scale, on the second monitor, beside the open window"
for case in "520 400 click 1:0 #123456" "521 400 click 1:0 #ABCDEF" "520 400 click 3:1 "; do
    IFS=: read -r action expected <<<"$case"
    (cd "$E2E_ROOT/program" && QT_SCALE_FACTOR=2 exec ./tintaro --pick) >"$E2E_ROOT/out" 2>&1 & pid=$!
    e2e_poll "$E2E_TIMEOUT" picking || e2e_fail "--pick shows no pick mode"
    # shellcheck disable=SC2086
    xdotool mousemove $action
    e2e_wait_exit "$pid" || e2e_abort "--pick still runs after $action"
    e2e_expect_eq "--pick, $action: status, output" "$E2E_STATUS $(cat "$E2E_ROOT/out")" "$expected"
done
# SIGTERM closes the window while it picks, and the program ends (status 0, list saved).
e2e_key ctrl+t
e2e_poll "$E2E_TIMEOUT" picking || e2e_fail "Ctrl+T shows no pick mode"
e2e_stop TERM

e2e_step "tintaro --pick through the portal: a colour, a cancel, no picking, bad answers"
mkdir "$E2E_ROOT/portal" "$E2E_ROOT/none"
printf '[D-BUS Service]\nName=org.freedesktop.portal.Desktop\nExec=/usr/bin/python3 %s\n' \
    "$(dirname "$(realpath "$0")")/fake_portal.py" >"$E2E_ROOT/portal/org.freedesktop.portal.Desktop.service"
bad="tintaro: El escritorio ha contestado con un color no válido: no se ha tomado ninguno."
for case in "portal ok 0 #FF8000" "portal cancel 1 " "none ok 2 (org.freedesktop.DBus.Error.ServiceUnknown)" \
    "portal nobackend 2 (org.freedesktop.DBus.Error.UnknownMethod)" "portal fail 2 (respuesta 2 del portal)" \
    "portal range 2 $bad" "portal nan 2 $bad" "portal type 2 $bad"; do
    read -r folder mode expected <<<"$case"
    printf '<busconfig><type>session</type><listen>unix:tmpdir=%s</listen><servicedir>%s</servicedir><policy context="default"><allow send_destination="*"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>' \
        "$E2E_ROOT" "$E2E_ROOT/$folder" >"$E2E_ROOT/bus.conf"
    FAKE_PORTAL=$mode WAYLAND_DISPLAY=tintaro-test QT_QPA_PLATFORM=offscreen timeout 30 \
        dbus-run-session --config-file="$E2E_ROOT/bus.conf" -- "$E2E_EXE" --pick >"$E2E_ROOT/out" 2>&1
    # shellcheck disable=SC2046,SC2005  # echo joins the status and the last line
    e2e_expect_eq "$mode from $folder: status, last line" \
        "$(echo $? $(grep -v '^dbus-daemon' "$E2E_ROOT/out" | tail -n1))" "$expected"
done
e2e_finish
