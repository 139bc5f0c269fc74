#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once with warnings as
# errors, once under AddressSanitizer and UndefinedBehaviorSanitizer. In between, the .deb is
# built from the first build, installed on this machine, tried and removed. Then the threaded
# parts (device, command line, window) run under ThreadSanitizer, and each fuzz target for 20 s.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DLUMAVERT_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== clang-format =="
scripts/format.sh --check

echo "== build and tests (warnings as errors) =="
run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMAVERT_BUILD_BENCH=ON

echo "== Debian package: build, install, run from /usr/bin, remove =="
packaging/check-deb.sh build-test

echo "== build and tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DLUMAVERT_SANITIZE=address,undefined

echo "== device, command-line and window tests under ThreadSanitizer =="
# Debian's Qt is not built with ThreadSanitizer: the work Qt hands to its own thread pool (image
# conversion) is synchronised where the sanitizer cannot see it, so accesses made inside Qt's
# libraries are left unchecked. Every access made by our code is still checked.
export TSAN_OPTIONS=ignore_noninstrumented_modules=1:halt_on_error=1:second_deadlock_stack=1
cmake -S . -B build-tsan -G Ninja -DLUMAVERT_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMAVERT_SANITIZE=thread
cmake --build build-tsan -j "$jobs" --target tests/device/all tests/cli/all tests/app/all
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L 'device|cli|app'

echo "== fuzzing =="
scripts/fuzz.sh 20
