#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Faults around the real program's memory file, each case in a program folder
# of its own: a file size limit, a read-only file or folder, a folder or an
# unreadable file in place of the memory file, huge files, SIGKILL at random
# moments around a save, signals while a modal window is open. The program
# must not crash (never end by a signal), show a message where the user has
# to know (standard error and exit status 1 when closed by a signal), and
# leave the old list byte for byte or the new one whole. A
# table of what happened is printed at the end.
#
# usage: test_faults.sh <path to tintaro>

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_init e2e_faults "$@"
NOT_SAVED="No se pudo guardar la lista de colores en"
NOT_READ="No se pudo leer la lista de colores guardada en"
KEPT_AS_IS="La lista de colores no se ha guardado: el archivo"

TABLE=()
# row <fault> <what the program did> <what was on disk after>
row() { TABLE+=("$(printf '%-46s | %-62s | %s' "$@")"); }

# Permission bits bind only a user who is not root: run by root, the cases
# that rely on them run the program as the user nobody, or are skipped.
RUN_AS=() UNPRIVILEGED=yes
if [ "$(id -u)" = 0 ]; then
    home=$E2E_ROOT/nobody
    mkdir -p "$home/runtime"
    chmod 0700 "$home/runtime"
    chmod 0711 "$E2E_ROOT"
    chown -R 65534:65534 "$home"
    RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups --
            env "HOME=$home" "XDG_RUNTIME_DIR=$home/runtime" "XDG_CONFIG_HOME=$home")
    "${RUN_AS[@]}" xdpyinfo >/dev/null 2>&1 || UNPRIVILEGED=
fi

# Two lists of 10,000 distinct codes in order, the new one with #FFFFFF (the
# start-up code, stored by "Guardar") added at its end.
old_list=$E2E_ROOT/old.slc new_list=$E2E_ROOT/new.slc
python3 - "$old_list" "$new_list" <<'PY'
import sys
codes = sorted({"#%06X" % (i * 7919 % 0xFFFFFF) for i in range(10000)})
assert len(codes) == 10000 and "#FFFFFF" not in codes
old = "".join(c + "\r\n" for c in codes).encode()
open(sys.argv[1], "wb").write(old)
open(sys.argv[2], "wb").write(old + b"#FFFFFF\r\n")
PY
old_sha=$(e2e_sha "$old_list") new_sha=$(e2e_sha "$new_list")

# folder <name> [list] — a fresh program folder, with the list as List.slc.
folder() {
    dir=$E2E_ROOT/$1
    mkdir -p "$dir"
    [ -z "${2:-}" ] || cp "$2" "$dir/List.slc"
}

# Files beside the program and its memory file: temporary files left, cores.
leftovers() { find "$1" -mindepth 1 -maxdepth 1 ! -name tintaro ! -name List.slc -printf '%f '; }

# store_current — "Guardar" with the code shown; once the code box's text has
# reached the clipboard the program has handled that click too.
store_current() {
    e2e_click "$SAVE_X" "$SAVE_Y"
    e2e_read_box "$CODE_X" "$CODE_Y" || e2e_fail "nothing copied from the code box"
}

# close_by_signal <expected first line> — SIGTERM: no message waits, the text
# (kept in MESSAGE) goes to standard error, the copy ends with status 1.
close_by_signal() {
    local pid=$E2E_APP_PID size
    size=$(stat -c %s "$E2E_APP_LOG")
    kill -TERM "$pid"
    e2e_wait_exit "$pid" || e2e_abort "the program still runs after SIGTERM: $(e2e_windows "$pid")"
    e2e_expect_eq "exit status" "$E2E_STATUS" 1
    MESSAGE=$(tail -c +$((size + 1)) "$E2E_APP_LOG" | sed -n '/^Tintaro: /,$ { s/^Tintaro: //; p; }')
    e2e_expect_eq "first line on standard error" "${MESSAGE%%$'\n'*}" "$1"
}

# start_after_message <command...> — launches the copy (folder $dir), which
# shows a read message first and the main window once it is closed.
start_after_message() {
    e2e_launch "$dir" "$@"
    e2e_poll "$E2E_START_TIMEOUT" e2e_shown "$E2E_PID"
    e2e_expect_eq "main window before the message is closed" "$E2E_MAIN" ""
    e2e_message "$E2E_PID"
    START_MESSAGE=$E2E_TEXT
    e2e_expect_eq "first line of the message at start" "${START_MESSAGE%%$'\n'*}" "$NOT_READ"
    e2e_poll "$E2E_TIMEOUT" e2e_shown "$E2E_PID"
    [ -n "$E2E_MAIN" ] || e2e_abort "no main window after the message"
    e2e_use "$E2E_PID" "$E2E_MAIN"
}

