#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the built program into a scratch prefix and checks the result the
# way a desktop would see it: the files in place, the launcher and the
# AppStream metadata valid and consistent, and the installed program starting.
#
# usage: test_install.sh <cmake> <build dir> <scratch dir> <application id> <version>
set -uo pipefail

cmake=$1 build=$2 work=$3 id=$4 version=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { command -v "$1" >/dev/null || { echo "FAIL: $1 not found (scripts/setup.sh installs it)"; exit 1; }; }
need desktop-file-validate
need appstreamcli
need timeout

rm -rf "$work"
mkdir -p "$work"
prefix=$work/root

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# --- files in place ---------------------------------------------------------
exe=$prefix/bin/tintaro
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -x "$exe" ] || fail "no executable program at bin/tintaro"
[ -f "$desktop" ] || fail "no launcher share/applications/$id.desktop"
[ -f "$metainfo" ] || fail "no metadata share/metainfo/$id.metainfo.xml"
[ -s "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    local b
    read -ra b < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))x$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))"
}
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "${size}x${size} icon is $(png_size "$png") pixels"
    fi
done

# --- launcher ---------------------------------------------------------------
if [ -f "$desktop" ]; then
    # Hints count too: the file has no reason to draw any.
    if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
        fail "desktop-file-validate: $out"
    fi
    key() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(key Icon)" = "$id" ] || fail "launcher Icon is '$(key Icon)', expected '$id'"
    [ "$(key Exec)" = "$exe" ] || fail "launcher Exec is '$(key Exec)', expected '$exe'"
fi

# --- AppStream metadata -----------------------------------------------------
if [ -f "$metainfo" ]; then
    # The whole tree, so that the metadata's launcher and icon are looked up
    # too. --strict turns warnings and infos into failures; pedantic notes
    # stay notes.
    if ! out=$(appstreamcli validate-tree --no-net --strict "$prefix" 2>&1); then
        fail "appstreamcli validate-tree: $out"
    fi
    grep -q "<id>$id</id>" "$metainfo" || fail "metadata id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "metadata does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "metadata has no release $version"
fi

# --- staged install: the launcher names the final place, not the stage -----
stage=$work/stage
final="/opt/Tintaro $version"
if DESTDIR=$stage "$cmake" --install "$build" --prefix "$final" >"$work/stage.log" 2>&1; then
    staged=$stage$final/share/applications/$id.desktop
    [ -x "$stage$final/bin/tintaro" ] || fail "staged install has no program"
    exec_line=$(sed -n 's/^Exec=//p' "$staged" 2>/dev/null)
    [ "$exec_line" = "\"$final/bin/tintaro\"" ] ||
        fail "staged launcher Exec is '$exec_line', expected '\"$final/bin/tintaro\"'"
    if ! out=$(desktop-file-validate "$staged" 2>&1) || [ -n "$out" ]; then
        fail "desktop-file-validate (staged): $out"
    fi
else
    cat "$work/stage.log"
    fail "cmake --install with DESTDIR"
fi

# --- the installed program starts and keeps running -------------------------
if [ -x "$exe" ]; then
    # A memory file beside the program, read at start-up.
    printf '* Colores de prueba\r\n#0000FF\r\n\r\n#FF8000\r\n' >"$prefix/bin/List.slc"
    # Own temporary and runtime folders keep this copy apart from any other
    # copy of the program that the user may be running.
    mkdir -p "$work/tmp" "$work/run"
    chmod 700 "$work/run"
    QT_QPA_PLATFORM=offscreen TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/run \
        timeout -k 2 5 "$exe" >"$work/run.log" 2>&1 &
    pid=$!
    sleep 1.5
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        wait "$pid"
        status=$?
        # 143: ended by our SIGTERM. 0: the program caught it and quit.
        if [ $status -ne 0 ] && [ $status -ne 143 ]; then
            cat "$work/run.log"
            fail "installed program ended with status $status on SIGTERM"
        fi
    else
        wait "$pid"
        status=$?
        cat "$work/run.log"
        fail "installed program ended within 1.5 s with status $status"
    fi
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed tree OK"
