// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs a bifid::KeySearch on a thread of its own, in slices of a few milliseconds, so that a stop
// request ends it at once; a few times a second it reports the best square so far.

#include <cipher/KeySearch.h>

#include <QObject>

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

struct SearchProgress {
    bifid::Square square;
    std::string plaintext;
    double bestScore = 0;  // mean log2 probability of a quadgram
    double currentScore = 0;
    double temperature = 0;
    quint64 keysTried = 0;
    std::size_t cribMismatches = 0;
    bool finished = false;  // the search ended by itself
};
Q_DECLARE_METATYPE(SearchProgress)

class SearchWorker : public QObject {
    Q_OBJECT

public:
    SearchWorker(std::string_view ciphertext, std::shared_ptr<const bifid::QuadgramTable> table,
        const bifid::SearchSettings &settings);

    // Asks run() to end after its current slice; safe from any thread.
    void requestStop() { m_stop.store(true); }

    // Searches until the search ends by itself or a stop is asked for, and reports the last state.
    void run();

signals:
    void progress(const SearchProgress &progress);
    void finished(const SearchProgress &progress);

private:
    [[nodiscard]] SearchProgress snapshot() const;

    std::shared_ptr<const bifid::QuadgramTable> m_table;
    bifid::KeySearch m_search;
    std::atomic<bool> m_stop = false;
};