# reason_of <message> — the system's reason: the second paragraph's first line.
reason_of() { awk 'BEGIN { RS = ""; FS = "\n" } NR == 2 { print $1 }' <<<"$1"; }

# save_refused <fault> <command...> — the copy in $dir stores a colour: the
# failed save is told at once; SIGTERM then ends it without a message; the
# old list is left byte for byte and nothing beside it.
save_refused() {
    local fault=$1
    shift
    e2e_start "$dir" "$@"
    e2e_click "$SAVE_X" "$SAVE_Y"
    e2e_message "$E2E_APP_PID"
    e2e_expect_eq "first line of the message after Guardar" "${E2E_TEXT%%$'\n'*}" "$NOT_SAVED"
    close_by_signal "$NOT_SAVED"
    chmod u+w "$dir"    # a read-only folder could not be removed at the end
    e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
    e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
    row "$fault" "message after Guardar; at SIGTERM on stderr: $(reason_of "$MESSAGE"); exit 1" "old list byte for byte; nothing left beside it"
}

e2e_step "file size limit while saving: a message, the old file intact"
folder limit "$old_list"
save_refused "file size limit (64 KiB, 90 KB list)" prlimit --fsize=65536 --
e2e_expect_eq "message names the file" "$(grep -c -F "$dir/List.slc" <<<"$MESSAGE")" 1

e2e_step "List.slc without write permission (0444): a message, the old file intact"
folder readonly-file "$old_list"
chmod 0444 "$dir/List.slc"
save_refused "List.slc read-only (0444, run as $(id -un))"
e2e_expect_eq "List.slc permissions" "$(stat -c %a "$dir/List.slc")" 444

e2e_step "program folder read-only (0555): a message, the old file intact"
if [ -n "$UNPRIVILEGED" ]; then
    folder readonly-folder "$old_list"
    cp "$E2E_EXE" "$dir/tintaro"
    [ -z "${RUN_AS[*]}" ] || chown -R 65534:65534 "$dir"
    chmod 0555 "$dir"
    save_refused "program folder read-only (0555, unprivileged)" "${RUN_AS[@]}"
else
    row "program folder read-only" "skipped: cannot run as an unprivileged user" "-"
fi

e2e_step "a folder in place of List.slc: a message at start, an empty list, the folder untouched"
folder folder-in-place
mkdir "$dir/List.slc"
printf '#123456\r\n' >"$dir/List.slc/inside"
before=$(find "$dir/List.slc" -printf '%p %y %s %T@\n' | sort)
start_after_message
e2e_expect_list_row 0 "$BUTTON_FACE"
store_current
close_by_signal "$KEPT_AS_IS"
e2e_expect_eq "List.slc folder and its content" "$(find "$dir/List.slc" -printf '%p %y %s %T@\n' | sort)" "$before"
e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
row "List.slc is a folder" "message at start ($(reason_of "$START_MESSAGE")), empty list; at SIGTERM on stderr; exit 1" \
    "folder and its content untouched"

e2e_step "an unreadable List.slc (0000): a message at start, the file untouched"
if [ -n "$UNPRIVILEGED" ]; then
    folder unreadable "$old_list"
    cp "$E2E_EXE" "$dir/tintaro"
    [ -z "${RUN_AS[*]}" ] || chown -R 65534:65534 "$dir"
    chmod 0000 "$dir/List.slc"
    start_after_message "${RUN_AS[@]}"
    store_current
    close_by_signal "$KEPT_AS_IS"
    e2e_expect_eq "List.slc permissions" "$(stat -c %a "$dir/List.slc")" 0
    e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
    row "List.slc unreadable (0000, unprivileged)" \
        "message at start ($(reason_of "$START_MESSAGE")); at SIGTERM on stderr; exit 1" "old list byte for byte, still 0000"
else
    row "List.slc unreadable (0000)" "skipped: cannot run as an unprivileged user" "-"
fi

e2e_step "50 MB of random bytes: read, and every entry written back byte for byte"
folder random
seed=$RANDOM
python3 - "$dir/List.slc" "$E2E_ROOT/random-expected" "$seed" <<'PY'
import random, re, sys
data = random.Random(int(sys.argv[3])).randbytes(50 * 1000 * 1000)
open(sys.argv[1], "wb").write(data)
# A line ends at CR LF, a lone CR or a lone LF; empty and "*" lines are no entries.
kept = [line for line in re.split(rb"\r\n|\r|\n", data) if line and not line.startswith(b"*")]
open(sys.argv[2], "wb").write(b"".join(line + b"\r\n" for line in kept))
PY
e2e_start "$dir"
e2e_stop TERM 30
cmp -s "$E2E_ROOT/random-expected" "$dir/List.slc" ||
    e2e_fail "List.slc (random seed $seed) differs from the expected entries: $(cmp "$E2E_ROOT/random-expected" "$dir/List.slc" 2>&1)"
