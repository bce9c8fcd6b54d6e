#!/usr/bin/env python3
"""The real program on a private X server with a window manager (openbox), as on a desktop.

Checks what only a window manager shows: the windows' class names the desktop entry's
StartupWMClass; Return on the start window's focused "Start" opens the main window; Alt
underlines the menu's mnemonics, releasing it highlights the first item, Right and Return open
"Spring Calculation", and the item under the pointer is highlighted; both tool windows open
beside the main window, overlapping neither it nor each other, and a click on the main window
raises it above them; a message box is wide enough for its caption; after the main window is
closed the start window stands above the tool windows and has the focus, and after "Start"
again the windows relate as before. Then "Close" must end the program with exit code 0.

The X server, the program and the screenshots are handled as in gun_report_round_trip.py,
whose helpers this script uses; the screen is large enough for the main window and a tool
window side by side.

Exit code 0: passed; 1: failed (the reason on stderr); 77: a tool is missing.
"""

import argparse
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gun_report_round_trip import (  # noqa: E402
    CLOSE_BUTTON, KEY_EFFECT_SECONDS, LOAD_BUTTON, MAIN_CLIENT_SIZE, NEUTRAL_SPOT, SKIP,
    STARTED, Desktop, Failure, OutOfTime, Step, StopProcess, Velloran, WaitFor,
    WriteAuthority, XServer, DieWithParent, WHOLE_RUN_SECONDS)

TOOLS = ("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "import")
SCREEN = (1920, 1080)
# openbox's title bar shows the whole caption "Velloran" beside its buttons in a box at least
# this wide; a box as wide as its text alone shows "Ve… n".
MESSAGE_BOX_MIN_WIDTH = 200
TOOL_TITLES = ("Spring Calculation", "Unit Conversion")


def XProp(env, *arguments):
    result = subprocess.run(["xprop"] + list(arguments), env=env, capture_output=True,
                            text=True, timeout=10)
    return result.stdout.strip() if result.returncode == 0 else ""


class WindowManager:
    """openbox on the X server, with a home of its own; ready once it names itself on the
    root window."""

    def __init__(self, env, home, logPath):
        self.log = open(logPath, "ab")
        self.env = dict(env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        self.process = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT,
                                        start_new_session=True, preexec_fn=DieWithParent)
        WaitFor("openbox to manage the screen", lambda: self.CheckRunning() or "window id" in
                XProp(self.env, "-root", "_NET_SUPPORTING_WM_CHECK"))

    def CheckRunning(self):
        if self.process.poll() is not None:
            raise Failure("openbox ended with exit code %d" % self.process.returncode)

    def Stop(self):
        StopProcess(self.process)
        self.log.close()


class ManagedDesktop(Desktop):
    """The desktop as the window manager arranges it: frames, stacking, the active window."""

    def VisibleWindows(self):
        """As Desktop's, in one xwininfo call per window: xdotool adds the frame's extents once
        more to a reparented window's position, and three calls a window are slow."""
        windows = []
        found = self.Run("xdotool", "search", "--onlyvisible", "--name", "--class", ".")
        for window in found.split():
            info = subprocess.run(["xwininfo", "-id", window], env=self.env,
                                  capture_output=True, text=True, timeout=10).stdout
            match = re.search(r'Window id: \S+ (?:"(.*)"|\(has no name\))', info)
            fields = dict(line.strip().split(": ", 1) for line in info.splitlines()
                          if ": " in line)
            try:
                geometry = [int(fields[key]) for key in ("Absolute upper-left X",
                                                         "Absolute upper-left Y", "Width",
                                                         "Height")]
            except (KeyError, ValueError):
                continue  # gone while we looked
            windows.append(tuple([window, match.group(1) or "" if match else ""] + geometry))
        return windows

    def Pixels(self, x, y, width, height):
        """The screen's pixels in the rectangle, as the server stores them: read straight from
        the server, where ImageMagick takes seconds to start."""
        class XImage(ctypes.Structure):
            _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                        ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                        ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                        ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                        ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                        ("bytes_per_line", ctypes.c_int)]

        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        os.environ["XAUTHORITY"] = self.env["XAUTHORITY"]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise Failure("no connection to %s to read pixels" % self.env["DISPLAY"])
        try:
            allPlanes, zPixmap = 0xFFFFFFFF, 2
            image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height,
                                  allPlanes, zPixmap)
            if not image:
                raise Failure("no pixels at %d,%d size %dx%d" % (x, y, width, height))
            data = ctypes.string_at(image.contents.data,
                                    image.contents.bytes_per_line * image.contents.height)
            x11.XFree(image.contents.data)
            x11.XFree(image)
        finally:
            x11.XCloseDisplay(display)
        return data

    def FrameOf(self, window):
        """(x, y, width, height) of the window's frame: its client area and the frame's
        extents that openbox announces."""
        extents = XProp(self.env, "-id", window[0], "_NET_FRAME_EXTENTS")
        left, right, top, bottom = (int(n) for n in extents.split("=")[1].split(","))
        return (window[2] - left, window[3] - top, window[4] + left + right,
                window[5] + top + bottom)

    def Stacking(self):
        """The managed windows' ids, bottom first."""
        line = XProp(self.env, "-root", "_NET_CLIENT_LIST_STACKING")
        return [str(int(w.strip(), 16)) for w in line.split("#", 1)[1].split(",")]

    def ActiveWindow(self):
        return self.Run("xdotool", "getactivewindow").strip()

    def HoldKey(self, key, held):
        self.Run("xdotool", "keydown" if held else "keyup", key)
        time.sleep(KEY_EFFECT_SECONDS / 2)


def Overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def Inside(frame, screen):
    return frame[0] >= 0 and frame[1] >= 0 and frame[0] + frame[2] <= screen[0] and \
        frame[1] + frame[3] <= screen[1]


def StartupWMClass(desktopEntry):
    with open(desktopEntry) as entry:
        for line in entry:
            if line.startswith("StartupWMClass="):
                return line.split("=", 1)[1].strip()
    raise Failure("%s names no StartupWMClass" % desktopEntry)


class DesktopScenario:
    def __init__(self, velloran, desktop):
        self.velloran, self.desktop = velloran, desktop

    def MainWindow(self):
        return self.desktop.FindWindow(
            "Velloran", lambda w, h: w == MAIN_CLIENT_SIZE[0] and h > MAIN_CLIENT_SIZE[1])

    def Tool(self, title):
        return WaitFor("the '%s' window" % title, lambda: self.velloran.CheckRunning() or
                       self.desktop.FindWindow(title))

    def MenuBarPixels(self):
        main = self.MainWindow()
        menuHeight = main[5] - MAIN_CLIENT_SIZE[1]
        return self.desktop.Pixels(main[2], main[3], main[4], menuHeight)

    def ExpectAbove(self, upper, lowers, stage):
        stacking = self.desktop.Stacking()
        for lower in lowers:
            if stacking.index(upper[0]) < stacking.index(lower[0]):
                self.desktop.Screenshot(stage)
                raise Failure("%s: '%s' stands below '%s'" % (stage, upper[1], lower[1]))

    def CheckWindowClass(self, desktopEntry):
        wmClass = XProp(self.desktop.env, "-id", self.velloran.start[0], "WM_CLASS")
        expected = StartupWMClass(desktopEntry)
        if not wmClass.endswith('"%s"' % expected):
            raise Failure("the start window's class is %s; the desktop entry expects '%s'"
                          % (wmClass, expected))

    def ReturnOpensTheMainWindow(self):
        self.desktop.Run("xdotool", "windowactivate", "--sync", self.velloran.start[0])
        self.desktop.Key("Return")
        self.velloran.WaitForMainWindow()

    def MenuUnderTheKeyboardAndThePointer(self):
        main = self.MainWindow()
        self.desktop.MovePointer(self.velloran.main[1] + NEUTRAL_SPOT[0],
                                 self.velloran.main[2] + NEUTRAL_SPOT[1])
        self.desktop.Run("xdotool", "windowactivate", "--sync", main[0])
        plain = self.MenuBarPixels()
        self.desktop.HoldKey("alt", True)
        held = self.MenuBarPixels()
        self.desktop.Screenshot("alt-held")
        self.desktop.HoldKey("alt", False)
        chosen = self.MenuBarPixels()
        self.desktop.Screenshot("menu-mode")
        if held == plain:
            raise Failure("holding Alt underlines no mnemonic in the menu bar")
        if chosen == held:
            raise Failure("after Alt no menu item is highlighted")
        self.desktop.Key("Right")
        self.desktop.Key("Return")
        self.Tool("Spring Calculation")
        # The pointer over the first item, away from the tool window, highlights it.
        self.desktop.Run("xdotool", "windowactivate", "--sync", main[0])
        plain = self.MenuBarPixels()
        self.desktop.MovePointer(main[2] + 20, main[3] + (main[5] - MAIN_CLIENT_SIZE[1]) // 2)
        time.sleep(KEY_EFFECT_SECONDS / 2)
        hovered = self.MenuBarPixels()
        self.desktop.Screenshot("menu-hover")
        if hovered == plain:
            raise Failure("the menu item under the pointer is not highlighted")
        self.desktop.Run("xdotool", "click", "1")
        self.Tool("Unit Conversion")

    def ToolWindowsBesideTheMainWindow(self, stage):
        main = self.MainWindow()
        frames = {title: self.desktop.FrameOf(self.Tool(title)) for title in TOOL_TITLES}
        mainFrame = self.desktop.FrameOf(main)
        self.desktop.Screenshot(stage)
        for title, frame in frames.items():
            if Overlap(frame, mainFrame) or not Inside(frame, SCREEN):
                raise Failure("%s: '%s' at %s is not beside the main window at %s on the screen"
                              % (stage, title, frame, mainFrame))
        if Overlap(*frames.values()):
            raise Failure("%s: the tool windows overlap: %s" % (stage, frames))
        # A click on the main window raises it above the tools: they do not bury it.
        self.velloran.ClickMainAnywhere(NEUTRAL_SPOT)
        time.sleep(KEY_EFFECT_SECONDS / 2)
        self.ExpectAbove(self.MainWindow(), [self.Tool(t) for t in TOOL_TITLES], stage)

    def MessageBoxWideEnoughForItsCaption(self):
        """Loads a report that is not there: "File loading error." is the shortest message."""
        self.velloran.ClickMainAnywhere(LOAD_BUTTON)
        dialog = self.Tool("Open")
        self.desktop.Focus(dialog[0])
        self.desktop.Key("ctrl+a")
        self.desktop.Type("no such report.txt")
        self.desktop.Key("Return")
        box = WaitFor("the message box", lambda: self.velloran.CheckRunning() or
                      self.desktop.FindWindow("Velloran", lambda w, h: h < 150))
        self.desktop.Screenshot("message-box")
        if box[4] < MESSAGE_BOX_MIN_WIDTH:
            raise Failure("the message box is %d pixels wide: too narrow for its caption"
                          % box[4])
        self.desktop.Key("Return")
        WaitFor("the message box to close", lambda: not self.desktop.FindWindow(
            "Velloran", lambda w, h: h < 150))

    def StartWindowOnTopAfterTheMainWindowCloses(self, stage):
        self.desktop.CloseWindow(self.MainWindow()[0])
        WaitFor("the main window to close", lambda: self.velloran.CheckRunning() or
                not self.MainWindow())
        time.sleep(KEY_EFFECT_SECONDS / 2)
        self.desktop.Screenshot(stage)
        start = self.desktop.FindWindow("Velloran", lambda w, h: (w, h) == (297, 201))
        self.ExpectAbove(start, [self.Tool(t) for t in TOOL_TITLES], stage)
        if self.desktop.ActiveWindow() != start[0]:
            raise Failure("%s: the start window does not have the focus" % stage)


class ManagedVelloran(Velloran):
    def ClickMainAnywhere(self, point):
        """A click into the main window's client area, whatever other window is open."""
        self.CheckRunning()
        self.desktop.Click(self.main[1] + point[0], self.main[2] + point[1])


def Scenario(velloran, desktop, desktopEntry):
    scenario = DesktopScenario(velloran, desktop)
    desktop.Screenshot("start-window")
    Step("the window class, then Return on Start")
    scenario.CheckWindowClass(desktopEntry)
    scenario.ReturnOpensTheMainWindow()
    Step("the menu bar under the keyboard and the pointer")
    scenario.MenuUnderTheKeyboardAndThePointer()
    Step("the tool windows beside the main window")
    scenario.ToolWindowsBesideTheMainWindow("tools-beside")
    Step("a message box and its caption")
    scenario.MessageBoxWideEnoughForItsCaption()
    Step("closing the main window, then Start again")
    scenario.StartWindowOnTopAfterTheMainWindowCloses("main-window-closed")
    scenario.ReturnOpensTheMainWindow()
    scenario.ToolWindowsBesideTheMainWindow("tools-after-reopen")
    scenario.StartWindowOnTopAfterTheMainWindowCloses("main-window-closed-again")
    Step("Close")
    velloran.ClickStart(CLOSE_BUTTON)
    exitCode = velloran.WaitForExit()
    if exitCode != 0:
        raise Failure("velloran ended with exit code %d" % exitCode)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the velloran executable")
    parser.add_argument("--desktop-entry", dest="desktopEntry", required=True,
                        help="the program's desktop entry")
    parser.add_argument("--output", required=True, help="folder for screenshots and logs")
    arguments = parser.parse_args()

    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped: %s not installed" % ", ".join(missing), file=sys.stderr)
        return SKIP
    shutil.rmtree(arguments.output, ignore_errors=True)
    os.makedirs(arguments.output)

    def OnAlarm(signum, frame):
        raise OutOfTime()

    signal.signal(signal.SIGALRM, OnAlarm)
    signal.alarm(WHOLE_RUN_SECONDS)
    home = tempfile.mkdtemp(prefix="velloran-e2e-")
    os.chmod(home, 0o700)
    server = manager = velloran = desktop = None
    try:
        Step("starting Xvfb, openbox and velloran")
        authority = os.path.join(home, "Xauthority")
        WriteAuthority(authority)
        server = XServer(os.path.join(arguments.output, "xvfb.log"), authority, SCREEN)
        manager = WindowManager(server.env, home, os.path.join(arguments.output, "openbox.log"))
        desktop = ManagedDesktop(server.env, arguments.output)
        velloran = ManagedVelloran(os.path.abspath(arguments.program), "C.UTF-8", desktop, home,
                                   os.path.join(arguments.output, "velloran.log"))
        velloran.WaitForStartWindow()
        Scenario(velloran, desktop, arguments.desktopEntry)
        outcome = 0
    except (Failure, OutOfTime, subprocess.TimeoutExpired) as failure:
        print("FAILED: %s" % (str(failure) or "the whole run took more than %d s"
                              % WHOLE_RUN_SECONDS), file=sys.stderr)
        if desktop:
            try:
                print("windows: %s" % desktop.Describe(), file=sys.stderr)
                desktop.Screenshot("failure")
            except (Failure, subprocess.TimeoutExpired):
                pass
        outcome = 1
    finally:
        signal.alarm(0)
        for part in (velloran, manager, server):
            if part:
                part.Stop()
        shutil.rmtree(home, ignore_errors=True)
    print("%s in %.1f s; screenshots in %s"
          % ("passed" if outcome == 0 else "failed", time.monotonic() - STARTED, arguments.output))
    return outcome


if __name__ == "__main__":
    sys.exit(main())
