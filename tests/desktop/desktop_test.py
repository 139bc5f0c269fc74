#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the real lumavert window on a private X server with a window manager.

Usage: desktop_test.py LUMAVERT LUMAVERT_CLI

Starts Xvfb and openbox, runs `lumavert --simulate=FILE` and works it with real pointer and key
events (xdotool). Every wait polls something the program shows (windows, their places, pixels,
files) with a timeout of a few seconds. Exit 0 all checks passed, 1 a check failed, 77 a part
this machine lacks (printed as SKIPPED).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
SCREEN_W, SCREEN_H = 1024, 768
# Where the window manager is told to put the main window: neither the screen's centre nor its
# corner, so a dialog that ignores where the window is lands visibly elsewhere.
PLACED_AT = (57, 43)
MAIN_SIZE = (800, 600)
DIALOG_SIZE = (400, 240)
TIMEOUT = 8.0  # seconds; the slowest awaited thing, an upload, takes 4 s

# Places in the 800 x 600 window (MainWindow.cpp and PickerRow.cpp): mode row 1 lies at
# (173, 150, 200, 60); its item list at (55, 0, 110, 20) in the row; its value bar ends at x 183.
ROW1 = (173, 150)
FACE = (ROW1[0] + 55, ROW1[1], 110, 20)
ROW_BLANK = (ROW1[0] + 191, ROW1[1] + 40)
BACKGROUND = (450, 100)  # between the web address and the mode panel: nothing but background
LINK = (305 + 93, 6 + 8)  # the web address label (305, 6, 186, 16)
UPLOAD_KEY = (131 + 30, 532 + 15)
PRESETS_KEY = (394 + 50, 532 + 15)
CLOSE_KEY = (772 + 12, 2 + 12)
MODE_PANEL = (173, 140, 330, 320)  # the rows and their scroll bar
OK_IN_DIALOG = (172, 200)  # inside the dialog's OK key (165, 184, 68, 32), left of its caption
PARKED = (SCREEN_W - 4, SCREEN_H - 4)  # off the window: no hover looks, no tooltips


class Failure(Exception):
    pass


results = []  # (check, passed, detail)


def note(check, passed, detail=""):
    results.append((check, passed, detail))
    print(("PASS " if passed else "FAIL ") + check + (": " + detail if detail else ""), flush=True)


def wait_for(what, probe, timeout=TIMEOUT, interval=0.05):
    """Polls probe() until it returns something true; that value, or Failure naming `what`."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s (last: %r)" % (timeout, what, last))
        time.sleep(interval)


def stays(what, probe, duration=0.8, interval=0.05):
    """For things that must not happen: probe() must stay true over `duration` seconds."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        value = probe()
        if not value:
            raise Failure("%s stopped holding" % what)
        time.sleep(interval)


