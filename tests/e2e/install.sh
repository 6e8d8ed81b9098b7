#!/usr/bin/env bash
# The Debian package as a new user meets it: made with CPack, checked by lintian,
# desktop-file-validate and appstreamcli, unpacked with dpkg-deb into a read-only root (never
# installed on this machine) and started from there under Xvfb as the unprivileged user
# "nobody" with a fresh home. The user's show folder must be made and filled, the cover
# shown, a question saved in the editor must land in the user's folder and outlive a
# restart, and nothing under the unpacked tree may change; "--carpeta" fills an empty folder;
# a newer shipped file reaches the user's folder at the next start while the edited question
# is kept. Screenshots are kept under <build folder>/screenshots/e2e_install_*.png.
#
#   bash tests/e2e/install.sh <program folder> <build folder>
set -uo pipefail

source "$(dirname "$0")/../../scripts/e2e-env.sh"

build=${2:?usage: install.sh <program folder> <build folder>}
shots="$build/screenshots"
mkdir -p "$shots" || e2e_fail "cannot create $shots"
rm -f "$shots"/e2e_install_*.png

failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli setpriv; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
done

(cd "$build" && cpack -G DEB) >"$E2E_TMP/cpack.log" 2>&1 ||
    e2e_fail "cpack failed: $(tail -n 20 "$E2E_TMP/cpack.log")"
