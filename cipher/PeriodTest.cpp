// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/PeriodTest.h>

#include <array>
#include <cstdint>

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

}  // namespace

PeriodStatistic periodStatistic(std::string_view ciphertext, Dimension dimension, std::size_t maxPeriod)
{
    const std::string_view alphabet = baseAlphabet(dimension);
    std::array<int, 256> symbolOf{};
    symbolOf.fill(-1);
    for (std::size_t s = 0; s < alphabet.size(); ++s)
        symbolOf[static_cast<unsigned char>(alphabet[s])] = static_cast<int>(s);

    std::vector<std::uint8_t> symbols;
    symbols.reserve(ciphertext.size());
    std::vector<double> letterCounts(alphabet.size(), 0);
    for (char c : ciphertext) {
        const int symbol = symbolOf[static_cast<unsigned char>(c)];
        if (symbol < 0)
            continue;
        symbols.push_back(static_cast<std::uint8_t>(symbol));
        ++letterCounts[static_cast<std::size_t>(symbol)];
    }
    const std::size_t n = symbols.size();
    double letterCoincidence = 0;
    if (n >= 2)
        for (double count : letterCounts)
            letterCoincidence += count * (count - 1) / (static_cast<double>(n) * static_cast<double>(n - 1));

    PeriodStatistic statistic;
    statistic.values.assign(maxPeriod, 0);
    for (std::size_t period = 1; period <= maxPeriod; ++period) {
        PairCounter counter(alphabet.size());
        if (period == 1) {
            for (std::size_t i = 0; i + 1 < n; ++i)
                counter.add(symbols[i], symbols[i + 1]);
        } else {
            const std::size_t near = period / 2;
            const std::size_t far = (period + 1) / 2;
            // The first `near` letters of a block hold row digits only.
            for (std::size_t start = 0; start + period <= n; start += period)
                for (std::size_t k = 0; k < near; ++k) {
                    counter.add(symbols[start + k], symbols[start + k + near]);
                    if (far != near)
                        counter.add(symbols[start + k], symbols[start + k + far]);
                }
        }
        statistic.values[period - 1] = counter.ratio(letterCoincidence);
        if (statistic.values[period - 1] > 0
            && (statistic.suggested == 0 || statistic.values[period - 1] > statistic.values[statistic.suggested - 1]))
            statistic.suggested = period;
    }
    return statistic;
}

}  // namespace bifid
