#!/usr/bin/env bash
# A short game played with real keys on the built program: two questions with reveals, a
# strike, the pot to the left and to the right, the reassign panel's "<<" and ">>", the cover
# and back; then T opens the control window and a third question is played on its keys; E
# typed there is answered Yes. The program must end cleanly, the commands must be heard on
# the PulseAudio null sink, and the board must show what the keys did. Screenshots of each
# step are kept for review under <build folder>/screenshots/e2e_game_*.png.
#
#   bash tests/e2e/game.sh <program folder> <build folder>
set -uo pipefail

source "$(dirname "$0")/../../scripts/e2e-env.sh"

program=${1:?usage: game.sh <program folder> <build folder>}
build=${2:?usage: game.sh <program folder> <build folder>}
# RMS amplitudes: the shipped effects are about 0.1; a null sink that plays nothing gives 0.
silence=0.003
heard=0.02

shots="$build/screenshots"
mkdir -p "$shots" || e2e_fail "cannot create $shots"
rm -f "$shots"/e2e_game_*.png

failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# Room for the board and the control window side by side.
export E2E_SCREEN=2100x1100
start_xvfb
start_pulse
folder="$E2E_TMP/VELTA"
copy_program_folder "$program" "$folder"
# A theme was accepted before, so no theme dialog opens over the board.
touch "$folder/getparam.lic"
rm -rf "$folder/Rondas"
mkdir -p "$folder/Rondas"
write_round "$folder/Rondas/ronda1.txt" "¿Qué llevas a la playa?" "Bloqueador,40" "Toalla,25" \
    "Sombrilla,20" "Lentes,10" "Gorra,5"
write_round "$folder/Rondas/ronda2.txt" "Menciona una fruta roja" "Fresa,50" "Manzana,30" \
    "Cereza,20"
write_round "$folder/Rondas/ronda3.txt" "Un animal de granja" "Vaca,40" "Gallina,30" "Cerdo,15" \
    "Caballo,10" "Oveja,5"

recording="$E2E_TMP/game.wav"
start_recording "$recording"
start_velta "$folder"
eval "$(xdotool getwindowgeometry --shell "$VELTA_WINDOW")"
board_x=$X
board_y=$Y
e2e_note "board at ${board_x},${board_y}, ${WIDTH}x${HEIGHT}"

step=0
shot() {
    step=$((step + 1))
    local file
    file=$(printf '%s/e2e_game_%02d_%s.png' "$shots" "$step" "$1")
    screenshot "$file"
    LAST_SHOT=$file
}

# Pixels of the area $2 (W x H + x + y in board coordinates) of the screenshot $1.
crop() {
    local size=${2%%+*} offset=${2#*+}
    convert "$1" -crop "${size}+$((board_x + ${offset%%+*}))+$((board_y + ${offset#*+}))" \
        +repage "$3"
}

# Number of pixels that differ between the same area of two screenshots.
area_difference() {
    crop "$1" "$3" "$E2E_TMP/a.png"
    crop "$2" "$3" "$E2E_TMP/b.png"
    compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1 | cut -d' ' -f1
}

at() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'
}

# Types a command key and checks that its sound starts within a second; $2 is how long
# to let it play before the next step, $3 says the sink should be quiet before the key.
play_key() {
    local key=$1 pause=$2 quiet_before=${3:-yes}
    local typed
    typed=$(recording_position "$recording")
    type_key "$key"
    sleep "$pause"
    if [ "$quiet_before" = yes ]; then
        local before
        before=$(rms_of "$recording" "$(at "$typed" -0.5)" 0.4)
        is_above "$before" "$silence" && fail "sound before the key $key (RMS $before)"
    fi
    local onset
    onset=$(sound_onset "$recording" "$typed" "$heard")
    if [ "$onset" = none ] || is_above "$onset" "$(at "$typed" 1.0)"; then
        fail "no sound within a second of the key $key (onset $onset, typed at ${typed}s)"
    fi
}

# Score boxes, in board coordinates: the stage starts 39 pixels down.
left_score=145x70+13+291
right_score=145x70+1014+291
stage=1156x645+0+39

sleep 2
shot cover

