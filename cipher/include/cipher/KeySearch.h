// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Quadgrams.h>
#include <cipher/Square.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Breaking a Bifid ciphertext by simulated annealing over squares: swap two cells, now and then two rows
// or two columns, and keep a worse square with a probability that falls with the temperature. The search
// is a series of starts, each an annealing from a high temperature down to 0: most from a shuffled
// square, some from the best square of their period with a few cells moved. With the period unknown, every
// candidate period gets a start first and then starts go where the period statistic and the scores reached
// so far point. The search ends by itself only when independent starts (from shuffled squares) have
// reached the same best plaintext several times, and with the period unknown only when that plaintext's
// period leads every other period clearly. Any permutation applied alike to the row and the column
// numbers gives the same cipher, so the square found is one of 120 (5 X 5) or 720 (6 X 6) equivalent ones.
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

// The place (from 0) where the crib stands in the plaintext with the fewest contradicted letters, the
// first such place; nothing for an empty crib or one longer than the text.
[[nodiscard]] std::optional<std::size_t> cribPlace(std::string_view plaintext, const Crib &crib);

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
    std::size_t period = 0;  // 0: the whole text is one block; not used with findPeriod
    bool findPeriod = false;  // try the candidate periods 0 and 1 to maxPeriod
    std::size_t maxPeriod = 20;
    int depth = 2;  // the rows of the fractionation, 2 to 5
    std::uint64_t seed = 1;
    Crib crib;
    std::uint64_t keysPerStart = 0;  // the temperature falls from the start to 0 in a start; 0 picks the default
    double startTemperature = 0;  // in quadgram values (1/8 bit) per 100 letters; 0 picks the default
    std::size_t agreeingStarts = 5;  // independent starts that reach the same best plaintext end the search
};

class KeySearch {
public:
    // One of the best distinct results: plaintexts that agree in most letters count as one.
    struct Candidate {
        Square square;
        std::size_t period = 0;
        std::int64_t score = 0;  // quadgram score, without the crib
        std::size_t cribMismatches = 0;
        std::string plaintext;
    };
    // What the search reached with one candidate period.
    struct PeriodResult {
        std::size_t period = 0;
        double statistic = 0;  // the period statistic's value (1: no sign of the period)
        std::uint64_t starts = 0;
        std::int64_t bestScore = 0;  // quadgram score of its best square; meaningless while starts is 0
    };

    // The letters of the table's square alphabet in the ciphertext; other bytes are skipped.
    KeySearch(std::string_view ciphertext, const QuadgramTable &table, const SearchSettings &settings);

    // Tries up to `keys` more squares; nothing once finished().
    void run(std::uint64_t keys);

    [[nodiscard]] bool finished() const { return m_finished; }
    [[nodiscard]] std::uint64_t keysTried() const { return m_keysTried; }
    [[nodiscard]] std::size_t letters() const { return m_ciphertext.size(); }
    [[nodiscard]] double temperature() const;  // in quadgram values per 100 letters as the settings; 0 once finished
    [[nodiscard]] std::int64_t bestScore() const { return m_best.scored.quadgrams; }  // without the crib
    [[nodiscard]] std::int64_t currentScore() const { return m_currentScore.quadgrams; }  // the square at hand
    [[nodiscard]] std::size_t bestCribMismatches() const { return m_best.scored.mismatches; }
    [[nodiscard]] Square bestSquare() const { return squareOf(m_best.key); }
    [[nodiscard]] std::size_t period() const { return m_candidates[m_best.candidate].period; }  // of the best square
    [[nodiscard]] std::string bestPlaintext() const { return plaintextOf(m_best.key, m_best.candidate); }
    [[nodiscard]] std::uint64_t starts() const { return m_starts; }
    // How many independent starts reached the best plaintext so far.
    [[nodiscard]] std::size_t agreeingStarts() const;
    // Up to five, the best first; the first is the best square's.
    [[nodiscard]] std::vector<Candidate> candidates() const;
    // Every candidate period in the order 0, 1, 2, ...: one with findPeriod, else the settings' period.
    [[nodiscard]] std::vector<PeriodResult> periods() const;

private:
    struct Key {
        std::array<std::uint8_t, 36> symbolOfCell{};
        std::array<std::uint8_t, 36> rowOf{};  // by symbol
        std::array<std::uint8_t, 36> columnOf{};
    };
    struct Scored {
        std::int64_t total = std::numeric_limits<std::int64_t>::min();  // quadgram score less the crib's penalty
        std::int64_t quadgrams = 0;
        std::size_t mismatches = 0;
    };
    struct Found {
        Key key;
        Scored scored;
        std::size_t candidate = 0;
    };
    struct Listed {
        Found found;
        std::vector<std::uint8_t> plaintext;  // symbols
    };
    // One candidate period and what it reached.
    struct PeriodCandidate {
        std::size_t period = 0;
        double statistic = 0;
        double prior = 0;  // the statistic scaled to 0 (the weakest) to 1 (the strongest)
        bool keyless = false;  // period 1: the plaintext is the ciphertext under every square
        std::uint64_t starts = 0;
        Found best;
    };

