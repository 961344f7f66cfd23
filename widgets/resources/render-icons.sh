#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the program icon from its SVG sources into the PNGs under icons/
# and the Windows icon icons/tintaro.ico. The results are committed; run this
# again after changing tintaro.svg or tintaro-16.svg.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/icons"
mkdir -p "$out"

render() { # <svg> <pixels> <png>
    rsvg-convert --width "$2" --height "$2" --keep-aspect-ratio --format png \
        --output "$3" "$1"
}

# 16 x 16 has its own drawing; every other size comes from the full one.
render "$here/tintaro-16.svg" 16 "$out/tintaro-16.png"
for size in 24 32 48 64 128 256; do
    render "$here/tintaro.svg" "$size" "$out/tintaro-$size.png"
done
# The About header shows the 48 x 48 picture; this twice-as-large copy keeps it
# sharp on screens with a device pixel ratio of 2.
render "$here/tintaro.svg" 96 "$out/tintaro-48@2x.png"

# Windows icon: 32-bit images with alpha, the 256 one stored as PNG. Leaving
# out the time stamps keeps the file identical from one run to the next.
convert "$out/tintaro-16.png" "$out/tintaro-24.png" "$out/tintaro-32.png" \
    "$out/tintaro-48.png" "$out/tintaro-256.png" \
    -define png:exclude-chunks=date,time +set date:create +set date:modify \
    "$out/tintaro.ico"
