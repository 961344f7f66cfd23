#!/usr/bin/env bash
# Fault injection on the real tintaro executable under Xvfb, each case in a
# program folder of its own: a file size limit while saving, a read-only
# memory file, a read-only program folder, a folder or an unreadable file in
# place of the memory file, huge and strange memory files, SIGKILL at random
# moments around a save, and signals that arrive while a modal window is open.
#
# For every case: the program does not crash (no exit by a signal of its own,
# no core file), it shows a message window where the user has to know (read,
# then dismissed with Enter), and the memory file afterwards is either the old
# list byte for byte or the new one whole. A table of what happened is printed
# at the end.
#
# usage: test_faults.sh <path to tintaro>

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

[ $# -eq 1 ] || { echo "usage: $0 <path to tintaro>"; exit 2; }

CODE_X=48 CODE_Y=124
LIST_X=190 ROW0_Y=31
PREVIEW_LIST_X=272 PREVIEW_LIST_Y=36
SAVE_X=272 SAVE_Y=68
ABOUT_X=252 ABOUT_Y=316
BUTTON_FACE=239,239,239
NOT_SAVED="No se pudo guardar la lista de colores en"
NOT_READ="No se pudo leer la lista de colores guardada en"
KEPT_AS_IS="La lista de colores no se ha guardado: el archivo"

TABLE=()
# row <fault> <what the program did> <what was on disk after>
row() { TABLE+=("$1|$2|$3"); }

print_table() {
    local line fault did disk
    e2e_log ""
    e2e_log "Fault table"
    printf '%-46s | %-62s | %s\n' "fault" "what the program did" "on disk after"
    printf '%s\n' "$(printf '%.0s-' {1..150})"
    for line in "${TABLE[@]}"; do
        IFS='|' read -r fault did disk <<<"$line"
        printf '%-46s | %-62s | %s\n' "$fault" "$did" "$disk"
    done
}

# A list of 10,000 distinct codes in sorted order, without #FFFFFF, so that
# "Guardar" with the start-up code adds #FFFFFF as the last entry.
make_big_list() {
    python3 - "$1" "$2" <<'PY'
import sys
codes = sorted({"#%06X" % (i * 7919 % 0xFFFFFF) for i in range(10000)})
assert len(codes) == 10000 and "#FFFFFF" not in codes
old = "".join(c + "\r\n" for c in codes).encode()
open(sys.argv[1], "wb").write(old)
open(sys.argv[2], "wb").write(old + b"#FFFFFF\r\n")
PY
}

# Files in the folder other than the program and its memory file: temporary
# files left behind, core files.
leftovers() {
    find "$1" -mindepth 1 -maxdepth 1 ! -name tintaro ! -name List.slc -printf '%f ' | sed 's/ $//'
}

# expect_no_crash <status> — the copy ended by itself with status 0, not by a
# signal such as SIGSEGV, SIGABRT or SIGXFSZ.
expect_no_crash() {
    e2e_expect_eq "exit status (128 + n would be signal n)" "$1" 0
}

# store_current — "Guardar" with the code that is shown, then a copy of the
# code box's text: once that has reached the clipboard the program has also
# handled the click before it.
store_current() {
    e2e_click "$SAVE_X" "$SAVE_Y"
    e2e_read_box "$CODE_X" "$CODE_Y" || e2e_fail "nothing copied from the code box"
}

# close_with_message <signal> <expected first line> — the signal closes the
# main window; a message window is expected, its text is kept in MESSAGE and
# it is dismissed with Enter; the copy then ends normally.
close_with_message() {
    local pid=$E2E_APP_PID
    kill "-$1" "$pid"
    if e2e_wait_dialog "$pid"; then
        e2e_read_message "$E2E_DIALOG"
        MESSAGE=$E2E_TEXT
        e2e_expect_eq "first line of the message" "${MESSAGE%%$'\n'*}" "$2"
        e2e_dismiss "$E2E_DIALOG" || e2e_fail "Enter did not close the message"
    else
        MESSAGE="<no message>"
        e2e_fail "no message window after SIG$1"
    fi
    e2e_wait_exit "$pid" || e2e_abort "the program still runs after its message"
    expect_no_crash "$E2E_STATUS"
}

# close_quietly <signal> [seconds] — the signal closes the main window, which
# ends the copy without any message.
close_quietly() {
    local pid=$E2E_APP_PID
    kill "-$1" "$pid"
    e2e_wait_exit "$pid" "${2:-$E2E_TIMEOUT}" || {
        e2e_wait_dialog "$pid" 0 && e2e_fail "a message window is open: $(xdotool getwindowname "$E2E_DIALOG")"
        e2e_abort "the program still runs after SIG$1"
    }
    expect_no_crash "$E2E_STATUS"
}

# reason_of <message> — the line that gives the system's reason (the third
# paragraph's first line in the save and read messages).
reason_of() {
    awk 'BEGIN { RS = ""; FS = "\n" } NR == 2 { print $1 }' <<<"$1"
}

e2e_init e2e_faults "$1"
e2e_start_xvfb
for tool in python3 prlimit sha256sum; do
    command -v "$tool" >/dev/null || e2e_abort "$tool not found"
done

# Permission bits bind only a user who is not root. Run by root, the cases
# that rely on them run the program as the user nobody; when that is not
# possible they are skipped with a note.
RUN_AS=()
UNPRIVILEGED=yes
if [ "$(id -u)" = 0 ]; then
    nobody_home=$E2E_ROOT/nobody
    mkdir -p "$nobody_home/runtime" "$nobody_home/config"
    chmod 0700 "$nobody_home/runtime"
    chmod 0711 "$E2E_ROOT"
    chown -R 65534:65534 "$nobody_home"
    RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups --
            env "HOME=$nobody_home" "XDG_RUNTIME_DIR=$nobody_home/runtime"
            "XDG_CONFIG_HOME=$nobody_home/config")
    if ! "${RUN_AS[@]}" xdpyinfo >/dev/null 2>&1; then
        UNPRIVILEGED=
        e2e_log "note: cannot run programs as the user nobody here"
    fi
