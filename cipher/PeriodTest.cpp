// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/PeriodTest.h>

#include <cipher/Periodic.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace bifid {

namespace {

// The coincidence ratio of the pairs (symbols[i], symbols[i + offset]) that `pairs` calls for.
class PairCounter {
public:
    explicit PairCounter(std::size_t symbolCount)
        : m_symbolCount(symbolCount)
        , m_counts(symbolCount * symbolCount, 0)
    {
    }

    void add(std::uint8_t first, std::uint8_t second)
    {
        ++m_counts[first * m_symbolCount + second];
        ++m_pairs;
    }

    // Coinciding pairs over the pairs that independent letters of `letterCoincidence` would give.
    [[nodiscard]] double ratio(double letterCoincidence) const
    {
        if (m_pairs < 2 || letterCoincidence <= 0)
            return 0;
        double coinciding = 0;
        for (std::uint32_t count : m_counts)
            coinciding += static_cast<double>(count) * static_cast<double>(count - (count > 0 ? 1 : 0));
        const auto pairs = static_cast<double>(m_pairs);
        return coinciding / (pairs * (pairs - 1)) / (letterCoincidence * letterCoincidence);
    }

private:
    std::size_t m_symbolCount;
    std::vector<std::uint32_t> m_counts;
    std::size_t m_pairs = 0;
};

// The ciphertext's letters as symbols of the square's alphabet, and how often two of them coincide.
struct Symbols {
    std::vector<std::uint8_t> symbols;
    double letterCoincidence = 0;
    std::size_t alphabetSize = 0;
};

Symbols symbolsOf(std::string_view ciphertext, Dimension dimension)
{
    const std::string_view alphabet = baseAlphabet(dimension);
    std::array<int, 256> symbolOf{};
    symbolOf.fill(-1);
    for (std::size_t s = 0; s < alphabet.size(); ++s)
        symbolOf[static_cast<unsigned char>(alphabet[s])] = static_cast<int>(s);

    Symbols result;
    result.alphabetSize = alphabet.size();
    result.symbols.reserve(ciphertext.size());
    std::vector<double> letterCounts(alphabet.size(), 0);
    for (char c : ciphertext) {
        const int symbol = symbolOf[static_cast<unsigned char>(c)];
        if (symbol < 0)
            continue;
        result.symbols.push_back(static_cast<std::uint8_t>(symbol));
        ++letterCounts[static_cast<std::size_t>(symbol)];
    }
    const std::size_t n = result.symbols.size();
    if (n >= 2)
        for (double count : letterCounts)
            result.letterCoincidence += count * (count - 1) / (static_cast<double>(n) * static_cast<double>(n - 1));
    return result;
}

// The related pairs of letters within one block of `period` letters, as offsets from the block's start.
std::vector<std::pair<std::size_t, std::size_t>> relatedPairs(std::size_t period, int depth)
{
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    if (depth == 2) {
        // The first `near` letters of a block hold row digits only.
        const std::size_t near = period / 2;
        const std::size_t far = (period + 1) / 2;
        for (std::size_t k = 0; k < near; ++k) {
            pairs.emplace_back(k, k + near);
            if (far != near)
                pairs.emplace_back(k, k + far);
        }
        return pairs;
    }
    // Where the row and the column digit of every plaintext letter of the block went, each pair once.
    const std::vector<std::size_t> places = codePlaces(period, period, depth);
    for (std::size_t i = 0; i < period; ++i) {
        const std::size_t rowLetter = places[2 * i] / 2;
        const std::size_t columnLetter = places[2 * i + 1] / 2;
        if (rowLetter != columnLetter)
            pairs.emplace_back(rowLetter, columnLetter);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

double valueOf(const Symbols &text, std::size_t period, int depth)
{
    const std::vector<std::uint8_t> &symbols = text.symbols;
    const std::size_t n = symbols.size();
    PairCounter counter(text.alphabetSize);
    if (period == 1) {
        for (std::size_t i = 0; i + 1 < n; ++i)
            counter.add(symbols[i], symbols[i + 1]);
    } else if (period <= n) {
        const std::vector<std::pair<std::size_t, std::size_t>> pairs = relatedPairs(period, depth);
        for (std::size_t start = 0; start + period <= n; start += period)
            for (const auto &[first, second] : pairs)
                counter.add(symbols[start + first], symbols[start + second]);
    }
    return counter.ratio(text.letterCoincidence);
}

}  // namespace

PeriodStatistic periodStatistic(std::string_view ciphertext, Dimension dimension, std::size_t maxPeriod, int depth)
{
    const Symbols text = symbolsOf(ciphertext, dimension);
    PeriodStatistic statistic;
    statistic.values.assign(maxPeriod, 0);
    for (std::size_t period = 1; period <= maxPeriod; ++period) {
        statistic.values[period - 1] = valueOf(text, period, depth);
        if (statistic.values[period - 1] > 0
            && (statistic.suggested == 0 || statistic.values[period - 1] > statistic.values[statistic.suggested - 1]))
            statistic.suggested = period;
    }
    return statistic;
}

double periodStatisticValue(std::string_view ciphertext, Dimension dimension, std::size_t period, int depth)
{
    const Symbols text = symbolsOf(ciphertext, dimension);
    return valueOf(text, period == 0 ? text.symbols.size() : period, depth);
}

}  // namespace bifid
