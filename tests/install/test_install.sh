#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the program ships: an install into a scratch prefix as a desktop sees
# it (launcher, metadata, icons, the installed program starting and keeping
# its list beside itself), a staged install whose launcher names the final
# place, and the Windows version block made from the project version.
#
# usage: test_install.sh <cmake> <build dir> <scratch dir> <application id> <version> <tintaro.rc>
set -uo pipefail
cmake=$1 build=$2 work=$3 id=$4 version=$5 rc=$6 failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
prefix=$work/root stage=$work/stage final="/opt/Tintaro $version" desktop=share/applications/$id.desktop
rm -rf "$work" && mkdir -p "$work/run" && chmod 700 "$work/run"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null &&
    DESTDIR=$stage "$cmake" --install "$build" --prefix "$final" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for f in bin/tintaro "$desktop" "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -s "$prefix/$f" ] || fail "no $f"
done
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [ "$(identify -format %wx%h "$png" 2>&1)" = "${size}x$size" ] || fail "$png is not ${size}x$size"
done
out=$(desktop-file-validate "$prefix/$desktop" "$stage$final/$desktop" 2>&1) && [ -z "$out" ] || fail "$out"
out=$(appstreamcli validate-tree --no-net --strict "$prefix" 2>&1) || fail "$out"
grep -qx "Exec=$prefix/bin/tintaro" "$prefix/$desktop" || fail "launcher Exec"
grep -qx "Exec=\"$final/bin/tintaro\"" "$stage$final/$desktop" || fail "staged launcher Exec"
grep -qx "Icon=$id" "$prefix/$desktop" || fail "launcher Icon"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "no release $version"

IFS=. read -r major minor patch <<<"$version"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$patch")
for line in "FILEVERSION *$major,$minor,$patch,0" "PRODUCTVERSION *$major,$minor,$patch,0" \
    " *VALUE \"FileVersion\", *\"$text\"" " *VALUE \"ProductVersion\", *\"$text\"" \
    " *VALUE \"ProductName\", *\"Tintaro\"" "#pragma code_page(65001)"; do
    grep -qx "$line" "$rc" || fail "$rc has no line $line"
done
ico=$(sed -n 's/^IDI_ICON1 *ICON *"\(.*\)"$/\1/p' "$rc")
want="16x16:srgba 24x24:srgba 32x32:srgba 48x48:srgba 256x256:srgba "
[ "$(identify -format '%wx%h:%[channels] ' "$ico" 2>&1)" = "$want" ] ||
    fail "$ico holds $(identify "$ico" 2>&1)"

printf '* Colores\r\n#0000FF\n' >"$prefix/bin/List.slc"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/run timeout -k 2 10 "$prefix/bin/tintaro" &
sleep 1.5
kill -TERM $!
wait $!
status=$?
[ $status = 0 ] && cmp -s <(printf '#0000FF\r\n') "$prefix/bin/List.slc" ||
    fail "the installed program ended with status $status, its list holds $(od -c "$prefix/bin/List.slc")"
[ $failures = 0 ] && echo "installed tree OK"
