#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end scenarios: the real program on a private Xvfb display, driven
# with the verbs of e2e_lib.sh. Each scenario is a function scenario_<name>;
# tests/e2e/CMakeLists.txt registers one CTest test per scenario.
#
# usage: test_e2e.sh <scenario> <path to tintaro>
if [ -z "${E2E_DEFINING:-}" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
    E2E_DEFINING=1 source "${BASH_SOURCE[0]}" # every scenario, to the end of this file
    e2e_run "$@"
fi

# The memory list of a hand-edited file (LF ends, a comment, an empty line)
# in its own order: loaded from, deleted from, a code applied and stored
# with the keyboard, saved with CR LF when the program is asked to end.
scenario_memory() {
    local dir=$E2E_ROOT/program
    mkdir -p "$dir" && printf '#FF0000\n* mis colores\n\n#0080FF\r\n#0000FF' >"$dir/List.slc"
    e2e_start "$dir"
    # Docks match the window to its launcher by the window's class.
    e2e_expect "window class" "$(xprop -id "$E2E_WIN" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')" \
        "$(sed -n 's/^StartupWMClass=//p' "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../../packaging/tintaro.desktop.in")"
    e2e_click "$LIST_X" "${ROW_Y[0]}"
    e2e_click "$LOAD_X" "$LOAD_Y"
    e2e_expect_pixel "sample after Cargar" "$SAMPLE_X" "$SAMPLE_Y" 0,0,255
    e2e_read_code
    e2e_expect "code box" "$E2E_TEXT" "#FF0000"
    e2e_click "$LIST_X" "${ROW_Y[1]}"
    e2e_click "$DELETE_X" "$DELETE_Y"
    e2e_apply_code "#0080FF" && e2e_keys alt+g
    # A copy for the web goes to the primary selection too (middle click).
    e2e_keys ctrl+shift+c && e2e_poll eval '[ "$(timeout 2 xclip -o -selection primary)" = "#FF8000" ]'
    e2e_expect "primary selection" "$(timeout 2 xclip -o -selection primary)" "#FF8000"
    # Saved at once: a copy killed right after keeps it.
    e2e_poll grep -q 0080FF "$dir/List.slc" && kill -KILL "$E2E_PID" && e2e_wait_exit
    e2e_expect_file "$dir/List.slc" '#FF0000\r\n#0000FF\r\n#0080FF\r\n'
}

# One copy per program folder: a second copy shows a message and ends, a
# copy from another folder runs, a killed copy leaves nothing that blocks.
scenario_single_copy() {
    e2e_start "$E2E_ROOT/a" && local first=$E2E_PID
    e2e_launch "$E2E_ROOT/a"
    e2e_wait_window dialog && e2e_keys Return
    e2e_wait_exit
    e2e_expect "exit status of the second copy" "$E2E_STATUS" 0
    e2e_start "$E2E_ROOT/b"
    e2e_stop TERM
    kill -KILL "$first" && e2e_wait_exit "$first"
    e2e_start "$E2E_ROOT/a"
    e2e_stop TERM
}

# SIGINT and SIGHUP close the window like its close box and save the list;
# so does SIGTERM while the About window is open.
scenario_signals() {
    for signal in INT HUP TERM; do
        e2e_start "$E2E_ROOT/$signal"
        e2e_keys alt+g
        [ $signal != TERM ] || { e2e_click "$ABOUT_X" "$ABOUT_Y" && e2e_wait_window dialog; }
        e2e_stop $signal
        e2e_expect_file "$E2E_ROOT/$signal/List.slc" '#FFFFFF\r\n'
    done
}

# Taking a colour from the screen, on two monitors whose background repeats
# an 8 x 8 tile, #123456 at each multiple of 8 and #ABCDEF elsewhere, so that
# a pick one pixel off shows: the magnifier left of the monitors' boundary
# showing the right monitor's pixels; Ctrl+T and a click, then Ctrl+T and
# Esc, in the open window; the arrows, Shift and Space there; tintaro --pick at
# twice the scale on the second monitor beside it (the arrows by a device
# pixel with Enter and Space, a click, the next pixel, a right click that
# cancels; a click with standard output full, a pipe nobody reads, closed); a
# SIGTERM while picking still ends the program. The screens are read through
# shared memory, or through the X protocol where the server lacks it
# (E2E_XVFB_ARGS="-extension MIT-SHM", the test e2e_pick_without_shm) or
# cannot attach this program's memory (E2E_XVFB_WRAP="unshare --ipc", a
# server in another container, the test e2e_pick_unshared).
scenario_pick() {
    xrandr --setmonitor left 512/135x768/203+0+0 screen >/dev/null &&
        xrandr --setmonitor right 512/135x768/203+512+0 none >/dev/null || e2e_abort "xrandr failed"
    printf '#define t_width 8\n#define t_height 8\nstatic unsigned char t_bits[] = {\n0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};\n' >"$E2E_ROOT/tile.xbm"
    xsetroot -bitmap "$E2E_ROOT/tile.xbm" -fg '#123456' -bg '#ABCDEF' || e2e_abort "xsetroot failed"
    e2e_start "$E2E_ROOT/program"
    e2e_keys ctrl+t && e2e_poll e2e_picking && xdotool mousemove 510 400 # its cell of 512,400 at 441,477
    E2E_X=0 E2E_Y=0 e2e_expect_pixel "magnifier across the boundary" 444 480 18,52,86
    # The pointer's cell, 425,477 to 432,484, outlined black outside and white inside.
    E2E_X=0 E2E_Y=0 e2e_expect_pixel "magnifier's middle cell, outside" 424 480 0,0,0
    E2E_X=0 E2E_Y=0 e2e_expect_pixel "magnifier's middle cell, inside" 425 480 255,255,255
    e2e_keys Escape
    for action in "click 1" "key Escape"; do
        e2e_keys ctrl+t && e2e_poll e2e_picking || e2e_abort "Ctrl+T shows no pick mode"
        xdotool mousemove 8 8 $action
        e2e_expect_pixel "sample after $action" "$SAMPLE_X" "$SAMPLE_Y" 18,52,86
        e2e_read_code && e2e_expect "code box after $action" "$E2E_TEXT" "#563412"
    done
    local unwritten="tintaro: no se pudo escribir en la salida estándar:"
    # From the keys: a move of one pixel and of ten, across the boundary; the
    # magnifier follows; Space takes the pixel under the pointer.
    e2e_apply_code "#FFFFFF"
    e2e_keys ctrl+t && e2e_poll e2e_picking && xdotool mousemove 509 390 && e2e_keys Right shift+Down
    E2E_X=0 E2E_Y=0 e2e_expect_pixel "magnifier after the keys" 444 480 18,52,86
    # Read through shared memory, one segment for both monitors, where the server offers it.
    e2e_expect "segments mapped" "$(grep -c /SYSV "/proc/$E2E_PID/maps")" "$([[ ${E2E_XVFB_ARGS:-} = *MIT-SHM* || -n ${E2E_XVFB_WRAP:-} ]] && echo 0 || echo 1)"
    e2e_keys Right Right space
    e2e_read_code && e2e_expect "code box after the keys" "$E2E_TEXT" "#563412"
    # At scale 2 the arrows move by a device pixel: Enter takes 520,400, Space too.
    for case in "519 400 key Right Return|0 #123456|" "510 390 key shift+Right shift+Down space|0 #123456|" \
        "520 400 click 1|0 #123456|" "521 400 click 1|0 oklch(0.835 0.06 249)||--format oklch" "520 400 click 3|1 |" \
        "520 400 click 1|2 $unwritten no queda espacio en el dispositivo.|>/dev/full" \
        "520 400 click 1|2 $unwritten el programa que la leía ya ha terminado.|> >(true)" "520 400 click 1|0 |>&-"; do
        IFS='|' read -r action expected output args <<<"$case"
        : >"$E2E_ROOT/out"
        eval "(cd \"\$E2E_ROOT/program\" && QT_SCALE_FACTOR=2 exec ./tintaro --pick $args) 2>>\"\$E2E_ROOT/out\" ${output:->>\"\$E2E_ROOT/out\"} &"
        local pid=$!
        e2e_poll e2e_picking || e2e_abort "--pick $output shows no pick mode"
        if [[ $action == *" key "* ]]; then
            # Keys are taken once the pick mode waits for input (a key sent
            # before its grab goes elsewhere, and cannot be sent again).
            xdotool mousemove ${action%% key *}
            e2e_poll eval "grep -qs 'State:.*S (sleeping)' /proc/$pid/status" && sleep 0.3
            e2e_keys ${action#* key }
        fi
        # A click can come before the busy window takes input: again while it picks.
        for _ in 1 2 3 4; do
            [[ $action == *" key "* ]] && break
            xdotool mousemove $action
            E2E_TIMEOUT=3 e2e_poll eval "! grep -qs 'State:.*[^Z] (' /proc/$pid/status" && break
        done
        e2e_wait_exit $pid
        e2e_expect "--pick $output, $action: status, output" "$E2E_STATUS $(cat "$E2E_ROOT/out")" "$expected"
    done
    # The segment is let go 30 s after the last grab, once no picture shows it.
    [[ -n ${E2E_XVFB_ARGS:-}${E2E_XVFB_WRAP:-} ]] || E2E_TIMEOUT=40 e2e_poll eval "! grep -q /SYSV /proc/$E2E_PID/maps" ||
        e2e_expect "segments mapped 30 s after the last grab" "$(grep -c /SYSV "/proc/$E2E_PID/maps")" 0
    e2e_keys ctrl+t && e2e_poll e2e_picking && e2e_stop TERM
}
e2e_picking() { xdotool search --onlyvisible --name '^Tintaro: tomar color$' >/dev/null 2>&1; }

# The command line without a display, or with standard output full: each
# told in Spanish with its status, before any display is needed.
scenario_command_line() {
    local none="env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
    # The usage lines are those --help begins with.
    local usage
    usage="$(echo $($none "$E2E_EXE" --help | sed '/^$/q')) Pruebe «tintaro --help»."
    local full="tintaro: no se pudo escribir en la salida estándar: no queda espacio en el dispositivo."
    # Displays that cannot be reached end the window (1) and --pick (2) with
    # what was tried, never with Qt's core dump; the value shown is escaped
    # and cut. A Wayland display that is not there still lets X11 be used.
    local x11="ninguna pantalla X11 (DISPLAY no está definida)" cases=() env reason
    for screen in "|$x11" "DISPLAY=:89|la pantalla «:89» (DISPLAY)" "QT_QPA_PLATFORM=xcb|$x11" \
        "QT_QPA_PLATFORM=wayland|la pantalla «wayland-0» (WAYLAND_DISPLAY no está definida)" \
        "WAYLAND_DISPLAY=nonexistent|la pantalla «nonexistent» (WAYLAND_DISPLAY) ni con $x11" \
        "DISPLAY=\$'\\e[2J\\xe2\\x80\\xae'$(printf %040d 0)|la pantalla «\\x1B[2J\\u202E$(printf %035d 0)…» (DISPLAY)" \
        "DISPLAY=localhost:89|la pantalla «localhost:89» (DISPLAY)" "DISPLAY='[::1]:89'|la pantalla «[::1]:89» (DISPLAY)" \
        "DISPLAY=unix/:89.0|la pantalla «unix/:89.0» (DISPLAY)" "DISPLAY=:89.x|la pantalla «:89.x» (DISPLAY)" \
        "DISPLAY=:x|la pantalla «:x» (DISPLAY)" "DISPLAY=x|la pantalla «x» (DISPLAY)" \
        "-u XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland|la pantalla «wayland-0» (XDG_RUNTIME_DIR no está definida)" \
        "WAYLAND_DISPLAY=/none QT_QPA_PLATFORM='xcb;wayland:x;xcb'|$x11 ni con la pantalla «/none» (WAYLAND_DISPLAY)" \
        "WAYLAND_DISPLAY=/$(printf %0200d 0) QT_QPA_PLATFORM=wayland|la pantalla «/$(printf %039d 0)…» (WAYLAND_DISPLAY)"; do
        IFS='|' read -r env reason <<<"$screen"
        cases+=("$none $env||1 tintaro: no se puede abrir la ventana: no hay conexión con $reason."
            "$none $env|--pick|2 tintaro: no se puede tomar un color: no hay conexión con $reason.")
    done
    for case in "${cases[@]}" "env|-display :89 --pick|2 tintaro: no se puede tomar un color: no hay conexión con la pantalla «:89» (-display)." \
        "timeout 1 env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland|--pick 2>/dev/null|124" \
        "timeout 2 env DISPLAY=\$DISPLAY.0 QT_QPA_PLATFORM=xcb|--pick|124" \
        "$none|-platform wayland --pick|2 tintaro: no se puede tomar un color: no hay conexión con la pantalla «wayland-0» (WAYLAND_DISPLAY no está definida)." \
        "$none|--help 1</dev/null|2 tintaro: no se pudo escribir en la salida estándar: está cerrada." \
        "$none|--bogus|2 tintaro: no se entiende «--bogus». $usage" "$none|-platform offscreen stray|2 tintaro: no se entiende «stray». $usage" \
        "$none|-display :0 -reverse --version >/dev/full|2 $full" "env|--help >/dev/full|2 $full" \
        "$none|--format hsl|2 tintaro: --format va con --pick o --convert. $usage" \
        "$none|--convert red --format bogus|2 tintaro: «bogus» no es un formato: hex, rgb, hsl, hwb, lab, lch, oklab, oklch, name o code. $usage" \
        "$none|--convert|2 tintaro: --convert: falta el COLOR. $usage" \
        "$none|--contrast|2 tintaro: --contrast: faltan el TEXTO y el FONDO (dos colores CSS). $usage" \
        "$none|--convert red --contrast red blue|2 tintaro: esas opciones no van juntas. $usage" \
        "$none|--contrast red|2 tintaro: --contrast: falta el FONDO, el color sobre el que va el TEXTO «red». $usage" \
        "$none|--contrast white verde|2 tintaro: FONDO: «verde»: no es un color CSS"; do
        IFS='|' read -r env args expected <<<"$case"
        (cd "$E2E_ROOT" && eval "exec timeout 10 $env \"\$E2E_EXE\" $args") >/dev/null 2>"$E2E_ROOT/err"
        # shellcheck disable=SC2046  # echo joins the status and the lines
        e2e_expect "tintaro $args, $env: status, errors" "$(echo $? $(cat "$E2E_ROOT/err"))" "$expected"
    done
    # Standard output into a file at its size limit (SIGXFSZ ignored): told.
    # A build with coverage counters cannot write them there either, and says so.
    out=$( (trap '' XFSZ && ulimit -f 0 && exec "$E2E_EXE" --help >"$E2E_ROOT/limited") 2>&1 |
        sed '/^libgcov profiling error/d'; echo "${PIPESTATUS[0]}")
    e2e_expect "--help into a file at its size limit" "$(echo $out)" \
        "tintaro: no se pudo escribir en la salida estándar: el archivo ha llegado a su tamaño máximo. 2"
    # A full pipe that does not wait: the system's reason, with its number.
    out=$(python3 -c 'import os, subprocess, sys
r, w = os.pipe()
os.set_blocking(w, False)
try:
    while True: os.write(w, b"x" * 4096)
except BlockingIOError:
    sys.exit(subprocess.run(sys.argv[1:], stdout=w).returncode)' "$E2E_EXE" --help 2>"$E2E_ROOT/err"; echo "$?")
    err=$(head -1 "$E2E_ROOT/err")
    e2e_expect "--help into a full pipe that does not wait" "$err $out" \
        "tintaro: no se pudo escribir en la salida estándar: recurso no disponible por ahora. 2"
    # --help's lists of colour forms and palette formats, as laid out.
    e2e_expect "--help on --format and --export" "$($none "$E2E_EXE" --help | sed -n '/^  --format/,/rojo)\./p; /^  --export/,/slc\./p')" \
        "  --format FORMATO Formato de --pick y --convert: hex, rgb, hsl, hwb, lab,
                   lch, oklab, oklch, name (el nombre CSS, o el más
                   cercano tras «≈ ») o code (el código de Tintaro,
                   azul, verde y rojo).
  --export FORMATO [ARCHIVO]
                   Escribe la lista de la memoria como paleta en FORMATO
                   (gpl, css, scss, tailwind, json, txt o tokens), en
                   ARCHIVO o, sin él (o con «-»), en la salida estándar.
                   Nunca escribe List.slc."
    # --scale needs no display: eleven steps named after it, the colour among them.
    out=$($none "$E2E_EXE" --scale '#3B82F6' --name marca --format scss | sed -n '1p;6p;11p'; echo "$?")
    e2e_expect "--scale --name --format" "$(echo $out)" \
        "\$marca-50: #F0F6FE; \$marca-500: #3B82F6; \$marca-950: #0F2850; 0"
    out=$($none "$E2E_EXE" --scale red --format bogus 2>&1; $none "$E2E_EXE" --scale red --name 2a 2>&1)
    e2e_expect "--scale: a palette format, a name" "$out" "tintaro: «bogus» no es un formato de paleta; \
los formatos son gpl, css, scss, tailwind, json, txt y tokens.
tintaro: «2a» no sirve de nombre: empieza por una letra y lleva solo letras sin acento, cifras, «-» y «_»."
    # --convert needs no display; with "-", a line out for each line in.
    local out
    out=$(printf 'tomato\nverde\n#123456\n' | $none "$E2E_EXE" --convert - --format hwb 2>"$E2E_ROOT/err"; echo "$?")
    e2e_expect "--convert -: output, status; errors" "$(echo $out); $(cat "$E2E_ROOT/err")" \
        "hwb(9 28% 0%) hwb(210 7% 66.3%) 2; tintaro: línea 2: «verde»: no es un color CSS"
    out=$(printf 'red\r\nlime' | $none "$E2E_EXE" --convert - --format code; echo "$?")
    e2e_expect "--convert - of colours only, CR LF, no last line break" "$(echo $out)" "#0000FF #00FF00 0"
    out=$($none "$E2E_EXE" --convert 'oklch(0.7 0.4 150)' --format code 2>&1; echo "$?")
    e2e_expect "--convert outside sRGB to the program's code" "$(echo $out)" "#48C200 0"
    out=$(printf 'oklch(0.7 0.4 150)\n' | $none "$E2E_EXE" --convert - --gamut clip 2>&1; echo "$?")
    e2e_expect "--convert --gamut clip: as browsers paint it" "$(echo $out)" "#00D600 0"
    out=$($none "$E2E_EXE" --convert red --gamut fit 2>&1 | head -1; $none "$E2E_EXE" --gamut css 2>&1 | head -1)
    e2e_expect "--gamut: css or clip, with --pick or --convert" "$out" \
        "tintaro: «fit» no es un modo: css o clip.
tintaro: --gamut va con --pick o --convert."
    # --contrast: the ratio first; AA for normal text or not, or a colour not read.
    for case in "#767676 white|0 4.54:1" "white #3B82F6|1 3.67:1" "verde white|2 "; do
        IFS='|' read -r pair expected <<<"$case"
        out=$($none "$E2E_EXE" --contrast $pair 2>/dev/null)
        e2e_expect "--contrast $pair: status, ratio" "$? ${out%%  *}" "$expected"
    done
}

# tintaro --pick through a stand-in desktop portal (fake_portal.py) on a
# private session bus whose only service is that stand-in, so the machine's
# own portal never starts: a colour, a cancel, no portal, a portal without a
# Screenshot backend, a failure, four malformed answers, a portal that ends
# without answering, and an answer from a new owner of the portal's name.
scenario_portal() {
    mkdir "$E2E_ROOT/portal" "$E2E_ROOT/none"
    printf '[D-BUS Service]\nName=org.freedesktop.portal.Desktop\nExec=/usr/bin/python3 %s\n' \
        "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/fake_portal.py" >"$E2E_ROOT/portal/org.freedesktop.portal.Desktop.service"
    local bad="tintaro: El escritorio ha contestado con un color no válido: no se ha tomado ninguno."
    for case in "portal ok 0 #FF8000" "portal cancel 1 " "none ok 2 (org.freedesktop.DBus.Error.ServiceUnknown)" \
        "portal nobackend 2 (org.freedesktop.DBus.Error.UnknownMethod)" "portal fail 2 (respuesta 2 del portal)" \
        "portal range 2 $bad" "portal nan 2 $bad" "portal type 2 $bad" "portal short 2 $bad" "portal impostor 0 #FF8000" \
        "portal leave 2 tintaro: El portal del escritorio se ha cerrado sin contestar: no se ha tomado ningún color."; do
        read -r folder mode expected <<<"$case"
        printf '<busconfig><type>session</type><listen>unix:tmpdir=%s</listen><servicedir>%s</servicedir><policy context="default"><allow send_destination="*"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>' \
            "$E2E_ROOT" "$E2E_ROOT/$folder" >"$E2E_ROOT/bus.conf"
        FAKE_PORTAL=$mode WAYLAND_DISPLAY=tintaro-test QT_QPA_PLATFORM=offscreen timeout 30 \
            dbus-run-session --config-file="$E2E_ROOT/bus.conf" -- "$E2E_EXE" --pick >"$E2E_ROOT/out" 2>&1
        # shellcheck disable=SC2046,SC2005  # echo joins the status and the last line
        e2e_expect "$mode from $folder: status, last line" \
            "$(echo $? $(grep -v '^dbus-daemon' "$E2E_ROOT/out" | tail -n1))" "$expected"
    done
}

# The installed program of the Debian package (E2E_EXE in its unpacked
# tree) as its users meet it: each unprivileged user keeps the list in their
# own data folder, two of them at the same time; a portable copy keeps the
# list beside itself; a native Wayland client of a headless weston.
scenario_package() {
    [ "$(id -u)" -eq 0 ] || { echo "SKIP: only the superuser can act as other users" && exit 77; }
    # A copy of the unpacked tree where those users can reach it.
    chmod 755 "$E2E_ROOT" && cp -a "${E2E_EXE%/usr/bin/tintaro}" "$E2E_ROOT/root" || exit 1
    local a=$E2E_ROOT/a b=$E2E_ROOT/b p=$E2E_ROOT/portable
    E2E_EXE=$E2E_ROOT/root/usr/bin/tintaro
    e2e_as 65534 "$a" "$E2E_EXE" && e2e_wait_window main
    e2e_apply_code "#0080FF" && e2e_keys alt+g && e2e_stop TERM
    e2e_expect_file "$a/.local/share/Tintaro/List.slc" '#0080FF\r\n'
    e2e_as 65534 "$a" "$E2E_EXE" && e2e_wait_window main && local first=$E2E_PID
    e2e_click "$LIST_X" "${ROW_Y[0]}"
    e2e_expect_pixel "first user's entry after a restart" "$LIST_SAMPLE_X" "$LIST_SAMPLE_Y" 255,128,0
    e2e_as 65533 "$b" env XDG_DATA_HOME="$b/data" "$E2E_EXE" && e2e_wait_window main
    e2e_apply_code "#FF0000" && e2e_keys alt+g && e2e_stop TERM
    E2E_PID=$first && e2e_stop TERM
    e2e_expect_file "$b/data/Tintaro/List.slc" '#FF0000\r\n'
    e2e_expect_file "$a/.local/share/Tintaro/List.slc" '#0080FF\r\n'
    mkdir "$p" && cp "$E2E_EXE" "$p" && printf '#00FF00\r\n' >"$p/List.slc" && chown -R 65534:65534 "$p"
    e2e_as 65534 "$a" "$p/tintaro" && e2e_wait_window main
    e2e_apply_code "#0000FF" && e2e_keys alt+g && e2e_stop TERM
    e2e_expect_file "$p/List.slc" '#0000FF\r\n#00FF00\r\n'
    E2E_LOG=$E2E_ROOT/weston.log e2e_as 65534 "$E2E_ROOT/c" weston --backend=headless-backend.so --socket=wl --idle-time=0
    e2e_poll test -S "$E2E_ROOT/c/run/wl" || e2e_abort "weston did not start: $(cat "$E2E_ROOT/weston.log")"
    E2E_LOG=$E2E_ROOT/wayland.log e2e_as 65534 "$E2E_ROOT/c" env WAYLAND_DISPLAY=wl QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$E2E_EXE"
    e2e_poll grep -q 'xdg_toplevel@[0-9]*\.set_title("Tintaro")' "$E2E_ROOT/wayland.log" || e2e_abort "no Wayland window titled Tintaro"
    # On Wayland, by the application id, the launcher's name.
    local launcher=$(basename "$E2E_ROOT"/root/usr/share/applications/*.desktop .desktop)
    e2e_poll grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$launcher\")" "$E2E_ROOT/wayland.log" ||
        e2e_expect "Wayland application id" "$(grep -o 'set_app_id("[^"]*")' "$E2E_ROOT/wayland.log")" "set_app_id(\"$launcher\")"
    e2e_stop TERM
    e2e_expect_file "$E2E_ROOT/c/.local/share/Tintaro/List.slc" ''
    # Every line is a protocol message: Qt warned about nothing (e.g. the centring).
    e2e_expect "the Wayland client's own messages" "$(grep -v '^\[' "$E2E_ROOT/wayland.log")" ''
}
# e2e_as <uid> <home> <command...>: runs the command in the background as that
# user, with that home and a runtime folder of its own; output to E2E_LOG.
e2e_as() {
    local uid=$1 home=$2 && shift 2
    mkdir -p -m 0700 "$home/run" && chown -R "$uid:$uid" "$home"
    setpriv --reuid="$uid" --regid="$uid" --clear-groups env -u XDG_CONFIG_HOME HOME="$home" \
        XDG_RUNTIME_DIR="$home/run" "$@" </dev/null >>"${E2E_LOG:-$E2E_ROOT/program.log}" 2>&1 &
    E2E_PID=$! && E2E_PIDS+=($!)
}

# A portable copy in a folder whose name is not UTF-8 (Latin-1 "Begoña", as
# on a USB stick) reads and keeps the list beside itself.
scenario_latin1_folder() {
    export HOME=$E2E_ROOT/home # a list put elsewhere lands here, not in the tester's home
    local dir=$E2E_ROOT/$'Beg\xf1a'
    mkdir -p "$dir" && printf '#0000FF\r\n' >"$dir/List.slc"
    e2e_start "$dir"
    e2e_click "$LIST_X" "${ROW_Y[0]}"
    e2e_expect_pixel "the entry read" "$LIST_SAMPLE_X" "$LIST_SAMPLE_Y" 255,0,0
    e2e_apply_code "#00FF00" && e2e_keys alt+g && e2e_stop TERM
    e2e_expect_file "$dir/List.slc" '#0000FF\r\n#00FF00\r\n'
}

# The memory list out as a palette and a palette in, from the command line,
# without a display; an import refused while a copy runs with that list, also
# from a session without the window's runtime folder (cron, su, ssh).
scenario_palette() {
    local dir=$E2E_ROOT/program out
    mkdir -p "$dir" && : >"$dir/List.slc" && cp "$E2E_EXE" "$dir/tintaro"
    out=$(cd "$dir" && env -u DISPLAY ./tintaro --export txt "$E2E_ROOT/e.txt" 2>&1; echo $?; test -e "$E2E_ROOT/e.txt" || echo none)
    e2e_expect "--export of an empty memory: nothing written" "$(echo $out)" \
        "tintaro: la memoria está vacía: no hay colores que exportar (guarde alguno con «Guardar» o «--import»). 2 none"
    printf '#0000FF\r\n#0080FF\r\n' >"$dir/List.slc"
    out=$(cd "$dir" && env -u DISPLAY ./tintaro --export txt; echo $?)
    e2e_expect "--export txt" "$(echo $out)" "#FF0000 #FF8000 0"
    out=$(cd "$dir" && env -u DISPLAY ./tintaro --export css "$E2E_ROOT/p.css"; echo $?)
    e2e_expect "--export css into a file" "$out $(grep -c ': #FF' "$E2E_ROOT/p.css")" "0 2"
    printf 'GIMP Palette\r\n# mine\r\n  0 255   0\tgreen\r\n255 0 0 red\r\n' >"$E2E_ROOT/p.gpl"
    e2e_start "$dir"
    out=$(cd "$dir" && XDG_RUNTIME_DIR= XDG_CACHE_HOME=$E2E_ROOT/cache ./tintaro --import "$E2E_ROOT/p.gpl" 2>&1; echo $?)
    e2e_expect "--import beside a copy" "$(echo $out)" \
        "tintaro: Tintaro está abierto con esta lista: importe la paleta desde su ventana (menú de la memoria). 2"
    e2e_stop TERM
    out=$(cd "$dir" && env -u DISPLAY ./tintaro --import "$E2E_ROOT/p.gpl"; echo $?)
    e2e_expect "--import" "$(echo $out)" "Se añadió 1 color; 1 ya estaba en la lista. 0"
    e2e_expect_file "$dir/List.slc" '#0000FF\r\n#0080FF\r\n#00FF00\r\n'
    out=$(cd "$dir" && env -u DISPLAY ./tintaro --export scss)
    e2e_expect "names imported, then exported" "$(echo $out)" \
        '$red: #FF0000; $darkorange-ff8000: #FF8000; $green: #00FF00;'
}

# What comes from outside, read and written safely: standard input read a
# bounded line at a time, read errors told, text from outside escaped in
# messages, file names kept as bytes, and the memory list never exported
# over nor imported into itself.
scenario_untrusted() {
    local none="env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" dir=$E2E_ROOT/program out name
    mkdir -p "$dir" && cp "$E2E_EXE" "$dir/tintaro" && printf '#0000FF\r\nnota\r\n' >"$dir/List.slc"
    out=$({ head -c 50000000 /dev/zero; printf '\nred\n'; } | $none "$E2E_EXE" --convert - 2>"$E2E_ROOT/err"; echo $?)
    e2e_expect "--convert - of a 50 MB line, then a colour" "$(echo $out) $(cat "$E2E_ROOT/err")" \
        "#FF0000 2 tintaro: línea 1: texto demasiado largo (más de 4096 caracteres)"
    out=$($none "$E2E_EXE" --convert - </ 2>&1; echo $?)
    e2e_expect "--convert - from a folder" "$(echo $out)" "tintaro: no se pudo leer la entrada estándar: Es una carpeta. 2"
    out=$(printf '\033]0;x\007red\n' | $none "$E2E_EXE" --convert - 2>&1 >/dev/null)
    e2e_expect "an escape sequence quoted" "$out" 'tintaro: línea 1: «\x1B]0;x\x07red»: no es un color CSS'
    printf 'a\0b\n' >"$E2E_ROOT/nul"
    out=$(cd "$dir" && $none ./tintaro --import "$E2E_ROOT/nul" 2>&1)
    e2e_expect "a NUL quoted" "$out" "tintaro: no se pudo importar la paleta $E2E_ROOT/nul: Línea 1: «a\x00b»: no es un color CSS."
    ln -s List.slc "$dir/link" && ln "$dir/List.slc" "$dir/hard"
    for name in List.slc link hard; do
        out=$(cd "$dir" && $none ./tintaro --export txt $name 2>&1; echo $?)
        e2e_expect "--export into the list as $name" "$(echo $out)" \
            "tintaro: no se pudo exportar la paleta a $name: Es la lista de la memoria de Tintaro (List.slc): una paleta nunca se escribe en ella. 2"
    done
    out=$(cd "$dir" && $none ./tintaro --export txt -)
    e2e_expect "--export txt -" "$out" "#FF0000"
    name=$E2E_ROOT/$'Bego\xf1a'
    printf 'lime\n' >"$name.txt" && printf '#00FF00\r\n#FF0000\r\n' >"$name.slc"
    out=$(cd "$dir" && $none ./tintaro --import "$name.txt" && $none ./tintaro --import "$name.slc" &&
        $none ./tintaro --export txt "$name.out" && cat "$name.out")
    e2e_expect "names not in UTF-8; a Tintaro list imported" "$(echo $out)" \
        "Se añadió 1 color. Leída como lista de Tintaro (códigos azul, verde y rojo, sin cambiar). Se añadió 1 color; 1 ya estaba en la lista. #FF0000 #00FF00 #0000FF"
    e2e_expect_file "$dir/List.slc" '#0000FF\r\n#00FF00\r\n#FF0000\r\nnota\r\n'
}

# What a screen reader reads (pyatspi, on a private bus): the main window as
# a frame, its frames as panels, the samples as images, the controls in
# reading order, no rule lines; each memory entry's code and name.
scenario_screen_reader() {
    local dir=$E2E_ROOT/program
    mkdir -p "$dir" && cp "$E2E_EXE" "$dir/tintaro"
    printf '#0080FF\r\n#00FF00\r\n' >"$dir/List.slc"
    printf '#0080ff\tCoral claro\n' >"$dir/List.names"
    local tree expected here
    here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
    # (the registry daemon it starts says so on standard output)
    tree=$(cd "$dir" && dbus-run-session -- /usr/bin/python3 "$here/atspi_tree.py" ./tintaro 2>"$E2E_ROOT/atspi.log" |
        grep -v "^SpiRegistry")
    expected='frame Tintaro
  panel Muestra:
    image Muestra:
    label Color HTML
    text Color HTML
    push button Ver
  panel Memoria interna:
    list Memoria interna
      list item #0080FF, Coral claro
      list item #00FF00, lime
    image Muestra de la memoria
    push button Guardar
    push button Cargar
    push button Borrar
  panel Colores
    label Rojo
    scroll bar Rojo
    text Valor de rojo
    label Verde
    scroll bar Verde
    text Valor de verde
    label Azul
    scroll bar Azul
    text Valor de azul
  push button Acerca de ...'
    e2e_expect "the tree a screen reader reads" "$tree" "$expected"
    [ -n "$tree" ] || cat "$E2E_ROOT/atspi.log"
}

# What a screen reader reads of the tool windows: the ratio, the verdicts and
# the APCA figure of "Accesibilidad" as numbers in their names, and the value
# of "Ajustar color"'s sliders as a person reads it (0.623, not 623).
scenario_screen_reader_tools() {
    local dir=$E2E_ROOT/program here tree
    mkdir -p "$dir" && cp "$E2E_EXE" "$dir/tintaro"
    here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
    # #3B82F6 (blue first in the code box), then Ctrl+L and Ctrl+K from the main window.
    local main="xdotool search --sync --onlyvisible --name '^Tintaro\$' | head -1"
    tree=$(cd "$dir" && ATSPI_BEFORE="w=\$($main) && xdotool windowfocus --sync \$w &&
        xdotool mousemove --window \$w $CODE_X $CODE_Y click 1 && xdotool type '#F6823B' &&
        xdotool key alt+v ctrl+l && sleep 0.5 && xdotool windowfocus --sync \$w key ctrl+k && sleep 0.5" \
        dbus-run-session -- /usr/bin/python3 "$here/atspi_tree.py" ./tintaro 2>"$E2E_ROOT/atspi.log" |
        grep -E "label (Contraste|Niveles|APCA)|slider")
    local expected='label Contraste: 3,67:1
label Niveles WCAG: Texto normal: AA no, AAA no; Texto grande: AA sí, AAA no; Controles y gráficos (1.4.11): sí
label APCA Lc 63,8 (orientativo: borrador de WCAG 3)
label Contraste con protanopía: 3,'
    e2e_expect "the results a screen reader reads" \
        "$(echo "$tree" | sed 's/^ *//' | grep -E "^label" | head -4 | sed '4s/,[0-9][0-9]:1$/,/')" "$expected"
    e2e_expect "the sliders' values" "$(echo "$tree" | sed -n 's/^ *slider \(.*\)$/\1/p' | head -3 | tr '\n' '|')" \
        "Luminosidad OKLCH = 0.623|Croma OKLCH = 0.188|Tono OKLCH = 259.8|"
    [ -n "$tree" ] || cat "$E2E_ROOT/atspi.log"
}
