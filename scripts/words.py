#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Counts the words of fortune files and writes the frequent ones as a word table.

Usage: words.py OUTPUT FILE...

Every word (a run of letters, Ä Ö Ü ä ö ü ß among them) is cleaned as the cipher cleans a plaintext:
a-z become capitals, Ä Ö Ü ä ö ü ß become AE OE UE SZ. J stays (the program reads it as I for the 5 X 5
square). The first line holds the number of words counted; then come the words of up to 24 letters, the
most frequent first, in groups of one count: a line with the count, then the group's words in
alphabetical order, one a line. The text is written as Qt's qCompress does: its size as four big-endian
bytes, then the zlib stream.
"""
import collections
import itertools
import re
import sys

from quadgrams import SPELLED, fortunes, write_packed

WORD = re.compile(r"[A-Za-zÄÖÜäöüß]+")
LONGEST = 24  # longer words are left out: the program does not look for them


def clean(word):
    return "".join(SPELLED.get(c, c.upper()) for c in word)


def main():
    output = sys.argv[1]
    counts = collections.Counter()
    for path in sys.argv[2:]:
        for fortune in fortunes(path):
            counts.update(clean(word) for word in WORD.findall(fortune))
    total = sum(counts.values())
    kept = sorted(((count, word) for word, count in counts.items() if len(word) <= LONGEST),
                  key=lambda item: (-item[0], item[1]))
    text = f"{total}\n"
    for count, group in itertools.groupby(kept, key=lambda item: item[0]):
        text += f"{count}\n" + "".join(f"{word}\n" for _, word in group)
    data = text.encode("ascii")
    write_packed(output, data)
    print(f"{output}: {total} words counted, {len(kept)} kept, {len(data)} bytes unpacked")


if __name__ == "__main__":
    main()
