#!/usr/bin/env bash
# A power cut in the middle of a game: the real program is killed with SIGKILL after an
# award and a reveal, started again, and the operator answers the question to continue with
# Return ("Sí" is its default button). The scores and the pot must come back on the board
# as they were. Screenshots are kept under <build folder>/screenshots/e2e_recover_*.png.
#
#   bash tests/e2e/recover.sh <program folder> <build folder>
set -uo pipefail

source "$(dirname "$0")/../../scripts/e2e-env.sh"

program=${1:?usage: recover.sh <program folder> <build folder>}
build=${2:?usage: recover.sh <program folder> <build folder>}
shots="$build/screenshots"
mkdir -p "$shots" || e2e_fail "cannot create $shots"

start_xvfb
start_pulse
folder="$E2E_TMP/VELTA"
copy_program_folder "$program" "$folder"
touch "$folder/getparam.lic"
rm -f "$folder/Config/Partida.txt"

start_velta "$folder"
eval "$(xdotool getwindowgeometry --shell "$VELTA_WINDOW")"
board_x=$X
board_y=$Y
sleep 2
for key in s 1 z s 2; do
    type_key "$key"
    sleep 0.6
done
sleep 3.5  # the splashes are over
screenshot "$shots/e2e_recover_1_before.png"
[ -s "$folder/Config/Partida.txt" ] || e2e_fail "the game in progress was not kept on disk"

kill -KILL "$VELTA_PID"
wait "$VELTA_PID" 2>/dev/null
[ -f "$folder/Config/Partida.txt" ] || e2e_fail "the kept game went with the program"

start_velta "$folder"
question=$(timeout 15 xdotool search --sync --onlyvisible --name '^Advertencia$' | head -n 1)
[ -n "$question" ] || {
    screenshot "$shots/e2e_recover_no_question.png"
    e2e_fail "the next start did not offer to continue"
}
sleep 0.5
xdotool windowfocus "$question" && sleep 0.2 && xdotool key --clearmodifiers Return ||
    e2e_fail "cannot answer the question"
sleep 1.5
screenshot "$shots/e2e_recover_2_after.png"

# Pixels of an area of the board (W x H + x + y in board coordinates) that differ between
# the two screenshots.
difference() {
    local size=${1%%+*} offset=${1#*+}
    local crop="${size}+$((board_x + ${offset%%+*}))+$((board_y + ${offset#*+}))"
    convert "$shots/e2e_recover_1_before.png" -crop "$crop" +repage "$E2E_TMP/a.png"
    convert "$shots/e2e_recover_2_after.png" -crop "$crop" +repage "$E2E_TMP/b.png"
    compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1 | cut -d' ' -f1
}

failed=0
for area in "145x70+13+291:left score" "145x70+1014+291:right score" "145x70+739+39:pot" \
    "798x454+185+135:board"; do
    pixels=$(difference "${area%%:*}")
    if [ "$pixels" != 0 ]; then
        echo "FAIL: the ${area#*:} differs after the restart ($pixels pixels)" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "PASS: the game came back after a kill"
exit "$failed"
