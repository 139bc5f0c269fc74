#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs lumavert-cli against USB gadget lights on a real Linux kernel in QEMU, then checks what
the guest wrote to the results folder.

    run-kernel-test.py CLI LIGHT WATCH WORKDIR

Boots the installed Debian kernel (linux-image-amd64) with software emulation, the host's root
shared read-only, and runs guest-cases.sh there. Exits 77 with a SKIPPED line when no kernel,
QEMU or busybox is available."""

import glob
import lzma
import os
import re
import shutil
import subprocess
import sys
import time

SKIP = 77
HERE = os.path.dirname(os.path.abspath(__file__))
BOOT_LIMIT_S = 240  # a run takes about a minute on 2 cores; five times that less the margin

# Dummy host and device controllers, the gadget HID function, the host's HID stack, usbmon, and
# 9p over virtio for the shares. Module options by name.
ROOT_MODULES = ["configfs", "dummy_hcd", "libcomposite", "usb_f_hid", "usbhid", "hid_generic",
                "usbmon", "virtio_pci", "9pnet_virtio", "9p"]
MODULE_ARGS = {"dummy_hcd": "num=2"}


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIP)


def norm(name):
    return name.replace("-", "_")


def find_kernel():
    """The newest /boot/vmlinuz-* whose modules are installed."""
    for vmlinuz in sorted(glob.glob("/boot/vmlinuz-*"), reverse=True):
        release = os.path.basename(vmlinuz)[len("vmlinuz-"):]
        moddir = f"/lib/modules/{release}"
        if os.path.isdir(f"{moddir}/kernel"):
            return vmlinuz, moddir
    return None, None


def module_index(moddir):
    index = {}
    for path in glob.glob(f"{moddir}/kernel/**/*.ko*", recursive=True):
        name = os.path.basename(path).split(".ko")[0]
        index[norm(name)] = path
    builtin = set()
    try:
        with open(f"{moddir}/modules.builtin") as f:
            builtin = {norm(os.path.basename(l.strip()).split(".ko")[0]) for l in f}
    except OSError:
        pass
    return index, builtin


def module_bytes(path):
    with open(path, "rb") as f:
        data = f.read()
    return lzma.decompress(data) if path.endswith(".xz") else data


def module_order(moddir):
    """Module names, each after the modules it depends on (from its modinfo), with their bytes."""
    index, builtin = module_index(moddir)
    order, loaded = [], {}

    def visit(name):
        name = norm(name)
        if name in loaded or name in builtin:
            return
        if name not in index:
            raise KeyError(name)
        data = module_bytes(index[name])
        loaded[name] = data
        found = re.search(rb"(?:^|\0)depends=([^\0]*)", data)
        for dep in (found.group(1).decode().split(",") if found else []):
            if dep:
                visit(dep)
        order.append(name)

    for name in ROOT_MODULES:
        visit(name)
    return [(name, loaded[name]) for name in order]


def newc(entries):
    """A cpio archive in the kernel's "newc" format from (name, mode, bytes) entries."""
    out = bytearray()
    for ino, (name, mode, data) in enumerate(entries + [("TRAILER!!!", 0, b"")], start=1):
        encoded = name.encode() + b"\0"
        fields = [ino, mode, 0, 0, 1, 0, len(data), 0, 0, 0, 0, len(encoded), 0]
        out += b"070701" + b"".join(b"%08X" % v for v in fields) + encoded
        out += b"\0" * (-len(out) % 4) + data
        out += b"\0" * (-len(out) % 4)
    return bytes(out)


def pvh_vmlinux(vmlinuz, workdir):
    """The uncompressed kernel, which QEMU boots through its PVH entry faster than the bzImage
    through the BIOS; None when it cannot be unpacked."""
    target = os.path.join(workdir, os.path.basename(vmlinuz).replace("vmlinuz", "vmlinux"))
    if os.path.exists(target):
        return target
    with open(vmlinuz, "rb") as f:
        data = f.read()
    start = data.find(b"\xfd7zXZ\0")
    if start < 0:
        return None
    try:
        elf = lzma.LZMADecompressor().decompress(data[start:])
    except lzma.LZMAError:
        return None
    if not elf.startswith(b"\x7fELF"):
        return None
    with open(target + ".part", "wb") as f:
        f.write(elf)
    os.replace(target + ".part", target)
    return target


