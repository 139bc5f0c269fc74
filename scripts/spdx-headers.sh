#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the copyright and licence lines that `reuse lint` reads at the top of every source file
# that has none yet: `//` lines in C++, `#` lines (after a shebang) in shell, CMake and Python
# scripts and in the udev rule and the tool configs, `.\"` lines in man pages. Files that cannot
# carry a comment (pictures, test inputs, JSON, Markdown, ...) are covered by .reuse/dep5.
# A file that already names its licence near the top is left alone, so running it twice
# changes nothing.
# Usage: scripts/spdx-headers.sh [--dry-run] [PATH...]
#   PATH: files or folders (default: the whole repository); only files Git knows are touched.
#   --dry-run: print the files that would change, change none.
set -euo pipefail
cd "$(dirname "$0")/.."

dry_run=false
paths=()
for arg in "$@"; do
    case $arg in
    --dry-run) dry_run=true ;;
    -*)
        echo "Usage: scripts/spdx-headers.sh [--dry-run] [PATH...]" >&2
        exit 2
        ;;
    *) paths+=("$arg") ;;
    esac
done

# Spelled in two parts so that reuse, which reads this file too, takes only the header above
# as this file's licence.
spdx=SPDX
copyright_text="${spdx}-FileCopyrightText: 2026 Lumavert developers"
licence_text="${spdx}-License-Identifier: GPL-3.0-or-later"

# The comment marker for a file, or nothing when the file is not a source this script heads.
comment_style() {
    local file=$1 name
    name=$(basename "$file")
    case $name in
    *.cpp | *.cc | *.c | *.h | *.hpp | *.h.in) echo "//" ;;
    *.sh | *.py | *.cmake | CMakeLists.txt | *.rules | lintian-overrides | .gitignore | .clang-format)
        echo "#"
        ;;
    *.[1-8]) echo '.\"' ;;
    *)
        # Scripts without a suffix (maintainer scripts, the CI entry point) by their shebang.
        if [[ $(head -c 2 "$file" | tr -d '\0') == "#!" ]]; then echo "#"; fi
        ;;
    esac
}

changed=0
while IFS= read -r -d '' file; do
    [[ -f $file && ! -L $file ]] || continue
    style=$(comment_style "$file")
    [[ -n $style ]] || continue
    if head -n 10 "$file" | grep -q "${spdx}-License-Identifier:"; then
        continue
    fi
    changed=$((changed + 1))
    if $dry_run; then
        echo "would head: $file"
        continue
    fi
    header=$(printf '%s %s\n%s %s\n' "$style" "$copyright_text" "$style" "$licence_text")
    tmp=$(mktemp)
    {
        first=$(head -n 1 "$file")
        if [[ $first == "#!"* ]]; then
            # The shebang must stay the first line.
            printf '%s\n%s\n' "$first" "$header"
            rest=$(tail -n +2 "$file" | head -n 1)
            [[ -z $rest ]] || echo
            tail -n +2 "$file"
        else
            printf '%s\n' "$header"
            # A blank line sets the header apart, except in a man page, where it would print.
            [[ -z $first || $style == '.\"' ]] || echo
            cat "$file"
        fi
    } >"$tmp"
    # Keep the file's mode (scripts stay executable).
    cat "$tmp" >"$file"
    rm -f "$tmp"
    echo "headed: $file"
done < <(git ls-files -z -- "${paths[@]}")

if $dry_run; then
    echo "$changed file(s) would get a header"
else
    echo "$changed file(s) got a header"
fi
