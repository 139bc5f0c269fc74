#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds what the benchmarks need (Release) and runs them all: start-up, memory, idle wake-ups,
# transfer timing and probe scaling. Prints one markdown table and keeps it in
# bench/out/results.md; with --update-readme it also replaces the table in README.md.
# Takes about a minute. Exit status: 0 every target met, 1 a target missed, 2 failure.
set -euo pipefail
cd "$(dirname "$0")/.."

update_readme=false
case "${1:-}" in
--update-readme) update_readme=true ;;
"") ;;
*)
    echo "Usage: bench/run.sh [--update-readme]" >&2
    exit 2
    ;;
esac

build=${LUMAVERT_BENCH_BUILD:-build-bench}
scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMAVERT_BUILD_TESTS=OFF \
    -DLUMAVERT_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target lumavert-bench

mkdir -p bench/out
results=bench/out/results.md
status=0
# Qt's note about XDG_RUNTIME_DIR on machines without a session is noise here.
QT_QPA_PLATFORM=offscreen "$build/bench/lumavert-bench" --out "$results" \
    2> >(grep -v 'XDG_RUNTIME_DIR not set' >&2) || status=$?
[[ $status -ge 2 ]] && exit "$status"

if $update_readme; then
    begin='<!-- bench:begin -->'
    end='<!-- bench:end -->'
    if ! grep -qx "$begin" README.md || ! grep -qx "$end" README.md; then
        echo "README.md lacks the lines $begin and $end" >&2
        exit 2
    fi
    awk -v begin="$begin" -v end="$end" -v results="$results" '
        $0 == begin { print; while ((getline line < results) > 0) print line; skip = 1; next }
        $0 == end { skip = 0 }
        !skip { print }
    ' README.md >README.md.new
    mv README.md.new README.md
    echo "README.md: table updated"
fi
exit "$status"