def cli_output(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, check=True).stdout


def prepare_inputs(cli, inputs):
    """The Mode set to upload with the image it must leave in the light, and the image a light
    holds for the downloads: a preset with a custom sequence, so that packed durations cross."""
    os.makedirs(inputs)
    ini = os.path.join(inputs, "upload.ini")
    cli_output(cli, "preset", "outdoor", "-o", ini)
    image = cli_output(cli, "encode", ini, "--binary")
    for name in ("upload.bin", "download.bin"):
        with open(os.path.join(inputs, name), "wb") as f:
            f.write(image)
    with open(os.path.join(inputs, "erased.bin"), "wb") as f:
        f.write(b"\xff" * 256)


def run_guest(cli, light, watch, workdir):
    vmlinuz, moddir = find_kernel()
    if vmlinuz is None:
        skip("no kernel with modules in /boot and /lib/modules (install linux-image-amd64)")
    qemu = shutil.which("qemu-system-x86_64")
    if qemu is None:
        skip("qemu-system-x86_64 not found (install qemu-system-x86)")
    busybox = shutil.which("busybox")
    if busybox is None or b"dynamic" in subprocess.run(["file", "-L", busybox],
                                                       capture_output=True).stdout:
        busybox = "/bin/busybox" if os.path.exists("/bin/busybox") else None
    if busybox is None:
        skip("no static busybox (install busybox-static)")
    try:
        modules = module_order(moddir)
    except KeyError as missing:
        skip(f"the kernel in {moddir} lacks module {missing}")

    results = os.path.join(workdir, "results")
    shutil.rmtree(results, ignore_errors=True)
    os.makedirs(results)
    prepare_inputs(cli, os.path.join(results, "inputs"))
    rule = os.path.normpath(os.path.join(HERE, "..", "..", "packaging", "70-lumavert.rules"))
    config = [f"RESULTS='{results}'", f"CASES='{HERE}/guest-cases.sh'", f"CLI='{cli}'",
              f"LIGHT='{light}'", f"WATCH='{watch}'", f"RULE='{rule}'"]
    entries = [("bin", 0o40755, b""), ("modules", 0o40755, b"")]
    with open(busybox, "rb") as f:
        entries.append(("bin/busybox", 0o100755, f.read()))
    with open(os.path.join(HERE, "guest-init.sh"), "rb") as f:
        entries.append(("init", 0o100755, f.read()))
    for name, data in modules:
        entries.append((f"modules/{name}.ko", 0o100644, data))
        config.append(f"$B insmod /modules/{name}.ko {MODULE_ARGS.get(name, '')}"
                      f" || echo 'GUEST: insmod {name} failed'")
    entries.append(("config", 0o100644, ("\n".join(config) + "\n").encode()))
    initrd = os.path.join(workdir, "initrd.cpio")
    with open(initrd, "wb") as f:
        f.write(newc(entries))

    kernel = pvh_vmlinux(vmlinuz, workdir) or vmlinuz
    command = [qemu, "-accel", "tcg,thread=multi", "-smp", "2", "-m", "768", "-no-reboot",
               "-display", "none", "-monitor", "none", "-serial", "stdio", "-nodefaults",
               "-kernel", kernel, "-initrd", initrd,
               "-append", "console=ttyS0 rdinit=/init panic=-1 quiet loglevel=4",
               "-virtfs", "local,path=/,mount_tag=hostroot,security_model=none,readonly=on,"
               "multidevs=remap",
               "-virtfs", f"local,path={results},mount_tag=results,security_model=none"]
    started = time.monotonic()
    try:
        run = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                             timeout=BOOT_LIMIT_S)
    except subprocess.TimeoutExpired as expired:
        console = (expired.stdout or b"").decode(errors="replace")
        print(console)
        print(f"FAIL: the VM did not power off within {BOOT_LIMIT_S} s")
        sys.exit(1)
    console = run.stdout.decode(errors="replace")
    with open(os.path.join(workdir, "console.log"), "w") as f:
        f.write(console)
    if "GUEST: running cases" not in console:
        print(console, run.stderr.decode(errors="replace"))
        if run.returncode != 0 and not console:
            skip(f"QEMU did not start: {run.stderr.decode(errors='replace').strip()}")
        print("FAIL: the guest did not reach its cases")
        sys.exit(1)
    print(f"VM ran {time.monotonic() - started:.1f} s ({os.path.basename(kernel)})")
    return results, console


