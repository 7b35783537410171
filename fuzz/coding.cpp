// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Bifid coding. With a generated square, deciphering undoes enciphering and every intermediate
// result agrees with the single steps; with any bytes as square, text, code and depth, each error
// names a real byte of its input and the partial value stops just before it.

#include "FuzzCheck.h"

#include <cipher/Coding.h>
#include <cipher/Square.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using bifid::CipherError;
using bifid::Dimension;

namespace {

// Far beyond the 2 to 5 rows of the window, yet small enough that the empty rows fit in memory.
constexpr int kMaxDepth = 1000;

bool isCoordinate(char digit, int side)
{
    return digit >= '1' && digit < '1' + side;
}

std::size_t cellOf(char rowDigit, char columnDigit, int side)
{
    return static_cast<std::size_t>(rowDigit - '1') * static_cast<std::size_t>(side)
        + static_cast<std::size_t>(columnDigit - '1');
}

// A square of the given bytes, cut or filled with zero bytes to its cells; any other length is refused.
bifid::Square squareOf(std::string cells, Dimension dimension)
{
    const auto cellCount = static_cast<std::size_t>(bifid::cellCountOf(dimension));
    if (cells.size() != cellCount) {
        bool refused = false;
        try {
            (void)bifid::Square(dimension, cells);
        } catch (const std::invalid_argument &) {
            refused = true;
        }
        FUZZ_CHECK(refused, "a square of the wrong length is refused");
        cells.resize(cellCount, '\0');
    }
    return {dimension, std::move(cells)};
}

void checkCoordinates(std::string_view text, const bifid::Square &square)
{
    const int side = square.side();
    const std::string_view cells = square.cells();
    const bifid::Result<std::string> coded = bifid::codeCoordinates(text, square);
    const std::size_t codedCount = coded.ok() ? text.size() : coded.error->position - 1;
    if (!coded.ok()) {
        const CipherError &error = *coded.error;
        FUZZ_CHECK(
            error.kind == CipherError::Kind::NotInSquare, "coding text only fails on a character not in the square");
        FUZZ_CHECK(error.position >= 1 && error.position <= text.size(), "the error position lies in the text");
        FUZZ_CHECK(error.character == text[error.position - 1], "the error names the character at its position");
        FUZZ_CHECK(cells.find(error.character) == std::string_view::npos, "the failing character is in no cell");
    }
    FUZZ_CHECK(coded.value.size() == 2 * codedCount, "two digits for every character coded");
    for (std::size_t i = 0; i < codedCount; ++i) {
        const char row = coded.value[2 * i];
        const char column = coded.value[2 * i + 1];
        FUZZ_CHECK(isCoordinate(row, side) && isCoordinate(column, side), "coordinates are digits 1 to side");
        FUZZ_CHECK(cellOf(row, column, side) == cells.rfind(text[i]), "the coordinates name the last matching cell");
    }
}

void checkReadThrough(std::string_view code, const bifid::Square &square)
{
    const int side = square.side();
    const bifid::Result<std::string> read = bifid::readThroughSquare(code, square);
    const std::size_t readCount = read.ok() ? code.size() / 2 : (read.error->position - 1) / 2;
    if (read.ok()) {
        FUZZ_CHECK(code.size() % 2 == 0, "a code of odd length is never read in full");
    } else {
        const CipherError &error = *read.error;
        FUZZ_CHECK(error.position >= 1 && error.position <= code.size() + 1, "the error position lies in the code");
        if (error.kind == CipherError::Kind::MissingPartner) {
            FUZZ_CHECK(code.size() % 2 == 1 && error.position == code.size() + 1, "only an odd code misses a partner");
        } else {
            FUZZ_CHECK(error.position <= code.size() && error.character == code[error.position - 1],
                "the error names the code byte at its position");
            const bool digit = error.character >= '0' && error.character <= '9';
            FUZZ_CHECK(digit == (error.kind == CipherError::Kind::DigitOutsideSquare), "the kind matches the byte");
        }
    }
    FUZZ_CHECK(read.value.size() == readCount, "one character for every pair read");
    for (std::size_t i = 0; i < readCount; ++i) {
        const char row = code[2 * i];
        const char column = code[2 * i + 1];
        FUZZ_CHECK(isCoordinate(row, side) && isCoordinate(column, side), "only coordinates are read");
        const std::size_t cell = cellOf(row, column, side);
        FUZZ_CHECK(cell < square.cellCount() && read.value[i] == square[cell], "each pair reads its cell");
    }
}

void checkFractionation(std::string_view coordinates, int depth)
{
    const std::vector<std::string> rows = bifid::fractionate(coordinates, depth);
    const std::size_t rowCount = static_cast<std::size_t>(std::max(depth, 1));
    FUZZ_CHECK(rows.size() == rowCount, "one row per level of depth");
    std::size_t dealt = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        for (std::size_t place = 0; place < rows[k].size(); ++place) {
            const std::size_t p = place * rowCount + k;
            FUZZ_CHECK(p < coordinates.size() && rows[k][place] == coordinates[p], "digit p goes to row p mod depth");
        }
        dealt += rows[k].size();
    }
    FUZZ_CHECK(dealt == coordinates.size(), "every digit is dealt exactly once");
}

