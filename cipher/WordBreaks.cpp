// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/WordBreaks.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace bifid {

namespace {

// The longest unknown stretch the split considers; a longer one is cut into such stretches.
constexpr std::size_t kLongestUnknown = 20;
// Every letter of an unknown word makes it ten times less probable: log2(10) bits.
constexpr float kUnknownLetterCost = static_cast<float>(std::numbers::ln10 * std::numbers::log2e);
// Endings of inflection that a known word may take where the table lacks the inflected form, and what
// such a form costs beyond its stem, in bits.
constexpr std::array<std::string_view, 9> kEndings = {"E", "EN", "ER", "ES", "EM", "N", "S", "T", "TE"};
constexpr float kEndingCost = 8;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<WordTable> WordTable::fromText(std::string_view text, Dimension dimension)
{
    const auto numberOf = [](std::string_view line) -> std::optional<double> {
        std::uint64_t number = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || end != line.data() + line.size() || number == 0)
            return std::nullopt;
        return static_cast<double>(number);
    };
    std::optional<double> total;
    std::optional<double> count;
    std::unordered_map<std::string, double> counts;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty())
            continue;
        if (line.front() >= '0' && line.front() <= '9') {
            const std::optional<double> number = numberOf(line);
            if (!number)
                return std::nullopt;
            (total ? count : total) = number;
            continue;
        }
        if (!count || !std::all_of(line.begin(), line.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            return std::nullopt;
        std::string word(line);
        if (dimension == Dimension::Five)
            std::replace(word.begin(), word.end(), 'J', 'I');
        counts[word] += *count;
    }
    if (!total || counts.empty())
        return std::nullopt;
    // The tables spell ß as SZ, as the program cleans it; a text typed without ß has SS there.
    std::vector<std::pair<std::string, double>> spelledWithSs;
    for (const auto &[word, wordCount] : counts)
        if (const std::size_t sz = word.find("SZ"); sz != std::string::npos)
            spelledWithSs.emplace_back(std::string(word).replace(sz, 2, "SS"), wordCount);
    for (const auto &[word, wordCount] : spelledWithSs)
        counts.try_emplace(word, wordCount);
    WordTable table;
    for (const auto &[word, wordCount] : counts) {
        table.m_cost.emplace(word, static_cast<float>(std::log2(*total / wordCount)));
        table.m_longest = std::max(table.m_longest, word.size());
    }
    // An unknown word of L letters is as probable as 10 / (total * 10^L), as in Norvig's word split: less
    // probable than the rarest known word, and the less the longer it is.
    table.m_unknownCost = static_cast<float>(std::log2(*total / 10.0));
    return table;
}

std::vector<std::size_t> WordTable::breaks(std::string_view letters) const
{
    const std::size_t n = letters.size();
    // cost[i]: the cheapest split of the first i letters; from[i]: where its last word begins.
    std::vector<float> cost(n + 1, std::numeric_limits<float>::infinity());
    std::vector<std::size_t> from(n + 1, 0);
    cost[0] = 0;
    const std::size_t longest = std::max(m_longest, kLongestUnknown);
    for (std::size_t start = 0; start < n; ++start) {
        if (cost[start] == std::numeric_limits<float>::infinity())
            continue;
        const auto offer = [&](std::size_t end, float wordCost) {
            if (cost[start] + wordCost < cost[end]) {
                cost[end] = cost[start] + wordCost;
                from[end] = start;
            }
        };
        if (isDigit(letters[start])) {
            std::size_t end = start;
            while (end < n && isDigit(letters[end]))
                ++end;
            offer(end, 0);
            continue;
        }
        for (std::size_t end = start + 1; end <= n && end - start <= longest; ++end) {
            if (isDigit(letters[end - 1]))
                break;
            const std::size_t length = end - start;
            if (const std::optional<float> known = costOf(letters.substr(start, length)))
                offer(end, *known);
            if (length <= kLongestUnknown)
                offer(end, m_unknownCost + kUnknownLetterCost * static_cast<float>(length));
        }
    }
    std::vector<std::size_t> places;
    for (std::size_t end = n; end > 0; end = from[end])
        if (from[end] > 0)
            places.push_back(from[end]);
    std::reverse(places.begin(), places.end());
    return places;
}

// A known word, or a known word with an ending of inflection that the table does not hold.
std::optional<float> WordTable::costOf(std::string_view word) const
{
    if (const auto known = m_cost.find(word); known != m_cost.end())
        return known->second;
    for (std::string_view ending : kEndings) {
        if (word.size() < ending.size() + 4 || !word.ends_with(ending))
            continue;
        const auto stem = m_cost.find(word.substr(0, word.size() - ending.size()));
        if (stem != m_cost.end())
            return stem->second + kEndingCost;
    }
    return std::nullopt;
}

std::string WordTable::withBreaks(std::string_view letters) const
{
    return joinWords(letters, breaks(letters));
}

std::string joinWords(std::string_view letters, const std::vector<std::size_t> &breaks)
{
    std::string text;
    text.reserve(letters.size() + breaks.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (next < breaks.size() && breaks[next] == i) {
            text += ' ';
            ++next;
        }
        text += letters[i];
    }
    return text;
}

}  // namespace bifid
