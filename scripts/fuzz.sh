#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets of fuzz/ with clang and runs each for a bounded time, then prints
# the executions per target. Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] (default 60).
# New inputs that add coverage go to build-fuzz/corpus/<name>; a crash, a leak or a broken
# property leaves its input in build-fuzz/crashes/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${LUMAVERT_FUZZ_BUILD:-build-fuzz}
jobs=${LUMAVERT_JOBS:-$(nproc)}
names=(mode_set_file device_image typed_value cli hid_link)
# Inputs beyond the defaults: Mode set files up to the 1 MiB a load reads, with the named
# regression files of the tests as seeds.
declare -A extra=(
    [mode_set_file]="-max_len=1048576 -malloc_limit_mb=64 tests/config/regressions"
)

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMAVERT_FUZZ=ON -DLUMAVERT_BUILD_TESTS=OFF -DLUMAVERT_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs" --target lumavert_fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/crashes"

failed=0
summary=()
# Absolute paths: a target may work in a folder of its own.
root=$PWD
for name in "${names[@]}"; do
    corpus="$root/$build/corpus/$name"
    log="$build/fuzz-$name.log"
    mkdir -p "$corpus" "fuzz/corpus/$name"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
             -artifact_prefix="$root/$build/crashes/$name-")
    [[ -f "fuzz/dict/$name.dict" ]] && options+=(-dict="$root/fuzz/dict/$name.dict")
    seeds=("$root/fuzz/corpus/$name")
    for word in ${extra[$name]:-}; do
        if [[ -d "$word" ]]; then seeds+=("$root/$word"); else options+=("$word"); fi
    done
    echo "== fuzz_$name for ${seconds}s =="
    status=ok
    if ! "$build/fuzz/fuzz_$name" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        status=FAILED
        failed=1
        tail -n 40 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$(printf '%-18s %12s executions  %s' "$name" "${runs:-?}" "$status")")
done

echo "== fuzzing summary (${seconds}s per target) =="
printf '%s\n' "${summary[@]}"
exit "$failed"
