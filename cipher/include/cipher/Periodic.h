// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Coding.h>
#include <cipher/Square.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The Bifid cipher with a period, as textbooks work it: the text is cut into blocks of `period` letters
// (the last block may be shorter and is never padded), and each block is fractionated on its own, its
// coordinate digit q going to row (q - 1) mod depth. Period 0 means one block of the whole text.
namespace bifid {

// A typed keyword spelled as a text is cleaned: small letters as capitals, Ä Ö Ü ß written out (AE OE UE
// SZ), digits kept for the 6 X 6 square and written as number words for the 5 X 5, which also takes J
// as I; every other character is dropped.
[[nodiscard]] std::string classicalKeyword(std::string_view typed, Dimension dimension);

// The square of the classical keyword rule: the letters of classicalKeyword in order, each once, then
// the rest of the alphabet, from the first cell. An empty keyword gives the unkeyed square.
[[nodiscard]] Square classicalSquare(std::string_view keyword, Dimension dimension);

struct Block {
    std::size_t start = 0;  // place of the block's first letter in the text, from 0
    std::size_t length = 0;

    bool operator==(const Block &) const = default;
};

// How many blocks a text of `letters` letters has: none for an empty text.
[[nodiscard]] std::size_t blockCount(std::size_t letters, std::size_t period);

// Block `index` (below blockCount) of a text of `letters` letters.
[[nodiscard]] Block blockAt(std::size_t letters, std::size_t period, std::size_t index);

// Where every coordinate digit of a text of `letters` letters goes: digit q of the text (row digit of
// letter q / 2 for even q, column digit for odd q) becomes code digit codePlaces[q], and code digits 2k
// and 2k + 1 are ciphertext letter k's row and column. Depth below 1 counts as 1.
[[nodiscard]] std::vector<std::size_t> codePlaces(std::size_t letters, std::size_t period, int depth);

// Enciphers every block of the cleaned text. An error names the first character no cell shows, at its
// place in the whole text; depth must be at least 1.
[[nodiscard]] Result<std::string> encipherPeriodic(
    std::string_view cleanText, const Square &square, std::size_t period, int depth);

// The inverse of encipherPeriodic for the same square, period and depth.
[[nodiscard]] Result<std::string> decipherPeriodic(
    std::string_view ciphertext, const Square &square, std::size_t period, int depth);

}  // namespace bifid
