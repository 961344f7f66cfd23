#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as its users meet it: unpacked into a scratch root, its
# /usr/bin/tintaro run on a private Xvfb by unprivileged users, each keeping
# its memory list in its own data folder, two of them at the same time; a
# portable copy keeping the list beside itself; and the program as a native
# Wayland client of a headless weston.
#
# usage: test_package.sh <folder holding tintaro.deb> <scratch folder>
[ "$(id -u)" -eq 0 ] || { echo "SKIP: only the superuser can run the program as other users"; exit 77; }
work=$2 exe=$2/root/usr/bin/tintaro a=$2/a b=$2/b p=$2/portable
rm -rf "$work" && mkdir -p "$work" && chmod 755 "$work" && dpkg-deb -x "$1/tintaro.deb" "$work/root" || exit 1
source "$(dirname "$0")/../e2e/e2e_lib.sh"
e2e_init package "$exe"

# as <uid> <home> <command...> — runs in the background as that user, with
# that home and a runtime folder of its own; output to $LOG. Sets E2E_PID.
as() {
    local uid=$1 home=$2
    mkdir -p -m 0700 "$home/run" && chown -R "$uid:$uid" "$home" && shift 2
    (exec setpriv --reuid="$uid" --regid="$uid" --clear-groups env -u XDG_CONFIG_HOME HOME="$home" \
        XDG_RUNTIME_DIR="$home/run" "$@" </dev/null >>"${LOG:-$E2E_APP_LOG}" 2>&1) &
    E2E_PID=$! E2E_PIDS+=("$!")
}
# start ... — as, then its main window (not a message) is the one driven.
start() {
    as "$@" && e2e_poll "$E2E_START_TIMEOUT" e2e_shown "$E2E_PID" && [ -n "$E2E_MAIN" ] || e2e_abort "no main window"
    e2e_use "$E2E_PID" "$E2E_MAIN"
}
# store <code> — typed into the code box, applied, stored; the list's first row shows <r,g,b>.
store() { e2e_apply_code "$1" && e2e_key alt+g && e2e_expect_list_row 0 "$2"; }

e2e_step "first run of the installed program: the list goes to ~/.local/share/Tintaro"
start 65534 "$a" "$exe"
store "#0080FF" 255,128,0
e2e_stop TERM
e2e_expect_file "first user's list" "$a/.local/share/Tintaro/List.slc" '#0080FF\r\n'

e2e_step "the list is back after a restart; a second user runs meanwhile with its own list"
start 65534 "$a" "$exe"
e2e_expect_list_row 0 255,128,0
first=$E2E_PID
start 65533 "$b" env XDG_DATA_HOME="$b/data" "$exe"
store "#FF0000" 0,0,255
e2e_send_close "$E2E_MAIN" && e2e_wait_exit "$E2E_PID" || e2e_abort "still running after the close"
e2e_expect_eq "exit status after the close" "$E2E_STATUS" 0
E2E_APP_PID=$first && e2e_stop TERM
e2e_expect_file "second user's list" "$b/data/Tintaro/List.slc" '#FF0000\r\n'
e2e_expect_file "first user's list" "$a/.local/share/Tintaro/List.slc" '#0080FF\r\n'

# It reads the list beside it and writes it back there.
e2e_step "a portable copy keeps using the list beside it"
mkdir "$p" && cp "$exe" "$p" && printf '#00FF00\r\n' >"$p/List.slc" && chown -R 65534:65534 "$p"
start 65534 "$a" "$p/tintaro"
store "#0000FF" 255,0,0
e2e_stop TERM
e2e_expect_file "portable list" "$p/List.slc" '#0000FF\r\n#00FF00\r\n'

e2e_step "a native Wayland client: its window titled Tintaro, the list saved on SIGTERM"
LOG=$work/weston.log as 65534 "$work/c" weston --backend=headless-backend.so --socket=wl --idle-time=0
e2e_poll 20 test -S "$work/c/run/wl" || e2e_abort "weston did not start: $(cat "$work/weston.log")"
LOG=$work/wayland.log as 65534 "$work/c" env WAYLAND_DISPLAY=wl QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$exe"
e2e_poll 20 grep -q 'xdg_toplevel@[0-9]*\.set_title("Tintaro")' "$work/wayland.log" || e2e_abort "no window titled Tintaro"
E2E_APP_PID=$E2E_PID && e2e_stop TERM
e2e_expect_file "Wayland user's list" "$work/c/.local/share/Tintaro/List.slc" ''
# Every line is a protocol message: Qt warned about nothing (e.g. the centring).
e2e_expect_eq "program's own messages" "$(grep -v '^\[' "$work/wayland.log")" ''
e2e_finish
