#!/usr/bin/env python3
"""Plays one Write game with the real program on a real X server, driven by key presses.

A fresh folder gets the shipped files; a new player is chosen, a German-to-English Write game
over the lesson "Zahlen" is set up in the dialogs, every question is answered (a few of them
wrongly on purpose) until the end screen; the mistakes are written to an error file from the
menu and played again from it, and the program is quit with Ctrl+B. Afterwards the player file
and the settings it wrote must say what happened.

The program is followed through its game trace on standard error (lingomat.game); the answers
come from the data set itself, unpacked with lingomat-voc.

Usage: play_write_game.py --program LINGOMAT --voc-tool LINGOMAT_VOC --game-dir DIR [--keep DIR]
Needs Xvfb and xdotool.
"""

import argparse
import configparser
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

from xsession import WAIT, Failure, Program, fail, keys, start_x_server, type_text, wait_window

PLAYER = "Erika Muster"
SECOND_PLAYER = "Zweite Spielerin"
# The correction options each player switches on, as stored: the first box of the dialog is the
# fourth stored switch, the second box the fifth.
OPTIONS = {PLAYER: "   X  ", SECOND_PLAYER: "    X "}
LESSON_NAME = "Zahlen"
LESSON_CODE = "TZAH"
# Questions answered wrongly first (counted from 1); each comes back later and is answered right.
WRONG_AT = {1, 7}
WRONG_ANSWER = "falsch"


# --- the data set -----------------------------------------------------------------------------

def letters(text):
    """The letters of a text, lowercased: shown questions and stored texts compare this way."""
    return "".join(c for c in text.lower() if c.isalpha())


def forms(text):
    """The accepted forms of a stored text: "/a /b" holds two."""
    text = text.strip()
    if text.startswith("/"):
        return [f.strip() for f in text[1:].split(" /") if f.strip()]
    return [text]


def typed_form(text):
    """What a player types for a stored answer: its first form without the optional parts."""
    first = forms(text)[0]
    return " ".join(re.sub(r"\([^)]*\)", " ", first).split())


def lesson_answers(voc_tool, data_set, work):
    """German question (as letters) -> English answer to type, for every record of the lesson."""
    # The tool reads the layout as the game does and says which lessons take each record.
    layout_file = os.path.join(work, "lingomat.json")
    subprocess.run([voc_tool, "export", data_set, "-o", layout_file], check=True,
                   stdout=subprocess.DEVNULL)
    with open(layout_file, encoding="utf-8") as f:
        layout = json.load(f)
    codes = [lesson["code"]["text"] for lesson in layout["lessons"]]
    if LESSON_CODE not in codes:
        fail(f"no lesson {LESSON_CODE} in the data set")
    wanted = codes.index(LESSON_CODE)
    answers = {}
    for record in layout["records"]:
        if wanted not in record["lessons"]:
            continue
        german, english = record["texts"][0]["text"], record["texts"][1]["text"]
        for key in {letters(german)} | {letters(f) for f in forms(german)}:
            answers.setdefault(key, typed_form(english))
    if not answers:
        fail(f"no record of lesson {LESSON_CODE} in the data set")
    return answers


# --- the X server and the program -------------------------------------------------------------

# --- the game ---------------------------------------------------------------------------------

