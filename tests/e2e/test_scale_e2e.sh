#!/usr/bin/env bash
# End-to-end test at twice the pixel density: the real tintaro executable
# under QT_SCALE_FACTOR=2 on a private Xvfb display. The window must be
# exactly twice its size, and what it draws must be drawn at the new density
# rather than blown up from the small window: one-pixel lines stay two device
# pixels thick with no blur around them, and the bottom-right button lies
# whole inside the window.
#
# usage: test_scale_e2e.sh [--save] <path to tintaro>
#   --save  also writes the window's picture to docs/screenshots/main-window-2x.png

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

save=
if [ "${1:-}" = "--save" ]; then
    save=$here/../../docs/screenshots/main-window-2x.png
    shift
fi
[ $# -eq 1 ] || { echo "usage: $0 [--save] <path to tintaro>"; exit 2; }

e2e_init e2e_scale "$1"
# e2e_init clears every scaling variable; this test sets the one it means.
export QT_SCALE_FACTOR=2
e2e_start_xvfb
e2e_start_program

# The window's picture as the X server holds it, in device pixels.
SHOT=$E2E_ROOT/main-window-2x.png
take_shot() {
    import -silent -window root -crop "${E2E_WIN_W}x$E2E_WIN_H+$E2E_OX+$E2E_OY" +repage "$SHOT" ||
        e2e_abort "cannot take a screenshot of the window"
}

# shot_pixel <x> <y> — "r,g,b" of a device pixel of the window's picture.
shot_pixel() {
    local line
    line=$(convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n '2p')
    if [[ $line =~ \(([0-9]+),([0-9]+),([0-9]+) ]]; then
        printf '%s,%s,%s' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}"
    else
        printf '%s' "<unreadable>"
    fi
}

# shot_colours <x> <y> <w> <h> — the distinct colours of a region, one a line.
shot_colours() {
    convert "$SHOT" -crop "$3x$4+$1+$2" +repage -depth 8 -unique-colors txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

e2e_step "window size: the 323 x 337 client area doubled"
e2e_expect_eq "client area size" "${E2E_WIN_W}x$E2E_WIN_H" "646x674"
take_shot
face=$(shot_pixel 4 660)    # window background, left of the "Acerca de ..." button
e2e_log "window background: ($face)"

e2e_step "bottom separator: shadow rows 590-591, white rows 592-593, no blur"
# The 1440-twip-wide line runs from x = 8 to 311, device pixels 16 to 623.
shadow=$(shot_pixel 320 590)
e2e_expect_eq "shadow line differs from the background" "$([ "$shadow" != "$face" ] && echo yes)" yes
e2e_expect_eq "shadow line differs from white" "$([ "$shadow" != "255,255,255" ] && echo yes)" yes
for x in 16 320 623; do
    e2e_expect_eq "row 590 at x=$x" "$(shot_pixel "$x" 590)" "$shadow"
    e2e_expect_eq "row 591 at x=$x" "$(shot_pixel "$x" 591)" "$shadow"
    e2e_expect_eq "row 592 at x=$x" "$(shot_pixel "$x" 592)" "255,255,255"
    e2e_expect_eq "row 593 at x=$x" "$(shot_pixel "$x" 593)" "255,255,255"
    # A line scaled up from one device pixel would bleed into its neighbours.
    e2e_expect_eq "row 589 at x=$x" "$(shot_pixel "$x" 589)" "$face"
    e2e_expect_eq "row 594 at x=$x" "$(shot_pixel "$x" 594)" "$face"
done
e2e_expect_eq "left of the line" "$(shot_pixel 15 592)" "$face"
e2e_expect_eq "right of the line" "$(shot_pixel 624 592)" "$face"

e2e_step "\"Acerca de ...\" button whole inside the window"
# Logical 192,304 121x25: device pixels 384-625 by 608-657.
button_colours=$(shot_colours 384 608 242 50 | wc -l)
e2e_expect_eq "the button draws more than a few colours (frame, face, text)" \
    "$((button_colours >= 8))" 1
below=$(shot_colours 0 662 646 12)
e2e_expect_eq "rows 662-673 below the button are plain background" "$below" "$face"
right=$(shot_colours 630 600 16 74)
e2e_expect_eq "columns 630-645 right of the button are plain background" "$right" "$face"
# The button's text in its middle third, drawn dark on the face.
dark=$(convert "$SHOT" -crop "160x30+425+618" +repage -colorspace Gray -threshold 50% \
    -format '%[fx:round(w*h*(1-mean))]' info: 2>/dev/null)
e2e_expect_eq "the button's text is drawn (dark pixels)" "$((${dark:-0} >= 60))" 1

e2e_step "About window: doubled, centred over the main window, closed by Enter"
e2e_click 504 632    # "Acerca de ..." at logical 252,316
about=$(timeout "$E2E_TIMEOUT" \
    xdotool search --sync --all --onlyvisible --pid "$E2E_APP_PID" --name '^Acerca de\.\.\.$' 2>/dev/null |
    head -n1)
[ -n "$about" ] || e2e_abort "no visible window named 'Acerca de...' after a click on \"Acerca de ...\""
info=$(xwininfo -id "$about")
field() { awk -F: -v k="$1" '$1 ~ k { gsub(/ /, "", $2); print $2 }' <<<"$info"; }
ax=$(field 'Absolute upper-left X') ay=$(field 'Absolute upper-left Y')
aw=$(field '^ *Width') ah=$(field '^ *Height')
e2e_expect_eq "About client area size" "${aw}x$ah" "588x428"
off_x=$((2 * (ax - E2E_OX) + aw - E2E_WIN_W)) off_y=$((2 * (ay - E2E_OY) + ah - E2E_WIN_H))
e2e_expect_eq "About window centred over the main window" \
    "$((off_x >= -2 && off_x <= 2 && off_y >= -2 && off_y <= 2))" 1
# Its etched separator: shadow on device rows 350-351, white on 352-353.
about_shot=$E2E_ROOT/about-2x.png
import -silent -window root -crop "${aw}x$ah+$ax+$ay" +repage "$about_shot" ||
    e2e_abort "cannot take a screenshot of the About window"
rows=$(convert "$about_shot" -crop "1x6+300+349" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p' | tr '\n' ' ')
e2e_expect_eq "About separator rows 349-354" "$rows" "$face $shadow $shadow 255,255,255 255,255,255 $face "
e2e_key Return
deadline=$((SECONDS + E2E_TIMEOUT))
while xwininfo -id "$about" 2>/dev/null | grep -q 'IsViewable'; do
    [ $SECONDS -lt $deadline ] || { e2e_fail "Enter did not close the About window"; break; }
    sleep "$E2E_POLL"
done

if [ -n "$save" ]; then
    mkdir -p "$(dirname "$save")"
    cp "$SHOT" "$save" || e2e_abort "cannot save $save"
    e2e_log "saved $save"
fi

e2e_finish