fi
# prepare_unprivileged <folder> — the folder and what is in it belong to the
# user the program runs as.
prepare_unprivileged() {
    [ "$(id -u)" = 0 ] && chown -R 65534:65534 "$1"
}

big_old=$E2E_ROOT/big-old.slc big_new=$E2E_ROOT/big-new.slc
make_big_list "$big_old" "$big_new"
old_sha=$(e2e_sha "$big_old") new_sha=$(e2e_sha "$big_new")

e2e_step "file size limit while saving: a message, the old file intact, no temporary file left"
dir=$E2E_ROOT/limit
mkdir -p "$dir"
cp "$big_old" "$dir/List.slc"
# The 90,000-byte list is read whole; the new one does not fit in 64 KiB.
e2e_start_main "$dir" prlimit --fsize=65536 --
store_current
close_with_message TERM "$NOT_SAVED"
e2e_expect_eq "message names the file" "$(grep -c -F "$dir/List.slc" <<<"$MESSAGE")" 1
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
row "file size limit (64 KiB, 90 KB list)" "message at close: $(reason_of "$MESSAGE"); exit 0" \
    "old list byte for byte; no temporary file"

e2e_step "List.slc without write permission (0444): a message, the old file intact"
dir=$E2E_ROOT/readonly-file
mkdir -p "$dir"
cp "$big_old" "$dir/List.slc"
chmod 0444 "$dir/List.slc"
e2e_start_main "$dir"
store_current
close_with_message TERM "$NOT_SAVED"
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
e2e_expect_eq "List.slc permissions" "$(stat -c %a "$dir/List.slc")" 444
e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
row "List.slc read-only (0444, run as $(id -un))" "message at close: $(reason_of "$MESSAGE"); exit 0" \
    "old list byte for byte, still 0444"

