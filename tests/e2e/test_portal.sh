#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# tintaro --pick through the desktop portal (as on Wayland), against a
# stand-in portal on a private session bus whose only service is that
# stand-in: the machine's own portal is never started.
#
# usage: test_portal.sh <path to tintaro>
set -uo pipefail
exe=$1 here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd) failures=0
root=$(mktemp -d "${TMPDIR:-/tmp}/tintaro-portal.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT
mkdir -m 0700 "$root/portal" "$root/none" "$root/runtime"
printf '[D-BUS Service]\nName=org.freedesktop.portal.Desktop\nExec=/usr/bin/python3 %s\n' \
    "$here/fake_portal.py" >"$root/portal/org.freedesktop.portal.Desktop.service"

# expect <what> <service folder> <FAKE_PORTAL> <status> <output> <text in the errors>
expect() {
    cat >"$root/bus.conf" <<CONF
<busconfig><type>session</type><listen>unix:tmpdir=$root</listen>
<servicedir>$root/$2</servicedir><policy context="default"><allow send_destination="*"/>
<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>
CONF
    FAKE_PORTAL=$3 WAYLAND_DISPLAY=tintaro-test QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$root/runtime \
        timeout 30 dbus-run-session --config-file="$root/bus.conf" -- "$exe" --pick \
        >"$root/out" 2>"$root/err"
    local status=$? out err
    out=$(cat "$root/out") err=$(cat "$root/err")
    if [ "$status" = "$4" ] && [ "$out" = "$5" ] && [[ $err == *"$6"* ]]; then
        echo "ok: $1"
    else
        echo "FAIL: $1: status $status, output '$out', errors '$err'"
        failures=$((failures + 1))
    fi
}

expect "a colour, CSS order, 0.5 rounded to 80" portal ok 0 "#FF8000" ""
expect "cancelled by the user" portal cancel 1 "" ""
expect "no portal on the bus" none ok 2 "" "no permite tomar un color de la pantalla.
(org.freedesktop.DBus.Error.ServiceUnknown)"
expect "a portal without a Screenshot backend" portal nobackend 2 "" "pantalla.
(org.freedesktop.DBus.Error.Unknown"
expect "the portal's own failure (response 2)" portal fail 2 "" "pantalla.
(respuesta 2 del portal)"
expect "a channel above 1" portal range 2 "" "color no válido"
expect "a text for the colour" portal type 2 "" "color no válido"
exit $((failures > 0))
