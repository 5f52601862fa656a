#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end tests share: a virtual X server with a window manager,
a private D-Bus session with the accessibility bus, and a driver that finds
and works the calculator's controls through AT-SPI as a screen reader does."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SCREEN = "1280x1024x24"
STEP_TIMEOUT = 15.0        # seconds for any one thing to appear or change
ANSWER_TIMEOUT = 5.0       # seconds the program has to answer the bus


class E2EFailure(Exception):
    pass


def fail(message):
    raise E2EFailure(message)


def log(message):
    print(f"e2e: {message}", flush=True)


# ---------------------------------------------------------------------------
# Outer run: X server and D-Bus session


def missing_tools(extra=None):
    """The tools the test needs that this machine lacks; extra maps more
    programs to their Debian packages."""
    needed = {
        "Xvfb": "xvfb",
        "dbus-run-session": "dbus",
        "xdotool": "xdotool",
        "import": "imagemagick",
        "openbox": "openbox",
        "xwininfo": "x11-utils",
        "xprop": "x11-utils",
        "xev": "x11-utils",
        **(extra or {}),
    }
    missing = [f"{tool} (Debian package {package})"
               for tool, package in needed.items() if shutil.which(tool) is None]
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("/usr/libexec/at-spi-bus-launcher (Debian package at-spi2-core)")
    probe = subprocess.run([sys.executable, "-c", "import gi; gi.require_version('Atspi', '2.0')"],
                           capture_output=True)
    if probe.returncode != 0:
        missing.append(f"the AT-SPI bindings for {sys.executable} (Debian package python3-pyatspi)")
    return missing


def start_xvfb(scratch):
    """Starts Xvfb on a free display and returns (process, ':N')."""
    read_end, write_end = os.pipe()
    log_path = os.path.join(scratch, "xvfb.log")
    with open(log_path, "wb") as log_file:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log_file)
    os.close(write_end)
    deadline = time.monotonic() + STEP_TIMEOUT
    number = b""
    os.set_blocking(read_end, False)
    while time.monotonic() < deadline and not number.endswith(b"\n"):
        if xvfb.poll() is not None:
            break
        try:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        except BlockingIOError:
            time.sleep(0.05)
    os.close(read_end)
    if not number.strip().isdigit():
        xvfb.kill()
        xvfb.wait(timeout=5)
        with open(log_path, errors="replace") as log_file:
            fail("the X server (Xvfb) could not start: " + log_file.read().strip())
    return xvfb, ":" + number.decode().strip()


def start_window_manager(display, scratch):
    """Starts a window manager, so that windows get their title bars and
    focus moves as on a desktop, and returns its process."""
    ready = os.path.join(scratch, "window-manager-ready")
    manager = subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"],
                               env=dict(os.environ, DISPLAY=display),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + STEP_TIMEOUT
    while not os.path.exists(ready):
        if manager.poll() is not None or time.monotonic() >= deadline:
            manager.kill()
            fail("the window manager (openbox) could not start")
        time.sleep(0.05)
    return manager


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=5)


def run_parts(args, inner, outer, name):
    """Runs the inner part (with --inner) or the outer one, and returns the
    exit status; the outer part prints whether the test passed."""
    try:
        status = inner(args) if args.inner else outer(args)
    except E2EFailure as failure:
        print(f"{name}: FAILED: {failure}", file=sys.stderr, flush=True)
        return 1
    if not args.inner:
        print(f"{name}: PASSED" if status == 0 else f"{name}: FAILED", flush=True)
    return status


def run_outer(script, inner_arguments, total_timeout, extra_tools=None):
    """Runs `script --inner ARGUMENTS` inside Xvfb with openbox and a private
    D-Bus session (the accessibility bus starts inside it on demand), and
    returns its exit status."""
    missing = missing_tools(extra_tools)
    if missing:
        fail("cannot run without: " + "; ".join(missing) + " (scripts/install-deps installs them)")

    scratch = tempfile.mkdtemp(prefix="vesk-e2e-")
    xvfb = manager = None
    try:
        xvfb, display = start_xvfb(scratch)
        log(f"Xvfb runs on display {display}")
        manager = start_window_manager(display, scratch)
        runtime_dir = os.path.join(scratch, "runtime")
        os.mkdir(runtime_dir, 0o700)
        env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime_dir)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        command = ["dbus-run-session", "--", sys.executable, os.path.abspath(script),
                   "--inner", *inner_arguments]
        try:
            inner_run = subprocess.run(command, env=env, timeout=total_timeout + 30)
        except subprocess.TimeoutExpired:
            fail(f"the driving run did not end within {total_timeout + 30} s")
        return inner_run.returncode
    finally:
        for process in (manager, xvfb):
            if process is not None:
                stop(process)
        shutil.rmtree(scratch, ignore_errors=True)


# ---------------------------------------------------------------------------
# Inner run: accessibility helpers


