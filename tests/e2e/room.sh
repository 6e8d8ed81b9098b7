#!/usr/bin/env bash
# The room in a real browser: the built program under Xvfb opens its room at start (its
# settings say so), the control window's "Sala" panel shows the two QR codes, which are read
# back from a screenshot, and Debian's chromium, driven by playwright-core, joins with the
# code, lets the board page's sound in with a tap, follows S and 1 typed on the board (the
# answer's effect played on the page too), opens the host's view, is refused a wrong code
# and keeps its page on a reload. Everything runs in a network namespace of its own, whose
# only interfaces are its loopback and a pair of virtual ones: nothing outside can reach
# the room. Screenshots of the three pages at phone and television sizes are kept under
# <build folder>/screenshots/room_*.png.
#
#   bash tests/e2e/room.sh <program folder> <build folder>
set -uo pipefail

if [ -z "${VELTA_ROOM_NAMESPACE:-}" ]; then
    exec env VELTA_ROOM_NAMESPACE=1 unshare -n bash "$0" "$@"
fi

source "$(dirname "$0")/../../scripts/e2e-env.sh"

program=${1:?usage: room.sh <program folder> <build folder>}
build=${2:?usage: room.sh <program folder> <build folder>}
start_room_network

shots="$build/screenshots"
mkdir -p "$shots" || e2e_fail "cannot create $shots"
rm -f "$shots"/room_*.png

export E2E_SCREEN=2100x1100
start_xvfb
start_pulse
folder="$E2E_TMP/VELTA"
copy_program_folder "$program" "$folder"
touch "$folder/getparam.lic"
rm -rf "$folder/Rondas"
mkdir -p "$folder/Rondas" "$folder/Config"
write_round "$folder/Rondas/ronda1.txt" "¿Qué llevas a la playa?" "Bloqueador,40" "Toalla,25" \
    "Sombrilla,20" "Lentes,10" "Gorra,5"
printf '8080\r\n1\r\n\r\n' >"$folder/Config/Sala.txt"

start_velta "$folder"
type_key t
console=$(timeout 30 xdotool search --sync --onlyvisible --name "Tablero de Control" | head -n 1)
[ -n "$console" ] || e2e_fail "the control window did not open"
# "Sala" beside "Banco de sonidos".
xdotool mousemove --window "$console" 475 535 click 1 || e2e_fail "cannot click Sala"
sleep 1
screenshot "$E2E_TMP/console.png"
cp "$E2E_TMP/console.png" "$shots/room_console.png"
codes=$(zbarimg -q --raw "$E2E_TMP/console.png")
audience=$(grep '/tablero?codigo=' <<<"$codes" | head -n 1)
host=$(grep '/presentador?clave=' <<<"$codes" | head -n 1)
[ -n "$audience" ] && [ -n "$host" ] || e2e_fail "the panel's QR codes did not read: $codes"
e2e_note "audience $audience"

VELTA_WINDOW=$VELTA_WINDOW timeout 180 node "$BROWSER_DIR/room.mjs" "$audience" "$host" "$shots" ||
    e2e_fail "the browser test failed"
kill -0 "$VELTA_PID" 2>/dev/null || e2e_fail "the program ended: $(tail -n 5 "$E2E_TMP/velta.log")"
echo "PASS: room"
