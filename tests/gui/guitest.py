"""Black-box GUI testing: a private X display (Xvfb), session bus and accessibility bus per
process, the built programs started as separate processes, widgets found by role and accessible
name over AT-SPI, and real X input (xdotool)."""

import atexit
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ["NV_BUILD_DIR"]
SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WAIT = 15  # seconds to wait for a window, a widget or an exit


def wait_for(what, probe, timeout=WAIT):
    """Polls probe until it answers something true; fails the test saying what (a text, or a
    function that gives it at that moment) otherwise."""
    deadline = time.monotonic() + timeout
    while True:
        answer = probe()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for " + (what() if callable(what) else what))
        time.sleep(0.1)


def built(program):
    return os.path.join(BUILD, "apps", program, program)


def read_fd(fd):
    with os.fdopen(fd) as stream:
        return stream.readline().strip()


def start_session():
    """Starts this process's X display, session bus and (through the bus) accessibility bus,
    which every test of the process shares; they end with the process."""
    daemons = []

    def start(command):
        reading, writing = os.pipe()
        daemons.append(subprocess.Popen([*command, str(writing)], pass_fds=(writing,),
                                        start_new_session=True, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        os.close(writing)
        return read_fd(reading)

    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    os.environ["DISPLAY"] = ":" + start(["Xvfb", "-screen", "0", "1280x1024x24", "-nolisten",
                                         "tcp", "-noreset", "-displayfd"])
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = start(["dbus-daemon", "--session", "--nofork",
                                                    "--print-address"])

    def stop():
        for daemon in reversed(daemons):
            os.killpg(daemon.pid, signal.SIGTERM)
            daemon.wait()
    atexit.register(stop)
    os.environ.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                      CUPS_SERVER="127.0.0.1:1")
    import pyatspi  # connects to the accessibility bus of this session, once per process
    return pyatspi


class GuiTest(unittest.TestCase):
    """Each test has folders of its own (settings, books, spool); the programs it starts end
    with it."""
    atspi = None

    def setUp(self):
        if GuiTest.atspi is None:
            GuiTest.atspi = start_session()
        self.home = tempfile.mkdtemp(prefix="nv-gui-")
        self.addCleanup(shutil.rmtree, self.home, ignore_errors=True)
        self.processes = []
        self.addCleanup(self.stop_all)
        for variable in ("CONFIG_HOME", "DATA_HOME", "STATE_HOME", "CACHE_HOME", "RUNTIME_DIR"):
            os.environ["XDG_" + variable] = os.path.join(self.home, variable.lower())
        os.environ.update(NV_DEMO_SPOOL=os.path.join(self.home, "spool"),
                          NV_ADDRESS_BOOK_DIR=os.path.join(self.home, "books"))
        os.environ.pop("NV_FAX_DEVICE_PORT", None)

    def start_service(self, command, **options):
        """Starts a helper process (its output dropped unless redirected) that ends with the
        test."""
        options = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, **options}
        process = subprocess.Popen(command, start_new_session=True, **options)
        self.processes.append(process)
        return process

    def stop_all(self):
        for process in reversed(self.processes):
            for stop in (signal.SIGTERM, signal.SIGKILL):  # the programs end cleanly on SIGTERM
                try:
                    os.killpg(process.pid, stop)
                    process.wait(WAIT)
                    break
                except ProcessLookupError:
                    break
                except subprocess.TimeoutExpired:
                    pass
            process.wait()

    # Programs of the build.

    def start(self, program, *arguments):
        """Starts a program of the build; its standard output can be read from .stdout."""
        return self.start_service([built(program), *arguments], stdout=subprocess.PIPE,
                                  stderr=None, text=True)

    def exit_status(self, process):
        try:
            return process.wait(WAIT)
        except subprocess.TimeoutExpired:
            raise AssertionError("%s did not end" % process.args[0]) from None

    def write_file(self, name, text):
        path = os.path.join(self.home, name)
        with open(path, "w") as output:
            output.write(text)
        return path

    def demo_book(self):
        """Makes the demo address-book file "Demo Contacts" in the books folder."""
        os.makedirs(os.environ["NV_ADDRESS_BOOK_DIR"], exist_ok=True)
        subprocess.run([built("address-book-import"),
                        os.path.join(os.environ["NV_ADDRESS_BOOK_DIR"], "Demo Contacts"),
                        os.path.join(SOURCE, "resources", "DemoAddressBook", "contacts.json")],
                       check=True, stdout=subprocess.DEVNULL)

    def fax_queue(self, *options):
        """Starts a private CUPS server (tests/private-cupsd) whose fax queue holds every job,
        and points this test's programs at it; cupsd's D-Bus signals go to the session bus,
        standing in for the system bus. The server process, with .queue and .records."""
        os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"]
        self.addCleanup(os.environ.pop, "DBUS_SYSTEM_BUS_ADDRESS", None)
        server = self.start_service([os.path.join(BUILD, "tests", "private-cupsd"), "--hold",
                                     *options], stdout=subprocess.PIPE, stderr=None, text=True)
        said = dict(server.stdout.readline().strip().rsplit(" ", 1) for _ in range(3))
        self.assertIn("Listening on", said, "private-cupsd did not start")
        os.environ["CUPS_SERVER"] = said["Listening on"]
        self.addCleanup(os.environ.update, CUPS_SERVER="127.0.0.1:1")
        server.queue, server.records = said["Queue"], said["Records in"]
        return server

    def lp(self, queue, title, *options):
        """Prints a small document to the queue as an application would; the job's number."""
        said = subprocess.run(["lp", "-d", queue, "-t", title, *options,
                               self.write_file("letter.txt", "Dear Ada,\n")],
                              check=True, capture_output=True, text=True).stdout
        return int(said.split()[3].rsplit("-", 1)[1])

    def demo_device(self, password):
        """Starts the fax device simulator with the demo data, as the demo printer's device."""
        log = os.path.join(self.home, "device.log")
        with open(log, "w") as output:
            self.start_service(
                [built("fax-device-simulator"),
                 "--data", os.path.join(SOURCE, "resources", "DemoDevice", "addresses.json"),
                 "--password", password], stdout=output, stderr=output)
        line = wait_for("the device simulator", lambda: open(log).readline().strip())
        os.environ["NV_FAX_DEVICE_PORT"] = line.rsplit(" ", 1)[1]

    # Finding widgets.

    def application(self, name):
        desktop = self.atspi.Registry.getDesktop(0)
        return wait_for("the application " + name,
                        lambda: next((a for a in desktop if a and a.name == name), None))

    def find_all(self, root, role, name=None):
        """Every showing accessible under root with the role (and the name, when given)."""
        def matches(node):
            return (node.getRoleName() == role and (name is None or node.name == name)
                    and node.getState().contains(self.atspi.STATE_SHOWING))
        return self.atspi.utils.findAllDescendants(root, matches)

    def find(self, root, role, name):
        return wait_for(lambda: "%s %r in %r; windows shown: %s" % (role, name, root.name,
                                                                   self.shown(root)),
                        lambda: next(iter(self.find_all(root, role, name)), None))

    def windows(self, app, name=None):
        """The application's shown windows (frames and dialogs), those with the title if given."""
        return [window for window in app if window and (name is None or window.name == name)
                and window.getState().contains(self.atspi.STATE_SHOWING)]

    def shown(self, accessible):
        return ", ".join(repr(window.name) for window in self.windows(accessible.getApplication()))

    def window(self, app, name):
        return wait_for(lambda: "the window %r; windows shown: %s" % (name, self.shown(app)),
                        lambda: next(iter(self.windows(app, name)), None))

    def gone(self, app, name):
        wait_for("the window %r to close" % name, lambda: not self.windows(app, name))

    def rows(self, table):
        """The texts of a list's cells, row by row."""
        cells = table.queryTable()
        return [[cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)]
                for r in range(cells.nRows)]

    # Acting as a person does.

    def open_sheet_from(self, app, pane):
        """Types the sender's name into the fax pane and presses Print: the sheet opens."""
        self.choose(self.find(pane, "combo box", "Registered on Device"), "Sender Name")
        self.type(self.find(pane, "text", "Sender Name"), "Ada Lovelace")
        self.click(self.find(pane, "push button", "Print"))
        return self.window(app, "Fax Settings")

    def add_recipient(self, sheet, name, number):
        self.type(self.find(sheet, "text", "Name"), name)
        self.type(self.find(sheet, "text", "Fax Number"), number)
        self.click(self.find(sheet, "push button", "Add"))

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *map(str, arguments)], check=True)

    def click(self, accessible):
        box = accessible.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        self.xdotool("mousemove", "--sync", box.x + box.width // 2, box.y + box.height // 2)
        self.xdotool("click", 1)
        time.sleep(0.2)

    def type(self, field, text):
        """Clicks into the field and types the text."""
        self.click(field)
        self.xdotool("type", "--delay", 30, text)

    def key(self, *keys):
        self.xdotool("key", "--delay", 50, *keys)
        time.sleep(0.2)

    def choose(self, popup, item):
        """Picks the item of a popup from its open menu."""
        self.click(popup)
        menu = popup[0]
        wait_for("the menu of " + popup.name, lambda: menu.getState().contains(self.atspi.STATE_SHOWING))
        self.click(self.find(menu, "list item", item))
