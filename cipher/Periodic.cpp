// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Periodic.h>

#include <cipher/Cleaning.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace bifid {

namespace {

constexpr std::size_t indexOf(char c)
{
    return static_cast<unsigned char>(c);
}

constexpr std::uint8_t kNotInSquare = 0xFF;

// The cell of every byte (the last matching cell wins, as in the coding), or kNotInSquare.
std::array<std::uint8_t, 256> cellsOf(const Square &square)
{
    std::array<std::uint8_t, 256> cellOf{};
    cellOf.fill(kNotInSquare);
    for (std::size_t cell = 0; cell < square.cellCount(); ++cell)
        cellOf[indexOf(square[cell])] = static_cast<std::uint8_t>(cell);
    return cellOf;
}

// Row and column digit (from 0) of every letter, or the first letter outside the square.
Result<std::vector<std::uint8_t>> digitsOf(std::string_view text, const Square &square)
{
    const std::array<std::uint8_t, 256> cellOf = cellsOf(square);
    const auto side = static_cast<std::uint8_t>(square.side());
    Result<std::vector<std::uint8_t>> result;
    result.value.resize(2 * text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t cell = cellOf[indexOf(text[i])];
        if (cell == kNotInSquare) {
            result.value.clear();
            result.error = CipherError{CipherError::Kind::NotInSquare, text[i], i + 1};
            return result;
        }
        result.value[2 * i] = cell / side;
        result.value[2 * i + 1] = cell % side;
    }
    return result;
}

// Within a block of `digits` coordinate digits dealt into `depth` rows, coordinate digit p (from 0)
// stands at code place codePlace(p): its row's start plus its place in the row.
class BlockOrder {
public:
    BlockOrder(std::size_t digits, std::size_t depth)
        : m_depth(depth)
        , m_rowStarts(depth)
    {
        for (std::size_t k = 1; k < depth; ++k)
            m_rowStarts[k] = m_rowStarts[k - 1] + digits / depth + (k - 1 < digits % depth ? 1 : 0);
    }

    [[nodiscard]] std::size_t codePlace(std::size_t p) const { return m_rowStarts[p % m_depth] + p / m_depth; }

private:
    std::size_t m_depth;
    std::vector<std::size_t> m_rowStarts;
};

// Calls visit(coordinate place, code place) for every digit of a text of `letters` letters, both
// counted over the whole text.
template <typename Visit> void visitDigitPlaces(std::size_t letters, std::size_t period, int depth, Visit visit)
{
    const std::size_t count = blockCount(letters, period);
    if (count == 0)
        return;
    // Every full block has the same order; only the last one may be shorter.
    const auto rowCount = static_cast<std::size_t>(std::max(depth, 1));
    const BlockOrder fullOrder(2 * blockAt(letters, period, 0).length, rowCount);
    const BlockOrder lastOrder(2 * blockAt(letters, period, count - 1).length, rowCount);
    for (std::size_t b = 0; b < count; ++b) {
        const Block block = blockAt(letters, period, b);
        const BlockOrder &order = b + 1 == count ? lastOrder : fullOrder;
        const std::size_t base = 2 * block.start;
        for (std::size_t p = 0; p < 2 * block.length; ++p)
            visit(base + p, base + order.codePlace(p));
    }
}

enum class Way { Encipher, Decipher };

Result<std::string> runBlocks(std::string_view text, const Square &square, std::size_t period, int depth, Way way)
{
    Result<std::vector<std::uint8_t>> digits = digitsOf(text, square);
    if (!digits.ok())
        return {{}, digits.error};

    const std::vector<std::uint8_t> &in = digits.value;
    std::vector<std::uint8_t> out(in.size());
    if (way == Way::Encipher)
        visitDigitPlaces(
            text.size(), period, depth, [&](std::size_t coordinate, std::size_t code) { out[code] = in[coordinate]; });
    else
        visitDigitPlaces(
            text.size(), period, depth, [&](std::size_t coordinate, std::size_t code) { out[coordinate] = in[code]; });

    const auto side = static_cast<std::size_t>(square.side());
    std::string result(text.size(), '\0');
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = square[out[2 * i] * side + out[2 * i + 1]];
    return {std::move(result), {}};
}

}  // namespace

std::string classicalKeyword(std::string_view typed, Dimension dimension)
{
    return cleanText(typed, dimension == Dimension::Six, dimension);
}

Square classicalSquare(std::string_view keyword, Dimension dimension)
{
    SquareLayout layout;
    layout.dimension = dimension;
    return generateSquare(layout, squareKeyword(classicalKeyword(keyword, dimension), dimension)).square;
}

std::size_t blockCount(std::size_t letters, std::size_t period)
{
    if (letters == 0)
        return 0;
    return period == 0 ? 1 : (letters + period - 1) / period;
}

Block blockAt(std::size_t letters, std::size_t period, std::size_t index)
{
    if (period == 0)
        return {0, letters};
    const std::size_t start = std::min(index * period, letters);
    return {start, std::min(period, letters - start)};
}

std::vector<std::size_t> codePlaces(std::size_t letters, std::size_t period, int depth)
{
    std::vector<std::size_t> places(2 * letters);
    visitDigitPlaces(
        letters, period, depth, [&](std::size_t coordinate, std::size_t code) { places[coordinate] = code; });
    return places;
}

Result<std::string> encipherPeriodic(std::string_view cleanText, const Square &square, std::size_t period, int depth)
{
    return runBlocks(cleanText, square, period, depth, Way::Encipher);
}

Result<std::string> decipherPeriodic(std::string_view ciphertext, const Square &square, std::size_t period, int depth)
{
    return runBlocks(ciphertext, square, period, depth, Way::Decipher);
}

}  // namespace bifid
