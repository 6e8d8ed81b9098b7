#!/usr/bin/env bash
# Synthesises the sounds that ship in the program folder, from sox's own generators only
# (synth tones and noise, fades, filters, reverb, gain, concatenation and mixing).
#
# Writes, below data/Audio:
#   WAV/intro.wav                 cheerful 6 s music bed for the cover screen; loops seamlessly
#   WAV/Presentacion.wav          brass fanfare for the first question of a game (~2.9 s)
#   WAV/comenzar.wav              short "question starts" sting (~1 s)
#   WAV/Respuesta en Tablero.wav  bright ding when an answer is uncovered (~1.1 s)
#   WAV/No esta.wav               harsh buzzer for a strike or a miss (~0.9 s)
#   WAV/rondafin.wav              win jingle when the pot goes to a team (~2 s)
#   WAV/Bell1.wav                 single high bell, fast-money score shown (~1.3 s)
#   WAV/Bell2.wav                 triple lower bell, fast-money clock runs out (~2.2 s)
#   WAV/Second.wav                clock tick, one per fast-money second (~0.1 s)
#   WAV/Pass.wav                  two-tone "next" blip for a repeated answer (~0.4 s)
#   WAV/Pulsador.wav              bright ring-in alarm, a face-off button pressed first (~0.7 s)
#   EFFECTS/Aplausos.mp3          applause from filtered noise bursts (~4 s)
#   EFFECTS/Abucheos.mp3          booing from low vowel-like voices (~3 s)
#
# WAV files are 16-bit PCM mono at 22050 Hz, normalised to -2 dBFS; the mp3 files are mono
# 44100 Hz, normalised to -2 dBFS before encoding. sox runs in repeatable mode and bash's
# random numbers are seeded, so every run writes the same sounds. Needs sox with mp3 support
# (Debian: sox libsox-fmt-mp3). Safe to run again: every output is simply rewritten.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wav_dir="$root/data/Audio/WAV"
fx_dir="$root/data/Audio/EFFECTS"
mkdir -p "$wav_dir" "$fx_dir"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

RANDOM=2718 # fixed seed: the applause and booing layouts come out the same every run
RATE=22050  # sample rate of the intermediate files of the sound being built

# A fresh intermediate file name (these hold 32-bit float, so nothing clips before the final
# gain). mktemp, because the name is taken in a command substitution's subshell.
tmpfile() { mktemp -p "$work" tXXXXXXXX.wav; }

# sox with the common options for intermediates: repeatable noise, mono float at $RATE.
gen() { sox -R -r "$RATE" -c 1 -n -e floating-point -b 32 "$@"; }

# Seconds given in thousandths -> samples at $RATE ("250" -> 5512 at 22050 Hz).
ms() { echo $(($1 * RATE / 1000)); }

# Note name (C4, F#3, Bb5) -> semitones from A4, the form sox's synth takes after "%".
semi() {
  local name=$1 letter=${1:0:1} rest=${1:1} acc=0 base
  case $rest in
    '#'*) acc=1 rest=${rest:1} ;;
    b*) acc=-1 rest=${rest:1} ;;
  esac
  case $letter in
    C) base=-9 ;; D) base=-7 ;; E) base=-5 ;; F) base=-4 ;;
    G) base=-2 ;; A) base=0 ;; B) base=2 ;;
    *) echo "bad note $name" >&2; return 1 ;;
  esac
  echo $((base + acc + (rest - 4) * 12))
}

# Envelope effects for a note of len samples:
#   pluck  - instant attack, exponential decay that has died away by the end of the note
#   ring   - instant attack, slower exponential decay, cut with a short fade at the end
#   brass  - soft attack, held, short release
envelope() {
  local kind=$1 len=$2 atk=$((RATE / 400))
  case $kind in
    pluck) echo "fade t ${atk}s fade l 0 ${len}s ${len}s" ;;
    ring) echo "fade t ${atk}s fade l 0 $((len * 3))s $((len * 3))s trim 0 ${len}s fade t 0 ${len}s $((len / 8))s" ;;
    brass) echo "fade q $((RATE / 60))s ${len}s $((len / 4 < RATE / 8 ? len / 4 : RATE / 8))s" ;;
  esac
}

