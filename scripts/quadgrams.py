#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Counts the quadgrams of fortune files and writes them as a table of quantised log probabilities.

Usage: quadgrams.py DIMENSION OUTPUT FILE...

Every fortune (the text between two lines holding only "%") is cleaned as the cipher cleans a plaintext
without digits: a-z become capitals, Ä Ö Ü ä ö ü ß become AE OE UE SZ, digits become German number
words, J becomes I for the 5 X 5 square, everything else is dropped. Quadgrams never cross a fortune.

The table has one byte per quadgram of the alphabet (25 letters without J for DIMENSION 5, 26 letters
for DIMENSION 6), the first letter most significant, A first. Byte b stands for log2 p = b / 8 - 32;
quadgrams never seen get the probability 0.01 / N for N quadgrams counted. The bytes are written as
Qt's qCompress does: the table's size as four big-endian bytes, then the zlib stream.
"""
import math
import re
import struct
import sys
import zlib

NUMBER_WORDS = ["NULL", "EINS", "ZWO", "DREI", "VIER", "FUENF", "SECHS", "SIEBEN", "ACHT", "NEUN"]
SPELLED = {"Ä": "AE", "ä": "AE", "Ö": "OE", "ö": "OE", "Ü": "UE", "ü": "UE", "ß": "SZ"}


def clean(text, dimension):
    out = []
    for c in text:
        if "a" <= c <= "z" or "A" <= c <= "Z":
            out.append(c.upper())
        elif c in SPELLED:
            out.append(SPELLED[c])
        elif "0" <= c <= "9":
            out.append(NUMBER_WORDS[ord(c) - ord("0")])
    cleaned = "".join(out)
    return cleaned.replace("J", "I") if dimension == 5 else cleaned


def fortunes(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return re.split(r"^%\s*$", f.read(), flags=re.M)


def write_packed(path, data):
    """Writes `data` as Qt's qCompress packs it: its size as four big-endian bytes, then the zlib stream."""
    with open(path, "wb") as f:
        f.write(struct.pack(">I", len(data)) + zlib.compress(data, 9))


def main():
    dimension = int(sys.argv[1])
    output = sys.argv[2]
    alphabet = "ABCDEFGHIKLMNOPQRSTUVWXYZ" if dimension == 5 else "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    size = len(alphabet)
    index = {c: i for i, c in enumerate(alphabet)}
    counts = [0] * size**4
    total = 0
    letters = 0
    for path in sys.argv[3:]:
        for fortune in fortunes(path):
            text = clean(fortune, dimension)
            letters += len(text)
            codes = [index[c] for c in text]
            for i in range(len(codes) - 3):
                counts[((codes[i] * size + codes[i + 1]) * size + codes[i + 2]) * size + codes[i + 3]] += 1
                total += 1
    unseen = math.log2(0.01 / total)
    table = bytearray(size**4)
    for i, count in enumerate(counts):
        log_p = math.log2(count / total) if count else unseen
        table[i] = max(0, min(255, round(8 * (log_p + 32))))
    write_packed(output, bytes(table))
    seen = sum(1 for c in counts if c)
    print(f"{output}: {letters} letters, {total} quadgrams, {seen} of {size**4} seen")


if __name__ == "__main__":
    main()
