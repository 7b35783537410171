// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Alphabet.h>

#include <cstddef>
#include <string_view>
#include <vector>

// Finding the period of a Bifid ciphertext. Within a block of even period p (depth 2), ciphertext letter k
// of the first half holds the row digits of plaintext letters 2k and 2k + 1 and letter k + p/2 their
// column digits, so such pairs of ciphertext letters repeat as often as plaintext pairs do. For odd p each
// first-half letter shares one plaintext letter with the letters (p - 1)/2 and (p + 1)/2 further on. At
// other depths the pairs are the ciphertext letters that hold the row and the column digit of one
// plaintext letter.
namespace bifid {

struct PeriodStatistic {
    // value[p - 1] for candidate period p: how many times more often the related pairs of the
    // candidate's full blocks coincide than pairs of independent letters of the text's frequencies
    // would (about 1 where nothing is related); 0 where the text is too short for two such pairs.
    std::vector<double> values;
    std::size_t suggested = 0;  // the candidate with the highest value, the smaller one on a tie; 0 for none
};

// Candidates 1 to maxPeriod over the letters of the square's alphabet in the ciphertext (other bytes
// are skipped). Candidate 1 pairs every letter with the next, as a text of period 1 is its plaintext.
[[nodiscard]] PeriodStatistic periodStatistic(
    std::string_view ciphertext, Dimension dimension, std::size_t maxPeriod = 20, int depth = 2);

// The value of one candidate period as periodStatistic gives it; period 0 (one block of the whole
// text) counts as the text's length.
[[nodiscard]] double periodStatisticValue(
    std::string_view ciphertext, Dimension dimension, std::size_t period, int depth = 2);

}  // namespace bifid