# One note (or a chord written A4+C5+E5) of len samples: each note is the sum of the given
# waveforms ("square,triangle"), mixed equally at half scale, so filters that overshoot a
# little stay clear of the limits.
note() {
  local out=$1 waves=$2 env=$3 name=$4 len=$5 parts=() n w f raw
  IFS=',' read -r -a wlist <<<"$waves"
  IFS='+' read -r -a nlist <<<"$name"
  for n in "${nlist[@]}"; do
    for w in "${wlist[@]}"; do
      f=$(tmpfile)
      # A ringing note is made three times longer and cut, so it is still sounding at its end.
      raw=$len
      if [ "$env" = ring ]; then raw=$((len * 3)); fi
      # shellcheck disable=SC2046 # the envelope is a list of effect words
      gen "$f" synth "${raw}s" "$w" "%$(semi "$n")" vol 0.5 $(envelope "$env" "$len")
      parts+=("$f")
    done
  done
  if [ ${#parts[@]} -eq 1 ]; then
    cp "${parts[0]}" "$out"
  else
    sox -m "${parts[@]}" "$out"
  fi
}

# A voice: a sequence "NOTE:units NOTE:units r:units …" with one unit = $unit samples, so that
# every voice of a piece lines up to the sample. Extra arguments are effects for the voice.
voice() {
  local out=$1 waves=$2 env=$3 unit=$4 score=$5 parts=() tok name len f
  shift 5
  for tok in $score; do
    name=${tok%%:*}
    len=$((${tok##*:} * unit))
    f=$(tmpfile)
    if [ "$name" = r ]; then
      gen "$f" trim 0 "${len}s"
    else
      note "$f" "$waves" "$env" "$name" "$len"
    fi
    parts+=("$f")
  done
  sox "${parts[@]}" "$out" "$@"
}

# A drum voice: pattern of "x" (hit) and "." (rest), one unit each; the hit is cut to a unit.
drums() {
  local out=$1 hit=$2 unit=$3 pattern=$4 on off parts=() i
  on=$(tmpfile) off=$(tmpfile)
  sox "$hit" "$on" pad 0 "${unit}s" trim 0 "${unit}s"
  gen "$off" trim 0 "${unit}s"
  for ((i = 0; i < ${#pattern}; i++)); do
    if [ "${pattern:i:1}" = x ]; then parts+=("$on"); else parts+=("$off"); fi
  done
  sox "${parts[@]}" "$out"
}

# Sum of sine partials "freq:amplitude:ring-ms …", each with its own exponential decay.
partials() {
  local out=$1 total list=$3 parts=() p freq amp ring decay cut f
  total=$(ms "$2")
  for p in $list; do
    IFS=: read -r freq amp ring <<<"$p"
    f=$(tmpfile)
    # The exponential fade falls 100 dB over its length, so a length of 5/3 of the ring time
    # gives a 60 dB fall in that time. A partial that rings past the end is cut with a short
    # fade; the mix pads the shorter ones with silence.
    decay=$(ms $((ring * 5 / 3)))
    cut=$((decay < total ? decay : total))
    gen "$f" synth "${decay}s" sine "$freq" vol 0.35 fade t 20s fade l 0 "${decay}s" "${decay}s" \
      trim 0 "${cut}s" fade t 0 "${cut}s" "$(ms 30)s"
    parts+=(-v "$amp" "$f")
  done
  sox -m "${parts[@]}" "$out"
}

# Final 16-bit WAV at $RATE, peak at -2 dBFS.
finish_wav() {
  local in=$1 name=$2
  shift 2
  sox -R "$in" -r "$RATE" -b 16 -e signed-integer "$wav_dir/$name" "$@" gain -n -2
}

# Final mono mp3 at $RATE, peak at -2 dBFS before encoding (the decoded peak lands a little
# lower).
finish_mp3() {
  local in=$1 name=$2
  shift 2
  sox -R "$in" -r "$RATE" -C 96 --comment "" "$fx_dir/$name" "$@" gain -n -2
}

# ---------------------------------------------------------------------------------------------
# intro.wav: I-vi-IV-V in C at about 160 beats a minute, four bars. It is rendered twice in a
# row through reverb and compressor and the second pass is kept: the tails of its end are
# already present at its start, so the loop point is seamless.
make_intro() {
  RATE=22050
  local e=4134 # one eighth note in samples; 32 of them make the loop
  local mel bass comp kick hat snare tmp mix
  mel=$(tmpfile) bass=$(tmpfile) comp=$(tmpfile) kick=$(tmpfile) hat=$(tmpfile) snare=$(tmpfile)
  voice "$mel" square,triangle ring "$e" \
    "E5:1 G5:1 C6:2 B5:1 G5:1 E5:2
     A5:1 C6:1 E6:2 D6:1 C6:1 A5:2
     F5:1 A5:1 C6:1 A5:1 G5:1 F5:1 A5:2
     G5:1 B5:1 D6:1 B5:1 A5:1 G5:1 D5:2" lowpass 3500
  voice "$bass" triangle,sawtooth ring "$e" \
    "C3:2 C3:1 G3:1 C4:2 G3:2
     A2:2 A2:1 E3:1 A3:2 E3:2
     F2:2 F2:1 C3:1 F3:2 C3:2
     G2:2 G2:1 D3:1 G3:2 B2:2" lowpass 900
  voice "$comp" triangle,square pluck "$e" \
    "r:1 E4+G4+C5:1 r:1 E4+G4+C5:1 r:1 E4+G4+C5:1 r:1 E4+G4+C5:1
     r:1 E4+A4+C5:1 r:1 E4+A4+C5:1 r:1 E4+A4+C5:1 r:1 E4+A4+C5:1
     r:1 F4+A4+C5:1 r:1 F4+A4+C5:1 r:1 F4+A4+C5:1 r:1 F4+A4+C5:1
     r:1 D4+G4+B4:1 r:1 D4+G4+B4:1 r:1 D4+G4+B4:1 r:1 D4+G4+B4:1" lowpass 2500

  local k h s noise
  k=$(tmpfile) h=$(tmpfile) s=$(tmpfile) noise=$(tmpfile)
  gen "$noise" synth 1 whitenoise vol 0.5
  gen "$k" synth 0.16 sine 160-45 fade l 0 0.16 0.16
  sox "$noise" "$h" trim 0.1 0.04 highpass 7000 fade l 0 0.04 0.04
  sox "$noise" "$s" trim 0.4 0.14 bandpass 1900 0.9q fade l 0 0.14 0.14
  drums "$kick" "$k" "$e" "x...x...x...x...x...x...x...x..x"
  drums "$snare" "$s" "$e" "..x...x...x...x...x...x...x...xx"
  drums "$hat" "$h" "$e" "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"

  mix=$(tmpfile)
  sox -m -v 0.5 "$mel" -v 0.6 "$bass" -v 0.3 "$comp" -v 0.35 "$kick" -v 0.25 "$snare" \
    -v 0.08 "$hat" "$mix"
  tmp=$(tmpfile)
  sox "$mix" "$mix" "$tmp" gain -3 reverb 30 50 60 \
    compand 0.005,0.2 6:-60,-50,-20,-10,0,-5 -3 -90 0.005 trim "$((32 * e))s"
  finish_wav "$tmp" intro.wav
}

# Presentacion.wav: three-voice brass fanfare over a bass, with a cymbal on the last chord.
make_fanfare() {
  RATE=22050
  local u=2425 top mid low bass cym crash noise mix
  top=$(tmpfile) mid=$(tmpfile) low=$(tmpfile) bass=$(tmpfile) cym=$(tmpfile)
  voice "$top" sawtooth,square brass "$u" "C5:1 C5:1 C5:1 G5:4 E5:1 G5:1 C6:12" lowpass 3000
  voice "$mid" sawtooth brass "$u" "G4:1 G4:1 G4:1 E5:4 C5:1 E5:1 G5:12" lowpass 2500
  voice "$low" sawtooth brass "$u" "E4:1 E4:1 E4:1 C5:4 G4:1 C5:1 E5:12" lowpass 2200
  voice "$bass" sawtooth,triangle brass "$u" "C3:3 C3:4 G2:2 C3:12" lowpass 700
  noise=$(tmpfile) crash=$(tmpfile)
  gen "$noise" synth 2 whitenoise vol 0.5
  sox "$noise" "$crash" trim 0 1.6 highpass 4500 fade t 0.005 1.6 1.6
  sox "$crash" "$cym" pad "$((9 * u))s"
  mix=$(tmpfile)
  sox -m -v 0.4 "$top" -v 0.3 "$mid" -v 0.3 "$low" -v 0.4 "$bass" -v 0.08 "$cym" "$mix"
  finish_wav "$mix" Presentacion.wav pad 0 0.3 gain -3 reverb 40 50 70
}

# comenzar.wav: quick rising arpeggio that lands on a bright chord.
make_start() {
  RATE=22050
  local u=1323 lead chord mix
  lead=$(tmpfile) chord=$(tmpfile)
  voice "$lead" square,triangle ring "$u" "G4:1 C5:1 E5:1 G5:1 C6:10" lowpass 4500
  voice "$chord" triangle ring "$u" "r:4 C4+E5+G5:10"
  mix=$(tmpfile)
  sox -m -v 0.6 "$lead" -v 0.4 "$chord" "$mix"
  finish_wav "$mix" comenzar.wav pad 0 0.15 gain -3 reverb 25 40 50
}

# Respuesta en Tablero.wav: a bright ding (E6 with a slightly detuned twin for shimmer).
make_ding() {
  RATE=22050
  local d
  d=$(tmpfile)
  partials "$d" 1100 "1318.5:1:1000 1322.5:0.5:900 2637:0.45:600 3955.5:0.2:350 5537:0.12:200"
  finish_wav "$d" "Respuesta en Tablero.wav"
}

# No esta.wav: two detuned low tones and an octave above, overdriven into a rough buzz.
make_buzzer() {
  RATE=22050
  local a b c mix
  a=$(tmpfile) b=$(tmpfile) c=$(tmpfile)
  gen "$a" synth 0.9 sawtooth 92
  gen "$b" synth 0.9 square 97.5
  gen "$c" synth 0.9 sawtooth 184.6
  mix=$(tmpfile)
  sox -m -v 0.4 "$a" -v 0.3 "$b" -v 0.2 "$c" "$mix" overdrive 12 40 gain -6 lowpass 3200 \
    fade t 0.01 0.9 0.06
  finish_wav "$mix" "No esta.wav"
}

# rondafin.wav: short victory jingle, melody over chord stabs and a bass.
make_win() {
  RATE=22050
  local u=2205 lead chords bass sparkle mix
  lead=$(tmpfile) chords=$(tmpfile) bass=$(tmpfile) sparkle=$(tmpfile)
  voice "$lead" square,triangle ring "$u" "C5:1 E5:1 G5:1 C6:2 A5:1 B5:1 C6:10" lowpass 4000
  voice "$chords" triangle,sawtooth ring "$u" \
    "E4+G4+C5:2 E4+G4+C5:3 F4+A4+C5:1 G4+B4+D5:1 E4+G4+C5:10" lowpass 2500
  voice "$bass" triangle ring "$u" "C3:5 F2:1 G2:1 C3:10"
  voice "$sparkle" sine pluck "$u" "r:7 C7:1 G6:1 E6:1 C7:1 G6:1 E6:1 C7:4"
  mix=$(tmpfile)
  sox -m -v 0.5 "$lead" -v 0.3 "$chords" -v 0.5 "$bass" -v 0.15 "$sparkle" "$mix"
  finish_wav "$mix" rondafin.wav pad 0 0.3 gain -3 reverb 35 50 60
}

# Bell1.wav: one high bell stroke. Bell2.wav: three strokes of a lower bell, the last one
# left to ring out, so the clock running out sounds final.
make_bells() {
  RATE=22050
  local b1 b2 s2 s3 mix
  b1=$(tmpfile)
  partials "$b1" 1300 "523:0.3:1200 1046:1:1100 1255:0.35:700 1569:0.3:600 2092:0.5:500 2615:0.2:300 3138:0.12:200"
  finish_wav "$b1" Bell1.wav
  b2=$(tmpfile)
  partials "$b2" 1700 "196:0.35:1600 392:1:1500 470:0.4:1000 588:0.3:800 784:0.5:700 980:0.2:400 1176:0.15:300"
  # Each stroke lands while the one before still rings.
  s2=$(tmpfile) s3=$(tmpfile)
  sox "$b2" "$s2" pad 0.28
  sox "$b2" "$s3" pad 0.56
  mix=$(tmpfile)
  sox -m -v 0.6 "$b2" -v 0.75 "$s2" -v 1 "$s3" "$mix"
  finish_wav "$mix" Bell2.wav
}

# Second.wav: a dry clock tick, a click of noise over a short woody tone.
make_tick() {
  RATE=22050
  local n t mix
  n=$(tmpfile) t=$(tmpfile)
  gen "$n" synth 0.1 whitenoise vol 0.5 highpass 2500 fade l 0 0.1 0.1
  gen "$t" synth 0.1 sine 1750 fade l 0 0.1 0.1
  mix=$(tmpfile)
  sox -m -v 0.5 "$n" -v 0.5 "$t" "$mix"
  finish_wav "$mix" Second.wav
}

# Pass.wav: a quick low-high blip, "next answer".
make_pass() {
  RATE=22050
  local p
  p=$(tmpfile)
  voice "$p" triangle,sine ring "$(ms 10)" "E5:13 B5:25" lowpass 5000
  finish_wav "$p" Pass.wav pad 0 0.05
}

# Pulsador.wav: a bright fifth struck twice fast, then a higher one held: the room hears at
# once that a player rang in, and it cannot be mistaken for the low strike buzzer.
make_ring_in() {
  RATE=22050
  local r
  r=$(tmpfile)
  voice "$r" square,sawtooth ring "$(ms 10)" "A5+E6:7 r:2 A5+E6:7 r:2 C#6+A6:45" lowpass 6000
  finish_wav "$r" Pulsador.wav pad 0 0.05
}

# Aplausos.mp3: twenty clappers, each clapping at its own pace with a little timing jitter,
# every clap a short slice of noise band-passed around its own pitch; a soft noise wash under
# them, the crowd starting together and dropping off one by one at the end.
make_applause() {
  RATE=44100
  local noise wash clappers=() c k period cf start stop t gap off clap seg segs mix
  noise=$(tmpfile) wash=$(tmpfile)
  gen "$noise" synth 12 whitenoise vol 0.5
  gen "$wash" synth 4.4 pinknoise bandpass 1600 0.7q fade t 0.25 4.4 1.7
  for ((c = 0; c < 20; c++)); do
    period=$((190 + RANDOM % 110)) # ms between claps of this clapper
    cf=$((900 + RANDOM % 1900))    # band centre of this clapper's hands, Hz
    start=$((RANDOM % 250))
    stop=$((2800 + RANDOM % 1300))
    segs=()
    seg=$(tmpfile)
    gen "$seg" trim 0 "$(ms "$start")s"
    segs+=("$seg")
    t=$start
    while [ $t -lt $stop ]; do
      gap=$((period - 25 + RANDOM % 51))
      off=$((RANDOM % 11000))
      clap=$(tmpfile)
      # A clap: 2 ms rise, then a quick decay, padded with silence up to the next clap.
      sox "$noise" "$clap" trim "$(ms "$off")s" "$(ms 60)s" bandpass "$cf" 1.1q \
        fade t 88s fade l 0 "$(ms 60)s" "$(ms 60)s" pad 0 "$(ms $((gap - 60)))s" \
        vol "0.$((6 + RANDOM % 4))"
      segs+=("$clap")
      t=$((t + gap))
    done
    k=$(tmpfile)
    sox "${segs[@]}" "$k"
    clappers+=(-v 0.12 "$k")
  done
  mix=$(tmpfile)
  sox -m "${clappers[@]}" -v 0.2 "$wash" "$mix" highpass 250 gain -3 reverb 30 50 80 \
    fade t 0 4.2 0.8
  finish_mp3 "$mix" Aplausos.mp3
}

# Abucheos.mp3: a handful of low voices on an "oo" vowel, each sliding down in pitch and
# wobbling at its own rate, over a breathy noise.
make_boos() {
  RATE=44100
  local voices=() v f0 f1 start len w breath mix
  for ((v = 0; v < 9; v++)); do
    f0=$((105 + RANDOM % 75))
    f1=$((f0 * 78 / 100))
    start=$((RANDOM % 400))
    len=$((2200 + RANDOM % 500))
    w=$(tmpfile)
    gen "$w" synth "$(ms "$len")s" sawtooth "$f0-$f1" vol 0.25 lowpass 1000 lowpass 1000 \
      equalizer 320 1.2q 8 equalizer 800 2q 3 tremolo "$((4 + RANDOM % 4)).$((RANDOM % 10))" 25 \
      fade q 0.25 "$(ms "$len")s" 0.7 pad "$(ms "$start")s"
    voices+=(-v 0.25 "$w")
  done
  breath=$(tmpfile)
  gen "$breath" synth 3.2 pinknoise lowpass 700 fade q 0.3 3.2 1
  mix=$(tmpfile)
  sox -m "${voices[@]}" -v 0.04 "$breath" "$mix" highpass 70 gain -3 reverb 40 50 80 fade t 0 3.1 0.2
  finish_mp3 "$mix" Abucheos.mp3
}

make_intro
make_fanfare
make_start
make_ding
make_buzzer
make_win
make_bells
make_tick
make_pass
make_ring_in
make_applause
make_boos

for f in "$wav_dir"/*.wav "$fx_dir"/*.mp3; do
  printf '%-30s %6.2f s\n' "$(basename "$f")" "$(sox --i -D "$f")"
done
