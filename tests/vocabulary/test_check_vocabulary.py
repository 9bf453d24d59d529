#!/usr/bin/env python3
"""Tests of scripts/check-vocabulary: how texts are taken apart, and what a run reports."""

import importlib.machinery
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
SCRIPT = ROOT / "scripts" / "check-vocabulary"

loader = importlib.machinery.SourceFileLoader("check_vocabulary", str(SCRIPT))
module_spec = importlib.util.spec_from_loader("check_vocabulary", loader)
check = importlib.util.module_from_spec(module_spec)
loader.exec_module(check)

HAVE_HUNSPELL = shutil.which("hunspell") is not None and all(
    check.find_dictionary(language) for language in ("de_DE", "en_GB", "es_ES", "fr_FR"))
VOC_TOOL = check.find_voc_tool(os.environ.get("LINGOMAT_VOC"))


def source(lessons, records):
    """A data set source; records are (codes, class, French, middle column, German)."""
    lines = ["### Lingomatdata", "1", "Vorspann", "#"]
    for name, code in lessons:
        lines += [name, code]
    lines.append("#")
    for record in records:
        lines += list(record)
    lines.append("#")
    return "\n".join(lines) + "\n"


class WordsOfText(unittest.TestCase):
    CASES = [
        ("der Hund", "de_DE", ["Hund"]),
        ("(sich) freuen", "de_DE", ["freuen", "sich"]),
        ("das (Mobil)telefon", "de_DE", ["telefon", "Mobiltelefon"]),
        ("(to) go", "en_GB", ["go"]),
        ("the United Kingdom", "en_GB", ["United", "Kingdom"]),
        ("a", "en_GB", ["a"]),
        ("l'arbre (m)", "fr_FR", ["arbre"]),
        ("les vacances (f)", "fr_FR", ["vacances"]),
        ("aujourd'hui", "fr_FR", ["aujourd'hui"]),
        ("el agua (f)", "es_ES", ["agua"]),
        ("die Eltern (Pl.)", "de_DE", ["Eltern"]),
        ("las gafas de sol", "es_ES", ["gafas", "de", "sol"]),
        ("/car /automobile", "en_GB", ["car", "automobile"]),
        ("wie geht's", "de_DE", ["wie", "geht's"]),
        ("Hallo, wie geht es", "de_DE", ["Hallo", "wie", "geht", "es"]),
        ("E-Mail", "de_DE", ["E-Mail"]),
        ("die 3 Tage", "de_DE", ["Tage"]),
        ("", "de_DE", []),
    ]

    def test_cases(self):
        for text, language, words in self.CASES:
            with self.subTest(text=text):
                self.assertEqual(check.words_of(text, language), words)