class Checker:
    def __init__(self, results, cli):
        self.results = results
        self.cli = cli
        self.failures = 0

    def read(self, case, name, binary=False):
        path = os.path.join(self.results, case, name)
        try:
            with open(path, "rb" if binary else "r") as f:
                return f.read()
        except OSError:
            return None

    def check(self, case, what, ok, detail=""):
        print(f"{'PASS' if ok else 'FAIL'}: {case}: {what}")
        if not ok:
            self.failures += 1
            for name in sorted(os.listdir(os.path.join(self.results, case))
                               if os.path.isdir(os.path.join(self.results, case)) else []):
                if not name.endswith(".bin") and not name.startswith("."):
                    print(f"  --- {case}/{name}:\n{self.read(case, name)}")
            if detail:
                print(f"  {detail}")

    def command(self, case, step):
        """(exit status, standard output, standard error) of one cli run in the guest."""
        rc = self.read(case, f"{step}.rc")
        return (int(rc) if rc and rc.strip().isdigit() else None,
                self.read(case, f"{step}.out") or "", self.read(case, f"{step}.err") or "")


def check_results(results, cli, console):
    c = Checker(results, cli)

    inputs = os.path.join(results, "inputs")
    with open(os.path.join(inputs, "upload.bin"), "rb") as f:
        uploaded = f.read()
    decoded = cli_output(cli, "decode", os.path.join(inputs, "download.bin")).decode()
    zeros = bytes(256)
    light_line = r"{}  interface 0  /dev/hidraw\d+  {} reports  {}\n"

    rc, out, err = c.command("devices", "devices")
    c.check("devices", "lists the 13ec:0056 light once, by its interface 0, as openable",
            rc == 0 and re.fullmatch(light_line.format("13ec:0056", "feature", "ok"), out))

    for case, kind, report_type in (("upload", "13ec:0056", "0300"),
                                    ("upload-output", "04d8:003f", "0200")):
        rc, out, err = c.command(case, "upload")
        c.check(case, f"{kind} upload succeeds", rc == 0 and "Upload completed 4/4" in err)
        name = "a" if case == "upload" else "b"
        c.check(case, f"the {kind} light holds the encoded image, byte for byte",
                c.read(case, f"{name}.bin", binary=True) == uploaded)
        # SET_REPORT of 64 bytes to interface 0: wValue names the report type (0x03 feature,
        # 0x02 output) with report id 0.
        usbmon = c.read(case, "usbmon") or ""
        sets = re.findall(r" s 21 09 (\w{4}) (\w{4}) (\w{4}) ", usbmon)
        c.check(case, f"the four blocks went as {'feature' if report_type == '0300' else 'output'}"
                " reports of 64 bytes to interface 0",
                sets == [(report_type, "0000", "0040")] * 4, f"SET_REPORTs seen: {sets}")

    rc, out, err = c.command("long-output", "upload")
    sets = re.findall(r" s 21 09 (\w{4}) (\w{4}) (\w{4}) ", c.read("long-output", "usbmon") or "")
    c.check("long-output", "a light stating 100-byte output reports gets four of exactly 100 bytes",
            rc == 0 and sets == [("0200", "0000", "0064")] * 4 and
            c.read("long-output", "d.bin", binary=True) == uploaded, f"SET_REPORTs seen: {sets}")

    rc, out, err = c.command("unplugged-upload", "upload")
    c.check("unplugged-upload", "a light unplugged after 2 blocks fails the upload as gone and "
            "keeps those 2", rc == 1 and "2 of 4 blocks did not reach" in err and
            "went away" in err and
            (c.read("unplugged-upload", "a.bin", binary=True) or b"")[:128] == uploaded[:128])

    rc, out, err = c.command("download", "download")
    c.check("download", "download succeeds and shows the light's Mode set",
            rc == 0 and out == decoded and "Download completed 4/4" in err)

    rc, out, err = c.command("erased", "download")
    c.check("erased", "an erased light downloads as an empty Mode set and says so",
            rc == 0 and "(no modes)" in out and "the light holds no Mode set" in err)

    rc, out, err = c.command("test", "test")
    sets = re.findall(r" s 21 09 (\w{4}) (\w{4}) (\w{4}) ", c.read("test", "usbmon") or "")
    c.check("test", "test sends one 64-byte feature report to interface 0 and leaves the memory",
            rc == 0 and "Mode 2 sent to the light 13ec:0056" in err and
            sets == [("0300", "0000", "0040")] and
            c.read("test", "a.bin", binary=True) == uploaded, f"SET_REPORTs seen: {sets}")

    rc, out, err = c.command("unplugged", "download")
    c.check("unplugged", "a light unplugged after 8 of 32 reports fails the download as gone",
            rc == 1 and "went away before it had sent its 256 bytes" in err and out == "")

    rc, out, err = c.command("silent", "download")
    c.check("silent", "a silent light fails the download after the answer limit",
            rc == 1 and "did not send its 256 bytes within 5 s" in err and out == "")

    rc, out, err = c.command("two-lights", "devices")
    listed = out.splitlines(keepends=True)
    c.check("two-lights", "devices lists both lights, each openable",
            rc == 0 and len(listed) == 2 and
            {re.sub(r"hidraw\d+", "hidrawN", line) for line in listed} ==
            {f"{kind}  interface 0  /dev/hidrawN  {reports} reports  ok\n"
             for kind, reports in (("13ec:0056", "feature"), ("1017:1000", "output"))})
    rc, out, err = c.command("two-lights", "upload")
    first = "a" if listed and listed[0].startswith("13ec") else "c"
    other = "c" if first == "a" else "a"
    c.check("two-lights", "upload writes the light listed first, and only that one",
            rc == 0 and c.read("two-lights", f"{first}.bin", binary=True) == uploaded and
            c.read("two-lights", f"{other}.bin", binary=True) == zeros)

    rc, out, err = c.command("no-permission", "devices")
    c.check("no-permission", "devices as another user lists the light as not permitted",
            rc == 1 and re.fullmatch(r"13ec:0056  interface 0  /dev/hidraw\d+  feature reports  "
                                     r"no permission: .*\n", out) and
            "no light can be opened by this user" in err)
    rc, out, err = c.command("no-permission", "upload")
    c.check("no-permission", "upload as another user fails naming the permission, writes nothing",
            rc == 1 and "no permission to open" in err and
            c.read("no-permission", "a.bin", binary=True) == zeros)

    if c.read("udev", "skipped"):
        print(f"SKIPPED: udev: {c.read('udev', 'skipped').strip()}")
    else:
        events = (c.read("udev", "events") or "").splitlines()
        arrived = {line.split()[1] for line in events if line.startswith("arrival ")}
        removed = {line.split()[1] for line in events if line.startswith("removal ")}
        c.check("udev", "the program's udev monitor hears the light's nodes arrive and go",
                arrived and arrived == removed, f"events: {events}")
        nodes = (c.read("udev", "properties") or "").split("\n\n")
        light_nodes = [n for n in nodes if "13EC:0056" in n.upper()]
        c.check("udev", "the shipped rule tags the light's nodes for the seat user (uaccess)",
                light_nodes and all(re.search(r"^(CURRENT_)?TAGS=.*:uaccess:", n, re.M)
                                    for n in light_nodes), f"{len(light_nodes)} light node(s)")

    return c.failures


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    cli, light, watch, workdir = (os.path.abspath(a) for a in sys.argv[1:])
    os.makedirs(workdir, exist_ok=True)
    started = time.monotonic()
    results, console = run_guest(cli, light, watch, workdir)
    failures = check_results(results, cli, console)
    print(f"kernel test: {failures} failure(s), {time.monotonic() - started:.1f} s in all")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