def play(args, work):
    answers = lesson_answers(args.voc_tool, os.path.join(args.game_dir, "lingomat.voc"), work)

    folder = os.path.join(work, "game")
    shutil.copytree(args.game_dir, folder)
    config = os.path.join(work, "config")
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=config,
               XDG_DATA_HOME=os.path.join(work, "data"), XDG_RUNTIME_DIR=os.path.join(work, "run"),
               QT_QPA_PLATFORM="xcb", QT_LOGGING_RULES="lingomat.game.debug=true",
               LC_ALL="C.UTF-8")
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    if "ASAN_OPTIONS" in env:
        # libxkbcommon-x11 hands strndup a counted name from an X reply that is not terminated
        # where strndup's interceptor looks; that is the library's, not ours to report.
        env["ASAN_OPTIONS"] += ":intercept_strndup=0"
        suppressions = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                    "leaks-outside.supp")
        env["LSAN_OPTIONS"] = f"suppressions={suppressions}:print_suppressions=0"

    server, display = start_x_server()
    env["DISPLAY"] = display
    started = int(time.time())
    game = None
    try:
        game = Program(args.program, folder, env, os.path.join(work, "lingomat.log"), "lingomat.game")
        # The player dialog comes first; the offered "Neuer Spieler" is replaced by typing.
        dialog = wait_window(display, "Lingomat: Wahl des Spielers")
        type_text(display, dialog, PLAYER)
        keys(display, dialog, "Return")

        main = wait_window(display, "Neues Spiel - Lingomat, das Vokabelspiel")
        keys(display, main, "ctrl+n")
        # Question German (space), Tab to the answers, German then down to English, Tab to the
        # game types, Writing (space), Enter for OK.
        dialog = wait_window(display, "Wahl der Spielart")
        keys(display, dialog, "space", "Tab", "space", "Down", "Tab", "space", "Return")
        # The lesson list has the focus: find the lesson by typing, select it, OK.
        dialog = wait_window(display, "Lektionsauswahl")
        type_text(display, dialog, LESSON_NAME)
        keys(display, dialog, "space", "Return")

        event = game.next_event("the start of the game")
        match = re.fullmatch(r"Spielbeginn: Spielart 0, Frage 0, Antwort 1, (\d+) Fragen", event)
        if not match:
            fail(f"not a German-to-English Write game: {event!r}")
        questions = int(match.group(1))
        main = wait_window(display, f"{LESSON_NAME} - Lingomat, das Vokabelspiel")

        asked = right = wrong = 0
        while True:
            event = game.next_event("a question or the end")
            if event.startswith("Spielende: "):
                break
            if not event.startswith("Frage: "):
                fail(f"expected a question, got {event!r}")
            question = event[len("Frage: "):]
            asked += 1
            answer = answers.get(letters(question))
            if answer is None:
                fail(f"question {question!r} is not in lesson {LESSON_CODE}")
            deliberate = asked in WRONG_AT
            type_text(display, main, WRONG_ANSWER if deliberate else answer)
            keys(display, main, "Return")
            verdict = game.next_event(f"the verdict on {question!r}")
            expected = "Antwort falsch" if deliberate else "Antwort richtig"
            if verdict != expected:
                fail(f"{question!r} answered {answer!r}: {verdict!r}, expected {expected!r}")
            if deliberate:
                wrong += 1
            else:
                right += 1
            if asked > 4 * questions:
                fail("the game does not end")

        if event != f"Spielende: {right} richtig, {wrong} falsch":
            fail(f"end of game says {event!r}, played {right} right and {wrong} wrong")
        # A wrongly answered question is asked once more besides itself.
        if right != questions + wrong:
            fail(f"{right} right answers for {questions} questions and {wrong} wrong ones")
        wait_window(display, "Statistik - Lingomat, das Vokabelspiel")

        # The menu's error-file commands both work in the game's folder: a file written there
        # under a bare name is found again under that name and played.
        keys(display, main, "alt+s", "r")
        dialog = wait_window(display, "Fehlerdatei schreiben")
        keys(display, dialog, "ctrl+a")
        type_text(display, dialog, "e2e-fehler")
        keys(display, dialog, "Return")
        written = os.path.join(folder, "e2e-fehler.lef")
        deadline = time.monotonic() + WAIT
        while not os.path.exists(written) and time.monotonic() < deadline:
            time.sleep(0.1)
        if not os.path.exists(written):
            fail(f"no error file in the game folder; it holds {sorted(os.listdir(folder))}")
        keys(display, main, "alt+s", "l")
        dialog = wait_window(display, "Fehlerdatei laden")
        type_text(display, dialog, "e2e-fehler.lef")
        keys(display, dialog, "Return")
        event = game.next_event("the start of the error-file game")
        if event != f"Spielbeginn: Spielart 0, Frage 0, Antwort 1, {wrong} Fragen":
            fail(f"the error file did not give a game of the {wrong} wrong words: {event!r}")
        main = wait_window(display, "Fehlerdatei e2e-fehler - Lingomat, das Vokabelspiel")
        # The first player switches on the first correction option ...
        keys(display, main, "alt+s", "f")
        dialog = wait_window(display, "Fehler- und Sprachoptionen")
        keys(display, dialog, "space", "Return")
        # ... hands over to a second player, who switches on the second one.
        keys(display, main, "alt+p", "n")
        dialog = wait_window(display, "Lingomat: Wahl des Spielers")
        type_text(display, dialog, SECOND_PLAYER)
        keys(display, dialog, "Return")
        time.sleep(0.5)
        keys(display, main, "alt+s", "f")
        dialog = wait_window(display, "Fehler- und Sprachoptionen")
        keys(display, dialog, "Tab", "space", "Return")
        time.sleep(0.5)
        # Leaving the running game asks first; "Ja" is the default.
        keys(display, main, "ctrl+b")
        box = wait_window(display, "Lingomat")
        keys(display, box, "Return")
        try:
            code = game.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            fail("the program did not end after Ctrl+B")
        if code != 0:
            fail(f"the program ended with {code}")
    finally:
        if game is not None and game.process.poll() is None:
            game.process.kill()
            game.process.wait()
        server.terminate()
        server.wait()

    check_player_file(folder, right, wrong, started, int(time.time()))
    check_settings(config)
    print(f"played {questions} questions: {right} right, {wrong} wrong; files checked")


