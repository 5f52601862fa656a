#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end test of the calculator in a real X server.

Starts the built program under Xvfb the way a person starts it, waits for the
splash window to hand over to the main window, and then drives the windows
through the accessibility bus (AT-SPI), as a screen reader does: it finds
controls by their accessible names and descriptions, types with the keyboard
(xdotool), presses buttons and menu entries through their actions, and reads
the results back. Screenshots of every window go to --shots.

Under the window manager (openbox) it also drags the borders of the main and
the payment plan window, maximizes them and resizes them from outside, and
checks that each returns to its size and place once the user lets go.

The outer run starts Xvfb and a private D-Bus session (dbus-run-session); the
accessibility bus is started inside that session on demand. The inner run
(--inner) does the driving. Every wait is bounded; a missing tool, an X server
or accessibility bus that cannot start, or any wrong text makes the test fail.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from desktop import (STEP_TIMEOUT, Driver, begin_inner, fail, log, run_outer, run_parts,
                     start_program, wait_for, x_window_titled, xdotool)

MAIN_TITLE = " Vesk Payment Formula 1.0"
PLAN_TITLE = " Payment Plan Till You Reach Zero"
ERROR_TITLE = "Error: Invalid Number"
ERROR_TEXT = "You have entered an invalid variable."
MARKER_RELATIVE = os.path.join("VeskPayment", "drive_c", "Program Files", "VeskPayment",
                               "veskpayment.txt")
MARKER_CONTENT = b"Vesk Payment 1.0\r\n"

TOTAL_TIMEOUT = 180        # seconds for the whole inner run


def outer(args):
    if not os.access(args.app, os.X_OK):
        fail(f"no program at {args.app}")
    return run_outer(__file__, ["--app", args.app, "--shots", args.shots], TOTAL_TIMEOUT)


# ---------------------------------------------------------------------------
# Inner run: window geometry under the window manager


def x_geometry(x_window):
    """(left, top, width, height) of an X window on the screen."""
    info = subprocess.run(["xwininfo", "-id", x_window], capture_output=True, text=True,
                          check=True, timeout=30).stdout
    fields = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        fields[key] = value.strip()
    return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
            int(fields["Width"]), int(fields["Height"]))


def x_frame(x_window):
    """The geometry of the frame the window manager put around the window."""
    tree = subprocess.run(["xwininfo", "-tree", "-id", x_window], capture_output=True,
                          text=True, check=True, timeout=30).stdout
    parent = next(line.split()[3] for line in tree.splitlines()
                  if line.strip().startswith("Parent window id"))
    return x_geometry(parent)


def settled_geometry(x_window):
    """The window's geometry once it has stayed the same for half a second."""
    first = x_geometry(x_window)
    time.sleep(0.5)
    return first if x_geometry(x_window) == first else None


def drag(start, path):
    """Presses the left button at start, moves along path and lets go."""
    xdotool("mousemove", "--sync", "--", str(start[0]), str(start[1]))
    time.sleep(0.3)
    xdotool("mousedown", "1")
    for x, y in path:
        xdotool("mousemove", "--", str(x), str(y))
        time.sleep(0.03)
    xdotool("mouseup", "1")


class ConfigureWatch:
    """Records the sizes the X server gives a window (ConfigureNotify)."""

    def __init__(self, x_window):
        self.lines = []
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", "xev", "-id", x_window, "-event", "structure", "-event",
             "property"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        threading.Thread(target=self.read, daemon=True).start()
        # Watching has started once xev reports a property change made for it.
        def watching():
            subprocess.run(["xprop", "-id", x_window, "-f", "_VESK_E2E_WATCH", "8s", "-set",
                            "_VESK_E2E_WATCH", "watching"], check=True, timeout=30)
            time.sleep(0.1)
            return any("PropertyNotify" in line for line in list(self.lines))
        wait_for("xev to watch the window", watching)

    def read(self):
        for line in self.process.stdout:
            self.lines.append(line)

    def sizes(self):
        time.sleep(0.2)
        self.process.terminate()
        self.process.wait(timeout=10)
        sizes = []
        for line in list(self.lines):
            parts = line.replace(",", " ").split()
            if "width" in parts and "height" in parts:
                sizes.append((int(parts[parts.index("width") + 1]),
                              int(parts[parts.index("height") + 1])))
        return sizes