deb=$(ls -t "$build"/velta_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || e2e_fail "cpack made no velta_*_amd64.deb"
e2e_note "package $deb"

lintian --fail-on error --no-tag-display-limit "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
    fail "lintian: $(grep '^E:' "$E2E_TMP/lintian.log")"
grep -E '^[EW]:' "$E2E_TMP/lintian.log" >&2

root="$E2E_TMP/root"
dpkg-deb -x "$deb" "$root" || e2e_fail "dpkg-deb -x failed"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli validate"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 gstreamer1.0-plugins-good qt6-qpa-plugins \
    fonts-dejavu-core qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ "$(readlink -f "$root/usr/bin/velta")" = "$root/usr/lib/velta/velta" ] ||
    fail "/usr/bin/velta does not lead to /usr/lib/velta/velta"

# The unpacked tree is read-only, and the show runs as a user who owns nothing of it.
chmod -R a-w "$root"
tree_listing() {
    (cd "$root" && find . -printf '%p %s %m %T@\n' | sort)
}
tree_listing >"$E2E_TMP/tree.before"

start_xvfb
user=nobody
home="$E2E_TMP/home"
runtime="$E2E_TMP/runtime-$user"
mkdir -p "$home" "$runtime" "$E2E_TMP/usb"
chown "$user:" "$home" "$runtime" "$E2E_TMP/usb"
chmod 700 "$runtime"
chmod 755 "$E2E_TMP"
show="$home/.local/share/VELTA"

# Starts the unpacked program as the user, from the home folder, with the arguments given.
start_as_user() {
    VELTA_START=$(date +%s.%N)
    (cd "$home" && exec setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
        env -i HOME="$home" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin \
        "$root/usr/bin/velta" "$@") >>"$E2E_TMP/velta.log" 2>&1 &
    VELTA_PID=$!
    E2E_PIDS+=("$VELTA_PID")
    VELTA_WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^VELTA$' | head -n 1)
    [ -n "$VELTA_WINDOW" ] || e2e_fail "no VELTA window: $(tail -n 5 "$E2E_TMP/velta.log")"
}

stop_velta() {
    kill "$VELTA_PID" 2>/dev/null
    e2e_wait_for 10 bash -c "! kill -0 $VELTA_PID" || kill -KILL "$VELTA_PID"
    wait "$VELTA_PID" 2>/dev/null
}

step=0
shot() {
    step=$((step + 1))
    LAST_SHOT=$(printf '%s/e2e_install_%02d_%s.png' "$shots" "$step" "$1")
    screenshot "$LAST_SHOT"
}

# The board shows a picture, not an empty window: its pixels vary.
board_shows_picture() {
    eval "$(xdotool getwindowgeometry --shell "$VELTA_WINDOW")"
    local spread
    spread=$(convert "$LAST_SHOT" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
        -colorspace Gray -format '%[fx:standard_deviation]' info:)
    is_above "$spread" 0.05
}

click_in() {
    local window=$1 x=$2 y=$3
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool windowfocus "$window" && sleep 0.2 &&
        xdotool mousemove $((X + x)) $((Y + y)) click 1 || e2e_fail "cannot click $x,$y"
    sleep 0.3
}

# First start: the user's show folder is made and filled; the theme prompt is accepted
# with Return, which opens the control window on the first question.
start_as_user
e2e_wait_for 10 test -f "$show/Config/ArchivosIncluidos.txt" || fail "no show folder $show"
for f in Rondas/ronda1.txt RondasBoda/ronda1.txt Config/Titulo.txt; do
    [ -f "$show/$f" ] || fail "$f was not copied into $show"
done
[ -d "$show/Imagen" ] && fail "the program's pictures were copied into $show"
[ "$(stat -c %U "$show/Rondas/ronda1.txt")" = "$user" ] || fail "the show is not $user's"
themes=$(timeout 15 xdotool search --sync --onlyvisible --name 'Seleccionar tema' | head -n 1)
[ -n "$themes" ] || e2e_fail "no theme prompt at the first start"
shot first_start
type_key_into "$themes" Return
console=$(timeout 15 xdotool search --sync --onlyvisible --name 'Tablero de Control' | head -n 1)
[ -n "$console" ] || e2e_fail "the control window did not open"
sleep 1
shot console

# The question of card 1, typed over and saved with "Guardar".
click_in "$console" 300 183
xdotool key --clearmodifiers ctrl+a && xdotool type --delay 20 "Pregunta guardada por el usuario"
click_in "$console" 279 417
shot saved
e2e_wait_for 5 grep -rlq "Pregunta guardada por el usuario" "$show" ||
    fail "the saved question is not in $show"
saved=$(grep -rl "Pregunta guardada por el usuario" "$show" | head -n 1)
e2e_note "saved into $saved"
stop_velta

# A restart finds the question and shows the cover.
start_as_user
sleep 3
shot restart
board_shows_picture || fail "the board shows no cover after the restart"
grep -q "Pregunta guardada por el usuario" "$saved" 2>/dev/null ||
    fail "the saved question did not outlive the restart"
stop_velta

tree_listing >"$E2E_TMP/tree.after"
diff -q "$E2E_TMP/tree.before" "$E2E_TMP/tree.after" >/dev/null ||
    fail "the unpacked tree changed: $(diff "$E2E_TMP/tree.before" "$E2E_TMP/tree.after" | head)"

# A show on a USB stick: an empty folder is filled the same way, the user's folder untouched.
before_user=$(cd "$show" && find . -printf '%p %s %T@\n' | sort | md5sum)
start_as_user --carpeta "$E2E_TMP/usb"
e2e_wait_for 10 test -f "$E2E_TMP/usb/Config/ArchivosIncluidos.txt" ||
    fail "--carpeta did not fill the empty folder"
[ -f "$E2E_TMP/usb/Rondas/ronda1.txt" ] || fail "--carpeta: no questions in the folder"
stop_velta
[ "$(cd "$show" && find . -printf '%p %s %T@\n' | sort | md5sum)" = "$before_user" ] ||
    fail "--carpeta changed the user's folder"

# An update: the shipped question the user edited changes, and a new one is added.
chmod -R u+w "$root"
relative=${saved#"$show"/}
printf 'Pregunta nueva del paquete\r\nUna,100' >"$root/usr/lib/velta/$relative"
printf 'Pregunta agregada por la actualizacion\r\nUna,100' >"$root/usr/lib/velta/Rondas/ronda98.txt"
chmod -R a-w "$root"
start_as_user
e2e_wait_for 10 test -f "$show/Rondas/ronda98.txt" || fail "the new shipped file was not added"
grep -q "Pregunta guardada por el usuario" "$saved" || fail "the update overwrote the edited question"
shot after_update
stop_velta

if [ "$failed" -ne 0 ]; then
    e2e_note "velta log: $(tail -n 20 "$E2E_TMP/velta.log")"
    exit 1
fi
echo "PASS: the package installs, keeps the show in the user's folder and updates it"
