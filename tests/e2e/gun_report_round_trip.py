#!/usr/bin/env python3
"""The real program on a private X server, driven as a user drives it.

Starts velloran on its own Xvfb and presses "Start". In the main window, Enter in a field must
open nothing and Esc must not close the window; a field that is not a number must be reported
in a message box captioned "Velloran"; Tab in the result box must move on to the name field
and leave the box as it was. Then types the example gun into the name field so reached and the
sixteen fields, presses "Compute" and saves the gun report through the real save dialog.
Checks the report line by line, changes some fields, loads the report back through the real
open dialog and saves the loaded gun again, typing only a name, which the save dialog puts in
the folder chosen last: the second report must equal the first but for the one more space on
each side of the name that a save and load cycle adds. Then closes the main window and
presses "Close", which must end the program with exit code 0. No window may be left over
after a dialog or a message box closes, the name completion list of a file dialog included.

With --decimal-comma the program runs under de_DE.UTF-8: the numbers are typed with commas,
and the reports must be the same, with points.

Controls are reached by clicking at the pixel positions at which the windows lay them out,
added to the window geometry that the X server reports; there is no window manager, so a
window's top-left corner is its client area's (the main window's menu bar stands above its
client area). A screenshot of every stage goes into the --output folder together with the
program's output and the saved reports.

Exit code 0: passed; 1: failed (the reason on stderr); 77: a tool or the locale is missing.
"""

import argparse
import ctypes
import locale
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
WHOLE_RUN_SECONDS = 100  # below the CTest timeout, so the cleanup below always runs
STEP_SECONDS = 30  # a sanitized build takes a few seconds for a window or a computation
TOOLS = ("Xvfb", "xdotool", "import")
STARTED = time.monotonic()

START_WINDOW_SIZE = (297, 201)
MAIN_CLIENT_SIZE = (585, 513)

