// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Quadgrams.h>

#include <algorithm>
#include <array>

namespace bifid {

namespace {

constexpr double kValuesPerBit = 8.0;
constexpr double kLowestLog2 = -32.0;

}  // namespace

QuadgramTable::QuadgramTable(Dimension dimension, std::size_t letters)
    : m_dimension(dimension)
    , m_letters(letters)
    , m_codes(dimension == Dimension::Six ? letters + 1 : letters)
    , m_values(m_codes * m_codes * m_codes * m_codes, 0)
{
}

std::optional<QuadgramTable> QuadgramTable::fromBytes(std::string_view bytes, Dimension dimension)
{
    const std::size_t letters = dimension == Dimension::Six ? 26 : 25;
    if (bytes.size() != letters * letters * letters * letters)
        return std::nullopt;
    QuadgramTable table(dimension, letters);
    // The digits' code stays at the lowest value; every letter quadgram is copied to its place.
    std::size_t from = 0;
    for (std::size_t a = 0; a < letters; ++a)
        for (std::size_t b = 0; b < letters; ++b)
            for (std::size_t c = 0; c < letters; ++c) {
                const std::size_t to = ((a * table.m_codes + b) * table.m_codes + c) * table.m_codes;
                std::transform(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                    bytes.begin() + static_cast<std::ptrdiff_t>(from + letters),
                    table.m_values.begin() + static_cast<std::ptrdiff_t>(to),
                    [](char value) { return static_cast<std::uint8_t>(value); });
                from += letters;
            }
    return table;
}

std::int64_t QuadgramTable::score(std::string_view text) const
{
    std::array<int, 256> codeOf{};
    codeOf.fill(-1);
    const std::string_view alphabet = baseAlphabet(m_dimension);
    for (std::size_t symbol = 0; symbol < alphabet.size(); ++symbol)
        codeOf[static_cast<unsigned char>(alphabet[symbol])] = codeOfSymbol(symbol);

    std::array<std::size_t, 4> window{};
    std::size_t seen = 0;
    std::int64_t sum = 0;
    for (char c : text) {
        const int code = codeOf[static_cast<unsigned char>(c)];
        if (code < 0)
            continue;
        window = {window[1], window[2], window[3], static_cast<std::size_t>(code)};
        if (++seen >= 4)
            sum += value(window[0], window[1], window[2], window[3]);
    }
    return sum;
}

double log2PerQuadgram(std::int64_t score, std::size_t letters)
{
    if (letters < 4)
        return kLowestLog2;
    return static_cast<double>(score) / static_cast<double>(letters - 3) / kValuesPerBit + kLowestLog2;
}

}  // namespace bifid