def check_size_keeping(title):
    """A coarse and a slow border drag, a maximize and a resize from outside:
    after each the window has its designed size and its place again."""
    x_window = x_window_titled(title)
    if x_window is None:
        fail(f"no X window titled {title!r}")
    designed = wait_for(f"{title!r} to settle", lambda: settled_geometry(x_window))

    def expect_back(what, watch):
        changed = [size for size in watch.sizes() if size != designed[2:]]
        if not changed:
            fail(f"{what}: the window never changed its size, so nothing was tested")
        wait_for(f"{title!r} back at {designed} after {what}",
                 lambda: settled_geometry(x_window) == designed)
        log(f"{title!r} after {what} (at {changed[-1][0]}x{changed[-1][1]} on the way): "
            f"back at {designed}")

    left, top, width, height = x_frame(x_window)
    corner = (left + width - 2, top + height - 2)
    watch = ConfigureWatch(x_window)
    drag(corner, [(corner[0] + 90, corner[1] + 70), (corner[0] + 200, corner[1] + 140)])
    expect_back("a coarse drag of the bottom right corner", watch)

    left, top, width, height = x_frame(x_window)
    corner = (left + 1, top + height - 2)
    watch = ConfigureWatch(x_window)
    drag(corner, [(corner[0] - 8 * step, corner[1] + 6 * step) for step in range(1, 16)])
    expect_back("a slow drag of the bottom left corner", watch)

    left, top, width, _ = x_frame(x_window)
    watch = ConfigureWatch(x_window)
    xdotool("mousemove", "--sync", str(left + width // 2), str((top + designed[1]) // 2),
            "click", "--repeat", "2", "--delay", "80", "1")
    expect_back("a maximize (double click on the title bar)", watch)
    state = subprocess.run(["xprop", "-id", x_window, "_NET_WM_STATE"], capture_output=True,
                           text=True, timeout=30).stdout
    if "MAXIMIZED" in state:
        fail(f"{title!r} stayed maximized: {state.strip()}")

    watch = ConfigureWatch(x_window)
    xdotool("windowsize", x_window, str(designed[2] - 120), str(designed[3] - 80))
    expect_back("a resize request from outside", watch)


def expect(what, actual, expected):
    if actual != expected:
        fail(f"{what}: expected {expected!r}, got {actual!r}")
    log(f"{what}: {actual!r}")


# ---------------------------------------------------------------------------
# Inner run: the scenario


def scenario(driver, data_home):
    # Start-up: the splash window first, then the main window.
    splash = wait_for("the splash window",
                      lambda: next((w for w in driver.windows()
                                    if w is not None and w.name != MAIN_TITLE
                                    and driver.showing(w)), None)
                      or driver.window(MAIN_TITLE))
    if splash.name != MAIN_TITLE:
        driver.screenshot("01-splash", splash)
    else:
        log("the splash window had already gone when the bus first showed the program")
    main = wait_for("the main window after the splash", lambda: driver.window(MAIN_TITLE))
    wait_for("the splash window to close",
             lambda: [w.name for w in driver.windows() if w is not None and driver.showing(w)]
             == [MAIN_TITLE])

    marker = os.path.join(data_home, MARKER_RELATIVE)
    if not os.path.isfile(marker):
        fail(f"the program wrote no marker file at {marker}")
    with open(marker, "rb") as marker_file:
        expect("marker file content", marker_file.read(), MARKER_CONTENT)

    balance = driver.text_box(main, "Outstanding Balance")
    rate = driver.text_box(main, "Interest Rate (APR)")
    payment = driver.text_box(main, "Scheduled Payment")
    calculate = driver.button(main, "Calculate")
    driver.screenshot("02-main-empty", main)
    check_size_keeping(MAIN_TITLE)

    # Monthly Payment: the worked example.
    driver.type_into(balance, "100000")
    driver.type_into(rate, "7.5")
    driver.type_into(payment, "699")
    wait_for("Calculate to be enabled",
             lambda: calculate.getState().contains(driver.pyatspi.STATE_ENABLED))
    driver.press(calculate)
    wait_for("the first month's payment",
             lambda: driver.value(main, "Vesk's Mnthly Pymnt") != "")
    expect("Vesk's Mnthly Pymnt", driver.value(main, "Vesk's Mnthly Pymnt"), "$777.83")
    expect("Payoff Period", driver.value(main, "Payoff Period"), "14 yrs and 11 mths")
    expect("Total Amount Saved", driver.value(main, "Total Amount Saved (if follow payment plan)"),
           "$76,873.92")
    driver.screenshot("03-main-monthly-payment", main)

    # Payments Till Zero: the plan window and its summary.
    till_zero = driver.button(main, "Payments Till Zero")
    driver.press(till_zero)
    wait_for('"Payments Till Zero" to be selected',
             lambda: till_zero.getState().contains(driver.pyatspi.STATE_CHECKED))
    driver.press(calculate)
    plan = wait_for("the payment plan window", lambda: driver.window(PLAN_TITLE))
    wait_for("the plan summary", lambda: driver.value(plan, "Amount Saved On Interest") != "")
    expect("plan Payoff Periods (accelerated, minimum)", driver.values(plan, "Payoff Period"),
           ["14 yrs and 11 mths", "30 yrs and 1 mth"])
    expect("plan Aver Mnthly Pymt", driver.value(plan, "Aver Mnthly Pymt"), "$977.97")
    expect("plan Mnthly Pymt", driver.value(plan, "Mnthly Pymt"), "$699.00")
    expect("plan Amount Saved On Interest", driver.value(plan, "Amount Saved On Interest"),
           "$76,873.92")
    driver.screenshot("04-payment-plan", plan)
    check_plan_for_screen_readers(driver, plan)
    check_size_keeping(PLAN_TITLE)
    driver.press(driver.button(plan, "Back"))
    wait_for("the payment plan window to close", lambda: driver.window(PLAN_TITLE) is None)

    # Monthly Payment again, with a balance that is not a number.
    monthly = driver.button(main, "Monthly Payment")
    driver.press(monthly)
    wait_for('"Monthly Payment" to be selected',
             lambda: monthly.getState().contains(driver.pyatspi.STATE_CHECKED))
    driver.type_into(balance, "12abc")
    wait_for("Calculate to be enabled for 12abc",
             lambda: calculate.getState().contains(driver.pyatspi.STATE_ENABLED))
    driver.press(calculate)
    message_box = wait_for("the error message box", lambda: driver.window(ERROR_TITLE))
    texts = [a.name for a in driver.descendants(message_box, lambda a: a.getRoleName() == "label")]
    if ERROR_TEXT not in texts:
        fail(f"the message box says {texts!r}, not {ERROR_TEXT!r}")
    log(f"message box {ERROR_TITLE!r}: {ERROR_TEXT!r}")
    driver.screenshot("05-error-message", message_box)
    driver.press(driver.button(message_box, "OK"))
    wait_for("the message box to close", lambda: driver.window(ERROR_TITLE) is None)
    expect("Vesk's Mnthly Pymnt after the error", driver.value(main, "Vesk's Mnthly Pymnt"), "")
    expect("Payoff Period after the error", driver.value(main, "Payoff Period"),
           "14 yrs and 11 mths")

    # Options -> Exit ends the program.
    menu = driver.control(main, 'menu "Options"',
                          lambda a: a.name == "Options" and a.getRoleName() == "menu item")
    driver.press(menu, ("ShowMenu", "Show Menu"))
    exit_entry = wait_for('the menu entry "Exit"', lambda: next(
        (a for a in driver.descendants(menu, lambda a: a.name == "Exit"
                                       and a.getRoleName() == "menu item")
         if driver.showing(a)), None))
    driver.screenshot("06-options-menu", main)
    try:
        driver.press(exit_entry)
    except Exception as error:
        # The program may end before it answers the bus.
        log(f"the Exit action was not answered ({error.__class__.__name__}); the program ended")
    try:
        status = driver.process.wait(timeout=STEP_TIMEOUT)
    except subprocess.TimeoutExpired:
        fail(f"the program still runs {STEP_TIMEOUT:.0f} s after Options > Exit")
    expect("exit status after Options > Exit", status, 0)


class ShownObjects:
    """The objects the program reports, on the bus, as just shown."""

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.pyatspi = pyatspi
        self.shown = []
        pyatspi.Registry.registerEventListener(self.record, "object:state-changed:showing")

    def record(self, event):
        if event.detail1:
            self.shown.append(event.source)

    def clear(self):
        self.pump()
        self.shown.clear()

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def latest(self, role):
        self.pump()
        return next((a for a in reversed(self.shown) if a.getRoleName() == role), None)

    def stop(self):
        self.pyatspi.Registry.deregisterEventListener(self.record,
                                                      "object:state-changed:showing")


def check_plan_for_screen_readers(driver, plan):
    """The grid's corner and opening row read what they are, the focus starts
    on the first month, and Shift+F10 opens a context menu whose entries read
    correctly every time."""
    table = driver.control(plan, "the payment plan grid", lambda a: a.getRoleName() == "table")
    columns = 5  # the header column and four amounts
    expect("grid corner", table.getChildAtIndex(0).name, "Term")
    expect("opening row header", table.getChildAtIndex(columns).name, "Opening balance")
    expect("first month's header", table.getChildAtIndex(2 * columns).name, "Term 1")
    focused = wait_for("a focused cell in the grid", lambda: next(
        (a for a in driver.descendants(plan, lambda a: a.getRoleName() == "table cell")
         if a.getState().contains(driver.pyatspi.STATE_FOCUSED)), None))
    expect("focused cell when the plan opens", focused.name, "777.83")

    # A popup menu is no child of the application on the bus: a screen
    # reader meets it through the event that it is shown.
    shown = ShownObjects(driver.pyatspi)
    try:
        for opening in (1, 2):
            shown.clear()
            xdotool("key", "--clearmodifiers", "shift+F10")
            menu = wait_for(f"the grid's context menu (opening {opening})",
                            lambda: shown.latest("popup menu"))
            entries = [menu.getChildAtIndex(i).name for i in range(menu.childCount)]
            expect(f"context menu entries (opening {opening})", entries,
                   ["Copy", "Save as CSV\u2026", "Chart\u2026", "What If\u2026",
                    "Print\u2026", "Export PDF\u2026"])
            xdotool("key", "Escape")
            wait_for("the context menu to close", lambda: not driver.showing(menu))
    finally:
        shown.stop()


def inner(args):
    begin_inner(TOTAL_TIMEOUT)
    import pyatspi

    try:
        pyatspi.Registry.getDesktop(0).childCount
    except Exception as error:
        fail(f"the accessibility bus (at-spi2-core) could not start: {error}")

    data_home = tempfile.mkdtemp(prefix="vesk-e2e-data-")
    process = start_program(args.app, data_home)
    log(f"started {args.app} (pid {process.pid}), XDG_DATA_HOME={data_home}")
    try:
        driver = Driver(pyatspi, process, args.shots)
        wait_for("the program on the accessibility bus", driver.application)
        scenario(driver, data_home)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait(timeout=10)
        shutil.rmtree(data_home, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", required=True, help="the built veskpayment program")
    parser.add_argument("--shots", required=True, help="folder for the screenshots")
    parser.add_argument("--inner", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    args.app = os.path.abspath(args.app)
    args.shots = os.path.abspath(args.shots)
    return run_parts(args, inner, outer, "e2e")


if __name__ == "__main__":
    sys.exit(main())
