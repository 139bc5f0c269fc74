#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, checks the formatting and that every file states its copyright and
# licence (reuse lint), then builds and runs every test twice through the presets of
# CMakePresets.json: once with warnings as errors (dev), once under AddressSanitizer and
# UndefinedBehaviorSanitizer (asan). Then the threaded parts (device, command line, window) run
# under ThreadSanitizer (tsan), and each fuzz target for 20 s.
# Usage: scripts/test.sh [--package]
# With --package, or under CI (CI=true), the .deb is also built from the dev build, installed on
# this machine with apt, tried and removed; that step needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

package=false
[[ ${CI:-} == true ]] && package=true
for arg in "$@"; do
    case $arg in
    --package) package=true ;;
    *)
        echo "Usage: scripts/test.sh [--package]" >&2
        exit 2
        ;;
    esac
done

echo "== lines of code =="
scripts/count-lines.sh

scripts/install-deps.sh --test
jobs=$(nproc)

run_preset() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
}

echo "== clang-format =="
scripts/format.sh --check

echo "== licence of every file (reuse lint) =="
reuse lint

echo "== build and tests (warnings as errors) =="
run_preset dev -DLUMAVERT_BUILD_BENCH=ON

if $package; then
    echo "== Debian package: build, install, run from /usr/bin, remove =="
    packaging/check-deb.sh build-dev
fi

echo "== build and tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
run_preset asan

echo "== device, command-line and window tests under ThreadSanitizer =="
run_preset tsan

echo "== fuzzing =="
scripts/fuzz.sh 20
