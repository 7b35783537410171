// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Square.h>

#include <array>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace bifid {

namespace {

constexpr std::size_t indexOf(char c)
{
    return static_cast<unsigned char>(c);
}

// Keeps the generator inside the square for any position: 0 means N, N + 1 means 1, and so on.
std::size_t firstKeywordCell(int insertionPosition, int cellCount)
{
    const long long cell = (static_cast<long long>(insertionPosition) - 1) % cellCount;
    return static_cast<std::size_t>(cell < 0 ? cell + cellCount : cell);
}

template <typename Characters, typename Visit>
void visitInDirection(const Characters &characters, Direction direction, Visit visit)
{
    if (direction == Direction::Forward) {
        for (auto it = characters.begin(); it != characters.end(); ++it)
            visit(*it);
    } else {
        for (auto it = characters.rbegin(); it != characters.rend(); ++it)
            visit(*it);
    }
}

}  // namespace

Square::Square(Dimension dimension)
    : m_dimension(dimension)
    , m_cells(baseAlphabet(dimension))
{
}

Square::Square(Dimension dimension, std::string cells)
    : m_dimension(dimension)
    , m_cells(std::move(cells))
{
    if (m_cells.size() != static_cast<std::size_t>(cellCountOf(dimension)))
        throw std::invalid_argument("a square needs one character per cell");
}

int arrangementNumber(const SquareLayout &layout)
{
    return 1 + (layout.dimension == Dimension::Five ? 4 : 0) + (layout.keywordDirection == Direction::Reversed ? 1 : 0)
        + (layout.restDirection == Direction::Reversed ? 2 : 0);
}

std::string squareKeyword(std::string_view cleanKeyword, Dimension dimension)
{
    const std::string_view alphabet = baseAlphabet(dimension);
    std::array<bool, 256> usable{};
    for (char c : alphabet)
        usable[indexOf(c)] = true;

    std::string keyword;
    keyword.reserve(alphabet.size());
    for (char c : cleanKeyword) {
        if (keyword.size() == alphabet.size())
            break;  // every character is in already; nothing further can be new
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (!usable[indexOf(c)])
            continue;
        usable[indexOf(c)] = false;  // only the first occurrence is laid
        keyword.push_back(c);
    }
    return keyword;
}

KeyedSquare generateSquare(const SquareLayout &layout, std::string_view cleanKeyword)
{
    const std::string_view alphabet = baseAlphabet(layout.dimension);
    const std::size_t cellCount = alphabet.size();
    const std::string keyword = squareKeyword(cleanKeyword, layout.dimension);

    std::string cells(cellCount, '?');
    std::bitset<36> keywordCells;
    std::size_t cell = firstKeywordCell(layout.insertionPosition, static_cast<int>(cellCount));
    const auto place = [&](char c) {
        cells[cell] = c;
        cell = (cell + 1) % cellCount;
    };

    std::array<bool, 256> inKeyword{};
    for (char c : keyword)
        inKeyword[indexOf(c)] = true;

    visitInDirection(keyword, layout.keywordDirection, [&](char c) {
        keywordCells.set(cell);
        place(c);
    });
    // The rest follows on from the keyword's last cell; with distinct keyword characters it fills
    // exactly the cells the keyword left free.
    visitInDirection(alphabet, layout.restDirection, [&](char c) {
        if (!inKeyword[indexOf(c)])
            place(c);
    });
    return {Square(layout.dimension, std::move(cells)), keywordCells};
}

}  // namespace bifid