e2e_step "program folder read-only: a message, the old file intact"
if [ -n "$UNPRIVILEGED" ]; then
    dir=$E2E_ROOT/readonly-folder
    mkdir -p "$dir"
    cp "$E2E_EXE" "$dir/tintaro"
    cp "$big_old" "$dir/List.slc"
    prepare_unprivileged "$dir"
    chmod 0555 "$dir"
    e2e_start_main "$dir" "${RUN_AS[@]}"
    store_current
    close_with_message TERM "$NOT_SAVED"
    chmod 0755 "$dir"
    e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
    e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
    row "program folder read-only (0555, unprivileged)" "message at close: $(reason_of "$MESSAGE"); exit 0" \
        "old list byte for byte"
else
    e2e_log "note: skipped, permission bits cannot be tested here"
    row "program folder read-only" "skipped: no unprivileged user" "-"
fi

e2e_step "a folder in place of List.slc: message at start, empty list, message at close, folder untouched"
dir=$E2E_ROOT/folder-in-place
mkdir -p "$dir/List.slc"
printf '#123456\r\n' >"$dir/List.slc/inside"
before=$(find "$dir/List.slc" -printf '%p %y %s %T@\n' | sort)
e2e_launch "$dir"
pid=$E2E_LAUNCH_PID
e2e_wait_windows "$pid" || e2e_abort "the program showed no window"
e2e_expect_eq "main window before the message is dismissed" "$E2E_MAIN" ""
[ -n "$E2E_DIALOG" ] || e2e_abort "no message at start"
e2e_read_message "$E2E_DIALOG"
start_message=$E2E_TEXT
e2e_expect_eq "first line of the message at start" "${start_message%%$'\n'*}" "$NOT_READ"
e2e_dismiss "$E2E_DIALOG" || e2e_fail "Enter did not close the message"
e2e_wait_windows "$pid" || e2e_abort "no main window after the message"
e2e_use_window "$pid" "$E2E_MAIN"
e2e_click "$LIST_X" "$ROW0_Y"
e2e_wait_pixel "list sample after a click on the first row (empty list)" "$PREVIEW_LIST_X" "$PREVIEW_LIST_Y" "$BUTTON_FACE"
store_current
close_with_message TERM "$KEPT_AS_IS"
e2e_expect_eq "List.slc folder and its content" "$(find "$dir/List.slc" -printf '%p %y %s %T@\n' | sort)" "$before"
e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
row "List.slc is a folder" "message at start ($(reason_of "$start_message")), empty list; message at close; exit 0" \
    "folder and its content untouched"

e2e_step "an unreadable List.slc (0000): message at start, message at close, file untouched"
if [ -n "$UNPRIVILEGED" ]; then
    dir=$E2E_ROOT/unreadable
    mkdir -p "$dir"
    cp "$E2E_EXE" "$dir/tintaro"
    cp "$big_old" "$dir/List.slc"
    prepare_unprivileged "$dir"
    chmod 0000 "$dir/List.slc"
    e2e_launch "$dir" "${RUN_AS[@]}"
    pid=$E2E_LAUNCH_PID
    e2e_wait_windows "$pid" || e2e_abort "the program showed no window"
    e2e_expect_eq "main window before the message is dismissed" "$E2E_MAIN" ""
    [ -n "$E2E_DIALOG" ] || e2e_abort "no message at start"
    e2e_read_message "$E2E_DIALOG"
    start_message=$E2E_TEXT
    e2e_expect_eq "first line of the message at start" "${start_message%%$'\n'*}" "$NOT_READ"
    e2e_dismiss "$E2E_DIALOG" || e2e_fail "Enter did not close the message"
    e2e_wait_windows "$pid" || e2e_abort "no main window after the message"
    e2e_use_window "$pid" "$E2E_MAIN"
    store_current
    close_with_message TERM "$KEPT_AS_IS"
    e2e_expect_eq "List.slc permissions" "$(stat -c %a "$dir/List.slc")" 0
    e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$old_sha"
    e2e_expect_eq "files left beside it" "$(leftovers "$dir")" ""
    row "List.slc unreadable (0000, unprivileged)" \
        "message at start ($(reason_of "$start_message")); message at close; exit 0" \
        "old list byte for byte, still 0000"
