#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds Lumavert and starts it. Extra arguments go to the program,
# e.g. scripts/run.sh --simulate to try it without a light.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMAVERT_BUILD_TESTS=OFF
cmake --build build
if [[ -x build/src/app/lumavert ]]; then
    exec build/src/app/lumavert "$@"
fi
exec build/src/cli/lumavert-cli "${@:---help}"
