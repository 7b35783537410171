// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Alphabet.h>

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace bifid {

// A Polybius square: its dimension and exactly side * side cells, row by row. Cell c stands in row
// c / side and column c % side, both counted from 0.
class Square {
public:
    // The unkeyed square: the base alphabet in cell order.
    explicit Square(Dimension dimension = Dimension::Six);
    // Throws std::invalid_argument unless cells holds exactly one byte per cell.
    Square(Dimension dimension, std::string cells);

    [[nodiscard]] Dimension dimension() const { return m_dimension; }
    [[nodiscard]] int side() const { return sideOf(m_dimension); }
    [[nodiscard]] std::size_t cellCount() const { return m_cells.size(); }
    [[nodiscard]] const std::string &cells() const { return m_cells; }
    [[nodiscard]] char operator[](std::size_t cell) const { return m_cells[cell]; }

    bool operator==(const Square &) const = default;

private:
    Dimension m_dimension;
    std::string m_cells;
};

enum class Direction { Forward, Reversed };

struct SquareLayout {
    Dimension dimension = Dimension::Six;
    Direction keywordDirection = Direction::Forward;
    Direction restDirection = Direction::Forward;
    int insertionPosition = 1;  // 1-based cell at which the keyword starts
};

// 1 to 8: 1 + 4 * dimension + keyword direction + 2 * rest direction.
[[nodiscard]] int arrangementNumber(const SquareLayout &layout);

// The keyword as the square lays it: a-z count as capitals, bytes outside the base alphabet are
// dropped and only the first occurrence of each character is kept, so the square stays a permutation.
[[nodiscard]] std::string squareKeyword(std::string_view cleanKeyword, Dimension dimension);

struct KeyedSquare {
    Square square;  // always a permutation of the base alphabet
    std::bitset<36> keywordCells;  // the cells that received a keyword character

    bool operator==(const KeyedSquare &) const = default;
};

// Lays the keyword into consecutive cells from the insertion position (wrapping after the last cell),
// then the rest of the alphabet from where the keyword ended. An empty keyword leaves the rest
// alphabet alone, starting at the insertion cell.
[[nodiscard]] KeyedSquare generateSquare(const SquareLayout &layout, std::string_view cleanKeyword);

}  // namespace bifid
