// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Square.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The Bifid coding over a square. Coordinates are the digits 1 to side, row digit first: cell c has
// the row digit 1 + c / side and the column digit 1 + c % side.
namespace bifid {

struct CipherError {
    enum class Kind {
        NotInSquare,  // a text character that no cell shows
        NotADigit,  // a code character that is not 0-9
        DigitOutsideSquare,  // a code digit 0 or above the side of the square
        MissingPartner,  // a code of odd length: the last digit has no column digit
    };
    Kind kind;
    char character = '\0';  // the offending byte; '\0' for MissingPartner
    std::size_t position = 0;  // its 1-based position in the input
};

// A value, or the first error met. On error, value holds what was computed before it.
template <typename T> struct Result {
    T value{};
    std::optional<CipherError> error;

    [[nodiscard]] bool ok() const { return !error.has_value(); }
};

// Two digits per character of text. Where a character shows in several cells, the last cell wins.
[[nodiscard]] Result<std::string> codeCoordinates(std::string_view text, const Square &square);

// Deals the digits out into depth rows: the digit at 1-based position p goes to row (p - 1) mod depth.
// depth must be at least 1.
[[nodiscard]] std::vector<std::string> fractionate(std::string_view coordinates, int depth);

// The rows one after another.
[[nodiscard]] std::string joinRows(std::span<const std::string> rows);

// Reads the code in pairs of row and column digit through the square: one character per pair.
[[nodiscard]] Result<std::string> readThroughSquare(std::string_view cipherCode, const Square &square);

// The whole Bifid encryption of a cleaned text: coordinates, fractionation, join, read-back.
[[nodiscard]] Result<std::string> encipher(std::string_view cleanText, const Square &square, int depth);

// Every intermediate result of deciphering, in the order the inverse computes them.
struct DecipherSteps {
    std::string cipherCode;  // row and column digit of every ciphertext character
    std::vector<std::string> rows;  // the code cut back into the rows the fractionation gave
    std::string coordinates;  // the coordinate stream read back across the rows
    std::string plaintext;  // the coordinate pairs read through the square
};

// The inverse of encipher for the same square and depth. The ciphertext must hold square characters
// only (an error names the first other one); depth must be at least 1.
[[nodiscard]] Result<DecipherSteps> decipher(std::string_view ciphertext, const Square &square, int depth);

// The same into steps, whose buffers keep their capacity from call to call: a caller that deciphers
// again and again keeps one DecipherSteps, so that its tens of megabytes are not given back to the
// system and faulted in afresh each time. Afterwards steps holds what the other form's value would.
// The ciphertext must not lie in steps.
[[nodiscard]] std::optional<CipherError> decipher(
    std::string_view ciphertext, const Square &square, int depth, DecipherSteps &steps);

}  // namespace bifid
