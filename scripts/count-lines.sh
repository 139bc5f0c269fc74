#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Prints the non-blank, non-comment lines of the C++ sources (.h, .cpp) in src/ and tests/, and
# apart those of the tools, fuzzers, benchmarks and resource tools, then tests/ against src/.
# The team keeps the tests at most half the product code. Informative only: always exits 0.
cd "$(dirname "$0")/.." || exit 0

# A line counts unless it is blank, starts with //, or lies in a /* */ comment; code after the
# end of a block comment on the same line counts.
code_lines() {
    [[ -d $1 ]] || {
        echo 0
        return
    }
    find "$1" -type f \( -name '*.h' -o -name '*.cpp' \) -exec awk '
        FNR == 1 { inblock = 0 }
        {
            line = $0
            if (inblock) {
                end = index(line, "*/")
                if (!end) next
                inblock = 0
                line = substr(line, end + 2)
            }
            sub(/^[ \t\r]+/, "", line)
            while (substr(line, 1, 2) == "/*") {
                end = index(substr(line, 3), "*/")
                if (!end) { inblock = 1; next }
                line = substr(line, end + 4)
                sub(/^[ \t\r]+/, "", line)
            }
            if (line == "" || substr(line, 1, 2) == "//") next
            count++
        }
        END { print count + 0 }' {} + | awk '{ sum += $1 } END { print sum + 0 }'
}

src=$(code_lines src)
tests=$(code_lines tests)
printf '%-10s %6d\n' src/ "$src" tests/ "$tests"
for dir in tools fuzz bench res/tools; do
    printf '%-10s %6d  (apart)\n' "$dir/" "$(code_lines "$dir")"
done
awk -v t="$tests" -v s="$src" 'BEGIN {
    if (s > 0) printf "tests/src  %6.2f\n", t / s
    else print "tests/src     n/a"
}'
exit 0
