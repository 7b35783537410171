// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Coding.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace bifid {

namespace {

constexpr std::size_t indexOf(char c)
{
    return static_cast<unsigned char>(c);
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A depth below 1 cannot deal anything out; it is read as 1 so that no division by zero can happen.
std::size_t safeDepth(int depth)
{
    return static_cast<std::size_t>(std::max(depth, 1));
}

// The length of row k when length digits are dealt out over depth rows.
std::size_t rowLength(std::size_t length, std::size_t depth, std::size_t k)
{
    return length / depth + (k < length % depth ? 1 : 0);
}

// Overwrites coordinates with two digits per character of text; on error they stop before it.
std::optional<CipherError> codeInto(std::string_view text, const Square &square, std::string &coordinates)
{
    const auto side = static_cast<std::size_t>(square.side());

    // Two digits per byte, or none. Filling in cell order lets the last matching cell win.
    std::array<std::array<char, 2>, 256> pairOf{};
    for (std::size_t cell = 0; cell < square.cellCount(); ++cell)
        pairOf[indexOf(square[cell])] = {static_cast<char>('1' + cell / side), static_cast<char>('1' + cell % side)};

    coordinates.resize(2 * text.size());
    char *out = coordinates.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::array<char, 2> &pair = pairOf[indexOf(text[i])];
        if (pair[0] == '\0') {
            coordinates.resize(2 * i);
            return CipherError{CipherError::Kind::NotInSquare, text[i], i + 1};
        }
        *out++ = pair[0];
        *out++ = pair[1];
    }
    return std::nullopt;
}

}  // namespace

Result<std::string> codeCoordinates(std::string_view text, const Square &square)
{
    Result<std::string> result;
    result.error = codeInto(text, square, result.value);
    return result;
}

std::vector<std::string> fractionate(std::string_view coordinates, int depth)
{
    const std::size_t rowCount = safeDepth(depth);
    std::vector<std::string> rows(rowCount);
    std::vector<char *> next(rowCount);
    for (std::size_t k = 0; k < rowCount; ++k) {
        rows[k].resize(rowLength(coordinates.size(), rowCount, k));
        next[k] = rows[k].data();
    }

    std::size_t k = 0;
    for (char digit : coordinates) {
        *next[k]++ = digit;
        if (++k == rowCount)
            k = 0;
    }
    return rows;
}

std::string joinRows(std::span<const std::string> rows)
{
    std::size_t size = 0;
    for (const std::string &row : rows)
        size += row.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string &row : rows)
        joined += row;
    return joined;
}

Result<std::string> readThroughSquare(std::string_view cipherCode, const Square &square)
{
    using Kind = CipherError::Kind;
    const int side = square.side();

    Result<std::string> result;
    result.value.reserve(cipherCode.size() / 2);
    for (std::size_t i = 0; i < cipherCode.size(); i += 2) {
        const std::size_t position = i + 1;  // 1-based, of the row digit
        const char rowDigit = cipherCode[i];
        if (!isDigit(rowDigit)) {
            result.error = CipherError{Kind::NotADigit, rowDigit, position};
            return result;
        }
        if (i + 1 == cipherCode.size()) {
            result.error = CipherError{Kind::MissingPartner, '\0', position + 1};
            return result;
        }
        const char columnDigit = cipherCode[i + 1];
        if (!isDigit(columnDigit)) {
            result.error = CipherError{Kind::NotADigit, columnDigit, position + 1};
            return result;
        }
        const int row = rowDigit - '0';
        const int column = columnDigit - '0';
        if (row == 0 || row > side) {
            result.error = CipherError{Kind::DigitOutsideSquare, rowDigit, position};
            return result;
        }
        if (column == 0 || column > side) {
            result.error = CipherError{Kind::DigitOutsideSquare, columnDigit, position + 1};
            return result;
        }
        result.value.push_back(square[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(side)
            + static_cast<std::size_t>(column - 1)]);
    }
    return result;
}