row "50 MB of random bytes" "read without a message; closed normally, exit 0" "every entry written back byte for byte, CR LF"

e2e_step "one line of 10 MB without a line end: read, written back byte for byte"
folder long-line
# Ending in a non-ASCII letter and two bytes that are not UTF-8.
python3 -c 'import sys; open(sys.argv[1], "wb").write(b"#" + b"A" * 9999993 + "ñ".encode() + b"\xff\xfe z")' "$dir/List.slc"
{ cat "$dir/List.slc"; printf '\r\n'; } >"$E2E_ROOT/long-expected"
e2e_start "$dir"
e2e_stop TERM
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$(e2e_sha "$E2E_ROOT/long-expected")"
row "one line of 10 MB, no line end" "read without a message; closed normally, exit 0" "the line byte for byte + CR LF"

e2e_step "SIGKILL at a random moment after SIGTERM: List.slc is the old list or the new one, whole"
# term_then_kill <pid> [delay in microseconds] — SIGTERM, then SIGKILL after
# the delay; without one, prints how many ms the program took to end.
term_then_kill() {
    python3 - "$@" <<'PY'
import os, signal, sys, time
pid, start = int(sys.argv[1]), time.monotonic()
os.kill(pid, signal.SIGTERM)
if len(sys.argv) > 2:
    time.sleep(int(sys.argv[2]) / 1e6)
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    sys.exit()
def running():
    try:
        return open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False
while running() and time.monotonic() - start < 30:
    time.sleep(0.0005)
print(round((time.monotonic() - start) * 1000))
PY
}
# How long a close takes here sets the range of the delays: each round takes
# a random moment in its own tenth of that time, from before the save to the
# end of the process.
folder kill "$old_list"
e2e_start "$dir"
store_current
close_ms=$(term_then_kill "$E2E_APP_PID")
e2e_wait_exit "$E2E_APP_PID" || e2e_abort "the program did not end after SIGTERM"
e2e_expect_eq "List.slc after a close without SIGKILL" "$(e2e_sha "$dir/List.slc")" "$new_sha"
range=$((close_ms + 1)) olds=0 news=0 killed=0
for round in 1 2 3 4 5 6 7 8 9 10; do
    cp "$old_list" "$dir/List.slc"
    e2e_start "$dir"
    store_current
    term_then_kill "$E2E_APP_PID" $(((round - 1) * range * 100 + (RANDOM * 32768 + RANDOM) % (range * 100)))
    e2e_wait_exit "$E2E_APP_PID" || e2e_abort "SIGKILL did not end the program"
    case $E2E_STATUS in
    0) ;;
    137) killed=$((killed + 1)) ;;
    *) e2e_fail "round $round: exit status $E2E_STATUS, expected 0 or 137" ;;
    esac
    case $(e2e_sha "$dir/List.slc") in
    "$old_sha") olds=$((olds + 1)) ;;
    "$new_sha") news=$((news + 1)) ;;
    *) e2e_fail "round $round: List.slc is neither list: $(stat -c %s "$dir/List.slc") bytes" ;;
    esac
done
e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
row "SIGKILL 0-${range} ms after SIGTERM, 10 rounds" "$killed killed, $((10 - killed)) ended first; no stale lock at restart" \
    "old list $olds times, new list $news times, nothing else"

e2e_step "SIGTERM while the About window is open: both close, the list is saved"
folder about "$old_list"
e2e_start "$dir"
store_current
e2e_click "$ABOUT_X" "$ABOUT_Y"
e2e_poll "$E2E_TIMEOUT" e2e_dialog "$E2E_APP_PID" || e2e_abort "the About window did not open"
e2e_stop TERM
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$new_sha"
row "SIGTERM with the About window open" "closed the About window and the main window; exit 0" "new list, whole"

e2e_step "SIGTERM while the message 'Ya esta en la lista' is open: closed, the list is saved"
folder duplicate "$new_list"
e2e_start "$dir"
e2e_click "$SAVE_X" "$SAVE_Y"     # #FFFFFF is in the list already
e2e_read_message "$E2E_APP_PID"
e2e_expect_eq "message" "$E2E_TEXT" "Ya esta en la lista"
e2e_stop TERM
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$new_sha"
row "SIGTERM with a message box open" "closed the message and the main window; exit 0" "the list, whole"

e2e_step_done
printf '\nFault table\n%-46s | %-62s | %s\n%s\n' fault "what the program did" "on disk after" "$(printf '%.0s-' {1..150})"
printf '%s\n' "${TABLE[@]}"
e2e_finish
