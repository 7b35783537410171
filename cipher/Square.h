#pragma once

#include "Alphabet.h"

#include <bitset>
#include <string>
#include <string_view>

namespace bifid {

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
    std::string text;  // cell c holds text[c]; always a permutation of the base alphabet
    std::bitset<36> keywordCells;  // the cells that received a keyword character
};

// Lays the keyword into consecutive cells from the insertion position (wrapping after the last cell),
// then the rest of the alphabet from where the keyword ended. An empty keyword leaves the rest
// alphabet alone, starting at the insertion cell.
[[nodiscard]] KeyedSquare generateSquare(const SquareLayout &layout, std::string_view cleanKeyword);

}  // namespace bifid