# First question: two answers (40 + 25), a strike, the pot to the left.
play_key s 3.2 no
shot question1
play_key 1 1.6
play_key 2 1.6
shot revealed
play_key x 0.5
shot strike
sleep 1.5
play_key z 2.8
shot left_65

# Second question: answers 1 and 3 (50 + 20) to the right.
play_key s 3.2
play_key 1 1.6
play_key 3 1.6
play_key c 2.8
shot right_70
before_moves=$LAST_SHOT

# B opens the reassign panel with the focus on "<<": the 70 move to the left; then Tab to
# ">>" brings them back.
type_key b
sleep 0.5
shot reassign_panel
type_key space
sleep 0.5
shot moved_left
moved_left=$LAST_SHOT
type_key Tab
type_key space
sleep 0.5
shot moved_right
moved_right=$LAST_SHOT
[ "$(area_difference "$before_moves" "$moved_left" "$right_score")" != 0 ] ||
    fail "\"<<\" did not change the right score"
[ "$(area_difference "$before_moves" "$moved_left" "$left_score")" != 0 ] ||
    fail "\"<<\" did not change the left score"
for area in "$left_score" "$right_score"; do
    [ "$(area_difference "$before_moves" "$moved_right" "$area")" = 0 ] ||
        fail "\">>\" did not bring the scores back ($area)"
done

# The cover and back: the same card, answers and scores.
type_key b
sleep 0.5
shot panel_closed
before_cover=$LAST_SHOT
type_key g
sleep 0.5
shot cover_again
[ "$(area_difference "$before_cover" "$LAST_SHOT" "$stage")" != 0 ] ||
    fail "G did not show the cover"
type_key g
sleep 0.5
shot game_again
[ "$(area_difference "$before_cover" "$LAST_SHOT" "$stage")" = 0 ] ||
    fail "G twice did not bring back the same board"

# T opens the control window; the third question is played on its keys while the board
# shows it to the audience.
type_key t
console=$(timeout 10 xdotool search --sync --onlyvisible --name 'Tablero de Control' | head -n 1)
if [ -z "$console" ]; then
    shot no_console
    e2e_fail "T did not open the control window"
fi
xdotool windowmove "$VELTA_WINDOW" 0 0 && xdotool windowmove "$console" 1180 0 ||
    e2e_fail "cannot place the windows side by side"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$VELTA_WINDOW")"
board_x=$X
board_y=$Y
KEY_WINDOW=$console
shot console_open
before_console=$LAST_SHOT
play_key s 3.2
play_key 1 1.6
play_key 2 1.6
shot console_revealed
play_key z 2.8
shot console_game
[ "$(area_difference "$before_console" "$LAST_SHOT" "$left_score")" != 0 ] ||
    fail "Z on the control window did not change the left score"
[ "$(area_difference "$before_console" "$LAST_SHOT" "$stage")" != 0 ] ||
    fail "S on the control window did not change the board"
cp "$LAST_SHOT" "$shots/e2e_console_and_board.png"

# E asks "¿Desea salir del juego?" with the focus on No; Tab reaches the other button, Yes,
# whatever the language of its caption, and space presses it.
type_key e
question=$(timeout 10 xdotool search --sync --onlyvisible --name '^Advertencia$' | head -n 1)
if [ -z "$question" ]; then
    shot no_question
    e2e_fail "E did not ask before leaving"
fi
sleep 0.5
shot exit_question
xdotool windowfocus "$question" && sleep 0.2 && xdotool key --clearmodifiers Tab space ||
    e2e_fail "cannot answer the question"
asked_at=$SECONDS
for _ in $(seq 50); do
    kill -0 "$VELTA_PID" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$VELTA_PID" 2>/dev/null; then
    shot still_running
    e2e_fail "VELTA is still running 5 s after Yes"
fi
wait "$VELTA_PID"
status=$?
stop_recording
e2e_note "VELTA ended $((SECONDS - asked_at)) s after Yes with status $status"
[ "$status" -eq 0 ] || fail "VELTA ended with status $status: $(tail -n 5 "$E2E_TMP/velta.log")"

overall=$(rms_of "$recording")
e2e_note "RMS of the whole game $overall"
is_above "$overall" "$heard" || fail "the game was not heard (RMS $overall)"

[ "$failed" -eq 0 ] && echo "PASS: a short game played, heard and left with E"
exit "$failed"
