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

}  // namespace

SearchWorker::SearchWorker(std::string_view ciphertext, std::shared_ptr<const bifid::QuadgramTable> table,
    const bifid::SearchSettings &settings)
    : m_table(std::move(table))
    , m_search(ciphertext, *m_table, settings)
{
}

SearchProgress SearchWorker::snapshot() const
{
    SearchProgress progress;
    progress.square = m_search.bestSquare();
    progress.plaintext = m_search.bestPlaintext();
    progress.bestScore = bifid::log2PerQuadgram(m_search.bestScore(), m_search.letters());
    progress.currentScore = bifid::log2PerQuadgram(m_search.currentScore(), m_search.letters());
    progress.temperature = m_search.temperature();
    progress.keysTried = m_search.keysTried();
    progress.cribMismatches = m_search.bestCribMismatches();
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
