#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a window test on the real X11 platform in a virtual X server whose
window manager holds every window at a size of its own and refuses every
request for another (refusing-window-manager). The test learns the held
size, the size a SIGUSR1 moves the windows to, the manager's process and the
file it logs the refused requests to from VESK_TEST_WM_*.

    under_refusing_wm.py --wm PROGRAM --held WxH --retile WxH -- TEST [ARGS]"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
import desktop  # noqa: E402

parser = argparse.ArgumentParser()
parser.add_argument("--wm", required=True)
parser.add_argument("--held", required=True)
parser.add_argument("--retile", required=True)
parser.add_argument("test", nargs=argparse.REMAINDER)
options = parser.parse_args()
test = options.test[1:] if options.test[:1] == ["--"] else options.test

desktop.SCREEN = "1366x768x24"
with tempfile.TemporaryDirectory(prefix="vesk-wm-") as scratch:
    xvfb, display = desktop.start_xvfb(scratch)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    log_path = os.path.join(scratch, "refused.log")
    with open(log_path, "w") as log:
        manager = subprocess.Popen([options.wm, options.held, options.retile], env=env,
                                   stdout=log, stderr=subprocess.STDOUT)
    try:
        deadline = time.monotonic() + desktop.STEP_TIMEOUT
        while "ready" not in open(log_path).read():
            if manager.poll() is not None or time.monotonic() >= deadline:
                desktop.fail("the refusing window manager did not start: " + open(log_path).read())
            time.sleep(0.05)
        env.update(VESK_TEST_WM_PID=str(manager.pid), VESK_TEST_WM_LOG=log_path,
                   VESK_TEST_WM_HELD=options.held, VESK_TEST_WM_RETILE=options.retile)
        status = subprocess.run(test, env=env).returncode
    finally:
        desktop.stop(manager)
        desktop.stop(xvfb)
sys.exit(status)
