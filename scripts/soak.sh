#!/usr/bin/env bash
# The long soak of `make soak`: the sanitizer build's velta-soak on the offscreen platform.
# A report from either sanitizer ends the run and fails it, and so does a heap that grows
# more than 5 MB after the first 1,000 commands. AddressSanitizer keeps a small quarantine;
# its records of call stacks still grow the resident set, which is printed for the record.
#
#   bash scripts/soak.sh <sanitizer build folder> <commands> <seed>
set -euo pipefail
build=${1:-build-soak}
commands=${2:-100000}
seed=${3:-1}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
time "$build/tests/velta-soak" --commands "$commands" --seed "$seed" --growth-mb 5