else
    e2e_log "note: skipped, permission bits cannot be tested here"
    row "List.slc unreadable (0000)" "skipped: no unprivileged user" "-"
fi

e2e_step "50 MB of random bytes: read, and every entry written back byte for byte"
dir=$E2E_ROOT/random
mkdir -p "$dir"
seed=$RANDOM
e2e_log "random seed $seed"
python3 - "$dir/List.slc" "$E2E_ROOT/random-expected" "$seed" <<'PY'
import random, re, sys
data = random.Random(int(sys.argv[3])).randbytes(50 * 1000 * 1000)
open(sys.argv[1], "wb").write(data)
# A line ends at CR LF, a lone CR or a lone LF; empty and "*" lines are no entries.
lines = re.split(rb"\r\n|\r|\n", data)
kept = [line for line in lines if line and not line.startswith(b"*")]
open(sys.argv[2], "wb").write(b"".join(line + b"\r\n" for line in kept))
print(f"{len(kept)} entries expected")
PY
E2E_START_TIMEOUT=60 e2e_start_main "$dir"
close_quietly TERM 120
if cmp -s "$E2E_ROOT/random-expected" "$dir/List.slc"; then
    e2e_log "ok: List.slc holds every entry of the random file, byte for byte, with CR LF"
else
    e2e_fail "List.slc differs from the expected entries: $(cmp "$E2E_ROOT/random-expected" "$dir/List.slc" 2>&1)"
fi
row "50 MB of random bytes" "read without a message; closed normally, exit 0" \
    "every entry written back byte for byte, CR LF"

e2e_step "one line of 10 MB: read, written back byte for byte"
dir=$E2E_ROOT/long-line
mkdir -p "$dir"
# Mostly one letter (each paint of the list lays the whole entry out, which
# takes seconds with varied text), ending in a non-ASCII letter and two bytes
# that are not UTF-8, without a line end.
python3 - "$dir/List.slc" <<'PY'
import sys
line = b"#" + b"A" * (10 * 1000 * 1000 - 7) + "ñ".encode() + b"\xff\xfe z"
open(sys.argv[1], "wb").write(line)
PY
cp "$dir/List.slc" "$E2E_ROOT/long-expected"
printf '\r\n' >>"$E2E_ROOT/long-expected"
E2E_START_TIMEOUT=60 E2E_FOCUS=0 e2e_start_main "$dir"
close_quietly TERM 120
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$(e2e_sha "$E2E_ROOT/long-expected")"
row "one line of 10 MB, no line end" "read without a message; closed normally, exit 0" \
    "the line byte for byte + CR LF"

