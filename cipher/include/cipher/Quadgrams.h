// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Alphabet.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// How much a text looks like a language: the sum over its quadgrams (four consecutive letters) of
// their quantised log probabilities. The tables are made by scripts/make-quadgrams.sh.
namespace bifid {

class QuadgramTable {
public:
    // A table file's bytes once unpacked: one byte per quadgram of the letters of the square (A to Z
    // without J for 5 X 5, A to Z for 6 X 6), the first letter most significant; byte b stands for
    // log2 p = b / 8 - 32. Nothing unless the size fits the dimension.
    [[nodiscard]] static std::optional<QuadgramTable> fromBytes(std::string_view bytes, Dimension dimension);

    [[nodiscard]] Dimension dimension() const { return m_dimension; }
    // The code of every symbol of the square's alphabet (its index in baseAlphabet); the 6 X 6
    // square's digits share one code whose quadgrams all get the lowest value.
    [[nodiscard]] std::uint8_t codeOfSymbol(std::size_t symbol) const
    {
        return static_cast<std::uint8_t>(symbol < m_letters ? symbol : m_letters);
    }
    [[nodiscard]] std::size_t codeCount() const { return m_codes; }
    [[nodiscard]] std::uint8_t value(std::size_t a, std::size_t b, std::size_t c, std::size_t d) const
    {
        return m_values[((a * m_codes + b) * m_codes + c) * m_codes + d];
    }
    [[nodiscard]] const std::uint8_t *values() const { return m_values.data(); }

    // The sum over the text's quadgrams; bytes outside the square's alphabet are skipped.
    [[nodiscard]] std::int64_t score(std::string_view text) const;

private:
    QuadgramTable(Dimension dimension, std::size_t letters);

    Dimension m_dimension;
    std::size_t m_letters;
    std::size_t m_codes;
    std::vector<std::uint8_t> m_values;
};

// A score as the mean log2 probability of one quadgram: near -12 for German, below -20 for noise.
[[nodiscard]] double log2PerQuadgram(std::int64_t score, std::size_t letters);

}  // namespace bifid
