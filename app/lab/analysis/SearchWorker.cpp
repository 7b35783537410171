// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SearchWorker.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr qint64 kReportMilliseconds = 200;
// About 5 ms a slice whatever the length: a slice takes about one microsecond per 250 letters a key.
constexpr std::uint64_t kLetterKeysPerSlice = 1'500'000;
// The candidates after the best are listed by the start of their plaintext.
constexpr std::size_t kCandidateStart = 80;

}  // namespace

SearchWorker::SearchWorker(std::string_view ciphertext, std::shared_ptr<const bifid::QuadgramTable> table,
    std::shared_ptr<const bifid::WordTable> words, const bifid::SearchSettings &settings)
    : m_table(std::move(table))
    , m_words(std::move(words))
    , m_search(ciphertext, *m_table, settings)
{
}

std::vector<std::size_t> SearchWorker::breaksOf(const std::string &plaintext, std::size_t letters)
{
    if (!m_words)
        return {};
    return m_words->breaks(std::string_view(plaintext).substr(0, letters));
}

SearchProgress SearchWorker::snapshot()
{
    SearchProgress progress;
    const std::size_t letters = m_search.letters();
    for (const bifid::KeySearch::Candidate &found : m_search.candidates()) {
        SearchCandidate candidate{found.square, found.period, bifid::log2PerQuadgram(found.score, letters),
            found.cribMismatches, found.plaintext, {}};
        if (progress.candidates.empty()) {
            if (candidate.plaintext != m_brokenPlaintext) {
                m_breaks = breaksOf(candidate.plaintext, candidate.plaintext.size());
                m_brokenPlaintext = candidate.plaintext;
            }
            candidate.breaks = m_breaks;
        } else {
            candidate.breaks = breaksOf(candidate.plaintext, kCandidateStart);
        }
        progress.candidates.push_back(std::move(candidate));
    }
    for (const bifid::KeySearch::PeriodResult &period : m_search.periods()) {
        if (progress.periodScores.size() <= period.period)
            progress.periodScores.resize(period.period + 1);
        if (period.starts > 0)
            progress.periodScores[period.period] = bifid::log2PerQuadgram(period.bestScore, letters);
    }
    progress.currentScore = bifid::log2PerQuadgram(m_search.currentScore(), letters);
    progress.temperature = m_search.temperature();
    progress.keysTried = m_search.keysTried();
    progress.starts = m_search.starts();
    progress.agreeingStarts = m_search.agreeingStarts();
    progress.finished = m_search.finished();
    return progress;
}

void SearchWorker::run()
{
    const std::uint64_t slice
        = std::clamp<std::uint64_t>(kLetterKeysPerSlice / std::max<std::size_t>(m_search.letters(), 1), 1, 20'000);
    QElapsedTimer sinceReport;
    sinceReport.start();
    emit progress(snapshot());
    while (!m_stop.load() && !m_search.finished()) {
        m_search.run(slice);
        if (sinceReport.elapsed() >= kReportMilliseconds) {
            sinceReport.restart();
            emit progress(snapshot());
        }
    }
    emit finished(snapshot());
}
