#!/usr/bin/env python3
"""Builds data/english.dat, the dictionary Tarnwick draws candidate names from.

The word list comes from Debian's SCOWL lists (package "scowl"), the
english-words.N and american-words.N files of levels 10 to 70. Only entries made
of lower-case letters a-z are used (no proper names, no apostrophes, no accents).

Every initial letter owns a fixed run of entries (RUN_SIZES below; the program
finds a word's initial from its index, so the runs must have exactly these
sizes). A run is filled with the most common words first: all words of level 10,
then level 20, and so on. When a level holds more new words than the run still
has room for, the words taken from it are spread evenly over that level's
alphabetical order, so no part of the alphabet is favoured. Each run is then
sorted.

The file is one zlib stream (level 9) of upper-case lines ending in CR LF, one
per entry, each written WITHOUT its first letter (a one-letter word is an empty
line).

Usage: data/make_english_dat.py [SCOWL_FOLDER] [OUTPUT]
Defaults: /usr/share/dict/scowl and english.dat beside this script.
"""
import hashlib
import os
import re
import sys
import zlib

LEVELS = [10, 20, 35, 40, 50, 55, 60, 70]
LISTS = ["english-words", "american-words"]

# Entries per initial letter, A..Z; they add up to 77,763.
RUN_SIZES = [
    4055, 3852, 6988, 4240, 3004, 3341, 2589, 3003, 3290, 584, 743, 2685, 4082,
    1740, 2107, 6523, 410, 3793, 9542, 4318, 2840, 1382, 2154, 55, 255, 188,
]
WORD = re.compile(r"[a-z]+")


def read_level(folder, level):
    words = set()
    for name in LISTS:
        path = os.path.join(folder, f"{name}.{level}")
        # SCOWL ships UTF-8; undecodable bytes cannot be part of an a-z word anyway.
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                word = line.strip()
                if WORD.fullmatch(word):
                    words.add(word)
    return words


def spread(words, count):
    """`count` of the sorted `words`, evenly spaced over the list."""
    n = len(words)
    return [words[i * n // count] for i in range(count)]


def build_runs(folder):
    levels = [read_level(folder, level) for level in LEVELS]
    runs = []
    for letter_index, size in enumerate(RUN_SIZES):
        initial = chr(ord("a") + letter_index)
        chosen = set()
        for words in levels:
            room = size - len(chosen)
            if room == 0:
                break
            new = sorted(w for w in words if w[0] == initial and w not in chosen)
            chosen.update(new if len(new) <= room else spread(new, room))
        if len(chosen) != size:
            sys.exit(f"only {len(chosen)} words begin with {initial}, {size} needed")
        runs.append(sorted(w.upper() for w in chosen))
    return runs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/dict/scowl"
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "english.dat")

    runs = build_runs(folder)
    words = [w for run in runs for w in run]
    assert len(words) == 77763 and len(set(words)) == len(words)
    for example in ("CAT", "CAD", "COT", "DOG"):
        assert example in words, example

    text = "".join(w[1:] + "\r\n" for w in words).encode("ascii")
    with open(output, "wb") as f:
        f.write(zlib.compress(text, 9))
    print(f"{output}: {len(words)} words, {len(text)} bytes inflated, "
          f"sha256 of the inflated text {hashlib.sha256(text).hexdigest()}")


if __name__ == "__main__":
    main()
