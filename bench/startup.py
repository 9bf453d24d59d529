#!/usr/bin/env python3
"""Times the start of the real program on an X server of its own (Xvfb).

Each run starts build/lingomat in a fresh copy of the game folder with the shipped data sets and
measures, from the program's start-up trace (lingomat.startup):
  - process start to the first painted window (the player dialog);
  - Enter in that dialog to the painted game window, which includes loading "lingomat.voc".
Usage: bench/startup.py [--build DIR] [--runs N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xsession import Failure, Program, keys, start_x_server, wait_window  # noqa: E402

PLAYER_DIALOG = "Lingomat: Wahl des Spielers"
GAME_WINDOW = "Neues Spiel - Lingomat, das Vokabelspiel"


def wait_painted(game, title):
    while True:
        event = game.next_event(f"the first paint of {title!r}")
        if event == "gezeichnet: " + title:
            return game.event_time


def one_run(program, game_dir, work, display):
    folder = os.path.join(work, "game")
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(game_dir, folder)
    env = dict(os.environ, DISPLAY=display, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_HOME=os.path.join(work, "data"), XDG_RUNTIME_DIR=work,
               QT_QPA_PLATFORM="xcb", QT_LOGGING_RULES="lingomat.startup.debug=true",
               LC_ALL="C.UTF-8")
    started = time.perf_counter()
    game = Program(program, folder, env, os.path.join(work, "lingomat.log"), "lingomat.startup")
    try:
        first = wait_painted(game, PLAYER_DIALOG) - started
        dialog = wait_window(display, PLAYER_DIALOG)
        entered = time.perf_counter()
        keys(display, dialog, "Return")
        loaded = wait_painted(game, GAME_WINDOW) - entered
    finally:
        game.process.kill()
        game.process.wait()
    return first, loaded


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(root, "build"))
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    program = os.path.abspath(os.path.join(args.build, "lingomat"))
    game_dir = os.path.abspath(os.path.join(args.build, "game"))

    server, display = start_x_server()
    work = tempfile.mkdtemp(prefix="lingomat-startup-")
    firsts, loads = [], []
    try:
        one_run(program, game_dir, os.path.join(work, "warm-up"), display)
        for run in range(args.runs):
            first, loaded = one_run(program, game_dir, os.path.join(work, str(run)), display)
            firsts.append(first * 1000)
            loads.append(loaded * 1000)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)

    for name, values in (("start to first painted window (player dialog)", firsts),
                         ("Enter to painted game window (data set loaded)", loads)):
        print(f"{name}: median {statistics.median(values):.0f} ms, "
              f"min {min(values):.0f} ms, max {max(values):.0f} ms ({len(values)} runs)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
