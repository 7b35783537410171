// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs a bifid::KeySearch on a thread of its own, in slices of a few milliseconds, so that a stop
// request ends it at once; a few times a second it reports the best square so far, its plaintext with
// the word breaks restored, the best distinct candidates and what every candidate period reached.

#include <cipher/KeySearch.h>
#include <cipher/WordBreaks.h>

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SearchCandidate {
    bifid::Square square;
    std::size_t period = 0;
    double score = 0;  // mean log2 probability of a quadgram
    std::size_t cribMismatches = 0;
    std::string plaintext;  // without breaks
    std::vector<std::size_t> breaks;  // of the plaintext's start (the whole plaintext for the best)
};

struct SearchProgress {
    // The best first; never empty.
    std::vector<SearchCandidate> candidates;
    // The best score per candidate period (index = period, 0 for one block); nothing where it had no start.
    std::vector<std::optional<double>> periodScores;
    double currentScore = 0;  // mean log2 probability of a quadgram
    double temperature = 0;
    quint64 keysTried = 0;
    quint64 starts = 0;
    std::size_t agreeingStarts = 0;
    bool finished = false;  // the search ended by itself
};
Q_DECLARE_METATYPE(SearchProgress)

class SearchWorker : public QObject {
    Q_OBJECT

public:
    // The words may be missing: the plaintext is then shown without breaks.
    SearchWorker(std::string_view ciphertext, std::shared_ptr<const bifid::QuadgramTable> table,
        std::shared_ptr<const bifid::WordTable> words, const bifid::SearchSettings &settings);

    // Asks run() to end after its current slice; safe from any thread.
    void requestStop() { m_stop.store(true); }

    // Searches until the search ends by itself or a stop is asked for, and reports the last state.
    void run();

signals:
    void progress(const SearchProgress &progress);
    void finished(const SearchProgress &progress);

private:
    [[nodiscard]] SearchProgress snapshot();
    [[nodiscard]] std::vector<std::size_t> breaksOf(const std::string &plaintext, std::size_t letters);

    std::shared_ptr<const bifid::QuadgramTable> m_table;
    std::shared_ptr<const bifid::WordTable> m_words;
    bifid::KeySearch m_search;
    std::atomic<bool> m_stop = false;
    // The breaks of the last best plaintext: a long one is split again only when it changed.
    std::string m_brokenPlaintext;
    std::vector<std::size_t> m_breaks;
};
