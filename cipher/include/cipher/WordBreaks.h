// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Alphabet.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Restoring the word breaks of a plaintext that lost them: the split into words that a table of word
// frequencies finds most probable (each word on its own, as a unigram model does). The tables are made
// by scripts/make-words.sh.
namespace bifid {

class WordTable {
public:
    // A table file's text once unpacked: a first line with the number of words counted, then groups of
    // words of one count, each a line with the count and then one word a line in capitals A to Z. For the
    // 5 X 5 square J counts as I. Nothing unless the text has that form.
    [[nodiscard]] static std::optional<WordTable> fromText(std::string_view text, Dimension dimension);

    [[nodiscard]] std::size_t size() const { return m_cost.size(); }

    // The places (from 1, ascending) before which a new word begins. A word is a known word or a stretch
    // of unknown letters, the longer the less probable; a run of digits is a word of its own.
    [[nodiscard]] std::vector<std::size_t> breaks(std::string_view letters) const;

    // The letters with a blank at every break.
    [[nodiscard]] std::string withBreaks(std::string_view letters) const;

private:
    WordTable() = default;
    [[nodiscard]] std::optional<float> costOf(std::string_view word) const;

    // Looked up by a view of the letters, without a string made for every try.
    struct WordHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
    };
    std::unordered_map<std::string, float, WordHash, std::equal_to<>> m_cost;  // -log2 of a word's probability
    float m_unknownCost = 0;  // of an unknown stretch, before its letters
    std::size_t m_longest = 0;
};

// A breaks() result applied to `letters`.
[[nodiscard]] std::string joinWords(std::string_view letters, const std::vector<std::size_t> &breaks);

}  // namespace bifid
