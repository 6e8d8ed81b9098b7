# Helpers for the end-to-end tests: a private X server, a private PulseAudio server with a
# null sink, recording that sink, and running VELTA from a copy of its program folder.
#
#   source "$(dirname "$0")/../../scripts/e2e-env.sh"
#   start_xvfb; start_pulse
#   copy_program_folder "$1" "$E2E_TMP/VELTA"; start_velta "$E2E_TMP/VELTA"
#
# Every start function exits the test with status 1 and a message when its server does not
# come up: an end-to-end test fails, it never skips. Everything started here is stopped by
# the EXIT trap that sourcing this file installs.

E2E_TMP=$(mktemp -d /tmp/velta-e2e.XXXXXX)
E2E_PIDS=()
RECORD_PID=
VELTA_PID=
VELTA_WINDOW=
VELTA_SINK=velta_sink
# What parec records: 16-bit stereo at 44.1 kHz, so a file's size tells its length.
RECORD_BYTES_PER_SECOND=176400

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

e2e_note() {
    echo "# $*" >&2
}

e2e_cleanup() {
    local status=$? pid i
    set +e
    [ -n "$RECORD_PID" ] && kill -INT "$RECORD_PID" 2>/dev/null
    # The program first, the servers it talks to last.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null
    done
    for pid in "${E2E_PIDS[@]}"; do
        for _ in $(seq 20); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null
    done
    if [ -n "${E2E_KEEP:-}" ]; then
        e2e_note "kept $E2E_TMP"
    else
        rm -rf "$E2E_TMP"
    fi
    exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM

# Waits up to $1 seconds for the command that follows to succeed.
e2e_wait_for() {
    e2e_wait_while_alive "" "$@"
}

# The same, giving up early when the process $1 (if not empty) has ended.
e2e_wait_while_alive() {
    local pid=$1 seconds=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Starts Xvfb on a free display (of the size E2E_SCREEN, 1280x1024 unless set) and exports
# DISPLAY.
start_xvfb() {
    command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed"
    # The program must reach this X server, whatever platform the caller's shell chose.
    unset QT_QPA_PLATFORM
    local displayfile="$E2E_TMP/display"
    : >"$displayfile"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$displayfile" \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local xvfb=$!
    e2e_wait_while_alive "$xvfb" 30 grep -q '[0-9]' "$displayfile" ||
        e2e_fail "Xvfb did not start: $(tail -n 5 "$E2E_TMP/xvfb.log")"
    kill -0 "$xvfb" 2>/dev/null || e2e_fail "Xvfb exited: $(tail -n 5 "$E2E_TMP/xvfb.log")"
    export DISPLAY=":$(tr -dc '0-9' <"$displayfile")"
    e2e_wait_for 30 xdpyinfo || e2e_fail "X display $DISPLAY does not answer"
    e2e_note "Xvfb on $DISPLAY"
}

# For the room's tests, run inside a network namespace of their own (unshare -n): checks
# that Debian's chromium and playwright-core are there (sets BROWSER_DIR, the folder of the
# browser tests), brings up the loopback and makes a pair of virtual interfaces, 10.98.0.1
# and 10.98.0.2, the only network the room can be reached on.
start_room_network() {
    BROWSER_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/browser" && pwd)"
    [ -d "$BROWSER_DIR/node_modules/playwright-core" ] ||
        e2e_fail "playwright-core is not installed (scripts/install-deps.sh)"
    [ -x /usr/bin/chromium ] || e2e_fail "chromium is not installed (scripts/install-deps.sh)"
    ip link set lo up || e2e_fail "cannot bring up the namespace's loopback"
    ip link add velta0 type veth peer name velta1 &&
        ip addr add 10.98.0.1/24 dev velta0 && ip addr add 10.98.0.2/24 dev velta1 &&
        ip link set velta0 up && ip link set velta1 up ||
        e2e_fail "cannot make the namespace's virtual network"
}

# Starts a PulseAudio server of our own with the null sink velta_sink as default output.
# The runtime folder is private, so the server, and VELTA's single-copy lock, never meet
# those of a desktop session.
start_pulse() {
    command -v pulseaudio >/dev/null || e2e_fail "pulseaudio is not installed"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset PULSE_SERVER
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
        -L "module-null-sink sink_name=$VELTA_SINK" -L module-native-protocol-unix \
        >"$E2E_TMP/pulse.log" 2>&1 &
    E2E_PIDS+=($!)
    local pulse=$!
    e2e_wait_while_alive "$pulse" 30 pactl info ||
        e2e_fail "PulseAudio did not start: $(tail -n 5 "$E2E_TMP/pulse.log")"
    kill -0 "$pulse" 2>/dev/null || e2e_fail "PulseAudio exited: $(tail -n 5 "$E2E_TMP/pulse.log")"
    pactl set-default-sink "$VELTA_SINK" || e2e_fail "no null sink $VELTA_SINK"
    e2e_note "PulseAudio in $XDG_RUNTIME_DIR"
}

e2e_file_size() {
    stat -c %s "$1" 2>/dev/null || echo 0
}

# Starts recording the sink's monitor into the WAV file $1 and returns once sound data
# arrives (parec takes about a second to connect); tries three times.
start_recording() {
    local out=$1
    local attempt
    for attempt in 1 2 3; do
        rm -f "$out"
        parec --device="$VELTA_SINK.monitor" --latency-msec=50 --format=s16le --rate=44100 \
            --channels=2 --file-format=wav "$out" 2>>"$E2E_TMP/parec.log" &
        RECORD_PID=$!
        if e2e_wait_for 10 e2e_has_audio "$out"; then
            return 0
        fi
        kill -INT "$RECORD_PID" 2>/dev/null
        wait "$RECORD_PID" 2>/dev/null
        RECORD_PID=
        e2e_note "recording attempt $attempt did not connect"
    done
    e2e_fail "cannot record $VELTA_SINK.monitor: $(tail -n 5 "$E2E_TMP/parec.log")"
}

e2e_has_audio() {
    [ "$(e2e_file_size "$1")" -gt 1000 ]
}

# Seconds of sound recorded so far into the file $1 (parec writes as it receives, within
# about 50 ms).
recording_position() {
    local bytes
    bytes=$(e2e_file_size "$1")
    awk -v b="$bytes" -v r="$RECORD_BYTES_PER_SECOND" 'BEGIN { printf "%.3f", (b - 44) / r }'
}

# Ends the recording and lets parec write the WAV header.
stop_recording() {
    [ -n "$RECORD_PID" ] || return 0
    kill -INT "$RECORD_PID" 2>/dev/null
    wait "$RECORD_PID" 2>/dev/null
    RECORD_PID=
}

# Records $1 seconds of the sink into the WAV file $2.
record_sink() {
    start_recording "$2"
    sleep "$1"
    stop_recording
}

# RMS amplitude (0 to 1) of the WAV file $1, or of $3 seconds from second $2 on.
rms_of() {
    local file=$1
    local trim=()
    if [ $# -ge 2 ]; then
        trim=(trim "$2")
        [ $# -ge 3 ] && trim+=("$3")
    fi
    sox "$file" -n "${trim[@]}" stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'
}

# Second (from the start of the WAV file $1) at which sound first rises above the RMS
# amplitude $3 in a 50 ms window, looking from second $2 on; "none" when it never does.
sound_onset() {
    sox "$1" -t dat -c 1 - trim "$2" 2>/dev/null | awk -v from="$2" -v limit="$3" '
        /^;/ { next }
        {
            window = int($1 / 0.05)
            if (window != current) {
                if (n > 0 && sqrt(sum / n) > limit) { found = 1; exit }
                current = window; sum = 0; n = 0
            }
            sum += $2 * $2; n++
        }
        END {
            if (!found && n > 0 && sqrt(sum / n) > limit) found = 1
            if (found) printf "%.2f\n", from + current * 0.05; else print "none"
        }'
}

# Succeeds when the number $1 is above $2 (awk, so decimals work).
is_above() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'
}

screenshot() {
    import -window root "$1" || e2e_fail "screenshot $1 failed"
}

# Copies the built program folder $1 to $2, so a test never changes the build.
# A round file as the editor writes it: Windows-1252, CR LF between lines.
write_round() {
    local file=$1
    shift
    local IFS=$'\n'
    printf '%s' "$*" | sed 's/$/\r/; $ s/\r$//' | iconv -f UTF-8 -t WINDOWS-1252 >"$file" ||
        e2e_fail "cannot write $file"
}

copy_program_folder() {
    [ -x "$1/velta" ] || e2e_fail "no program in $1 (build the velta target first)"
    mkdir -p "$2"
    cp -a "$1/." "$2/" || e2e_fail "cannot copy $1 to $2"
}

# Starts ./velta in the folder $1 (also its current folder) and waits for the board
# window. Sets VELTA_PID, VELTA_WINDOW and VELTA_START (seconds since the epoch).
start_velta() {
    local dir=$1
    [ -n "${DISPLAY:-}" ] || e2e_fail "start_xvfb first"
    VELTA_START=$(date +%s.%N)
    (cd "$dir" && exec ./velta) >"$E2E_TMP/velta.log" 2>&1 &
    VELTA_PID=$!
    E2E_PIDS+=("$VELTA_PID")
    VELTA_WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name VELTA | head -n 1)
    [ -n "$VELTA_WINDOW" ] || e2e_fail "no VELTA window: $(tail -n 5 "$E2E_TMP/velta.log")"
    e2e_note "VELTA pid $VELTA_PID, window $VELTA_WINDOW"
}

# Seconds since start_velta launched the program.
velta_elapsed() {
    awk -v s="$VELTA_START" -v n="$(date +%s.%N)" 'BEGIN { printf "%.3f", n - s }'
}

# Types the key $2 into the window $1.
type_key_into() {
    xdotool windowfocus "$1" || e2e_fail "cannot focus the window $1"
    sleep 0.2
    xdotool key --clearmodifiers "$2" || e2e_fail "cannot type $2"
}

# Types the key $1 into the window KEY_WINDOW (the board window unless set).
type_key() {
    type_key_into "${KEY_WINDOW:-$VELTA_WINDOW}" "$1"
}