@unittest.skipUnless(HAVE_HUNSPELL and VOC_TOOL, "hunspell, a dictionary or lingomat-voc is missing")
class Runs(unittest.TestCase):
    LESSONS = [("Tiere", "TIER")]

    def setUp(self):
        self.directory = Path(tempfile.mkdtemp())
        self.exceptions = self.directory / "exceptions.txt"
        self.exceptions.write_text("")

    def tearDown(self):
        shutil.rmtree(self.directory)

    def run_check(self, name, content, exceptions="", environment=None):
        path = self.directory / name
        path.write_text(content, encoding="utf-8")
        self.exceptions.write_text(exceptions, encoding="utf-8")
        result = subprocess.run(
            [sys.executable, str(SCRIPT), "--exceptions", str(self.exceptions),
             "--voc-tool", VOC_TOOL, str(path)],
            capture_output=True, text=True, env=dict(os.environ, **(environment or {})))
        return result.returncode, result.stdout

    def test_spelling(self):
        cases = [
            # name, (French, middle, German), exceptions, expected status, expected in report
            ("lingomat.txt", ("le chien", "dog", "der Hund"), "", 0, ""),
            ("spantest.txt", ("", "el perro", "der Hund"), "", 0, ""),
            ("spantest.txt", ("", "el perrro", "der Hund"), "", 1, "'perrro'"),
            ("lingomat.txt", ("le chein", "dog", "der Hund"), "", 1, "[fr_FR] unknown word 'chein'"),
            ("lingomat.txt", ("le chien", "dog", "der Hunt"), "", 1, "[de_DE] unknown word 'Hunt'"),
            ("lingomat.txt", ("le chien", "dgo", "der Hund"), "", 1, ":11:"),
            # The middle column is Spanish only in the Spanish data sets.
            ("spantest.txt", ("", "dog", "der Hund"), "", 1, "[es_ES] unknown word 'dog'"),
            ("lingomat.txt", ("", "perro", "der Hund"), "", 1, "[en_GB] unknown word 'perro'"),
            # Exceptions hold for their language only.
            ("spantest.txt", ("", "el perrro", "der Hund"), "es_ES perrro test\n", 0, ""),
            ("spantest.txt", ("", "el perrro", "der Hund"), "en_GB perrro test\n", 1, "'perrro'"),
            # A hyphenated word passes when its parts are known.
            ("lingomat.txt", ("le chien", "dog", "der Katze-Hund"), "", 0, ""),
            ("lingomat.txt", ("le chien", "dog", "der Katze-Hunt"), "", 1, "'Katze-Hunt'"),
            # Both readings of a parenthesised part are checked.
            ("lingomat.txt", ("le chien", "(to) gpo", "der Hund"), "", 1, "'gpo'"),
            ("lingomat.txt", ("le chien", "(tx) go", "der Hund"), "", 1, "'tx'"),
        ]
        for name, texts, exceptions, status, report in cases:
            with self.subTest(name=name, texts=texts, exceptions=exceptions):
                content = source(self.LESSONS, [("TIER", "n") + texts])
                code, output = self.run_check(name, content, exceptions)
                self.assertEqual(code, status, output)
                self.assertIn(report, output)

    def test_layout(self):
        good = ("TIER", "n", "le chien", "dog", "der Hund")
        cases = [
            # What the tool's check reports, as the game reads the layout.
            ("unknown lesson", source(self.LESSONS, [("TIEX",) + good[1:]]), "keiner Lektion"),
            ("bad word class", source(self.LESSONS, [good[:1] + ("x",) + good[2:]]), "Wortart"),
            ("record cut short", source(self.LESSONS, [good]).rstrip("#\n") + "\nTIER\nn\n",
             "unvollständig"),
            ("no closing line", source(self.LESSONS, [good]).rstrip("#\n") + "\n",
             "nicht mit einer Zeile"),
            ("duplicate code", source(self.LESSONS * 2, [good]), "dieselbe Kennung"),
            ("escape", source(self.LESSONS, [good[:4] + ('die M"uhle',)]), "erscheint im Spiel"),
            ("blank", source(self.LESSONS, [good[:4] + ("der Hund ",)]), "Leerzeichen"),
            ("not Windows-1252", source(self.LESSONS, [good[:4] + ("der Łódź",)]),
             ":12:5: Das Zeichen „Ł“"),
            # What only the shipped sources keep to.
            ("long code", source([("Tiere", "TIERE")], [("TIERE",) + good[1:]]), "4 capitals"),
            ("no header", source(self.LESSONS, [good]).split("\n", 2)[2], "first line"),
            ("version 0", source(self.LESSONS, [good]).replace("\n1\n", "\n0\n", 1), "version"),
        ]
        for label, content, report in cases:
            with self.subTest(label):
                code, output = self.run_check("lingomat.txt", content)
                self.assertEqual(code, 1, output)
                self.assertIn(report, output)

    def test_missing_hunspell_skips(self):
        content = source(self.LESSONS, [("TIER", "n", "le chien", "dog", "der Hund")])
        code, _ = self.run_check("lingomat.txt", content,
                                 environment={"HUNSPELL": str(self.directory / "no-hunspell")})
        self.assertEqual(code, 77)


if __name__ == "__main__":
    unittest.main()
