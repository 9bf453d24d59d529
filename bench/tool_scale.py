#!/usr/bin/env python3
"""Time and peak memory of lingomat-voc on large inputs, against the size of the input.

Generates in a scratch folder: a CSV of 1,000,000 rows (German, English, French, lesson, word
class; umlauts in every row; 1,000 lessons) and a data set source with 100,000 lessons of one
record each; then runs import on the CSV, check on the data set it made, import of a CSV
with 100,000 lessons, and check of the 100,000-lesson source. Each command runs in a process
of its own; peak memory is that process's maximum resident set.
Usage: bench/tool_scale.py [--build DIR] [--rows N] [--lessons N]
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time


# Runs a command and prints its peak resident memory; one such helper per measurement, because a
# process only learns the largest peak of all its children.
MEASURE = """
import resource, subprocess, sys
code = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
print(code, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
"""


def run(command):
    start = time.monotonic()
    result = subprocess.run([sys.executable, "-c", MEASURE] + command, capture_output=True,
                            text=True, check=True)
    seconds = time.monotonic() - start
    code, peak = (int(x) for x in result.stdout.split())
    if code not in (0, 1):
        sys.exit(f"{command[1]} failed ({code})")
    return seconds, peak * 1024, code


def write_csv(path, rows, lessons):
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write("Deutsch;Englisch;Französisch;Lektion;Wortart\n")
        for i in range(rows):
            out.write(f"das Mädchen {i};the girl {i};la fille {i};Lektion {i % lessons};n\n")


def write_source(path, lessons):
    with open(path, "w", encoding="utf-8") as out:
        out.write("### Lingomatdata\n1\nViele Lektionen\n#\n")
        for i in range(lessons):
            out.write(f"Lektion {i}\nK{i:06d}\n")
        out.write("#\n")
        for i in range(lessons):
            out.write(f"K{i:06d}\nn\nle mot {i}\nthe word {i}\ndas Wort {i}\n")
        out.write("#\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--lessons", type=int, default=100_000)
    args = parser.parse_args()
    tool = os.path.join(args.build, "tools", "lingomat-voc")
    with tempfile.TemporaryDirectory() as scratch:
        big = os.path.join(scratch, "gross.csv")
        many = os.path.join(scratch, "lektionen.csv")
        source = os.path.join(scratch, "lektionen.txt")
        write_csv(big, args.rows, 1000)
        write_csv(many, args.lessons, args.lessons)
        write_source(source, args.lessons)
        cases = [
            (f"import, CSV of {args.rows:,} rows", ["import", big, "-o", os.path.join(scratch, "gross.voc")], big),
            (f"check of that data set", ["check", os.path.join(scratch, "gross.voc")], os.path.join(scratch, "gross.voc")),
            (f"import, CSV of {args.lessons:,} lessons", ["import", many, "-o", os.path.join(scratch, "l.voc")], many),
            (f"check, source of {args.lessons:,} lessons", ["check", source], source),
        ]
        print("| what | input | time | peak memory | memory / input |")
        print("|---|---|---|---|---|")
        for name, command, measured in cases:
            seconds, peak, _ = run([tool] + command)
            size = os.path.getsize(measured)
            print(f"| {name} | {size / 1e6:.1f} MB | {seconds:.1f} s | {peak / 1e6:.0f} MB "
                  f"| {peak / size:.1f} x |")


if __name__ == "__main__":
    main()
