#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up, peak memory and close of Tintaro against a bare Qt Widgets window
# of the same size and kinds of controls (tintaro_floor), on a private Xvfb.
#
#   bench/startup.sh [--runs N] [--warmup N] [--build DIR] [--entries N]
#                    [--settle MS] [--extra "COMMAND" "WINDOW NAME"]...
#
# Rows measured, interleaved run by run (each run starts at the next row):
#   floor           tintaro_floor
#   tintaro-empty   Tintaro in a fresh program folder without "List.slc"
#   tintaro-N       Tintaro in a fresh program folder holding a "List.slc" of
#                   N random codes (default 100000)
#   extra-K         each --extra command (started directly when it is plain
#                   words, else through "sh -c 'exec ...'"); the window name is
#                   a regular expression matched against the whole name
# For each start, tintaro_mapwait times exec to the first MapNotify of the
# named window, reads VmHWM from /proc just before the close, sends SIGTERM
# and times the program's end. Tintaro is copied into a new temporary folder
# for every start, since it keeps "List.slc" beside itself; after the close
# the script counts the entries of the "List.slc" left there ("saved").
#
# Options:
#   --runs N        measured starts per row (default 20)
#   --warmup N      unmeasured starts per row first (default 1)
#   --build DIR     build tree holding app/tintaro, bench/floor/tintaro_floor
#                   and bench/tintaro_mapwait (default: build)
#   --tintaro PATH, --floor PATH, --mapwait PATH   override one of those
#   --entries N     entries of the large list (default 100000)
#   --settle MS     time between the map and the memory reading (default 200)
#   --keep          keep the temporary folder (logs, program folders)
#
# Prints the median, minimum and maximum of each row and the comparisons with
# the floor. Timings are reported, never judged: the exit status is 0 unless
# a program could not be measured at all.
set -euo pipefail

RUNS=20
WARMUP=1
BUILD=build
TINTARO=
FLOOR=
MAPWAIT=
ENTRIES=100000
SETTLE=200
KEEP=
EXTRA_CMDS=()
EXTRA_NAMES=()

usage() {
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
    exit 1
}

while [ $# -gt 0 ]; do
    case $1 in
    --runs) RUNS=$2; shift 2 ;;
    --warmup) WARMUP=$2; shift 2 ;;
    --build) BUILD=$2; shift 2 ;;
    --tintaro) TINTARO=$2; shift 2 ;;
    --floor) FLOOR=$2; shift 2 ;;
    --mapwait) MAPWAIT=$2; shift 2 ;;
    --entries) ENTRIES=$2; shift 2 ;;
    --settle) SETTLE=$2; shift 2 ;;
    --keep) KEEP=1; shift ;;
    --extra)
        [ $# -ge 3 ] || usage
        EXTRA_CMDS+=("$2")
        EXTRA_NAMES+=("$3")
        shift 3
        ;;
    -h | --help) usage ;;
    *) echo "startup.sh: unknown option $1" >&2; usage ;;
    esac
done

TINTARO=${TINTARO:-$BUILD/app/tintaro}
FLOOR=${FLOOR:-$BUILD/bench/floor/tintaro_floor}
MAPWAIT=${MAPWAIT:-$BUILD/bench/tintaro_mapwait}
for exe in "$TINTARO" "$FLOOR" "$MAPWAIT"; do
    [ -x "$exe" ] || { echo "startup.sh: $exe is missing; build first" >&2; exit 1; }
done
TINTARO=$(realpath "$TINTARO")
FLOOR=$(realpath "$FLOOR")
MAPWAIT=$(realpath "$MAPWAIT")
command -v Xvfb >/dev/null || { echo "startup.sh: Xvfb is not installed" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tintaro-startup.XXXXXX")
XVFB_PID=
cleanup() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -z "$KEEP" ]; then
        rm -rf "$WORK"
    else
        echo "kept $WORK"
    fi
}
trap cleanup EXIT

# A private X server on a display number it picks among the free ones.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 200); do
    grep -q '^[0-9]' "$WORK/display" 2>/dev/null && break
    kill -0 "$XVFB_PID" 2>/dev/null || { cat "$WORK/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
grep -q '^[0-9]' "$WORK/display" || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$WORK/display")"
export DISPLAY
# The programs run on the X server, whatever the calling environment says.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$WORK/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The large memory file: ENTRIES distinct random codes in the list's order,
# each line ended by CR LF, as Tintaro writes it.
BIG_LIST=$WORK/List-$ENTRIES.slc
awk -v n="$ENTRIES" 'BEGIN {
        srand(42)
        while (count < n) {
            code = sprintf("#%06X", int(rand() * 16777216))
            if (!(code in seen)) { seen[code] = 1; print code; count++ }
        }
    }' | LC_ALL=C sort | sed 's/$/\r/' >"$BIG_LIST"