# Centres of the controls, in client-area coordinates: the position of the control plus
# that of the panel or group box that holds it, plus half its size.
START_BUTTON = (160 + 8 + 113 // 2, 104 + 8 + 33 // 2)
CLOSE_BUTTON = (160 + 8 + 113 // 2, 104 + 48 + 33 // 2)
NAME_FIELD = (8 + 377 // 2, 8 + 21 // 2)
LOAD_BUTTON = (392 + 8 + 81 // 2, 158 + 12 + 30 // 2)
SAVE_BUTTON = (392 + 96 + 81 // 2, 158 + 12 + 30 // 2)
COMPUTE_BUTTON = (392 + 8 + 169 // 2, 158 + 46 + 30 // 2)
# Bare client area between the parameter box and the graph: a click there changes nothing.
NEUTRAL_SPOT = (200, 244)
RESULT_BOX = (392, 8, 185, 145)  # x, y, width, height
RESULT_BOX_FIRST_LINE = (392 + 6, 8 + 9)  # before the first character of "Computation Result:"
# A key that goes wrong opens or closes a window; its effect shows within this time.
KEY_EFFECT_SECONDS = 1.0


def ParameterField(number):
    """Centre of parameter field Edit<number>: two columns of eight inside GroupBox2."""
    column, row = divmod(number - 1, 8)
    return (8 + (96, 288)[column] + 49 // 2, 30 + 16 + row * 24 + 21 // 2)


EXAMPLE_GUN = ["4.5", "0.5", "450", "1.05", "1", "0.2", "25", "0.1",
               "3", "0.03", "200", "400", "60", "1.4", "0.1", "0.01"]
GUN_NAME = "E2E Pistol 4.5"

# The parameter lines of the example gun's report, as its layout fixes them.
EXPECTED_PARAMETER_LINES = [
    " Caliber [mm]:               4.500  ",
    " Bullet Weight [g]:          0.500  ",
    " Barrel Length [mm]:       450.000  ",
    " Barrel Friction [-]:        1.050  ",
    " Initial Pressure [MPa]:     1.000  ",
    " Piston Weight [kg]:         0.200  ",
    " Piston Diameter [mm]:      25.000  ",
    " Piston Friction [-]:        0.100  ",
    " Packing Thickness [mm]:     3.000  ",
    " Spring Weight [kg]:         0.030  ",
    " Minimum Force [N]:        200.000  ",
    " Maximum Force [N]:        400.000  ",
    " Piston Stroke [mm]:        60.000  ",
    " Adiabatic Exponent [-]:     1.400  ",
    " Air Pressure [MPa]:         0.100  ",
    " Computation Step [ms]:      0.010 ",
]

# The summary lines: their printf layout, and the program's own figures for the example gun.
# The model tests pin the physics; here the figures only show that the typed gun reached the
# engine and its result reached the file, so they may move by 0.1 % (a different compiler or
# optimisation level changes the last digits, a field typed into the wrong box far more).
SUMMARY = [
    (" Maximum Pressure:       %9.3f  MPa", 4.586),
    (" Max. Piston Velocity:     %7.3f  m/s", 9.764),
    (" Max. Temperature:         %7.3f  K", 806.671),
    (" Bullet Velocity:        %9.3f  m/s", 205.313),
    (" Bullet Energy:          %9.3f  J", 10.538),
]
RELATIVE_TOLERANCE = 0.001
BULLET_MASS = 0.5e-3  # kg, the example gun's bullet weight of 0.5 g


class Failure(Exception):
    pass


class OutOfTime(Exception):
    pass


def DieWithParent():
    """Runs in each child before exec: the kernel kills it when this script dies, whatever
    kills the script (CTest's timeout included)."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def StopProcess(process):
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=3)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=3)


def WaitFor(description, condition, seconds=STEP_SECONDS, interval=0.1):
    """Polls condition until it gives something true, which it returns."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out after %g s waiting for %s" % (seconds, description))
        time.sleep(interval)


def WriteAuthority(path):
    """An X authority file with one random cookie for any display: only the clients given
    this file reach our server, and none of ours can reach another by mistake."""
    def Counted(field):
        return len(field).to_bytes(2, "big") + field

    familyWild = 0xFFFF
    with open(path, "wb") as file:
        file.write(familyWild.to_bytes(2, "big") + Counted(b"") + Counted(b"")
                   + Counted(b"MIT-MAGIC-COOKIE-1") + Counted(os.urandom(16)))
    os.chmod(path, 0o600)


class XServer:
    """An Xvfb of its own on the first free display number."""

    def __init__(self, logPath, authorityPath, screen=(1024, 768)):
        readEnd, writeEnd = os.pipe()
        self.log = open(logPath, "ab")
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writeEnd), "-auth", authorityPath, "-screen", "0",
             "%dx%dx24" % screen, "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            stdout=self.log, stderr=subprocess.STDOUT, pass_fds=(writeEnd,),
            start_new_session=True, preexec_fn=DieWithParent)
        os.close(writeEnd)
        # Xvfb writes the number and then a line end once it accepts clients; the pipe stays
        # open until both are read, or the second write would kill it.
        answer = b""
        deadline = time.monotonic() + STEP_SECONDS
        try:
            while not answer.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([readEnd], [], [], 0.5)
                if ready:
                    chunk = os.read(readEnd, 32)
                    if not chunk:
                        break
                    answer += chunk
        finally:
            os.close(readEnd)
        number = answer.decode().strip()
        if not answer.endswith(b"\n") or not number.isdigit():
            self.Stop()
            raise Failure("Xvfb did not start (see %s)" % logPath)
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display, XAUTHORITY=authorityPath)
        # A client must get through before the program is started on it.
        probe = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env,
                               capture_output=True, text=True, timeout=STEP_SECONDS)
        if probe.stdout.split() != [str(side) for side in screen]:
            self.Stop()
            raise Failure("no connection to Xvfb on %s: %s"
                          % (self.display, (probe.stdout + probe.stderr).strip()))

    def Stop(self):
        StopProcess(self.process)
        self.log.close()


class Desktop:
    """xdotool and ImageMagick on the X server: windows, clicks, keys, screenshots."""

    def __init__(self, serverEnv, outputFolder):
        self.env = serverEnv
        self.outputFolder = outputFolder
        self.screenshots = []

    def Run(self, *arguments):
        result = subprocess.run(arguments, env=self.env, capture_output=True, text=True,
                                timeout=STEP_SECONDS)
        if result.returncode != 0 and arguments[1] != "search":
            raise Failure("%s failed: %s" % (" ".join(arguments), result.stderr.strip()))
        return result.stdout

    def VisibleWindows(self):
        """(id, name, x, y, width, height) of every mapped window with a name or a class:
        the completion list of a file dialog has a class but no name."""
        windows = []
        found = self.Run("xdotool", "search", "--onlyvisible", "--name", "--class", ".")
        for window in found.split():
            try:
                name = self.Run("xdotool", "getwindowname", window).rstrip("\n")
                shell = self.Run("xdotool", "getwindowgeometry", "--shell", window)
            except Failure:
                continue  # gone while we looked
            geometry = dict(line.split("=", 1) for line in shell.split())
            windows.append((window, name, int(geometry["X"]), int(geometry["Y"]),
                            int(geometry["WIDTH"]), int(geometry["HEIGHT"])))
        return windows

    def Describe(self):
        return "; ".join("%s '%s' at %d,%d size %dx%d" % w for w in self.VisibleWindows())

    def FindWindow(self, name, accept=lambda width, height: True):
        for window in self.VisibleWindows():
            if window[1] == name and accept(window[4], window[5]):
                return window
        return None

    def MovePointer(self, x, y):
        """Moves the pointer and waits until it is there; xdotool's --sync alone would wait
        for seconds when it is there already."""
        here = self.Run("xdotool", "getmouselocation", "--shell").split()
        if here[:2] != ["X=%d" % x, "Y=%d" % y]:
            self.Run("xdotool", "mousemove", "--sync", str(x), str(y))

    def Click(self, x, y):
        self.MovePointer(x, y)
        self.Run("xdotool", "click", "1")

    def Key(self, *keys):
        self.Run("xdotool", "key", "--clearmodifiers", *keys)

    def Type(self, text):
        self.Run("xdotool", "type", "--clearmodifiers", "--delay", "15", text)

    def Focus(self, windowId):
        self.Run("xdotool", "windowfocus", "--sync", windowId)

    def CloseWindow(self, windowId):
        """What a window manager's close box does: sends the window WM_DELETE_WINDOW."""
        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

        class Event(ctypes.Union):
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.c_long, ctypes.POINTER(Event)]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # Xlib finds the server's cookie through the environment of this process.
        os.environ["XAUTHORITY"] = self.env["XAUTHORITY"]
        display = x11.XOpenDisplay(self.env["DISPLAY"].encode())
        if not display:
            raise Failure("no connection to %s to close a window" % self.env["DISPLAY"])
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = int(windowId)
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", False)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", False)
        x11.XSendEvent(display, int(windowId), False, 0, ctypes.byref(event))
        x11.XFlush(display)
        x11.XCloseDisplay(display)

    def Pixels(self, x, y, width, height):
        """The screen's pixels in the rectangle, as raw RGB."""
        return subprocess.run(["import", "-window", "root", "-crop",
                               "%dx%d+%d+%d" % (width, height, x, y), "-depth", "8", "rgb:-"],
                              env=self.env, timeout=STEP_SECONDS, capture_output=True,
                              check=True).stdout

    def Screenshot(self, stage):
        path = os.path.join(self.outputFolder, "%02d-%s.png" % (len(self.screenshots) + 1, stage))
        subprocess.run(["import", "-window", "root", path], env=self.env, timeout=STEP_SECONDS,
                       capture_output=True)
        self.screenshots.append(path)


