#!/usr/bin/env bash
# The real voices, end to end: the built program, started from a copy of its folder under
# Xvfb with a PulseAudio null sink, is silent at first, loops the intro from about one
# second after start, plays the sound of bank slot 1 over the intro when the operator types
# 6 on the board, and falls silent when the operator types D.
#
# The bank, restored at start-up, holds a tone on the left channel only while the intro is
# the same on both: the right channel carries the intro alone, left minus right the bank
# sound alone.
#
#   bash tests/e2e/sound.sh <program folder> <build folder>
set -uo pipefail

source "$(dirname "$0")/../../scripts/e2e-env.sh"

program=${1:?usage: sound.sh <program folder> <build folder>}
# RMS amplitudes: the shipped intro is about 0.1; a null sink that plays nothing gives 0.
silence=0.003
heard=0.02

start_xvfb
start_pulse
folder="$E2E_TMP/VELTA"
copy_program_folder "$program" "$folder"
# A theme was accepted before, so no theme dialog opens over the board.
touch "$folder/getparam.lic"
tone="$folder/Audio/EFFECTS/izquierda.wav"
sox -n -r 44100 -c 2 -b 16 "$tone" synth 8 sine 700 gain -6 remix 1 0 ||
    e2e_fail "cannot write the bank's tone"
printf '%s\r\n' "$tone" "" "" "" "" "" "" "" "" "" >"$folder/Config/e2e.bso"
printf '%s' "$folder/Config/e2e.bso" >"$folder/Config/BancoSonido.txt"

recording="$E2E_TMP/sound.wav"
start_recording "$recording"
started_at=$(recording_position "$recording")
start_velta "$folder"

# Let the intro play for a while, then 6, then D.
until is_above "$(velta_elapsed)" 4.0; do
    sleep 0.1
done
kill -0 "$VELTA_PID" 2>/dev/null || e2e_fail "VELTA ended: $(tail -n 5 "$E2E_TMP/velta.log")"
bank_at=$(recording_position "$recording")
type_key 6
sleep 2
typed_at=$(recording_position "$recording")
type_key d
sleep 2
stop_recording
screenshot "$E2E_TMP/board.png"

at() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'
}

# RMS amplitude of $3 seconds from second $2 on of the recording $1, its channels mixed by
# sox's remix $4.
rms_mixed() {
    sox "$1" -n trim "$2" "$3" remix "$4" stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'
}

# The same for the quietest 50 ms of those seconds: a gap in a sound shows there.
quietest_mixed() {
    sox "$1" -t dat - trim "$2" "$3" remix "$4" 2>/dev/null | awk '
        /^;/ { next }
        {
            window = int($1 / 0.05)
            if (window != current) {
                if (n > 0 && (least == "" || sqrt(sum / n) < least)) least = sqrt(sum / n)
                current = window; sum = 0; n = 0
            }
            sum += $2 * $2; n++
        }
        END { printf "%.6f\n", least }'
}

# The recording's clock runs up to about 0.1 s behind: windows keep that margin.
before_intro=$(rms_of "$recording" "$(at "$started_at" 0.1)" 0.7)
onset=$(sound_onset "$recording" "$(at "$started_at" 0.1)" "$heard")
after_d=$(rms_of "$recording" "$(at "$typed_at" 0.6)" 1.2)
bank_before=$(rms_mixed "$recording" "$(at "$bank_at" -0.8)" 0.6 1,2v-1)
bank_after=$(rms_mixed "$recording" "$(at "$bank_at" 0.4)" 1.2 1,2v-1)
intro_with_bank=$(rms_mixed "$recording" "$(at "$bank_at" 0.4)" 1.2 2)
# The decoded start of a bank sound is one second long; the rest of the file follows it.
bank_gap=$(quietest_mixed "$recording" "$(at "$bank_at" 0.4)" 1.4 1,2v-1)
e2e_note "start at ${started_at}s, 6 at ${bank_at}s, D at ${typed_at}s of the recording"
e2e_note "RMS before the intro $before_intro, intro onset ${onset}s, RMS after D $after_d"
e2e_note "bank sound (left - right) before 6 $bank_before, after 6 $bank_after, quietest 50 ms $bank_gap; intro (right) after 6 $intro_with_bank"

failed=0
if is_above "$before_intro" "$silence"; then
    echo "FAIL: sound in the first 0.8 s after start (RMS $before_intro)" >&2
    failed=1
fi
if [ "$onset" = none ]; then
    echo "FAIL: the intro is never heard" >&2
    failed=1
else
    since_start=$(awk -v o="$onset" -v s="$started_at" 'BEGIN { printf "%.2f", o - s }')
    e2e_note "intro heard ${since_start}s after start"
    if ! is_above "$since_start" 0.8 || is_above "$since_start" 3.0; then
        echo "FAIL: the intro starts ${since_start}s after start, not between 1 and 3 s" >&2
        failed=1
    fi
    # Still playing just before D, so D is what silenced it.
    before_d=$(rms_of "$recording" "$(at "$typed_at" -0.8)" 0.6)
    if ! is_above "$before_d" "$heard"; then
        echo "FAIL: the intro is not playing before D (RMS $before_d)" >&2
        failed=1
    fi
fi
if is_above "$bank_before" "$silence"; then
    echo "FAIL: the bank sound is heard before 6 (RMS $bank_before)" >&2
    failed=1
fi
if ! is_above "$bank_after" "$heard"; then
    echo "FAIL: key 6 does not play bank slot 1 (RMS $bank_after)" >&2
    failed=1
fi
if ! is_above "$bank_gap" "$heard"; then
    echo "FAIL: the bank sound breaks off within its first two seconds (RMS $bank_gap)" >&2
    failed=1
fi
if ! is_above "$intro_with_bank" "$heard"; then
    echo "FAIL: the intro stops when the bank sound starts (RMS $intro_with_bank)" >&2
    failed=1
fi
if is_above "$after_d" "$silence"; then
    echo "FAIL: sound goes on after D (RMS $after_d)" >&2
    failed=1
fi
kill -0 "$VELTA_PID" 2>/dev/null || {
    echo "FAIL: VELTA ended during the test: $(tail -n 5 "$E2E_TMP/velta.log")" >&2
    failed=1
}
[ "$failed" -eq 0 ] && echo "PASS: intro heard after start, bank slot 1 over it on 6, both silenced by D"
exit "$failed"