ROWS=(floor tintaro-empty "tintaro-$ENTRIES")
for k in "${!EXTRA_CMDS[@]}"; do
    ROWS+=("extra-$((k + 1))")
done

RESULTS=$WORK/results.tsv
: >"$RESULTS"
START_NO=0

# Entries of a memory file (non-empty lines not starting with "*").
count_entries() {
    tr -d '\r' <"$1" | grep -c -v -e '^$' -e '^\*' || true
}

# Inode and modification time of a file, or "none".
file_stamp() {
    stat -c '%i %y' "$1" 2>/dev/null || echo none
}

# measure ROW RECORD: one start of ROW; RECORD=1 appends it to the results.
measure() {
    local row=$1 record=$2 name size=323x337 dir='' expected='' log out
    local -a cmd
    START_NO=$((START_NO + 1))
    log=$WORK/start-$START_NO-$row.log
    case $row in
    floor)
        cmd=("$FLOOR")
        name='tintaro_floor'
        ;;
    tintaro-*)
        dir=$WORK/program-$START_NO
        mkdir "$dir"
        cp "$TINTARO" "$dir/tintaro"
        if [ "$row" = tintaro-empty ]; then
            expected=0
        else
            cp "$BIG_LIST" "$dir/List.slc"
            expected=$ENTRIES
        fi
        cmd=("$dir/tintaro")
        name='Tintaro'
        ;;
    extra-*)
        local k=$((${row#extra-} - 1))
        if [[ ${EXTRA_CMDS[$k]} =~ [\\\'\"\$\;\&\|\<\>\*\?\(\)\`=~] ]]; then
            cmd=(sh -c "exec ${EXTRA_CMDS[$k]}")
        else
            # Plain words: started directly, without a shell in between.
            read -ra cmd <<<"${EXTRA_CMDS[$k]}"
        fi
        name=${EXTRA_NAMES[$k]}
        size=
        ;;
    esac

    local before
    before=$(file_stamp "${dir:-$WORK}/List.slc")
    if ! out=$(cd "${dir:-$WORK}" &&
        "$MAPWAIT" --name "$name" --settle "$SETTLE" -- "${cmd[@]}" 2>"$log"); then
        echo "startup.sh: $row could not be measured:" >&2
        cat "$log" >&2
        exit 1
    fi

    local map cpumap hwm close cpuclose end width height saved=-
    field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<" $out"; }
    map=$(field map_ms)
    cpumap=$(field cpu_map_ms)
    hwm=$(field hwm_kib)
    close=$(field close_ms)
    cpuclose=$(field cpu_close_ms)
    end=$(field end)
    width=$(field width)
    height=$(field height)
    if [ -n "$size" ] && [ "${width}x${height}" != "$size" ]; then
        echo "startup.sh: $row mapped a ${width}x${height} window named '$name'," \
            "not its ${size} main window (a message box?)" >&2
    fi
    if [ -n "$expected" ]; then
        # Rewritten: a file now where there was none, or another file or time.
        if [ -f "$dir/List.slc" ] && [ "$(file_stamp "$dir/List.slc")" != "$before" ]; then
            saved=$(count_entries "$dir/List.slc")
            [ "$saved" = "$expected" ] && saved=yes || saved="wrong:$saved"
        else
            saved=no
        fi
    fi
    if [ "$record" = 1 ]; then
        printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$row" "$map" "$cpumap" "$hwm" "$close" \
            "$cpuclose" "$end" "$saved" >>"$RESULTS"
    fi
    [ -z "$dir" ] || [ -n "$KEEP" ] || rm -rf "$dir"
}

echo "display $DISPLAY; $WARMUP warm-up and $RUNS measured starts per row: ${ROWS[*]}"
for ((w = 0; w < WARMUP; w++)); do
    for row in "${ROWS[@]}"; do
        measure "$row" 0
    done
done
nrows=${#ROWS[@]}
for ((r = 0; r < RUNS; r++)); do
    for ((i = 0; i < nrows; i++)); do
        measure "${ROWS[$(((r + i) % nrows))]}" 1
    done
done

# stats ROW COLUMN: "median min max" of a column of the row's results.
stats() {
    awk -F'\t' -v row="$1" -v col="$2" '$1 == row && $col >= 0 { print $col }' "$RESULTS" |
        sort -g | awk '{ v[NR] = $1 }
            END {
                if (NR == 0) { print "- - -"; exit }
                m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                print m, v[1], v[NR]
            }'
}

# distinct values of a text column, with their counts: "exit:0 x20".
tally() {
    awk -F'\t' -v row="$1" -v col="$2" '$1 == row { n[$col]++ }
        END { s = ""; for (k in n) s = s (s ? "," : "") k "x" n[k]; print s }' "$RESULTS"
}

echo
echo "Qt $(qtpaths6 --qt-version 2>/dev/null || echo '?');" \
    "$(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) CPUs;" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg); $RUNS runs"
echo "Each cell: median (min-max). map: exec to the window mapped; cpu: processor time of"
echo "the program until then; close: SIGTERM to the program's end, wall and processor time."
printf '%-15s %-20s %-18s %-18s %-18s %-18s %-13s %s\n' row "map ms" "map cpu ms" "peak MiB" \
    "close ms" "close cpu ms" end saved
# Column numbers in the results file.
C_MAP=2 C_CPUMAP=3 C_HWM=4 C_CLOSE=5 C_CPUCLOSE=6 C_END=7 C_SAVED=8
declare -A MED
for row in "${ROWS[@]}"; do
    cells=()
    for col in $C_MAP $C_CPUMAP $C_HWM $C_CLOSE $C_CPUCLOSE; do
        read -r med min max < <(stats "$row" "$col")
        MED[$row,$col]=$med
        if [ "$med" = - ]; then
            cells+=(-)
        elif [ "$col" = "$C_HWM" ]; then
            cells+=("$(awk -v a="$med" -v b="$min" -v c="$max" \
                'BEGIN { printf "%.1f (%.1f-%.1f)", a / 1024, b / 1024, c / 1024 }')")
        else
            cells+=("$(awk -v a="$med" -v b="$min" -v c="$max" \
                'BEGIN { printf "%.1f (%.1f-%.1f)", a, b, c }')")
        fi
    done
    printf '%-15s %-20s %-18s %-18s %-18s %-18s %-13s %s\n' "$row" "${cells[@]}" \
        "$(tally "$row" $C_END)" "$(tally "$row" $C_SAVED)"
done

echo
big=tintaro-$ENTRIES
med() { echo "${MED[$1,$2]}"; }
awk -v fm="$(med floor $C_MAP)" -v em="$(med tintaro-empty $C_MAP)" -v bm="$(med "$big" $C_MAP)" \
    -v fcm="$(med floor $C_CPUMAP)" -v ecm="$(med tintaro-empty $C_CPUMAP)" \
    -v bcm="$(med "$big" $C_CPUMAP)" \
    -v fh="$(med floor $C_HWM)" -v eh="$(med tintaro-empty $C_HWM)" \
    -v bh="$(med "$big" $C_HWM)" \
    -v ec="$(med tintaro-empty $C_CLOSE)" -v bc="$(med "$big" $C_CLOSE)" \
    -v ecc="$(med tintaro-empty $C_CPUCLOSE)" -v bcc="$(med "$big" $C_CPUCLOSE)" \
    -v n="$ENTRIES" 'BEGIN {
        printf "start-up, empty list / floor:        %.2fx (cpu %.2fx)        target <= 1.10x\n",
            em / fm, ecm / fcm
        printf "peak memory, empty list - floor:     %+.1f MiB (%d entries: %+.1f MiB)  target <= +3 MiB\n",
            (eh - fh) / 1024, n, (bh - fh) / 1024
        printf "start-up, %d entries - empty:    %+.1f ms (cpu %+.1f ms)     target <= +60 ms\n",
            n, bm - em, bcm - ecm
        printf "close, %d entries - empty:       %+.1f ms (cpu %+.1f ms)     target <= +60 ms\n",
            n, bc - ec, bcc - ecc
    }'
for k in "${!EXTRA_CMDS[@]}"; do
    row=extra-$((k + 1))
    awk -v fm="$(med floor $C_MAP)" -v xm="$(med "$row" $C_MAP)" \
        -v fcm="$(med floor $C_CPUMAP)" -v xcm="$(med "$row" $C_CPUMAP)" \
        -v fh="$(med floor $C_HWM)" -v xh="$(med "$row" $C_HWM)" \
        -v what="${EXTRA_CMDS[$k]}" -v row="$row" 'BEGIN {
            printf "%s (%s) / floor: start-up %.2fx (cpu %.2fx), peak memory %+.1f MiB\n",
                row, what, xm / fm, xcm / fcm, (xh - fh) / 1024
        }'
done
if awk -F'\t' -v c=$C_END '$1 ~ /^tintaro-/ && $c != "exit:0" { bad = 1 } END { exit !bad }' \
    "$RESULTS"; then
    echo "note: Tintaro did not end normally on SIGTERM in some starts (see 'end'):" \
        "those close times are those of a killed process, not of a close that saves the list."
fi
if awk -F'\t' -v c=$C_SAVED '$1 ~ /^tintaro-/ && $c != "yes" { bad = 1 } END { exit !bad }' \
    "$RESULTS"; then
    echo "note: after some closes the program folder did not hold the list it had (see 'saved')."
fi