# --- what was written -------------------------------------------------------------------------

def read_scrambled(path):
    """The lines of a scrambled file: bytes complemented, CR LF back to LF."""
    with open(path, "rb") as f:
        data = bytes(255 - b for b in f.read())
    return data.replace(b"\r\n", b"\n").decode("cp1252").split("\n")


def check_player_file(folder, right, wrong, started, ended):
    path = os.path.join(folder, PLAYER + ".lmp")
    if not os.path.exists(path):
        fail(f"no player file {PLAYER}.lmp; folder holds {sorted(os.listdir(folder))}")
    lines = read_scrambled(path)
    if lines[0] != PLAYER:
        fail(f"player file names {lines[0]!r}")
    try:
        at = lines.index(LESSON_CODE, 2)
    except ValueError:
        fail(f"player file has no record of {LESSON_CODE}: {lines!r}")
    if lines[at + 1] != "1":
        fail(f"{LESSON_CODE} has {lines[at + 1]!r} games, expected 1")
    score, played, completion, mode, question, answer = lines[at + 2].split()
    if abs(float(score) - right / (right + wrong)) > 1e-5:
        fail(f"score {score}, expected {right}/{right + wrong}")
    if not started <= int(played) <= ended:
        fail(f"game time {played} outside {started}..{ended}")
    if abs(float(completion) - 1.0) > 1e-6 or (mode, question, answer) != ("0", "0", "1"):
        fail(f"game line {lines[at + 2]!r}")


def check_settings(config):
    path = os.path.join(config, "Lingomat", "Lingomat -  Das Vokabelspiel.ini")
    if not os.path.exists(path):
        fail(f"no settings file {path}")
    parser = configparser.RawConfigParser()
    parser.optionxform = str.lower
    parser.read(path, encoding="utf-8")
    recent = [parser.get("Lingomat", f"player{i}", fallback=None) for i in (1, 2)]
    if recent != [SECOND_PLAYER, PLAYER]:
        fail(f"recent players are {recent!r}")
    if parser.get("Lingomat", "dataset", fallback=None) != "lingomat.voc":
        fail("the data set was not remembered")
    sections = {urllib.parse.unquote(s): s for s in parser.sections()}
    for player, options in OPTIONS.items():
        if player not in sections:
            fail(f"no settings section for {player!r}: {parser.sections()}")
        section = parser[sections[player]]
        # INI values keep their blanks only inside quotes.
        stored = section.get("correctionoptions", "").strip('"')
        for name, value in (("right", "400"), ("wrong", "2000"), ("multinumber", "4"),
                            ("correctionoptions", options)):
            got = stored if name == "correctionoptions" else section.get(name)
            if got != value:
                fail(f"{player}: {name} = {got!r}, expected {value!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--voc-tool", required=True)
    parser.add_argument("--game-dir", required=True)
    parser.add_argument("--keep", help="work in this folder and keep it")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.voc_tool = os.path.abspath(args.voc_tool)
    args.game_dir = os.path.abspath(args.game_dir)
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print(f"{tool} is missing (scripts/setup-deps installs it)", file=sys.stderr)
            return 1
    work = args.keep or tempfile.mkdtemp(prefix="lingomat-e2e-")
    if args.keep:
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
    try:
        play(args, work)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        log = os.path.join(work, "lingomat.log")
        if os.path.exists(log):
            with open(log, encoding="utf-8") as f:
                sys.stderr.write("--- program output ---\n" + f.read())
        return 1
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