Result<std::string> encipher(std::string_view cleanText, const Square &square, int depth)
{
    const auto side = static_cast<std::size_t>(square.side());

    // Row and column of each byte, counted from 0; the last matching cell wins, as in the coding.
    std::array<std::array<std::uint8_t, 2>, 256> cellOf{};
    std::array<bool, 256> shown{};
    for (std::size_t cell = 0; cell < square.cellCount(); ++cell) {
        cellOf[indexOf(square[cell])]
            = {static_cast<std::uint8_t>(cell / side), static_cast<std::uint8_t>(cell % side)};
        shown[indexOf(square[cell])] = true;
    }
    for (std::size_t i = 0; i < cleanText.size(); ++i) {
        if (!shown[indexOf(cleanText[i])])
            return {{}, CipherError{CipherError::Kind::NotInSquare, cleanText[i], i + 1}};
    }

    // Without building the coordinates, rows and code: the joined code runs through row 0 (coordinate
    // digits 0, d, 2d, ...), then row 1, and so on; digit p is the row (p even) or column (p odd) of
    // character p / 2, and each two code digits name the cell of one ciphertext character.
    const std::size_t length = 2 * cleanText.size();
    const std::size_t rowCount = safeDepth(depth);
    std::string ciphertext(cleanText.size(), '\0');
    char *out = ciphertext.data();
    constexpr std::uint8_t kNoRowYet = 0xFF;
    std::uint8_t pendingRow = kNoRowYet;
    for (std::size_t k = 0; k < rowCount; ++k) {
        for (std::size_t p = k; p < length; p += rowCount) {
            const std::uint8_t digit = cellOf[indexOf(cleanText[p / 2])][p % 2];
            if (pendingRow == kNoRowYet) {
                pendingRow = digit;
            } else {
                *out++ = square[pendingRow * side + digit];
                pendingRow = kNoRowYet;
            }
        }
    }
    return {std::move(ciphertext), {}};
}

Result<DecipherSteps> decipher(std::string_view ciphertext, const Square &square, int depth)
{
    Result<DecipherSteps> result;
    result.error = decipher(ciphertext, square, depth, result.value);
    return result;
}

std::optional<CipherError> decipher(std::string_view ciphertext, const Square &square, int depth, DecipherSteps &steps)
{
    if (std::optional<CipherError> error = codeInto(ciphertext, square, steps.cipherCode)) {
        steps.rows.clear();
        steps.coordinates.clear();
        steps.plaintext.clear();
        return error;
    }

    // The join put the rows one after another, and fractionation fixed each row's length.
    const std::string_view code = steps.cipherCode;
    const std::size_t rowCount = safeDepth(depth);
    steps.rows.resize(rowCount);
    for (std::size_t k = 0, start = 0; k < rowCount; ++k) {
        const std::size_t length = rowLength(code.size(), rowCount, k);
        steps.rows[k].assign(code.substr(start, length));
        start += length;
    }

    // Digit p of the coordinates went to row (p - 1) mod depth, at place (p - 1) div depth. They are the
    // cipher code's digits in another order, so each pair of them names the cell of a plaintext character.
    std::vector<const char *> next;
    next.reserve(rowCount);
    for (const std::string &row : steps.rows)
        next.push_back(row.data());
    std::size_t k = 0;
    const auto nextDigit = [&] {
        const char digit = *next[k]++;
        if (++k == rowCount)
            k = 0;
        return digit;
    };
    const auto side = static_cast<std::size_t>(square.side());
    steps.coordinates.resize(code.size());
    steps.plaintext.resize(code.size() / 2);
    char *coordinate = steps.coordinates.data();
    for (char &c : steps.plaintext) {
        const char row = nextDigit();
        const char column = nextDigit();
        *coordinate++ = row;
        *coordinate++ = column;
        c = square[static_cast<std::size_t>(row - '1') * side + static_cast<std::size_t>(column - '1')];
    }
    return std::nullopt;
}

}  // namespace bifid
