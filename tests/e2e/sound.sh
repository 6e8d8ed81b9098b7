#!/usr/bin/env bash
# The real voices, end to end: the built program, started from a copy of its folder under
# Xvfb with a PulseAudio null sink, is silent at first, loops the intro from about one
# second after start, and falls silent when the operator types D on the board.
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

recording="$E2E_TMP/sound.wav"
start_recording "$recording"
started_at=$(recording_position "$recording")
start_velta "$folder"

# Let the intro play for a while, then D.
until is_above "$(velta_elapsed)" 4.0; do
    sleep 0.1
done
kill -0 "$VELTA_PID" 2>/dev/null || e2e_fail "VELTA ended: $(tail -n 5 "$E2E_TMP/velta.log")"
typed_at=$(recording_position "$recording")
type_key d
sleep 2
stop_recording
screenshot "$E2E_TMP/board.png"

at() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'
}

# The recording's clock runs up to about 0.1 s behind: windows keep that margin.
before_intro=$(rms_of "$recording" "$(at "$started_at" 0.1)" 0.7)
onset=$(sound_onset "$recording" "$(at "$started_at" 0.1)" "$heard")
after_d=$(rms_of "$recording" "$(at "$typed_at" 0.6)" 1.2)
e2e_note "start at ${started_at}s, D at ${typed_at}s of the recording"
e2e_note "RMS before the intro $before_intro, intro onset ${onset}s, RMS after D $after_d"

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
if is_above "$after_d" "$silence"; then
    echo "FAIL: sound goes on after D (RMS $after_d)" >&2
    failed=1
fi
kill -0 "$VELTA_PID" 2>/dev/null || {
    echo "FAIL: VELTA ended during the test: $(tail -n 5 "$E2E_TMP/velta.log")" >&2
    failed=1
}
[ "$failed" -eq 0 ] && echo "PASS: intro heard after start and silenced by D"
exit "$failed"
