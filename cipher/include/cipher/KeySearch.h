// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Quadgrams.h>
#include <cipher/Square.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Breaking a Bifid ciphertext of known period (depth 2) by simulated annealing over squares: swap two
// cells, now and then two rows or two columns, and keep a worse square with a probability that falls
// with the temperature. Any permutation applied alike to the row and the column numbers gives the same
// cipher, so the square found is one of 120 (5 X 5) or 720 (6 X 6) equivalent ones.
namespace bifid {

// A known piece of the plaintext, in the square's letters, at a place (from 0) or anywhere.
struct Crib {
    std::string text;
    std::optional<std::size_t> position;

    bool operator==(const Crib &) const = default;
};

// The fewest crib letters the plaintext contradicts at any place the crib may stand: 0 for a plaintext
// that agrees, the crib's length where it does not fit at all. An empty crib agrees with every text.
[[nodiscard]] std::size_t cribMismatches(std::string_view plaintext, const Crib &crib);

// xoshiro128+ style generator: fast, and the same sequence for the same seed on every machine.
class SearchRandom {
public:
    explicit SearchRandom(std::uint64_t seed);
    std::uint32_t next();
    // Uniform in [0, bound).
    std::uint32_t below(std::uint32_t bound)
    {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(next()) * bound) >> 32U);
    }

private:
    std::array<std::uint32_t, 4> m_state{};
};

struct SearchSettings {
    std::size_t period = 0;  // 0: the whole text is one block
    std::uint64_t seed = 1;
    Crib crib;
    std::uint64_t keysPerRound = 200'000;  // the temperature falls from the start to 0 in a round
    double startTemperature = 0;  // in quadgram values (1/8 bit) per 100 letters; 0 picks the default
    std::uint64_t patienceRounds = 30;  // rounds without a better square before the search ends
};

class KeySearch {
public:
    // The letters of the table's square alphabet in the ciphertext; other bytes are skipped.
    KeySearch(std::string_view ciphertext, const QuadgramTable &table, const SearchSettings &settings);

    // Tries up to `keys` more squares; nothing once finished().
    void run(std::uint64_t keys);

    [[nodiscard]] bool finished() const { return m_finished; }
    [[nodiscard]] std::uint64_t keysTried() const { return m_keysTried; }
    [[nodiscard]] std::size_t letters() const { return m_ciphertext.size(); }
    [[nodiscard]] double temperature() const;  // in quadgram values per 100 letters as the settings; 0 once finished
    [[nodiscard]] std::int64_t bestScore() const { return m_bestQuadgramScore; }  // without the crib
    [[nodiscard]] std::int64_t currentScore() const { return m_currentScore.quadgrams; }  // the square at hand
    [[nodiscard]] std::size_t bestCribMismatches() const { return m_bestMismatches; }
    [[nodiscard]] Square bestSquare() const;
    [[nodiscard]] std::string bestPlaintext() const;
    [[nodiscard]] std::uint64_t round() const { return m_round; }

private:
    struct Key {
        std::array<std::uint8_t, 36> symbolOfCell{};
        std::array<std::uint8_t, 36> rowOf{};  // by symbol
        std::array<std::uint8_t, 36> columnOf{};
    };
    struct Scored {
        std::int64_t total = 0;  // quadgram score less the crib's penalty
        std::int64_t quadgrams = 0;
        std::size_t mismatches = 0;
    };

    Scored score(const Key &key);
    void shuffle(Key &key);
    void swapCells(Key &key, std::size_t a, std::size_t b) const;
    void randomMove(Key &key);
    void startRound();

    const QuadgramTable &m_table;
    Dimension m_dimension;
    std::size_t m_side;
    std::vector<std::uint8_t> m_ciphertext;  // symbols
    std::vector<std::uint32_t> m_rowSource;  // the code digit of every plaintext letter's row
    std::vector<std::uint32_t> m_columnSource;
    std::vector<std::uint8_t> m_digits;  // code digits of the key being scored
    std::vector<std::uint8_t> m_plaintext;  // symbols of the key being scored
    std::vector<std::uint8_t> m_cribSymbols;
    std::optional<std::size_t> m_cribPosition;
    SearchSettings m_settings;
    SearchRandom m_random;
    std::array<double, 4096> m_logUniform{};

    Key m_current;
    Scored m_currentScore;
    Key m_best;
    std::int64_t m_bestTotal = 0;
    std::int64_t m_bestQuadgramScore = 0;
    std::size_t m_bestMismatches = 0;
    double m_startTemperature = 0;  // in score units for this text
    std::uint64_t m_keysTried = 0;
    std::uint64_t m_keysInRound = 0;
    std::uint64_t m_round = 0;
    std::uint64_t m_lastImprovedRound = 0;
    bool m_finished = false;
};

}  // namespace bifid
