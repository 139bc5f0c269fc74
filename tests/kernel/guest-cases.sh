#!/bin/bash
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The cases, run as root inside the test VM from the host's root: each builds USB gadget lights
# on dummy_hcd, runs lumavert-cli against them and leaves what it saw in RESULTS/CASE/ for the
# host to check.
#   guest-cases.sh RESULTS CLI LIGHT WATCH RULE
set -u
results=$1 cli=$2 light=$3 watch=$4 rule=$5
gadgets=/sys/kernel/config/usb_gadget

# Vendor page, one application collection: an 8-byte input report and a feature or output
# report of LENGTH bytes (64 unless given), unnumbered.
descriptor() { # feature|output [LENGTH]
    local main='\xb1\x02' count
    [[ $1 == output ]] && main='\x91\x02'
    printf -v count '\\x%02x' "${2:-64}"
    # One printf, so one write: configfs takes each write as the whole descriptor.
    printf '\x06\x00\xff\x09\x01\xa1\x01\x15\x00\x26\xff\x00\x75\x08\x95\x08\x09\x01\x81\x02\x95'"$count"'\x09\x01'"$main"'\xc0'
}

# Every program started costs much under emulation: builtins only in the waiting loops.
shopt -s nullglob
exec {sleeper}<> <(:)
pause() { read -r -t "$1" -u "$sleeper" || :; }
hidraw_count() {
    local nodes=(/sys/class/hidraw/*)
    count=${#nodes[@]}
}

# make_light NAME VID PID KIND INTERFACES UDC [LENGTH]: a light whose interface 0 plays the light;
# a second interface, when asked for, is another HID function on the same device.
make_light() {
    local name=$1 vid=$2 pid=$3 kind=$4 interfaces=$5 udc=$6 length=${7:-64} i
    local before g=$gadgets/$name count
    hidraw_count
    before=$count
    mkdir -p $g/strings/0x409 $g/configs/c.1
    echo "0x$vid" >$g/idVendor
    echo "0x$pid" >$g/idProduct
    echo "test light $name" >$g/strings/0x409/product
    for ((i = 0; i < interfaces; i++)); do
        mkdir $g/functions/hid.$name$i
        echo 0 >$g/functions/hid.$name$i/protocol
        echo 0 >$g/functions/hid.$name$i/subclass
        echo "$length" >$g/functions/hid.$name$i/report_length
        echo 1 >$g/functions/hid.$name$i/no_out_endpoint
        descriptor "$kind" "$length" >$g/functions/hid.$name$i/report_desc
        ln -s $g/functions/hid.$name$i $g/configs/c.1/
    done
    echo "$udc" >$g/UDC
    for ((i = 0; i < 200; i++)); do
        hidraw_count
        ((count >= before + interfaces)) && return
        pause 0.1
    done
    echo "GUEST: $name: no hidraw node"
}

# The /dev/hidgN of a light's interface 0.
hidg_of() {
    local dev other
    read -r dev <$gadgets/$1/functions/hid.${1}0/dev
    for node in /sys/class/hidg/*; do
        read -r other <$node/dev
        [[ $other == "$dev" ]] && echo /dev/${node##*/}
    done
}

remove_light() {
    local g=$gadgets/$1
    [[ -d $g ]] || return
    echo "" >$g/UDC 2>/dev/null
    rm -f $g/configs/c.1/hid.*
    rmdir $g/configs/c.1 $g/functions/hid.* $g/strings/0x409 $g
}

# start_light CASE NAME VID PID [LIGHT OPTIONS]: runs our light on the gadget's interface 0;
# its memory is saved to RESULTS/CASE/NAME.bin.
start_light() {
    local case=$1 name=$2 vid=$3 pid=$4
    shift 4
    "$light" "$(hidg_of $name)" $vid $pid "$results/$case/$name.bin" "$@" \
        >"$results/$case/$name.log" 2>&1 &
    eval "pid_$name=$!"
    pause 0.5
}

stop_light() {
    local var=pid_$1
    kill "${!var}" 2>/dev/null
    wait "${!var}" 2>/dev/null
}

# run CASE STEP ARGS...: one lumavert-cli run; its output, errors and exit status are kept.
run() {
    local case=$1 step=$2
    shift 2
    if [[ $1 == setpriv ]]; then
        "$@" >"$results/$case/$step.out" 2>"$results/$case/$step.err"
    else
        "$cli" "$@" >"$results/$case/$step.out" 2>"$results/$case/$step.err"
    fi
    echo $? >"$results/$case/$step.rc"
}

begin() {
    mkdir -p "$results/$1"
    echo "GUEST: case $1"
}

# watch_bus CASE: records the bus traffic (usbmon, every bus) until unwatch_bus.
watch_bus() {
    cat /sys/kernel/debug/usb/usbmon/0u >"$results/$1/usbmon" &
    watcher=$!
    pause 0.3
}
unwatch_bus() {
    pause 0.3
    kill $watcher
    wait $watcher 2>/dev/null
}