def begin_inner(total_timeout):
    """Starts the inner run inside the outer run's D-Bus session: the whole
    run fails after total_timeout seconds, and the program has
    ANSWER_TIMEOUT to answer each question on the bus."""
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail("no D-Bus session: run this without --inner")

    def out_of_time(_signal, _frame):
        fail(f"the whole run took longer than {total_timeout} s")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(total_timeout)

    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    Atspi.set_timeout(int(ANSWER_TIMEOUT * 1000), int(ANSWER_TIMEOUT * 3000))


def start_program(app, data_home):
    """Starts the built program on the X server with its accessibility on,
    in the C locale, keeping its data in data_home; returns its process."""
    env = dict(os.environ,
               XDG_DATA_HOME=data_home,
               QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               LC_ALL="C.UTF-8")
    return subprocess.Popen([app], env=env)


def wait_for(what, probe, timeout=STEP_TIMEOUT, interval=0.1):
    """Polls probe() until it gives something true and returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # objects vanish while windows close
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            fail(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


class Driver:
    def __init__(self, pyatspi, process, shots):
        self.pyatspi = pyatspi
        self.process = process
        self.shots = shots

    # -- the tree ---------------------------------------------------------

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def windows(self):
        app = self.application()
        if app is None:
            return []
        return [app.getChildAtIndex(i) for i in range(app.childCount)]

    def window(self, title):
        for window in self.windows():
            if window is not None and window.name == title and self.showing(window):
                return window
        return None

    def showing(self, accessible):
        return accessible.getState().contains(self.pyatspi.STATE_SHOWING)

    def descendants(self, root, predicate):
        found = []
        stack = [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if predicate(node):
                found.append(node)
            stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
        return found

    def control(self, window, what, predicate):
        matches = wait_for(what, lambda: self.descendants(window, predicate))
        if len(matches) != 1:
            fail(f"expected one {what}, found {len(matches)}")
        return matches[0]

    def text_box(self, window, name):
        return self.control(window, f'text box "{name}"',
                            lambda a: a.name == name and a.getRoleName() == "text")

    def button(self, window, caption):
        return self.control(window, f'button "{caption}"',
                            lambda a: a.name == caption and a.getRoleName() in
                            ("push button", "radio button", "check box"))

    def values(self, window, description):
        return [a.name for a in self.descendants(window, lambda a: a.description == description)]

    def value(self, window, description):
        texts = self.values(window, description)
        if len(texts) != 1:
            fail(f'expected one label described "{description}", found {len(texts)}')
        return texts[0]

    # -- acting -----------------------------------------------------------

    def press(self, accessible, action_names=("Press", "press", "click", "Toggle", "toggle")):
        action = accessible.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        for wanted in action_names:
            if wanted in names:
                action.doAction(names.index(wanted))
                return
        fail(f'"{accessible.name}" offers no press action (it offers {names})')

    def centre(self, accessible):
        box = accessible.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        if box.width <= 0 or box.height <= 0:
            fail(f'"{accessible.name}" has no place on the screen')
        return box.x + box.width // 2, box.y + box.height // 2

    def type_into(self, box, text):
        """Clicks into the box, selects what it holds and types text over it."""
        x, y = self.centre(box)
        xdotool("mousemove", "--sync", str(x), str(y), "click", "1")
        wait_for(f'keyboard focus in "{box.name}"',
                 lambda: box.getState().contains(self.pyatspi.STATE_FOCUSED))
        xdotool("key", "--clearmodifiers", "ctrl+a")
        xdotool("type", "--delay", "40", text)
        wait_for(f'"{text}" in "{box.name}"', lambda: self.box_text(box) == text)

    def box_text(self, box):
        text = box.queryText()
        return text.getText(0, text.characterCount)

    # -- looking ----------------------------------------------------------

    def screenshot(self, name, window=None):
        # The bus reports a window before the X server has drawn all of it.
        time.sleep(0.5)
        os.makedirs(self.shots, exist_ok=True)
        path = os.path.join(self.shots, name + ".png")
        command = ["import", "-window", "root"]
        if window is not None:
            x_window = x_window_titled(window.name) if window.name else None
            if x_window is not None:
                # -screen takes what is on the screen, popup menus included.
                command = ["import", "-frame", "-screen", "-window", x_window]
            else:
                box = window.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
                if box.width > 0 and box.height > 0:
                    command += ["-crop", f"{box.width}x{box.height}+{box.x}+{box.y}", "+repage"]
        subprocess.run(command + [path], check=True, timeout=30)
        log(f"screenshot {path}")


def x_window_titled(title):
    """The X window id of the one visible window with this exact title, if any."""
    pattern = "^" + "".join("\\" + c if not c.isalnum() and c != " " else c for c in title) + "$"
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                           capture_output=True, text=True, timeout=30).stdout.split()
    return found[0] if len(found) == 1 else None


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=30)
