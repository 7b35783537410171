// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The keyed square for any keyword bytes, arrangement and insertion cell, the extreme ints included.

#include "FuzzCheck.h"

#include <cipher/Square.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

using bifid::Dimension;
using bifid::Direction;

namespace {

std::string inDirection(std::string text, Direction direction)
{
    if (direction == Direction::Reversed)
        std::reverse(text.begin(), text.end());
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    bifid::SquareLayout layout;
    layout.dimension = input.ConsumeBool() ? Dimension::Five : Dimension::Six;
    layout.keywordDirection = input.ConsumeBool() ? Direction::Reversed : Direction::Forward;
    layout.restDirection = input.ConsumeBool() ? Direction::Reversed : Direction::Forward;
    layout.insertionPosition = input.ConsumeIntegral<int>();
    const std::string cleanKeyword = input.ConsumeRemainingBytesAsString();

    const std::string_view alphabet = bifid::baseAlphabet(layout.dimension);
    const std::size_t cellCount = alphabet.size();
    const int arrangement = bifid::arrangementNumber(layout);
    FUZZ_CHECK(arrangement >= 1 && arrangement <= 8, "the arrangement is one of eight");

    std::string expectedKeyword;
    for (char c : cleanKeyword) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (alphabet.find(c) != std::string_view::npos && expectedKeyword.find(c) == std::string::npos)
            expectedKeyword.push_back(c);
    }
    const std::string keyword = bifid::squareKeyword(cleanKeyword, layout.dimension);
    FUZZ_CHECK(keyword == expectedKeyword, "the square keyword is the first occurrence of each alphabet character");

    const bifid::KeyedSquare square = bifid::generateSquare(layout, cleanKeyword);
    FUZZ_CHECK(square.square.dimension() == layout.dimension, "the square has the layout's dimension");
    std::string sorted = square.square.cells();
    std::sort(sorted.begin(), sorted.end());
    std::string sortedAlphabet(alphabet);
    std::sort(sortedAlphabet.begin(), sortedAlphabet.end());
    FUZZ_CHECK(sorted == sortedAlphabet, "the square is a permutation of the alphabet");
    FUZZ_CHECK(square.keywordCells.count() == keyword.size(), "one marked cell per keyword character");

    // Reading on from the insertion cell, wrapping round, gives the keyword and then the rest alphabet.
    const auto n = static_cast<long long>(cellCount);
    const auto first = static_cast<std::size_t>(((static_cast<long long>(layout.insertionPosition) - 1) % n + n) % n);
    std::string rest;
    for (char c : alphabet) {
        if (keyword.find(c) == std::string::npos)
            rest.push_back(c);
    }
    const std::string expectedOrder
        = inDirection(keyword, layout.keywordDirection) + inDirection(rest, layout.restDirection);
    for (std::size_t i = 0; i < cellCount; ++i) {
        const std::size_t cell = (first + i) % cellCount;
        FUZZ_CHECK(square.square[cell] == expectedOrder[i], "the cells follow on from the insertion cell");
        FUZZ_CHECK(square.keywordCells[cell] == (i < keyword.size()), "exactly the keyword cells are marked");
    }
    return 0;
}