# Which light each hidraw node belongs to: "hidrawN VID:PID" lines.
list_nodes() {
    local node target
    for node in /sys/class/hidraw/*; do
        target=$(readlink $node/device)
        echo "${node##*/} ${target##*/}"
    done >"$results/$1/nodes"
}

inputs=$results/inputs

# One 13ec:0056 light with two interfaces.
begin devices
make_light a 13ec 0056 feature 2 dummy_udc.0
run devices devices devices
list_nodes devices
remove_light a

# Upload into a feature-report light; the bus shows which report type carried the blocks.
begin upload
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light upload a 13ec 0056
watch_bus upload
run upload upload upload "$inputs/upload.ini"
unwatch_bus
stop_light a
remove_light a

# Upload into an output-report light.
begin upload-output
make_light b 04d8 003f output 1 dummy_udc.0
start_light upload-output b 04d8 003f
watch_bus upload-output
run upload-output upload upload "$inputs/upload.ini"
unwatch_bus
stop_light b
remove_light b

# An output-report light that states 100-byte reports: each block padded with zeros to 100.
begin long-output
make_light d 1017 1000 output 1 dummy_udc.0 100
start_light long-output d 1017 1000
watch_bus long-output
run long-output upload upload "$inputs/upload.ini"
unwatch_bus
stop_light d
remove_light d

# The light is unplugged after it took 2 of the 4 blocks.
begin unplugged-upload
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light unplugged-upload a 13ec 0056 --unbind-after-blocks 2 $gadgets/a/UDC
run unplugged-upload upload upload "$inputs/upload.ini"
stop_light a
remove_light a

# Download from a light that holds a known image.
begin download
cp "$inputs/download.bin" "$results/download/a.bin"
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light download a 13ec 0056
run download download download
stop_light a
remove_light a

# A light whose memory is erased (every byte 0xFF).
begin erased
cp "$inputs/erased.bin" "$results/erased/a.bin"
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light erased a 13ec 0056
run erased download download
stop_light a
remove_light a

# Test shows mode 2 at once: one preview report, the memory untouched.
begin test
cp "$inputs/upload.bin" "$results/test/a.bin"
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light test a 13ec 0056
watch_bus test
run test test test "$inputs/upload.ini" 2
unwatch_bus
stop_light a
remove_light a

# The light is unplugged after 8 of its 32 reports.
begin unplugged
cp "$inputs/download.bin" "$results/unplugged/a.bin"
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light unplugged a 13ec 0056 --unbind-after 8 $gadgets/a/UDC
run unplugged download download
stop_light a
remove_light a

# A light that never answers the read request.
begin silent
cp "$inputs/download.bin" "$results/silent/a.bin"
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light silent a 13ec 0056 --silent
run silent download download
stop_light a
remove_light a

# Two lights at once, one of each report kind, each on its own port.
begin two-lights
make_light a 13ec 0056 feature 2 dummy_udc.0
make_light c 1017 1000 output 1 dummy_udc.1
start_light two-lights a 13ec 0056
start_light two-lights c 1017 1000
run two-lights devices devices
list_nodes two-lights
run two-lights upload upload "$inputs/upload.ini"
stop_light a
stop_light c
remove_light a
remove_light c

# A user without access to the nodes (root's 0600, as devtmpfs makes them without udev).
begin no-permission
make_light a 13ec 0056 feature 2 dummy_udc.0
start_light no-permission a 13ec 0056
run no-permission devices setpriv --reuid=65534 --regid=65534 --clear-groups "$cli" devices
run no-permission upload setpriv --reuid=65534 --regid=65534 --clear-groups "$cli" upload "$inputs/upload.ini"
stop_light a
remove_light a

# With systemd-udevd running: the program's udev monitor hears a light come and go, and the
# shipped rule tags its nodes for the seat user (logind, which does not run here, then grants the
# access).
begin udev
if [[ -x /lib/systemd/systemd-udevd ]]; then
    mkdir -p /run/udev/rules.d
    cp "$rule" /run/udev/rules.d/
    /lib/systemd/systemd-udevd --daemon >"$results/udev/udevd.log" 2>&1
    # Listening once it answers: a light plugged in before would go unseen.
    udevadm control --ping --timeout=60
    udevadm settle --timeout=60
    "$watch" 120 >"$results/udev/events" 2>&1 &
    watching=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $results/udev/events ]] && break
        pause 0.1
    done
    make_light a 13ec 0056 feature 2 dummy_udc.0
    udevadm settle --timeout=60
    for node in /sys/class/hidraw/*; do
        udevadm info --query=property --name="${node##*/}" >>"$results/udev/properties"
        echo >>"$results/udev/properties"
    done
    remove_light a
    udevadm settle --timeout=60
    pause 0.5
    kill $watching
    wait $watching 2>/dev/null
    udevadm control --exit
else
    echo "no systemd-udevd in this system" >"$results/udev/skipped"
fi

echo "GUEST: done"
