#!/bin/busybox sh
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# First process of the test VM (busybox from the initramfs): loads the modules, mounts the
# host's root read-only and the results folder writable at the host's own paths, then runs the
# cases from the host's root. Settings and the insmod lines come from /config, written by the host.
B=/bin/busybox
$B mkdir -p /proc /sys /dev /host
$B mount -t proc proc /proc
$B mount -t sysfs sys /sys
$B mount -t devtmpfs dev /dev
# RESULTS, CASES, CLI, LIGHT, WATCH, RULE; then one insmod line per module, dependencies first.
. /config
$B mount -t 9p -o trans=virtio,version=9p2000.L,ro hostroot /host || echo "GUEST: no host root"
$B mount -t 9p -o trans=virtio,version=9p2000.L results "/host$RESULTS" || echo "GUEST: no results share"
$B mount -o bind /dev /host/dev
$B mount -t proc proc /host/proc
$B mount -t sysfs sys /host/sys
$B mount -t configfs none /host/sys/kernel/config
$B mount -t debugfs none /host/sys/kernel/debug
$B mount -t tmpfs run /host/run
# A writable /tmp, unless the tree under test lives in the host's /tmp: a tmpfs there would hide it.
case "$CASES" in
/tmp/*) ;;
*) $B mount -t tmpfs tmp /host/tmp ;;
esac
$B ln -s /proc/self/fd /host/dev/fd 2>/dev/null
echo "GUEST: running cases"
$B chroot /host /bin/bash "$CASES" "$RESULTS" "$CLI" "$LIGHT" "$WATCH" "$RULE"
echo "GUEST: cases ended with $?"
$B sync
$B poweroff -f