// Deciphering into steps left over from earlier inputs gives what deciphering afresh gives.
void checkKeptSteps(std::string_view ciphertext, const bifid::Square &square, int depth,
    const bifid::Result<bifid::DecipherSteps> &fresh)
{
    static bifid::DecipherSteps kept;
    const std::optional<CipherError> error = bifid::decipher(ciphertext, square, depth, kept);
    FUZZ_CHECK(error.has_value() == fresh.error.has_value()
            && (!error || (error->kind == fresh.error->kind && error->position == fresh.error->position)),
        "kept steps fail as fresh ones do");
    const bifid::DecipherSteps &steps = fresh.value;
    FUZZ_CHECK(kept.cipherCode == steps.cipherCode && kept.rows == steps.rows && kept.coordinates == steps.coordinates
            && kept.plaintext == steps.plaintext,
        "kept steps hold nothing of earlier inputs");
}

void checkRoundTrip(std::string_view text, const bifid::Square &square, int depth)
{
    const bifid::Result<std::string> ciphertext = bifid::encipher(text, square, depth);
    FUZZ_CHECK(ciphertext.ok(), "a text of square characters enciphers");
    FUZZ_CHECK(ciphertext.value.size() == text.size(), "one ciphertext character per text character");

    const bifid::Result<bifid::DecipherSteps> deciphered = bifid::decipher(ciphertext.value, square, depth);
    FUZZ_CHECK(deciphered.ok(), "a ciphertext deciphers with its own square and depth");
    checkKeptSteps(ciphertext.value, square, depth, deciphered);
    const bifid::DecipherSteps &steps = deciphered.value;
    FUZZ_CHECK(steps.plaintext == text, "deciphering undoes enciphering");
    FUZZ_CHECK(steps.cipherCode == bifid::codeCoordinates(ciphertext.value, square).value,
        "the cipher code is the ciphertext's coordinates");
    FUZZ_CHECK(bifid::joinRows(steps.rows) == steps.cipherCode, "the rows are the cipher code cut apart");
    FUZZ_CHECK(steps.rows == bifid::fractionate(steps.coordinates, depth), "the rows are the coordinates dealt out");
    FUZZ_CHECK(steps.coordinates == bifid::codeCoordinates(text, square).value,
        "the coordinates read back are the plaintext's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const Dimension dimension = input.ConsumeBool() ? Dimension::Five : Dimension::Six;
    const int depth = input.ConsumeIntegralInRange<int>(-2, kMaxDepth);

    if (input.ConsumeBool()) {
        bifid::SquareLayout layout;
        layout.dimension = dimension;
        layout.insertionPosition = input.ConsumeIntegral<int>();
        const bifid::Square square = bifid::generateSquare(layout, input.ConsumeRandomLengthString(64)).square;
        std::string text = input.ConsumeRemainingBytesAsString();
        for (char &c : text)
            c = square[static_cast<unsigned char>(c) % square.cellCount()];
        checkRoundTrip(text, square, depth);
        return 0;
    }

    const bifid::Square square = squareOf(input.ConsumeRandomLengthString(40), dimension);
    const std::string text = input.ConsumeRandomLengthString(256);
    const std::string code = input.ConsumeRemainingBytesAsString();
    checkCoordinates(text, square);
    checkReadThrough(code, square);
    checkFractionation(code, depth);

    const bifid::Result<std::string> ciphertext = bifid::encipher(text, square, depth);
    FUZZ_CHECK(
        !ciphertext.ok() || ciphertext.value.size() == text.size(), "one ciphertext character per text character");
    const bifid::Result<bifid::DecipherSteps> deciphered = bifid::decipher(text, square, depth);
    FUZZ_CHECK(deciphered.ok() || deciphered.error->position >= 1, "every error has a position");
    checkKeptSteps(text, square, depth, deciphered);
    return 0;
}