    Scored score(const Key &key);
    void shuffle(Key &key);
    void swapCells(Key &key, std::size_t a, std::size_t b) const;
    void randomMove(Key &key);
    void beginStart();
    void endStart();
    [[nodiscard]] std::size_t nextCandidate();
    [[nodiscard]] bool agreedLeadsClearly() const;
    void list(const Found &found, std::vector<std::uint8_t> plaintext);
    [[nodiscard]] Square squareOf(const Key &key) const;
    [[nodiscard]] std::string plaintextOf(const Key &key, std::size_t candidate) const;
    void decipherSymbols(const Key &key, std::size_t candidate, std::vector<std::uint8_t> &plain) const;
    void useCandidate(std::size_t candidate);
    [[nodiscard]] std::vector<std::uint32_t> sourcesOf(std::size_t candidate) const;

    const QuadgramTable &m_table;
    Dimension m_dimension;
    std::size_t m_side;
    std::vector<std::uint8_t> m_ciphertext;  // symbols
    std::vector<std::uint8_t> m_digits;  // code digits of the key being scored
    std::vector<std::uint8_t> m_plaintext;  // symbols of the key being scored
    std::vector<std::uint8_t> m_cribSymbols;
    std::optional<std::size_t> m_cribPosition;
    SearchSettings m_settings;
    SearchRandom m_random;
    std::array<double, 4096> m_logUniform{};
    std::vector<PeriodCandidate> m_candidates;
    // Where the row and the column code digit of every plaintext letter come from, for the candidate
    // period at hand only: kept for all 21 periods of a long text, they would take 170 bytes a letter.
    std::vector<std::uint32_t> m_sources;
    std::size_t m_sourcesCandidate = 0;

    // The start at hand.
    std::size_t m_candidate = 0;
    bool m_fresh = true;  // from a shuffled square
    std::uint64_t m_keysInStart = 0;
    std::uint64_t m_startLength = 0;
    double m_startHeat = 0;  // the start temperature in score units for this text
    Key m_current;
    Scored m_currentScore;
    Found m_startBest;

    Found m_best;
    std::vector<Listed> m_listed;  // the best distinct results of ended starts, the best first
    std::vector<std::uint8_t> m_agreedPlaintext;  // the best plaintext of ended starts
    std::int64_t m_agreedTotal = std::numeric_limits<std::int64_t>::min();
    std::size_t m_agreeing = 0;  // independent starts that reached it
    std::size_t m_agreedCandidate = 0;  // its period

    double m_heatPerHundred = 0;
    std::uint64_t m_defaultLength = 0;
    std::uint64_t m_keysTried = 0;
    std::uint64_t m_starts = 0;
    bool m_finished = false;
};

}  // namespace bifid
