#!/usr/bin/python3
"""Walks what a screen reader sees of the real program.

Starts vantrel on a private X display (Xvfb) and a private D-Bus session with
the AT-SPI registry, with Qt's accessibility bridge forced on, and reads the
accessible tree of the start-up station setup, the start-up question, the
main window and each window its menus open. Fails on any control a screen
reader could reach (focusable, or a button, field, list, box) that has no
name with a letter or digit in it. Also checks that Esc closes each dialog
and that a message on the main window reaches the bus as a notification.

Qt's offscreen platform has no accessibility bridge (only xcb serves
AT-SPI), so the program runs under Xvfb. Exit status 77 (skipped) when Xvfb,
dbus-daemon, the AT-SPI bus launcher or pyatspi are missing or the bus does
not start.

usage: atspi_tree_test.py PATH_TO_VANTREL
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
BUS_LAUNCHERS = ["/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"]


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIP)


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1366x768x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as r:
        display = r.readline().strip()
    if not display:
        xvfb.kill()
        skip("Xvfb did not start")
    return xvfb, ":" + display


def start_session_bus(env):
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        bus.kill()
        skip("the private D-Bus session did not start")
    return bus, address


def pump():
    """Lets pyatspi deliver the events that have come in."""
    from gi.repository import GLib
    ctx = GLib.MainContext.default()
    while ctx.iteration(False):
        pass


def wait(predicate, timeout=20.0, step=0.1):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return None


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "dbus-daemon"):
        if not shutil.which(tool):
            skip(tool + " is not installed (packages xvfb, dbus-daemon)")
    if not any(os.path.exists(p) for p in BUS_LAUNCHERS):
        skip("at-spi-bus-launcher is not installed (package at-spi2-core)")
    try:
        import gi  # noqa: F401  (pyatspi's own dependency)
        import importlib.util
        if importlib.util.find_spec("pyatspi") is None or importlib.util.find_spec("dbus") is None:
            raise ImportError
    except ImportError:
        skip("pyatspi or dbus is not installed (packages python3-pyatspi, python3-dbus)")

    scratch = tempfile.TemporaryDirectory(prefix="vantrel-atspi-")
    home = os.path.join(scratch.name, "home")
    work = os.path.join(scratch.name, "log")
    runtime = os.path.join(scratch.name, "run")
    for d in (home, work, runtime):
        os.makedirs(d, mode=0o700)
    env = dict(os.environ)
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/.config", XDG_DATA_HOME=home + "/.local/share",
               XDG_RUNTIME_DIR=runtime, TZ="UTC")
    env.pop("QT_QPA_PLATFORM", None)

    procs = []
    try:
        xvfb, display = start_xvfb()
        procs.append(xvfb)
        env["DISPLAY"] = display
        bus, address = start_session_bus(env)
        procs.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, DISPLAY=display,
                          XDG_RUNTIME_DIR=runtime, HOME=home)
        app_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        with open(os.path.join(scratch.name, "vantrel.err"), "w+") as err:
            vantrel = subprocess.Popen([program], cwd=work, env=app_env,
                                       stdout=subprocess.DEVNULL, stderr=err)
            procs.append(vantrel)
            return Walker(vantrel, err).run()
    finally:
        for p in reversed(procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
        scratch.cleanup()


class Walker:
    def __init__(self, process, err):
        import pyatspi
        self.at = pyatspi
        self.process = process
        self.err = err
        self.failures = []
        self.checked = []
        self.spoken = []
        r = pyatspi
        # What a screen reader lets the operator act on, whether or not it
        # takes the focus now.
        self.controls = {r.ROLE_PUSH_BUTTON, r.ROLE_TOGGLE_BUTTON, r.ROLE_CHECK_BOX, r.ROLE_RADIO_BUTTON, r.ROLE_TEXT,
                         r.ROLE_ENTRY, r.ROLE_PASSWORD_TEXT, r.ROLE_SPIN_BUTTON, r.ROLE_SLIDER, r.ROLE_COMBO_BOX,
                         r.ROLE_LIST, r.ROLE_LIST_BOX, r.ROLE_TREE, r.ROLE_TREE_TABLE, r.ROLE_TABLE, r.ROLE_PAGE_TAB,
                         r.ROLE_MENU_ITEM, r.ROLE_CHECK_MENU_ITEM, r.ROLE_RADIO_MENU_ITEM, r.ROLE_MENU}
        # Read as a part of the control they sit in.
        self.parts = {r.ROLE_SCROLL_BAR, r.ROLE_LIST_ITEM, r.ROLE_TABLE_CELL, r.ROLE_TABLE_COLUMN_HEADER,
                      r.ROLE_TABLE_ROW_HEADER, r.ROLE_TREE_ITEM}

    # ------------------------------------------------------------ tree ---
    def app(self):
        desktop = self.at.Registry.getDesktop(0)
        for a in desktop:
            if a is not None and a.name == "Vantrel":
                return a
        return None

    def windows(self):
        a = self.app()
        if a is None:
            return []
        shown = []
        for w in a:
            if w is not None and w.getState().contains(self.at.STATE_SHOWING):
                shown.append(w)
        return shown

    def window(self, title_part, timeout=20.0):
        return wait(lambda: next((w for w in self.windows() if title_part in w.name), None),
                    timeout)

    def find(self, root, role, name):
        return self.at.findDescendant(
            root, lambda n: n is not None and n.getRole() == role and n.name == name)

    def check(self, window, label):
        unnamed = []

        def walk(node, path):
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                role = child.getRole()
                if role in self.parts:
                    continue
                here = path + "/" + child.getRoleName()
                reachable = role in self.controls or child.getState().contains(
                    self.at.STATE_FOCUSABLE)
                if reachable and not any(c.isalnum() for c in child.name or ""):
                    unnamed.append(here)
                if role in (self.at.ROLE_LIST, self.at.ROLE_TREE_TABLE, self.at.ROLE_TABLE,
                            self.at.ROLE_TREE, self.at.ROLE_LIST_BOX):
                    continue
                walk(child, here)

        walk(window, label)
        self.checked.append(label)
        for u in unnamed:
            self.failures.append("no name: " + u)

    # --------------------------------------------------------- actions ---
    def press_async(self, node):
        """Asks for a button's action without waiting: a modal window it
        opens holds the reply back until the window closes."""
        import dbus
        a11y = dbus.SessionBus().get_object("org.a11y.Bus", "/org/a11y/bus")
        address = dbus.Interface(a11y, "org.a11y.Bus").GetAddress()
        bus = dbus.bus.BusConnection(address)
        bus.call_async(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction",
                       "i", (0,), None, None)

    def press(self, node):
        action = node.queryAction()
        for i in range(action.nActions):
            if action.getName(i) in ("Press", "press", "click", "Toggle", "toggle"):
                return action.doAction(i)
        return action.doAction(0)

    def key(self, keysym, hold=None):
        """Types a key on the display, with a modifier key (a keycode) held."""
        reg = self.at.Registry
        if hold:
            reg.generateKeyboardEvent(hold, None, self.at.KEY_PRESS)
        reg.generateKeyboardEvent(keysym, None, self.at.KEY_SYM)
        if hold:
            reg.generateKeyboardEvent(hold, None, self.at.KEY_RELEASE)
        pump()

    def escape(self, window, label, how=(0xFF1B,), key_name="Esc"):
        """Esc (or the window's own closing key) typed into the window
        closes it, as a keyboard user would."""
        self.key(*how)
        if not wait(lambda: window.name not in [w.name for w in self.windows()], 5.0):
            self.failures.append(key_name + " left " + label + " open")
            return False
        return True

    def menu_item(self, main, *names):
        node = main
        for name in names:
            found = self.at.findDescendant(
                node, lambda n: n is not None and n.name == name and n.getRole() in (
                    self.at.ROLE_MENU_ITEM, self.at.ROLE_MENU))
            if found is None:
                return None
            node = found
        return node

    def open_and_check(self, main, label, title, how, after=None, message=None, close=None):
        """Opens a window from the main window, by a key (keysym, held
        keycode) or a menu path, reads it and closes it with Esc, or with
        the key `close` where Esc has another use there (False: left open).
        A message box that comes first is read and closed with Esc too."""
        before = {w.name for w in self.windows()}
        if isinstance(how, tuple):
            self.key(*how)
        else:
            item = self.menu_item(main, *how)
            if item is None:
                self.failures.append("menu item not found: " + " > ".join(how))
                return
            self.press_async(item)
        if message:
            box = self.window(message, 10.0)
            if box is None:
                self.failures.append("no message " + message)
                return
            self.check(box, label + " message")
            self.escape(box, label + " message")
        win = wait(lambda: next((w for w in self.windows()
                                 if w.name.strip() == title and w.name not in before), None), 10.0)
        if win is None:
            self.failures.append(label + " did not open")
            return
        self.check(win, label)
        if after:
            after(win)
        if close is None:
            self.escape(win, label)
        elif close:
            self.escape(win, label, close, "its closing key")

    def serial_ports(self, rig):
        # The button is the window's last before Done: Shift+Tab from Done
        # would depend on the focus; its own action is asked for instead,
        # without waiting for the reply (the window it opens is modal).
        button = self.find(rig, self.at.ROLE_PUSH_BUTTON, "Serial Ports...")
        if button is None:
            self.failures.append("Serial Ports... not found in the rig window")
            return
        self.press_async(button)
        win = self.window("Serial Ports", 10.0)
        if win is None:
            self.failures.append("the serial ports window did not open")
            return
        self.check(win, "serial ports")
        self.escape(win, "serial ports")

    def code_practice(self, setup):
        button = self.find(setup, self.at.ROLE_PUSH_BUTTON, "Send Code Practice")
        if button is None:
            self.failures.append("Send Code Practice not found in the CW setup")
            return
        self.press_async(button)
        win = self.window("On the Air Code Practice", 10.0)
        if win is None:
            self.failures.append("the code practice window did not open")
            return
        self.check(win, "code practice")
        self.escape(win, "code practice")

    def listen(self, event):
        try:
            if event.source.getRole() == self.at.ROLE_NOTIFICATION:
                self.spoken.append(event.source.name)
        except Exception:  # noqa: BLE001  (objects of closed windows are gone)
            pass

    # ------------------------------------------------------------- run ---
    def run(self):
        setup = self.window("Amateur Station I.D.", 30.0)
        if setup is None:
            self.err.seek(0)
            print(self.err.read())
            skip("the program never appeared on the accessibility bus")
        self.check(setup, "station setup at start")
        self.press(self.find(setup, self.at.ROLE_PUSH_BUTTON, "Done"))

        question = self.window("Open existing log?")
        if question is None:
            self.failures.append("the start-up question did not appear")
            return self.report()
        self.check(question, "start-up question")
        self.press(self.find(question, self.at.ROLE_PUSH_BUTTON, "Yes"))

        main = self.window("Vantrel")
        if main is None or main.getRole() != self.at.ROLE_FRAME:
            self.failures.append("the main window did not appear")
            return self.report()
        self.check(main, "main window")

        # A message shown on the main window reaches the bus as a
        # notification: "Need Call Sign!" after Clear.
        self.at.Registry.registerEventListener(self.listen, "object:state-changed:showing")
        call = self.find(main, self.at.ROLE_TEXT, "Call")
        if call is None:
            self.failures.append("the call field is not named Call")
        else:
            call.queryComponent().grabFocus()
            self.at.Registry.generateKeyboardEvent(65293, None, self.at.KEY_SYM)  # Return
            if not wait(lambda: any("Need" in s for s in self.spoken), 5.0, 0.05):
                self.failures.append("no notification for the message line; heard %r"
                                     % self.spoken)

        ctrl = 37  # Control_L in Xvfb's evdev key map
        self.open_and_check(main, "station setup", "Amateur Station I.D.", ["Options", "Setup"])
        self.open_and_check(main, "colours", "Modify Multiplier Color Selections",
                            ["Options", "Colors"])
        self.open_and_check(main, "summary sheet", "Summary Sheet Information",
                            ["File", "Write Cabrillo File"])
        self.open_and_check(main, "band privileges", "Frequency Privileges", (ord("f"), ctrl))
        self.open_and_check(main, "help", "Help Page", ["Help"])
        self.open_and_check(main, "spectrum map", "HF Spectrum Map", (ord("b"), ctrl))
        self.open_and_check(main, "activity graph",
                            "Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)",
                            ["Graph"], message="Not Enough Contacts to Graph.")
        self.open_and_check(main, "rig interface", "Rig Interface Setup", (ord("r"), ctrl),
                            after=self.serial_ports)
        alt = 64  # Alt_L
        self.open_and_check(main, "tune", "Change Frequency and Mode (Ctrl G (Go))",
                            (ord("g"), ctrl))
        # Esc there puts a TNC in command mode; Done (Alt+D) closes it.
        self.open_and_check(main, "DX spotting", "DX Spotting Setup", (ord("d"), ctrl),
                            close=(ord("d"), alt))
        self.open_and_check(main, "CW setup", "CW String Selections", (ord("c"), ctrl),
                            after=self.code_practice)
        self.open_and_check(main, "phone", "Phone Wave Selections", (ord("p"), ctrl))
        self.open_and_check(main, "voice navigation", "Voice Navigation Settings",
                            ["Station", "Voice Navigation"])
        self.open_and_check(main, "own grid", "Own Grid", (ord("s"), alt))
        # Every key there, Esc included, is the main window's; it stays open.
        self.open_and_check(main, "CW strings", "CW Strings", (ord("w"), ctrl), close=False)
        return self.report()

    def report(self):
        print("checked: " + ", ".join(self.checked))
        for f in self.failures:
            print("FAIL " + f)
        print("%d passed, %d failed" % (len(self.checked), len(self.failures)))
        return 1 if self.failures else 0


if __name__ == "__main__":
    sys.exit(main())