class Desktop:
    def __init__(self, work):
        self.work = work
        self.env = dict(os.environ)
        for key in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
            self.env.pop(key, None)
        self.env["XDG_CONFIG_HOME"] = os.path.join(work, "config")
        self.env["XDG_CACHE_HOME"] = os.path.join(work, "cache")
        self.env["XDG_RUNTIME_DIR"] = os.path.join(work, "run")
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        self.processes = []

    def start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (SCREEN_W, SCREEN_H), "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()  # Xvfb picks a free display and says which
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        rc = os.path.join(self.work, "rc.xml")
        with open(rc, "w") as out:
            out.write(OPENBOX_RC % PLACED_AT)
        self.processes.append(subprocess.Popen(
            ["openbox", "--config-file", rc], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("openbox to manage the screen",
                 lambda: "window id" in self.x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]))

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def x(self, command, check=False):
        done = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=10)
        if check and done.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(command), done.stderr.strip()))
        return done.stdout

    def windows(self, pid):
        """The visible windows of process `pid` as {id: (x, y, width, height)}."""
        found = {}
        for wid in self.x(["xdotool", "search", "--onlyvisible", "--pid", str(pid)]).split():
            fields = dict(line.split("=", 1) for line in
                          self.x(["xdotool", "getwindowgeometry", "--shell", wid]).split())
            if "X" in fields:
                found[wid] = tuple(int(fields[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        return found

    def pointer(self, x, y):
        # No --sync: it waits for a motion that never comes when the pointer is already there.
        self.x(["xdotool", "mousemove", str(x), str(y)], check=True)
        wait_for("the pointer at %d,%d" % (x, y), lambda: self.pointer_at() == (x, y))

    def pointer_at(self):
        fields = dict(item.split(":", 1) for item in
                      self.x(["xdotool", "getmouselocation"]).split() if ":" in item)
        return int(fields.get("x", -1)), int(fields.get("y", -1))

    def click(self, x, y):
        self.pointer(x, y)
        self.x(["xdotool", "click", "1"], check=True)

    def press(self):
        self.x(["xdotool", "mousedown", "1"], check=True)

    def release(self):
        self.x(["xdotool", "mouseup", "1"], check=True)

    def key(self, name):
        self.x(["xdotool", "key", name], check=True)

    def grab(self, x, y, w, h):
        """The screen's pixels in a rectangle, as raw RGB bytes."""
        done = subprocess.run(
            ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "-depth", "8",
             "rgb:-"], env=self.env, capture_output=True, timeout=10)
        return done.stdout if len(done.stdout) == w * h * 3 else b""

    def colour(self, x, y):
        pixel = self.grab(x, y, 1, 1)
        return tuple(pixel) if pixel else None


OPENBOX_RC = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <applications>
    <application type="normal">
      <position force="yes"><x>%d</x><y>%d</y></position>
    </application>
  </applications>
</openbox_config>
"""


def is_green(rgb):
    return rgb is not None and rgb[1] > rgb[0] + 60 and rgb[1] > rgb[2] + 30


class App:
    """One run of lumavert on the desktop."""

    def __init__(self, desktop, binary, memory):
        self.desk = desktop
        self.process = subprocess.Popen(
            [binary, "--lang=en", "--simulate=" + memory], env=desktop.env, cwd=desktop.work,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        desktop.processes.append(self.process)
        self.main = None

    def windows(self):
        return self.desk.windows(self.process.pid)

    def main_geometry(self):
        for geometry in self.windows().values():
            if geometry[2:] == MAIN_SIZE:
                return geometry
        return None

    def wait_main(self):
        self.main = wait_for("the main window", self.main_geometry)
        return self.main

    def others(self):
        """Windows other than the main one (dialogs, lists, menus)."""
        return [g for g in self.windows().values() if g[2:] != MAIN_SIZE]

    def dialog(self):
        found = [g for g in self.others() if g[2:] == DIALOG_SIZE]
        return found[0] if len(found) == 1 else None

    def at(self, point):
        """A point of the main window on the screen."""
        return (self.main[0] + point[0], self.main[1] + point[1])

    def click(self, point):
        self.desk.click(*self.at(point))

    def panel(self):
        x, y = self.at(MODE_PANEL[:2])
        return self.desk.grab(x, y, *MODE_PANEL[2:])

    def finish_transfer(self, what):
        """Waits for the transfer dialog's OK and presses Return; the dialog must go."""
        dialog = wait_for(what + " dialog", self.dialog)
        wait_for("OK in the " + what + " dialog", lambda: is_green(
            self.desk.colour(dialog[0] + OK_IN_DIALOG[0], dialog[1] + OK_IN_DIALOG[1])))
        self.desk.key("Return")
        wait_for("the " + what + " dialog to close after Return", lambda: not self.others())
        return dialog

    def close(self):
        self.desk.pointer(*PARKED)
        self.click(CLOSE_KEY)
        wait_for("lumavert to end after its close key", lambda: self.process.poll() is not None)
        return self.process.returncode


def centred_on(dialog, main):
    dx = (dialog[0] + dialog[2] / 2) - (main[0] + main[2] / 2)
    dy = (dialog[1] + dialog[3] / 2) - (main[1] + main[3] / 2)
    return abs(dx) <= 1 and abs(dy) <= 1, "dialog %r, main window %r" % (dialog, main)


def check_command_line(binary):
    """--help and --version answer without a display; a bad option is bad usage."""
    env = dict(os.environ)
    for key in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(key, None)
    cases = [(["--help"], 0, "Usage: lumavert"), (["--version"], 0, "lumavert "),
             (["--no-such-option"], 2, "")]
    for arguments, status, output in cases:
        done = subprocess.run([binary] + arguments, env=env, capture_output=True, text=True,
                              timeout=10)
        passed = done.returncode == status and done.stdout.startswith(output)
        note("command line " + " ".join(arguments), passed,
             "exit %d, stdout %r, stderr %r" % (done.returncode, done.stdout[:40],
                                                done.stderr.strip()[:80]))


def check_item_list(app):
    """The list drops below the face whatever entry is current; one point, one entry."""
    desk = app.desk
    face_x, face_y = app.at(FACE[:2])
    face_bottom = face_y + FACE[3]

    def open_list():
        desk.click(face_x + FACE[2] // 2, face_y + FACE[3] // 2)
        lists = wait_for("the item list to drop", app.others)
        return lists[0]

    def face():
        desk.pointer(*PARKED)
        wait_for("the item list to close", lambda: not app.others())
        return desk.grab(face_x, face_y, *FACE[2:])

    first = open_list()
    desk.key("Escape")
    shown_first = face()
    entry_height = first[3] / 6  # six entries: Brightness, Frequency, Customize, S.O.S, ...
    second_entry = (face_x + 30, int(first[1] + 1.5 * entry_height))
    first_entry = (face_x + 30, int(first[1] + 0.5 * entry_height))
    drops = [first]
    faces = []
    for target in (second_entry, first_entry, second_entry):
        drops.append(open_list())
        desk.click(*target)
        faces.append(face())
    below = all(d[1] >= face_bottom - 1 and d[0] == first[0] and d[1] == first[1] for d in drops)
    note("item list drops below its face", below,
         "face %d..%d, lists at %r" % (face_y, face_bottom, [d[:2] for d in drops]))
    same = faces[0] == faces[2] and faces[0] != faces[1] and faces[1] == shown_first
    note("same point picks the same entry", same,
         "second entry from the first, first from the second, second from the first")


def check_dragging(app):
    """A row's blank part never moves the window; the background drags; a click lets go."""
    desk = app.desk

    def unmoved(expected):
        return lambda: app.main_geometry() == expected

    def stays_after(what, gesture):
        start = app.main
        gesture()
        try:
            stays("the window staying after a " + what, unmoved(start))
            note(what + " leaves the window in place", True)
        except Failure as failure:
            note(what + " leaves the window in place", False,
                 "%s: now %r" % (failure, app.main_geometry()))
            app.wait_main()

    def click_then_move(spot, by):
        def gesture():
            desk.click(*app.at(spot))
            desk.pointer(app.at(spot)[0] + by[0], app.at(spot)[1] + by[1])
        return gesture

    def drag_from(spot):
        def gesture():
            desk.pointer(*app.at(spot))
            desk.press()
            for step in range(1, 6):
                desk.pointer(app.at(spot)[0] + 12 * step, app.at(spot)[1] + 8 * step)
            desk.release()
        return gesture

    stays_after("click on a row's blank part", click_then_move(ROW_BLANK, (70, 50)))
    stays_after("drag from a row's blank part", drag_from(ROW_BLANK))

    start = app.main
    grip = app.at(BACKGROUND)
    shift = (60, 40)
    desk.pointer(*grip)
    desk.press()
    for step in range(1, 7):
        desk.pointer(grip[0] + shift[0] * step // 6, grip[1] + shift[1] * step // 6)
    # The window manager counts the move from where the drag distance was passed, so the window
    # follows by a little less than the pointer did.
    def followed():
        x, y = app.main_geometry()[:2]
        return start[0] + shift[0] // 2 <= x <= start[0] + shift[0] and \
            start[1] + shift[1] // 2 <= y <= start[1] + shift[1]
    try:
        wait_for("the window to follow the drag", followed)
        moved_to = app.main_geometry()[:2]
        desk.release()
        desk.pointer(grip[0] + 150, grip[1] + 120)
        stays("the window staying where it was dropped", unmoved(moved_to + MAIN_SIZE))
        note("drag on the background moves the window", True, "%r -> %r" % (start[:2], moved_to))
    except Failure as failure:
        desk.release()
        note("drag on the background moves the window", False,
             "%s: from %r, now %r" % (failure, start, app.main_geometry()))
    app.wait_main()

    stays_after("click on the background", click_then_move(BACKGROUND, (90, 70)))
    desk.pointer(*PARKED)
    app.wait_main()


def check_link(app, opened_log):
    """The web address opens on a release over it, not after moving off."""
    desk = app.desk

    def opened():
        return os.path.exists(opened_log) and open(opened_log).read().strip()

    link = app.at(LINK)
    desk.pointer(*link)
    desk.press()
    desk.pointer(link[0], link[1] + 60)
    desk.release()
    try:
        stays("nothing opened after moving off the link", lambda: not opened())
        passed = True
    except Failure:
        passed = False
    note("link does not open when released away from it", passed, opened() or "")
    desk.click(*link)
    try:
        address = wait_for("the link to open", opened)
        # The address is the maker's site, or the local page when the build names no site.
        note("link opens when released over it", address.startswith(("http", "file:")), address)
    except Failure as failure:
        note("link opens when released over it", False, str(failure))
    desk.pointer(*PARKED)


def apply_outdoor(app):
    app.click(PRESETS_KEY)
    wait_for("the preset menu", app.others)
    for key in ("Down", "Down", "Down", "Return"):  # Factory, Household, Outdoor
        app.desk.key(key)
    wait_for("the preset menu to close", lambda: not app.others())
    app.desk.pointer(*PARKED)


def encoded_preset(cli, name, work):
    ini = os.path.join(work, name + ".ini")
    subprocess.run([cli, "preset", name, "-o", ini], check=True, timeout=10)
    hex_text = subprocess.run([cli, "encode", ini], check=True, timeout=10, capture_output=True,
                              text=True).stdout
    return bytes.fromhex("".join(hex_text.split()))


def run_checks(desk, binary, cli):
    memory = os.path.join(desk.work, "light.bin")
    opened_log = os.path.join(desk.work, "opened.txt")
    bin_dir = os.path.join(desk.work, "bin")
    os.makedirs(bin_dir)
    opener = os.path.join(bin_dir, "xdg-open")
    with open(opener, "w") as out:
        # Stands in for the desktop's browser: the program opens addresses through xdg-open.
        out.write("#!/bin/sh\nprintf '%%s\\n' \"$@\" >> '%s'\n" % opened_log)
    os.chmod(opener, 0o755)
    desk.env["PATH"] = bin_dir + os.pathsep + desk.env.get("PATH", "")

    app = App(desk, binary, memory)
    main = app.wait_main()
    note("window manager placed the main window", main[:2] == PLACED_AT, repr(main))
    dialog = wait_for("the automatic download dialog", app.dialog)
    note("start-up download dialog centred", *centred_on(dialog, main))
    app.finish_transfer("start-up download")
    note("Return presses OK in the download dialog", True)
    desk.pointer(*PARKED)
    factory_panel = wait_for("a picture of the mode panel", app.panel)

    check_item_list(app)
    check_dragging(app)
    check_link(app, opened_log)

    apply_outdoor(app)
    outdoor_panel = wait_for("the Outdoor preset in the mode panel",
                             lambda: (lambda p: p if p and p != factory_panel else None)(
                                 app.panel()))
    app.click(UPLOAD_KEY)
    dialog = wait_for("the upload dialog", app.dialog)
    note("upload dialog centred on the moved window", *centred_on(dialog, app.main_geometry()))
    app.finish_transfer("upload")
    note("Return presses OK in the upload dialog", True)
    expected = encoded_preset(cli, "outdoor", desk.work)
    stored = wait_for("the light's memory file", lambda: os.path.exists(memory) and
                      open(memory, "rb").read())
    note("memory file holds the Outdoor preset after Upload", stored == expected,
         "%d bytes, %s" % (len(stored), "equal" if stored == expected else "different"))
    status = app.close()
    note("close key ends the program", status == 0, "exit %r" % status)

    again = App(desk, binary, memory)
    main = again.wait_main()
    dialog = wait_for("the automatic download dialog after restart", again.dialog)
    note("download dialog centred after restart", *centred_on(dialog, main))
    again.finish_transfer("download after restart")
    desk.pointer(*PARKED)
    shown = wait_for("the downloaded set in the mode panel",
                     lambda: (lambda p: p if p == outdoor_panel else None)(again.panel()))
    note("restart and download show the Outdoor preset", shown == outdoor_panel)
    again.close()


def main():
    if len(sys.argv) != 3:
        print("usage: desktop_test.py LUMAVERT LUMAVERT_CLI", file=sys.stderr)
        return 2
    binary, cli = sys.argv[1], sys.argv[2]
    check_command_line(binary)
    missing = [tool for tool in ("Xvfb", "openbox", "xdotool", "xprop", "import")
               if shutil.which(tool) is None]
    if missing:
        print("SKIPPED: the desktop checks need %s (scripts/install-deps.sh --test)"
              % ", ".join(missing))
        return 1 if any(not passed for _, passed, _ in results) else SKIP
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="lumavert-desktop-") as work:
        desk = Desktop(work)
        try:
            desk.start()
            run_checks(desk, binary, cli)
        except (Failure, subprocess.TimeoutExpired) as failure:
            note("desktop session", False, str(failure))
            desk.x(["import", "-window", "root", os.path.join(os.getcwd(), "desktop-failure.png")])
            print("screen at the failure: " + os.path.join(os.getcwd(), "desktop-failure.png"))
        finally:
            desk.stop()
    failed = [check for check, passed, _ in results if not passed]
    print("%d checks, %d failed, %.1f s" % (len(results), len(failed), time.monotonic() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
