"""An X server of its own (Xvfb) and key presses into it (xdotool), for driving the real program."""

import os
import queue
import re
import subprocess
import threading
import time

WAIT = 30.0  # seconds for any single step; the sanitizer build is slow


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + WAIT
    while not number.endswith(b"\n"):
        if time.monotonic() > deadline or server.poll() is not None:
            fail("Xvfb did not start")
        chunk = os.read(read_end, 16)
        if not chunk:
            fail("Xvfb did not tell its display")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def xdo(display, *args):
    result = subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                            capture_output=True, text=True)
    return result.returncode, result.stdout.strip()


def wait_window(display, title):
    """The id of the visible window whose title is exactly title."""
    deadline = time.monotonic() + WAIT
    pattern = "^" + re.escape(title) + "$"
    while time.monotonic() < deadline:
        rc, out = xdo(display, "search", "--onlyvisible", "--name", pattern)
        if rc == 0 and out:
            return out.split()[0]
        time.sleep(0.1)
    _, titles = xdo(display, "search", "--onlyvisible", "--name", ".", "getwindowname", "%@")
    fail(f"no window titled {title!r}; visible: {titles!r}")


def keys(display, window, *key_names):
    # Without a window manager the window must be given the focus before keys reach it.
    rc, out = xdo(display, "windowfocus", "--sync", window, "key", "--delay", "40", *key_names)
    if rc != 0:
        fail(f"xdotool key {key_names}: {out}")


def type_text(display, window, text):
    rc, out = xdo(display, "windowfocus", "--sync", window, "type", "--delay", "15", text)
    if rc != 0:
        fail(f"xdotool type {text!r}: {out}")


class Program:
    """The running program and the lines of one of its traces (a Qt logging category)."""

    def __init__(self, program, folder, env, log_path, category):
        self.prefix = category + ": "
        self.log = open(log_path, "w", encoding="utf-8")
        self.events = queue.Queue()
        self.event_time = 0.0
        self.process = subprocess.Popen([program], cwd=folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stderr:
            line = raw.decode("utf-8", "replace").rstrip("\n")
            self.log.write(line + "\n")
            self.log.flush()
            if line.startswith(self.prefix):
                self.events.put((time.perf_counter(), line[len(self.prefix):]))

    def next_event(self, what):
        """The next trace line; event_time is when it arrived (time.perf_counter)."""
        try:
            self.event_time, text = self.events.get(timeout=WAIT)
            return text
        except queue.Empty:
            fail(f"no trace line while waiting for {what}")
