#!/usr/bin/env bash
# Face-off buzzers on phones: the built program under Xvfb opens its room at start with a
# fixed code (its settings say so); two phone-sized pages in Debian's chromium, driven by
# playwright-core, take a seat each; S and L are typed on the board; a press before L locks
# its player out and the first press after it wins (see tests/browser/buzzer.mjs). Here the
# board window's screenshots taken during the win must show the left score box in the left
# team's green, and the program must still run. Everything runs in a network namespace of
# its own, as in room.sh. Screenshots are kept under <build folder>/screenshots/buzzer_*.png.
#
#   bash tests/e2e/buzzer.sh <program folder> <build folder>
set -uo pipefail

if [ -z "${VELTA_ROOM_NAMESPACE:-}" ]; then
    exec env VELTA_ROOM_NAMESPACE=1 unshare -n bash "$0" "$@"
fi

source "$(dirname "$0")/../../scripts/e2e-env.sh"

program=${1:?usage: buzzer.sh <program folder> <build folder>}
build=${2:?usage: buzzer.sh <program folder> <build folder>}
start_room_network

shots="$build/screenshots"
mkdir -p "$shots" || e2e_fail "cannot create $shots"
rm -f "$shots"/buzzer_*.png

code=482915
left_team="Los Búhos"
right_team="Las Garzas"

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
write_round "$folder/Config/Equipos.txt" "$left_team" "$right_team"
printf '8080\r\n1\r\n%s\r\n' "$code" >"$folder/Config/Sala.txt"

start_velta "$folder"
eval "$(xdotool getwindowgeometry --shell "$VELTA_WINDOW")"
board_x=$X
board_y=$Y
e2e_note "board at ${board_x},${board_y}, ${WIDTH}x${HEIGHT}"

VELTA_WINDOW=$VELTA_WINDOW VELTA_LOG="$E2E_TMP/velta.log" timeout 240 \
    node "$BROWSER_DIR/buzzer.mjs" "http://10.98.0.1:8080" "$code" "$shots" \
    "$left_team" "$right_team" ||
    e2e_fail "the browser test failed: $(tail -n 5 "$E2E_TMP/velta.log")"

# The left score box (Panel3: 145x70 at 13,252 on the stage, which starts 39 pixels down).
# The board blinks it, so one of the shots taken during the three seconds must have it
# mostly in the left team's green, dark or light.
green_share() {
    convert "$1" -crop "145x70+$((board_x + 13))+$((board_y + 291))" +repage -depth 8 txt:- |
        awk -F'[(),]' '
            NR > 1 {
                r = $3; g = $4; b = $5
                d1 = (r - 10) ^ 2 + (g - 130) ^ 2 + (b - 85) ^ 2
                d2 = (r - 120) ^ 2 + (g - 255) ^ 2 + (b - 160) ^ 2
                if (d1 < 2500 || d2 < 2500) near++
                n++
            }
            END { printf "%.2f", n ? near / n : 0 }'
}
flashed=
for shot in "$shots"/buzzer_board_*.png; do
    share=$(green_share "$shot")
    e2e_note "$(basename "$shot"): left score box ${share} green"
    is_above "$share" 0.5 && flashed=$shot
done
[ -n "$flashed" ] || e2e_fail "the board's left score box did not flash in the left team's green"

kill -0 "$VELTA_PID" 2>/dev/null || e2e_fail "the program ended: $(tail -n 5 "$E2E_TMP/velta.log")"
echo "PASS: buzzer"
