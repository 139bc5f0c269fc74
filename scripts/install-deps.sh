#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages Lumavert needs to build and test; only what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libhidapi-dev libudev-dev
    googletest libgtest-dev libgmock-dev
    fonts-liberation2 fonts-wqy-microhei qt6-translations-l10n
    xvfb xauth
)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(clang libclang-rt-14-dev clang-format dpkg-dev file)
    # The package and licence checks: lintian, the AppStream and menu entry validators, reuse.
    packages+=(lintian appstream desktop-file-utils reuse)
    # The desktop tests: a window manager, real pointer and keys, and the screen's pixels.
    packages+=(openbox xdotool x11-utils imagemagick)
    # The kernel test: Debian's kernel booted in QEMU, busybox as its first process.
    packages+=(linux-image-amd64 qemu-system-x86 busybox-static python3)
fi

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
