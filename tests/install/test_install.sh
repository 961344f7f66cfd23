#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the program ships: an install into a scratch prefix as a desktop sees
# it (launcher, metadata, icons, the installed program starting and keeping
# its list beside itself), and the Windows version block made from the
# project version.
#
# usage: test_install.sh <cmake> <build dir> <scratch dir> <application id> <version> <tintaro.rc>
set -uo pipefail
cmake=$1 build=$2 work=$3 id=$4 version=$5 rc=$6 failures=0
fail() { echo "FAIL: $*" && ((++failures)); }
prefix=$work/root desktop=share/applications/$id.desktop
rm -rf "$work" && mkdir -p -m 700 "$work/run"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

out=$(desktop-file-validate "$prefix/$desktop" 2>&1) && [ -z "$out" ] || fail "$out"
out=$(appstreamcli validate-tree --no-net --strict --pedantic "$prefix" 2>&1) && ! grep -q '^  P:' <<<"$out" || fail "$out"
grep -qx "Exec=$prefix/bin/tintaro" "$prefix/$desktop" && grep -qx "Icon=$id" "$prefix/$desktop" || fail "launcher"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "no release $version"
[ "$(identify -format '%w ' "$prefix"/share/icons/hicolor/*/apps/"$id".png)" = "128 16 24 256 32 48 64 " ] || fail "icons"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
# The manual page describes every option --help lists.
for option in $("$prefix/bin/tintaro" --help | grep -oE -- '--[a-z]+' | sort -u); do
    zcat "$prefix/share/man/man1/tintaro.1.gz" | grep -qF -- "\\-\\-${option#--}" || fail "manual page: no $option"
done

# The Windows version block: 1.0.1 reads 1.00.0001.
IFS=. read -r major minor patch <<<"$version"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$patch")
lines=("(FILE|PRODUCT)VERSION +$major,$minor,$patch,0" " +VALUE \"(File|Product)Version\", +\"$text\""
       ' +VALUE "ProductName", +"Tintaro"' '#pragma code_page\(65001\)')
[ "$(grep -cxE "$(IFS='|' && echo "${lines[*]}")" "$rc")" = 6 ] || fail "$rc"

printf '* Colores\r\n#0000FF\n' >"$prefix/bin/List.slc"
# Once it holds the lock beside its list (and a moment later, its signal handlers), SIGTERM closes it.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/run timeout -k 2 30 "$prefix/bin/tintaro" &
timeout 20 sh -c "until ls '$prefix/bin/.List.slc.lock'; do sleep 0.1; done" >/dev/null 2>&1; sleep 0.5; kill -TERM $!
wait $! && [ "$(od -c "$prefix/bin/List.slc")" = "$(printf '#0000FF\r\n' | od -c)" ] || fail "the installed program"
[ $failures = 0 ] && echo "installed tree OK"