class Velloran:
    """The program under test and its windows."""

    def __init__(self, program, localeName, desktop, home, logPath):
        self.desktop = desktop
        self.log = open(logPath, "ab")
        env = dict(desktop.env)
        # A home of its own keeps the file dialogs' remembered folders away from the user's;
        # the locale decides the decimal separator of the fields; without a session bus
        # address the D-Bus library would try to start a bus for the display, which would
        # outlive the run.
        env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_RUNTIME_DIR=home, LC_ALL=localeName, LANGUAGE="",
                   DBUS_SESSION_BUS_ADDRESS="disabled:", QT_QPA_PLATFORM="xcb",
                   QT_ENABLE_HIGHDPI_SCALING="0")
        for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_STYLE_OVERRIDE"):
            env.pop(variable, None)
        self.process = subprocess.Popen([program], env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT, start_new_session=True,
                                        preexec_fn=DieWithParent)
        self.start = None  # (id, x, y) of the start window
        self.main = None  # (id, x, y) of the main window's client area

    def Stop(self):
        StopProcess(self.process)
        self.log.close()

    def CheckRunning(self):
        if self.process.poll() is not None:
            raise Failure("velloran ended early with exit code %d" % self.process.returncode)

    def WaitForStartWindow(self):
        window = WaitFor("the start window", lambda: self.CheckRunning() or self.desktop.FindWindow(
            "Velloran", lambda w, h: (w, h) == START_WINDOW_SIZE))
        self.start = (window[0], window[2], window[3])

    def ClickStart(self, point):
        self.desktop.Click(self.start[1] + point[0], self.start[2] + point[1])

    def WaitForMainWindow(self):
        def IsMainWindow(width, height):
            return width == MAIN_CLIENT_SIZE[0] and height > MAIN_CLIENT_SIZE[1]

        window = WaitFor("the main window",
                         lambda: self.CheckRunning() or self.desktop.FindWindow("Velloran",
                                                                                IsMainWindow))
        menuHeight = window[5] - MAIN_CLIENT_SIZE[1]
        if menuHeight > 60:
            raise Failure("main window of %dx%d: no room for a menu bar of %d pixels"
                          % (window[4], window[5], menuHeight))
        self.main = (window[0], window[2], window[3] + menuHeight)

    def StrayWindows(self):
        """Visible windows other than the start and the main window: a dialog, a message box,
        or the name completion list of a file dialog left over after the dialog closed."""
        known = {self.start[0], self.main[0]}
        return [w for w in self.desktop.VisibleWindows() if w[0] not in known]

    def ExpectNoStrayWindows(self, stage):
        """A window left over (a completion list outliving its dialog takes the next click)
        is a failure."""
        if self.StrayWindows():
            self.desktop.Screenshot(stage + "-stray-window")
            raise Failure("%s: a window stands in front of the main window: %s"
                          % (stage, self.desktop.Describe()))

    def MainWindowShown(self):
        return any(w[0] == self.main[0] for w in self.desktop.VisibleWindows())

    def ClickMain(self, point):
        self.CheckRunning()
        self.ExpectNoStrayWindows("before-click")
        self.desktop.Click(self.main[1] + point[0], self.main[2] + point[1])

    def TypeIntoField(self, point, text):
        self.ClickMain(point)
        self.desktop.Key("ctrl+a")
        self.desktop.Type(text)

    def TypeGun(self, name, values):
        """Types the name (unless None) and the sixteen values into their fields."""
        self.desktop.Focus(self.main[0])
        if name is not None:
            self.TypeIntoField(NAME_FIELD, name)
        for number, value in enumerate(values, start=1):
            self.TypeIntoField(ParameterField(number), value)

    def ChooseFileInDialog(self, button, title, path, stage):
        """Presses button, types the path (or a name) into the file name field of the dialog
        that it opens, and presses Enter, whether or not the completion list is open."""
        self.ClickMain(button)
        dialog = WaitFor("the '%s' dialog" % title, lambda: self.CheckRunning() or
                         self.desktop.FindWindow(title))
        self.desktop.Focus(dialog[0])
        self.desktop.Key("ctrl+a")
        self.desktop.Type(path)
        self.desktop.Screenshot(stage)
        self.desktop.Key("Return")
        WaitFor("the '%s' dialog to close" % title,
                lambda: self.CheckRunning() or not self.desktop.FindWindow(title))
        # The folder's listing may come after the dialog has closed, and with it the list.
        time.sleep(KEY_EFFECT_SECONDS)
        self.ExpectNoStrayWindows(stage)

    def PressKeyInField(self, point, key, stage):
        """Presses the key in the field: it must open no window and close none."""
        self.ClickMain(point)
        self.desktop.Key(key)
        time.sleep(KEY_EFFECT_SECONDS)
        self.CheckRunning()
        self.ExpectNoStrayWindows(stage)
        if not self.MainWindowShown():
            self.desktop.Screenshot(stage)
            raise Failure("%s: %s closed the main window" % (stage, key))

    def CheckMessageBoxCaption(self, caption, stage):
        """A message box is open: checks its caption and closes it with Enter."""
        box = WaitFor("a message box", lambda: self.CheckRunning() or self.StrayWindows())[0]
        self.desktop.Screenshot(stage)
        if box[1] != caption:
            raise Failure("%s: the message box is captioned '%s', expected '%s'"
                          % (stage, box[1], caption))
        self.desktop.Key("Return")
        WaitFor("the message box to close", lambda: self.CheckRunning() or not self.StrayWindows())

    def ResultBoxPixels(self):
        # Away from the box and from "Clear" on it, which the pointer would highlight.
        self.desktop.MovePointer(self.main[1] + NEUTRAL_SPOT[0], self.main[2] + NEUTRAL_SPOT[1])
        x, y, width, height = RESULT_BOX
        return self.desktop.Pixels(self.main[1] + x, self.main[2] + y, width, height)

    def TabFromTheResultBox(self):
        """Clicks before the first character of the result box and presses Tab: the box must
        look as it did (no tab written into it, no cursor left in it)."""
        before = self.ResultBoxPixels()
        self.ClickMain(RESULT_BOX_FIRST_LINE)
        self.desktop.Key("Tab")
        if self.ResultBoxPixels() != before:
            self.desktop.Screenshot("tab-in-result-box")
            raise Failure("Tab changed the result box or left the focus in it")

    def CloseMainWindow(self):
        """Closes the main window from its title bar."""
        self.ExpectNoStrayWindows("before-close")
        self.desktop.CloseWindow(self.main[0])
        WaitFor("the main window to close",
                lambda: self.CheckRunning() or not self.MainWindowShown())

    def WaitForExit(self):
        try:
            return self.process.wait(timeout=STEP_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure("velloran still runs %d s after 'Close'" % STEP_SECONDS)


class Session:
    """The X server, the tools that drive it and the program, started and stopped together."""

    def __init__(self, program, localeName, home, outputFolder):
        self.program, self.localeName = program, localeName
        self.home, self.outputFolder = home, outputFolder
        self.server = self.desktop = self.velloran = None

    def Start(self, attempts=3):
        """Starts the X server and the program on it, up to the start window. Starts both once
        more when the program could not connect to its display: another X server that comes
        and goes on the same machine can spoil a start, once."""
        authority = os.path.join(self.home, "Xauthority")
        WriteAuthority(authority)
        for attempt in range(1, attempts + 1):
            try:
                self.server = XServer(os.path.join(self.outputFolder, "xvfb.log"), authority)
                self.desktop = Desktop(self.server.env, self.outputFolder)
                self.velloran = Velloran(self.program, self.localeName, self.desktop, self.home,
                                         os.path.join(self.outputFolder, "velloran.log"))
                self.velloran.WaitForStartWindow()
                return
            except Failure as failure:
                if attempt == attempts or not self.NoConnection():
                    raise
                Step("%s; starting again" % failure)
                self.Stop()

    def NoConnection(self):
        if self.velloran is None:
            return True  # the X server did not take clients
        if self.velloran.process.poll() is None:
            return False
        with open(os.path.join(self.outputFolder, "velloran.log"), errors="replace") as log:
            return "could not connect to display" in log.read()

    def Stop(self):
        if self.velloran:
            self.velloran.Stop()
        if self.server:
            self.server.Stop()
        self.server = self.desktop = self.velloran = None


def ReadReport(path):
    """The report's lines; every line but the last must end with CR LF."""
    name = os.path.basename(path)
    WaitFor("the report %s" % path, lambda: os.path.exists(path))
    # The save writes the whole report into a temporary file and renames it, so the report
    # is complete as soon as it exists.
    with open(path, "rb") as file:
        data = file.read()
    if data.endswith(b"\n"):
        raise Failure("%s: the last line ends with a line end" % name)
    lines = data.split(b"\r\n")
    for number, line in enumerate(lines, start=1):
        if b"\r" in line or b"\n" in line:
            raise Failure("%s line %d: a line end that is not CR LF" % (name, number))
    return [line.decode("utf-8") for line in lines]


def ExpectLine(path, lines, number, expected):
    if lines[number - 1] != expected:
        raise Failure("%s line %d: %r, expected %r"
                      % (os.path.basename(path), number, lines[number - 1], expected))


def CheckFirstReport(path):
    name = os.path.basename(path)
    lines = ReadReport(path)
    if len(lines) != 33:
        raise Failure("%s has %d lines, expected 33" % (name, len(lines)))
    ExpectLine(path, lines, 1, "")
    ExpectLine(path, lines, 2, "   *** Velloran *** ")
    ExpectLine(path, lines, 3, "-" * 55)
    ExpectLine(path, lines, 5, "-" * 55)
    ExpectLine(path, lines, 7, " Air Gun: %s " % GUN_NAME)
    for offset, expected in enumerate(EXPECTED_PARAMETER_LINES):
        ExpectLine(path, lines, 9 + offset, expected)
    ExpectLine(path, lines, 25, " ")
    ExpectLine(path, lines, 26, "         *** Computation *** ")
    ExpectLine(path, lines, 27, "-" * 55)
    ExpectLine(path, lines, 28, "")
    values = []
    for offset, (layout, expected) in enumerate(SUMMARY):
        line = lines[28 + offset]
        label, unit = layout.split("%")[0], layout.rsplit("f", 1)[1]
        match = re.fullmatch(re.escape(label) + r" *(-?\d+\.\d{3})" + re.escape(unit), line)
        if not match or line != layout % float(match.group(1)):
            raise Failure("%s line %d: %r is not laid out as %r"
                          % (name, 29 + offset, line, layout))
        value = float(match.group(1))
        if abs(value - expected) > RELATIVE_TOLERANCE * expected:
            raise Failure("%s line %d: %r, expected %.3f within %g %%"
                          % (name, 29 + offset, line, expected, RELATIVE_TOLERANCE * 100))
        values.append(value)
    # The energy written must be the one of the velocity written: m v^2 / 2, to the rounding
    # of the three decimals.
    velocity, energy = values[3], values[4]
    if abs(energy - BULLET_MASS * velocity ** 2 / 2) > 0.002:
        raise Failure("%s: energy %.3f J does not belong to %.3f m/s"
                      % (name, energy, velocity))
    return lines


def CheckSecondReport(path, firstLines):
    """The loaded gun saved again: the same report, the name with one more space each side
    (the load takes everything between the colon and the line end)."""
    lines = ReadReport(path)
    expected = list(firstLines)
    expected[6] = " Air Gun:  %s  " % GUN_NAME
    if lines != expected:
        differences = [
            "line %d: %r, expected %r" % (n, a, b)
            for n, (a, b) in enumerate(zip(lines, expected), start=1) if a != b
        ]
        if len(lines) != len(expected):
            differences.append("%d lines, expected %d" % (len(lines), len(expected)))
        raise Failure("%s differs from the first report: %s"
                      % (os.path.basename(path), "; ".join(differences)))


def Step(text):
    print("%6.1f s  %s" % (time.monotonic() - STARTED, text), flush=True)


def Scenario(velloran, desktop, reports, separator):
    def Typed(values):
        return [value.replace(".", separator) for value in values]

    first, second = reports
    desktop.Screenshot("start-window")
    Step("pressing Start")
    velloran.ClickStart(START_BUTTON)
    velloran.WaitForMainWindow()
    desktop.Screenshot("main-window")

    Step("Enter and Esc in a field")
    velloran.PressKeyInField(ParameterField(1), "Return", "enter-in-a-field")
    velloran.PressKeyInField(ParameterField(1), "Escape", "escape-in-a-field")
    Step("a field that is not a number, then Compute")
    velloran.TypeIntoField(ParameterField(1), "x")
    velloran.ClickMain(COMPUTE_BUTTON)
    velloran.CheckMessageBoxCaption("Velloran", "message-box")

    Step("Tab from the result box, then typing the example gun")
    velloran.TabFromTheResultBox()
    # Tab goes round to the name field, whose text it selects: typing replaces it, and the
    # report shows whether the name got there.
    desktop.Type(GUN_NAME)
    velloran.TypeGun(None, Typed(EXAMPLE_GUN))
    desktop.Screenshot("example-gun-typed")
    Step("pressing Compute, then Save")
    velloran.ClickMain(COMPUTE_BUTTON)
    # The computation runs inside the click, so the dialog of the next click opens after it.
    velloran.ChooseFileInDialog(SAVE_BUTTON, "Save As", first, "save-dialog")
    desktop.Screenshot("computed-and-saved")
    Step("checking " + first)
    firstLines = CheckFirstReport(first)

    Step("changing fields, then Load")
    changed = list(EXAMPLE_GUN)
    changed[0], changed[2], changed[10], changed[15] = "5.5", "300", "150", "0.02"
    velloran.TypeGun("changed", Typed(changed))
    desktop.Screenshot("fields-changed")
    velloran.ChooseFileInDialog(LOAD_BUTTON, "Open", first, "open-dialog")
    desktop.Screenshot("report-loaded")
    Step("saving the loaded gun, typing only a name")
    velloran.ChooseFileInDialog(SAVE_BUTTON, "Save As", os.path.splitext(
        os.path.basename(second))[0], "second-save-dialog")
    Step("checking " + second)
    CheckSecondReport(second, firstLines)

    Step("closing the main window, then Close")
    velloran.CloseMainWindow()
    desktop.Screenshot("main-window-closed")
    velloran.ClickStart(CLOSE_BUTTON)
    exitCode = velloran.WaitForExit()
    if exitCode != 0:
        raise Failure("velloran ended with exit code %d" % exitCode)


def OnAlarm(signum, frame):
    raise OutOfTime()


def OnTerminate(signum, frame):
    raise Failure("stopped by signal %d" % signum)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the velloran executable")
    parser.add_argument("--output", required=True, help="folder for screenshots and logs")
    parser.add_argument("--decimal-comma", dest="decimalComma", action="store_true",
                        help="run the program under de_DE.UTF-8 and type decimal commas")
    arguments = parser.parse_args()
    localeName, separator = ("de_DE.UTF-8", ",") if arguments.decimalComma else ("C.UTF-8", ".")

    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped: %s not installed" % ", ".join(missing), file=sys.stderr)
        return SKIP
    try:
        locale.setlocale(locale.LC_ALL, localeName)
        locale.setlocale(locale.LC_ALL, "C")
    except locale.Error:
        print("skipped: the locale %s is not installed" % localeName, file=sys.stderr)
        return SKIP

    shutil.rmtree(arguments.output, ignore_errors=True)
    os.makedirs(arguments.output)
    signal.signal(signal.SIGALRM, OnAlarm)
    signal.signal(signal.SIGTERM, OnTerminate)
    signal.alarm(WHOLE_RUN_SECONDS)
    home = tempfile.mkdtemp(prefix="velloran-e2e-")
    os.chmod(home, 0o700)
    reports = (os.path.join(home, "reports", "first report.txt"),
               os.path.join(home, "reports", "second.txt"))
    os.makedirs(os.path.dirname(reports[0]))
    session = Session(os.path.abspath(arguments.program), localeName, home, arguments.output)
    try:
        Step("starting velloran")
        session.Start()
        Scenario(session.velloran, session.desktop, reports, separator)
        outcome = 0
    except (Failure, OutOfTime, subprocess.TimeoutExpired) as failure:
        reason = str(failure) or "the whole run took more than %d s" % WHOLE_RUN_SECONDS
        print("FAILED: %s" % reason, file=sys.stderr)
        server = session.server
        if server:
            print("X server %s, %s" % (server.display, "running" if server.process.poll() is None
                                       else "ended with %d" % server.process.returncode),
                  file=sys.stderr)
        if session.desktop:
            try:
                print("windows: %s" % session.desktop.Describe(), file=sys.stderr)
                session.desktop.Screenshot("failure")
            except (Failure, subprocess.TimeoutExpired):
                pass
        outcome = 1
    finally:
        signal.alarm(0)
        session.Stop()
        for report in reports:
            if os.path.exists(report):
                shutil.copy(report, arguments.output)
        shutil.rmtree(home, ignore_errors=True)
    for log in ("velloran.log", "xvfb.log"):
        path = os.path.join(arguments.output, log)
        if outcome and os.path.exists(path):
            with open(path, errors="replace") as file:
                sys.stderr.write("%s:\n%s" % (log, file.read()))
    print("%s in %.1f s; screenshots in %s"
          % ("passed" if outcome == 0 else "failed", time.monotonic() - STARTED, arguments.output))
    return outcome


if __name__ == "__main__":
    sys.exit(main())
