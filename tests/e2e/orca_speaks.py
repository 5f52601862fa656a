#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the Orca screen reader over the calculator, keys only, and records what it speaks.

Orca 43 (Debian 12's), on its default settings, listens to the program as a
blind user would hear it, while xdotool presses the keys such a user
presses. Every utterance is taken from Orca's debug log (its SPEECH OUTPUT
lines) and filed under the step whose keys made it.

Without --check the whole tour is recorded: the worked example typed with
Tab between the fields, Ctrl+Left and Ctrl+Right in the payment field,
Calculate; "Payments Till Zero" and Calculate, three months down the grid,
its menu twice (Shift+F10), the chart (Ctrl+G) stepped three months, Tab
on to Back; a maximum of 1000 and Calculate; the Options
menu by Alt+O and F10, "About Form" and "About Formula". The transcript
goes to stdout, and with --transcript to a file, without the names of the
keys pressed (Orca's key echo) unless --keys is given. Tab is pressed until
Orca names the control wanted, as a user listens for it. A program that
stops answering is noted, and the tour goes on with a fresh one.

With --check (the test CTest runs) a short tour must hear the fields named
on their first visit, the worked example's three results, the month with
the cells in the grid, and the program must still answer after Ctrl+Left
in the payment field.

Orca needs no speech server here: a small wrapper runs /usr/bin/orca with
its speech start-up replaced by nothing, so it logs what it would say
without waiting on speech-dispatcher, opens the debug log line-buffered
(Orca does not flush it), and ignores other users' Orca processes, which on
a shared machine would keep it from starting. The outer run gives it a
virtual X server with openbox, a private D-Bus session and a private home.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from desktop import (ANSWER_TIMEOUT, Driver, begin_inner, fail, log, run_outer, run_parts,
                     start_program, stop, wait_for)

TOTAL_TIMEOUT = 300          # seconds for the whole inner run
QUIET = 1.2                  # seconds without speech that end a step
STEP_LONGEST = 8.0           # seconds a step may keep Orca talking
HEARD_TIMEOUT = 30.0         # seconds --check waits to hear an utterance

MAIN_TITLE = " Vesk Payment Formula 1.0"
RESULTS = ("$777.83", "14 yrs and 11 mths", "$76,873.92")

ORCA_WRAPPER = r'''
import builtins, importlib.machinery, importlib.util, sys
loader = importlib.machinery.SourceFileLoader("orca_launcher", "/usr/bin/orca")
spec = importlib.util.spec_from_loader("orca_launcher", loader)
launcher = importlib.util.module_from_spec(spec)
loader.exec_module(launcher)
from orca import speech
speech.init = lambda: None
launcher.otherOrcas = lambda: []
launcher.setProcessName = lambda name: False
launcher.open = lambda path, mode="r": builtins.open(path, mode, buffering=1)
sys.argv = ["orca"] + sys.argv[1:]
sys.exit(launcher.main())
'''


def outer(args):
    if not os.access(args.app, os.X_OK):
        fail(f"no program at {args.app}")
    inner_arguments = ["--app", args.app]
    for flag in ("check", "keys"):
        if getattr(args, flag):
            inner_arguments.append(f"--{flag}")
    for option in ("transcript", "keep_log"):
        if getattr(args, option):
            inner_arguments += ["--" + option.replace("_", "-"), getattr(args, option)]
    return run_outer(__file__, inner_arguments, TOTAL_TIMEOUT, extra_tools={"orca": "orca"})


# ---------------------------------------------------------------------------
# Inner run


def is_key_echo(utterance):
    """Orca names each key pressed: the name followed by a blank."""
    return utterance.endswith(" ")


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120", *names], check=True, timeout=30)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "120", text], check=True, timeout=30)


class Speech:
    """What Orca has spoken, read from its debug log as it grows."""

    # The utterance in quotes, then perhaps a voice and the voice's settings
    # (alone or in a list).
    LINE = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:voice=\S+)?\s*(?:\[?\{.*\}\]?)?$")

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.pending = ""

    def new_lines(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log_file:
                log_file.seek(self.offset)
                chunk = log_file.read()
                self.offset = log_file.tell()
        except FileNotFoundError:
            return []
        lines = (self.pending + chunk).split("\n")
        self.pending = lines.pop()
        return [found.group(1) for found in map(self.LINE.search, lines) if found]

    def settle(self, longest=STEP_LONGEST, awaited=False):
        """What Orca says until it has been quiet for a moment; when awaited,
        not before it has said more than the names of keys (a window may take
        a while to open)."""
        spoken = []
        deadline = time.monotonic() + longest
        quiet_since = time.monotonic()
        while time.monotonic() < deadline:
            fresh = self.new_lines()
            if fresh:
                spoken += fresh
                quiet_since = time.monotonic()
            elif time.monotonic() - quiet_since >= QUIET and \
                    not (awaited and all(map(is_key_echo, spoken))):
                break
            time.sleep(0.1)
        return spoken


class Tour:
    def __init__(self, args, scratch):
        self.args = args
        self.scratch = scratch
        self.speech = None
        self.orca = None
        self.app = None
        self.driver = None
        self.transcript = []

    # -- processes ------------------------------------------------------

    def start_orca(self):
        home = os.path.join(self.scratch, "home")
        os.makedirs(home)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"))
        if shutil.which("gsettings"):  # for toolkits that read it; Qt is told below
            subprocess.run(["gsettings", "set", "org.gnome.desktop.interface",
                            "toolkit-accessibility", "true"], env=env, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        debug_log = os.path.join(self.scratch, "orca-debug.out")
        wrapper = os.path.join(self.scratch, "orca_wrapper.py")
        with open(wrapper, "w") as wrapper_file:
            wrapper_file.write(ORCA_WRAPPER)
        with open(os.path.join(self.scratch, "orca.err"), "w") as errors:
            self.orca = subprocess.Popen(
                ["/usr/bin/python3", wrapper, "--debug-file", debug_log], env=env,
                stdout=subprocess.DEVNULL, stderr=errors)
        self.speech = Speech(debug_log)
        said = []
        wait_for("Orca to start speaking", lambda: said.extend(self.speech.new_lines()) or said,
                 timeout=60)
        self.speech.settle()
        log(f"Orca runs (pid {self.orca.pid}) and said {said!r}")

    def start_app(self):
        import pyatspi
        self.app = start_program(self.args.app, os.path.join(self.scratch, "data"))
        self.driver = Driver(pyatspi, self.app, shots=None)

        def active_main_window():
            return any(window is not None and window.name == MAIN_TITLE
                       and window.getState().contains(pyatspi.STATE_ACTIVE)
                       for window in self.driver.windows())
        wait_for("the main window, active", active_main_window, timeout=60)
        self.step("The main window opens", [])

    def answers(self):
        """Whether the program still answers the accessibility bus."""
        try:
            app = self.driver.application()
            return app is not None and app.getChildAtIndex(0).name is not None
        except Exception:
            return False

    def stop_app(self):
        if self.app.poll() is None:
            self.app.kill()
            self.app.wait(timeout=10)
        self.speech.settle(longest=3)

    def stop(self):
        for process in (self.app, self.orca):
            if process is not None and process.poll() is None:
                stop(process)

    # -- steps ----------------------------------------------------------

    def step(self, title, actions, awaited=False):
        for action in actions:
            action()
        spoken = self.speech.settle(awaited=awaited)
        self.transcript.append((title, spoken))
        log(f"{title}: {spoken!r}")
        return spoken

    def move_to(self, key, wanted, most=6):
        """Presses key (Tab or Shift+Tab) until Orca names what is wanted, as
        a user listens for it."""
        title = "Shift+Tab" if key == "shift+Tab" else "Tab"
        for _ in range(most):
            if any(wanted in said for said in self.step(title, [lambda: keys(key)])):
                return
        fail(f"{most} presses of {title} never reached {wanted!r}")

    def hear(self, title, actions, wanted):
        """Runs a step and waits until Orca has said every text in wanted."""
        for action in actions:
            action()
        spoken = []
        deadline = time.monotonic() + HEARD_TIMEOUT
        while not all(any(text in said for said in spoken) for text in wanted):
            if time.monotonic() >= deadline:
                self.transcript.append((title, spoken))
                fail(f"{title}: Orca did not say {wanted!r}; it said {spoken!r}")
            spoken += self.speech.new_lines()
            time.sleep(0.1)
        spoken += self.speech.settle()
        self.transcript.append((title, spoken))
        log(f"{title}: {spoken!r}")
        return spoken

    def word_keys(self):
        """Ctrl+Left at the end of "699", the question Qt 6.4.2 never
        answered; false when the program no longer answers."""
        self.step("Ctrl+Left", [lambda: keys("ctrl+Left")])
        if self.answers() or (time.sleep(ANSWER_TIMEOUT) or self.answers()):
            return True
        self.transcript.append(("(the program no longer answers: hung)", []))
        log("the program no longer answers after Ctrl+Left")
        return False

    # -- the tours ------------------------------------------------------

    def check(self):
        self.start_orca()
        self.start_app()
        # Each field is named on its first visit.
        for text, next_field in (("100000", "Interest Rate (APR)"), ("7.5", "Scheduled Payment")):
            self.hear(f"Type {text}, Tab", [lambda text=text: type_text(text),
                                            lambda: keys("Tab")], [next_field])
        self.step("Type 699", [lambda: type_text("699")])
        if not self.word_keys():
            fail("the program stopped answering after Ctrl+Left in the payment field")
        self.step("Tab to Calculate", [lambda: keys("Tab")])
        self.hear("Space: Calculate", [lambda: keys("space")], RESULTS)
        self.step("Tab to the options", [lambda: keys("Tab")])
        self.step("Down: Payments Till Zero", [lambda: keys("Down")])
        self.step("Shift+Tab to Calculate", [lambda: keys("shift+Tab")])
        self.hear("Space: the plan opens", [lambda: keys("space")], ["Term 1", "777.83"])
        self.hear("Down", [lambda: keys("Down")], ["Term 2", "778.79"])

    def tour(self):
        self.start_orca()
        self.start_app()
        self.fields()
        if not self.word_keys():
            self.stop_app()
            self.start_app()
            self.fields()
        else:
            self.step("Ctrl+Right", [lambda: keys("ctrl+Right")])
            self.step("Shift+Tab: back into the rate field", [lambda: keys("shift+Tab")])
            self.step("Tab: back into the payment field", [lambda: keys("Tab")])
        self.move_to("Tab", "Calculate push button")
        self.step("Space: Calculate", [lambda: keys("space")], awaited=True)
        self.plan()
        self.capped_plan()
        self.menus()

    def fields(self):
        self.step("Type 100000, Tab", [lambda: type_text("100000"), lambda: keys("Tab")])
        self.step("Type 7.5, Tab", [lambda: type_text("7.5"), lambda: keys("Tab")])
        self.step("Type 699", [lambda: type_text("699")])

    def plan(self):
        self.step("Tab to the options", [lambda: keys("Tab")])
        self.step("Down: Payments Till Zero", [lambda: keys("Down")])
        self.move_to("shift+Tab", "Calculate push button")
        self.step("Space: Calculate, the plan opens", [lambda: keys("space")], awaited=True)
        for _ in range(3):
            self.step("Down", [lambda: keys("Down")])
        for _ in range(2):
            self.step("Shift+F10", [lambda: keys("shift+F10")])
            self.step("Escape", [lambda: keys("Escape")])
        self.step("Ctrl+G: the chart", [lambda: keys("ctrl+g")], awaited=True)
        for _ in range(3):
            self.step("Right", [lambda: keys("Right")])
        self.step("Escape: the chart closes", [lambda: keys("Escape")], awaited=True)
        self.move_to("Tab", "Back push button")
        self.step("Space: Back", [lambda: keys("space")], awaited=True)

    def capped_plan(self):
        self.move_to("Tab", "Set Maximum Monthly Payment")
        self.step("Space: check it", [lambda: keys("space")])
        self.step("Tab, type 1000", [lambda: keys("Tab"), lambda: type_text("1000")])
        self.move_to("shift+Tab", "Calculate push button")
        self.step("Space: Calculate, the capped plan opens", [lambda: keys("space")],
                  awaited=True)
        self.step("Tab", [lambda: keys("Tab")])
        self.what_if()
        self.step("Escape: the plan closes", [lambda: keys("Escape")], awaited=True)

    def what_if(self):
        self.step("Ctrl+I: What If opens", [lambda: keys("ctrl+i")], awaited=True)
        self.step("Type 900", [lambda: type_text("900")], awaited=True)
        self.step("Ctrl+Left", [lambda: keys("ctrl+Left")])
        for _ in range(4):
            self.step("Tab", [lambda: keys("Tab")])
        self.step("Escape: What If closes", [lambda: keys("Escape")], awaited=True)

    def menus(self):
        self.step("Alt+O: the Options menu", [lambda: keys("alt+o")])
        self.step("Escape, Escape: the menu closes", [lambda: keys("Escape", "Escape")])
        self.step("F10: the Options menu", [lambda: keys("F10")])
        self.step("Down: About Form", [lambda: keys("Down")])
        self.step("Return: About Form opens", [lambda: keys("Return")], awaited=True)
        self.step("Escape: About Form closes", [lambda: keys("Escape")], awaited=True)
        self.step("Alt+O, Return: About Formula opens", [lambda: keys("alt+o", "Return")],
                  awaited=True)
        self.step("Tab", [lambda: keys("Tab")])

    def write(self):
        lines = []
        for title, spoken in self.transcript:
            lines.append(f"## {title}")
            said = spoken if self.args.keys else [s for s in spoken if not is_key_echo(s)]
            if spoken and not said:
                lines.append("(only the names of the keys pressed)")
            lines += [f"SPEECH OUTPUT: '{utterance}'" for utterance in said]
        text = "\n".join(lines) + "\n"
        sys.stdout.write(text)
        if self.args.transcript:
            with open(self.args.transcript, "w") as out:
                out.write(text)


def inner(args):
    begin_inner(TOTAL_TIMEOUT)
    scratch = tempfile.mkdtemp(prefix="vesk-orca-")
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    tour = Tour(args, scratch)
    try:
        tour.check() if args.check else tour.tour()
    finally:
        tour.stop()
        tour.write()
        if args.keep_log and os.path.exists(os.path.join(scratch, "orca-debug.out")):
            shutil.copy(os.path.join(scratch, "orca-debug.out"), args.keep_log)
        launcher.terminate()
        launcher.wait(timeout=10)
        shutil.rmtree(scratch, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", required=True, help="the built veskpayment program")
    parser.add_argument("--check", action="store_true",
                        help="the short tour that must hear the results and the month")
    parser.add_argument("--transcript", help="also write the transcript to this file")
    parser.add_argument("--keys", action="store_true",
                        help="keep the names of the keys pressed in the transcript")
    parser.add_argument("--keep-log", help="copy Orca's whole debug log to this file")
    parser.add_argument("--inner", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    for path in ("app", "transcript", "keep_log"):
        if getattr(args, path):
            setattr(args, path, os.path.abspath(getattr(args, path)))
    return run_parts(args, inner, outer, "orca")


if __name__ == "__main__":
    sys.exit(main())