e2e_step "SIGKILL at a random moment after SIGTERM: List.slc is the old list or the new one, whole"
# term_then_kill <pid> <delay in microseconds or -> — SIGTERM, then SIGKILL
# after the delay (none for -); prints how many ms after SIGTERM the program
# was gone, or "killed" when SIGKILL found it still running.
term_then_kill() {
    python3 - "$1" "$2" <<'PY'
import os, signal, sys, time
pid, delay = int(sys.argv[1]), sys.argv[2]

def gone():
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True

start = time.monotonic()
os.kill(pid, signal.SIGTERM)
if delay != "-":
    time.sleep(int(delay) / 1e6)
    if not gone():
        os.kill(pid, signal.SIGKILL)
        print("killed")
        sys.exit()
while not gone():
    if time.monotonic() - start > 30:
        print("still running")
        sys.exit()
    time.sleep(0.0005)
print(f"{(time.monotonic() - start) * 1000:.0f}")
PY
}
dir=$E2E_ROOT/kill
mkdir -p "$dir"
# How long a close takes here, SIGTERM to the end, sets the range of the
# delays: each round takes a random moment in its own tenth of that time, so
# the rounds reach from before the save to the end of the process.
cp "$big_old" "$dir/List.slc"
e2e_start_main "$dir"
store_current
close_ms=$(term_then_kill "$E2E_APP_PID" -)
[[ $close_ms =~ ^[0-9]+$ ]] || e2e_abort "the program did not end after SIGTERM: $close_ms"
e2e_wait_exit "$E2E_APP_PID" || e2e_abort "the program did not end"
e2e_expect_eq "List.slc after a close without SIGKILL" "$(e2e_sha "$dir/List.slc")" "$new_sha"
range=$((close_ms + 1))
e2e_log "a close takes ${close_ms} ms: SIGKILL 0 to $range ms after SIGTERM"
olds=0 news=0 killed=0
for round in 1 2 3 4 5 6 7 8 9 10; do
    cp "$big_old" "$dir/List.slc"
    e2e_start_main "$dir"
    store_current
    pid=$E2E_APP_PID
    delay=$(((round - 1) * range * 100 + (RANDOM * 32768 + RANDOM) % (range * 100)))
    outcome=$(term_then_kill "$pid" "$delay")
    e2e_wait_exit "$pid" || e2e_abort "SIGKILL did not end the program"
    case $E2E_STATUS in
    0) if [ "$outcome" = killed ]; then
           ended="ended by itself as SIGKILL came"
       else
           ended="ended by itself after $outcome ms"
       fi ;;
    137) ended="killed" killed=$((killed + 1)) ;;
    *) ended="status $E2E_STATUS"; e2e_fail "round $round: exit status $E2E_STATUS, expected 0 or 137" ;;
    esac
    case $(e2e_sha "$dir/List.slc") in
    "$old_sha") found=old olds=$((olds + 1)) ;;
    "$new_sha") found=new news=$((news + 1)) ;;
    *) found="neither"; e2e_fail "round $round: List.slc is neither list: $(stat -c %s "$dir/List.slc") bytes" ;;
    esac
    e2e_log "round $round: SIGKILL due $((delay / 1000)).$(printf %03d $((delay % 1000))) ms after SIGTERM, program $ended, List.slc is the $found list"
done
stray=$(leftovers "$dir")
row "SIGKILL 0-${range} ms after SIGTERM, 10 rounds" "$killed killed, $((10 - killed)) ended first; no stale lock at restart" \
    "old list $olds times, new list $news times, nothing else${stray:+; left: $stray}"

e2e_step "SIGTERM while the About window is open: both close, the list is saved"
dir=$E2E_ROOT/about
mkdir -p "$dir"
cp "$big_old" "$dir/List.slc"
e2e_start_main "$dir"
store_current
e2e_click "$ABOUT_X" "$ABOUT_Y"
e2e_wait_dialog "$E2E_APP_PID" || e2e_abort "the About window did not open"
close_quietly TERM
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$new_sha"
row "SIGTERM with the About window open" "closed the About window and the main window; exit 0" \
    "new list, whole"

e2e_step "SIGTERM while the message 'Ya esta en la lista' is open: closed, the list is saved"
dir=$E2E_ROOT/duplicate
mkdir -p "$dir"
cp "$big_new" "$dir/List.slc"
e2e_start_main "$dir"
e2e_click "$SAVE_X" "$SAVE_Y"     # #FFFFFF is in the list already
e2e_wait_dialog "$E2E_APP_PID" || e2e_abort "no message for a code already in the list"
e2e_read_message "$E2E_DIALOG"
e2e_expect_eq "message" "$E2E_TEXT" "Ya esta en la lista"
close_quietly TERM
e2e_expect_eq "List.slc" "$(e2e_sha "$dir/List.slc")" "$new_sha"
row "SIGTERM with a message box open" "closed the message and the main window; exit 0" \
    "the list, whole"

e2e_step_done
print_table
e2e_finish
