#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Windows resource script made from the project version: the
# version block's texts and numbers, and the icon file it names.
#
# usage: test_version_resource.sh <tintaro.rc> <major> <minor> <patch>
set -uo pipefail

rc=$1 major=$2 minor=$3 patch=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$rc" ] || { echo "FAIL: $rc was not generated"; exit 1; }

value() { sed -n "s/^ *VALUE \"$1\", *\"\(.*\)\"\r\?$/\1/p" "$rc"; }
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$patch")
for key in FileVersion ProductVersion; do
    [ "$(value $key)" = "$text" ] || fail "$key is '$(value $key)', expected '$text'"
done
[ "$(value FileDescription)" = "Selector de colores (para páginas web)" ] ||
    fail "FileDescription is '$(value FileDescription)'"
[ "$(value ProductName)" = "Tintaro" ] || fail "ProductName is '$(value ProductName)'"
for key in FILEVERSION PRODUCTVERSION; do
    numbers=$(sed -n "s/^$key *\([0-9, ]*\)\r\?$/\1/p" "$rc" | tr -d ' ')
    [ "$numbers" = "$major,$minor,$patch,0" ] ||
        fail "$key is '$numbers', expected '$major,$minor,$patch,0'"
done
grep -qx '#pragma code_page(65001)' "$rc" || fail "no UTF-8 code page"

# The icon: an ICO file with 32-bit images of 16, 24, 32, 48 and 256 pixels.
ico=$(sed -n 's/^IDI_ICON1 *ICON *"\(.*\)"\r\?$/\1/p' "$rc")
if [ ! -f "$ico" ]; then
    fail "icon file '$ico' not found"
else
    read -ra head < <(od -An -tu2 -N6 --endian=little "$ico")
    if [ "${head[0]}" -ne 0 ] || [ "${head[1]}" -ne 1 ]; then
        fail "$ico is not an ICO file"
    else
        sizes=()
        for ((i = 0; i < head[2]; i++)); do
            read -ra entry < <(od -An -tu1 -j$((6 + 16 * i)) -N8 "$ico")
            width=${entry[0]} height=${entry[1]} bits=$((entry[6] + 256 * entry[7]))
            [ "$width" -eq 0 ] && width=256 # a zero byte stands for 256
            [ "$height" -eq 0 ] && height=256
            [ "$width" -eq "$height" ] || fail "icon image $i is ${width}x$height"
            [ "$bits" -eq 32 ] || fail "icon image $i has $bits bits per pixel"
            sizes+=("$width")
        done
        [ "${sizes[*]}" = "16 24 32 48 256" ] ||
            fail "icon images are '${sizes[*]}', expected '16 24 32 48 256'"
    fi
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "version resource $text OK"
