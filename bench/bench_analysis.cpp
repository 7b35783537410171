// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Bifid attack on German texts that neither the statistics nor the search's tuning ever saw
// (bench/UnseenTexts.h), each enciphered with a random square drawn from the run's seed: how many keys the
// search tries per second, and for every case of the goals' table (and for short texts with a known word)
// how often and how fast it recovers the plaintext, how often it fails as a search (its best score below
// the true plaintext's) and how often the period comes out right. Run by hand (scripts/bench.sh), never
// as a test.
//
// The full table takes hours of one core; these variables choose what to afford:
//   BIFID_BENCH_RUNS      runs per row, and per period of the rows of unknown period (default 10)
//   BIFID_BENCH_SECONDS   processor seconds a run may take (default 60; the rows that allow 120 s get twice it)
//   BIFID_BENCH_PERIODS   the periods of the rows of unknown period, e.g. 3,7,11,15 (default 3 to 15)
// e.g. BIFID_BENCH_RUNS=3 BIFID_BENCH_SECONDS=20 bifid_analysis_bench --benchmark_filter=Recover

#include "UnseenTexts.h"
#include "support/GermanSamples.h"

#include <cipher/Cleaning.h>
#include <cipher/KeySearch.h>
#include <cipher/PeriodTest.h>
#include <cipher/Periodic.h>

#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

using bifid::Dimension;

constexpr double kRecovered = 0.95;  // share of plaintext letters right
constexpr std::size_t kCribStart = 20;  // where the rows with a known plaintext take it from

int runsPerRow()
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue("BIFID_BENCH_RUNS", &ok);
    return ok ? std::max(1, runs) : 10;
}

double secondsPerRun()
{
    bool ok = false;
    const double seconds = qEnvironmentVariable("BIFID_BENCH_SECONDS").toDouble(&ok);
    return ok ? std::max(0.1, seconds) : 60.0;
}

std::vector<std::size_t> unknownPeriods()
{
    std::vector<std::size_t> periods;
    for (const QString &chosen : qEnvironmentVariable("BIFID_BENCH_PERIODS").split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint period = chosen.trimmed().toUInt(&ok);
        if (ok)
            periods.push_back(period);
    }
    if (periods.empty())
        for (std::size_t period = 3; period <= 15; ++period)
            periods.push_back(period);
    return periods;
}

// Nothing when the tables are missing from resources/quadgrams.
const bifid::QuadgramTable *germanTable(Dimension dimension)
{
    static const std::optional<bifid::QuadgramTable> five = samples::quadgramTable("de", Dimension::Five);
    static const std::optional<bifid::QuadgramTable> six = samples::quadgramTable("de", Dimension::Six);
    const std::optional<bifid::QuadgramTable> &table = dimension == Dimension::Five ? five : six;
    return table ? &*table : nullptr;
}

// The first `letters` letters of unseen text `index`, cleaned for the square.
std::string plaintext(std::size_t index, std::size_t letters, Dimension dimension)
{
    return bifid::cleanText(unseen::kTexts[index % unseen::kTexts.size()], false, dimension).substr(0, letters);
}

// A random square, the same for the same seed on every machine. It is drawn from the seed's complement:
// the search's generator starts from the seed itself, and its first shuffle would be this very square.
bifid::Square randomSquare(Dimension dimension, std::uint64_t seed)
{
    bifid::SearchRandom random(~seed);
    std::string cells(bifid::baseAlphabet(dimension));
    for (std::size_t k = cells.size() - 1; k > 0; --k)
        std::swap(cells[k], cells[random.below(static_cast<std::uint32_t>(k + 1))]);
    return {dimension, cells};
}

// Seconds of this thread's processor time: the other work of a busy machine does not count.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double shareRight(const std::string &found, const std::string &plain)
{
    std::size_t right = 0;
    for (std::size_t i = 0; i < std::min(found.size(), plain.size()); ++i)
        right += found[i] == plain[i] ? 1 : 0;
    return static_cast<double>(right) / static_cast<double>(plain.size());
}

// Keys per second for a 250-letter text of period 7.
void BM_KeysTried(benchmark::State &state)
{
    const Dimension dimension = state.range(0) == 5 ? Dimension::Five : Dimension::Six;
    const std::string plain = plaintext(0, 250, dimension);
    const std::string ciphertext = bifid::encipherPeriodic(plain, randomSquare(dimension, 1), 7, 2).value;
    bifid::SearchSettings settings;
    settings.period = 7;
    settings.agreeingStarts = 1'000'000;  // never ends by itself
    const bifid::QuadgramTable *table = germanTable(dimension);
    if (!table) {
        state.SkipWithError("The quadgram tables are missing from resources/quadgrams.");
        return;
    }
    bifid::KeySearch search(ciphertext, *table, settings);
    constexpr std::uint64_t kSlice = 20'000;
    for (auto _ : state)
        search.run(kSlice);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSlice));
}
BENCHMARK(BM_KeysTried)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond);

struct Case {
    const char *name;
    std::size_t letters;
    Dimension dimension;
    int depth;
    std::size_t period;  // 0: unknown, each of unknownPeriods() in turn
    double timeFactor;  // of secondsPerRun()
    std::size_t cribLetters = 0;  // known plaintext: this many letters from the 21st on
    bool cribPlaced = false;  // and where they stand
};

// One row: `runs` seeded searches (per period where the period is unknown), each on its own text and
// random square, until 95 % of the letters are right, the search ends by itself or the time is up. A run
// that does not recover and ends with a best score below the true plaintext's is a search failure; one
// whose best score is at least the true one's is a failure of the statistics.
void BM_Recover(benchmark::State &state, const Case &row)
{
    const bifid::QuadgramTable *table = germanTable(row.dimension);
    if (!table) {
        state.SkipWithError("The quadgram tables are missing from resources/quadgrams.");
        return;
    }
    const double limit = secondsPerRun() * row.timeFactor;
    const std::vector<std::size_t> periods = row.period > 0 ? std::vector<std::size_t>{row.period} : unknownPeriods();
    const int runs = runsPerRow() * static_cast<int>(periods.size());
    for (auto _ : state) {
        int recovered = 0;
        int searchFailures = 0;
        int statisticsFailures = 0;
        int endedByItself = 0;
        int periodFound = 0;
        int periodNamed = 0;
        std::vector<double> seconds;
        std::vector<std::string> misses;
        for (int run = 0; run < runs; ++run) {
            const auto index = static_cast<std::size_t>(run);
            const std::size_t period = periods[index % periods.size()];
            const std::uint64_t seed = 1000 + index;
            const std::string plain = plaintext(index, row.letters, row.dimension);
            const std::string ciphertext
                = bifid::encipherPeriodic(plain, randomSquare(row.dimension, seed), period, row.depth).value;
            bifid::SearchSettings settings;
            settings.period = row.period;
            settings.findPeriod = row.period == 0;
            settings.depth = row.depth;
            settings.seed = seed;
            settings.crib.text = plain.substr(kCribStart, row.cribLetters);
            if (row.cribPlaced)
                settings.crib.position = kCribStart;
            bifid::KeySearch search(ciphertext, *table, settings);
            const double start = threadSeconds();
            double elapsed = 0;
            bool done = false;
            while (!done && !search.finished() && elapsed < limit) {
                search.run(20'000);
                elapsed = threadSeconds() - start;
                done = shareRight(search.bestPlaintext(), plain) >= kRecovered;
            }
            recovered += done ? 1 : 0;
            endedByItself += search.finished() ? 1 : 0;
            periodFound += search.period() == period ? 1 : 0;
            if (settings.findPeriod)
                periodNamed
                    += bifid::periodStatistic(ciphertext, row.dimension, 20, row.depth).suggested == period ? 1 : 0;
            seconds.push_back(done ? elapsed : 1e9);
            if (!done) {
                const bool searchFailure = search.bestScore() < table->score(plain);
                (searchFailure ? searchFailures : statisticsFailures) += 1;
                char line[200];
                (void)std::snprintf(line, sizeof line,
                    "text %zu period %zu: %s, %.2f s, period found %zu, %.0f %% right", index % unseen::kTexts.size(),
                    period, searchFailure ? "search failure" : "statistics failure", elapsed, search.period(),
                    100 * shareRight(search.bestPlaintext(), plain));
                misses.emplace_back(line);
                // Whether the learner would have seen the text in the list of the best candidates.
                const std::vector<bifid::KeySearch::Candidate> listed = search.candidates();
                for (std::size_t rank = 1; rank < listed.size(); ++rank)
                    if (shareRight(listed[rank].plaintext, plain) >= kRecovered)
                        misses.push_back(
                            "      recovered in the list of candidates, place " + std::to_string(rank + 1));
            }
        }
        std::sort(seconds.begin(), seconds.end());
        const auto middle = static_cast<std::size_t>(runs / 2);
        const double median = runs % 2 == 1 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
        state.counters["runs"] = runs;
        state.counters["recovered"] = recovered;
        state.counters["median_s"] = median;
        state.counters["slowest_s"] = seconds.back();
        state.counters["search_failures"] = searchFailures;
        state.counters["statistics_failures"] = statisticsFailures;
        state.counters["ended_by_itself"] = endedByItself;
        state.counters["period_found"] = periodFound;
        if (row.period == 0)
            state.counters["statistic_named"] = periodNamed;
        (void)std::fprintf(stderr, "| %s | %d of %d | %s | %s | %d | limit %.0f s |\n", row.name, recovered, runs,
            median >= 1e9 ? "-" : std::to_string(median).substr(0, 5).c_str(),
            seconds.back() >= 1e9 ? "gave up" : std::to_string(seconds.back()).substr(0, 5).c_str(), searchFailures,
            limit);
        for (const std::string &miss : misses)
            (void)std::fprintf(stderr, "    %s\n", miss.c_str());
    }
}

const Case kCases[] = {
    {"period 7 known, 150 letters", 150, Dimension::Five, 2, 7, 1},
    {"period 7 known, 100 letters", 100, Dimension::Five, 2, 7, 1},
    {"period 7 known, 60 letters", 60, Dimension::Five, 2, 7, 1},
    {"period 7 known, 50 letters", 50, Dimension::Five, 2, 7, 1},
    {"period unknown, 200 letters", 200, Dimension::Five, 2, 0, 1},
    {"period unknown, 100 letters", 100, Dimension::Five, 2, 0, 2},
    {"6 X 6, period 7 known, 100 letters", 100, Dimension::Six, 2, 7, 1},
    {"depth 3, period 7 known, 150 letters", 150, Dimension::Five, 3, 7, 1},
    {"period 7 known, 60 letters, 6 known at their place", 60, Dimension::Five, 2, 7, 1, 6, true},
    {"period 7 known, 60 letters, 8 known anywhere", 60, Dimension::Five, 2, 7, 1, 8, false},
    {"period 7 known, 50 letters, 6 known at their place", 50, Dimension::Five, 2, 7, 1, 6, true},
    {"period 7 known, 50 letters, 8 known anywhere", 50, Dimension::Five, 2, 7, 1, 8, false},
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const Case &row : kCases)
        benchmark::RegisterBenchmark((std::string("BM_Recover/") + row.name).c_str(), BM_Recover, row)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    return true;
}();

// For every period from 4 to 12, the twelve unseen texts enciphered with it: how often the statistic
// names the period exactly, in the period with the fewest hits.
void BM_PeriodNamed(benchmark::State &state)
{
    const auto letters = static_cast<std::size_t>(state.range(0));
    const std::size_t texts = unseen::kTexts.size();
    for (auto _ : state) {
        std::size_t fewest = texts;
        std::size_t total = 0;
        for (std::size_t period = 4; period <= 12; ++period) {
            std::size_t named = 0;
            for (std::size_t index = 0; index < texts; ++index) {
                const std::string plain = plaintext(index, letters, Dimension::Five);
                const std::string ciphertext
                    = bifid::encipherPeriodic(plain, randomSquare(Dimension::Five, 1000 + index), period, 2).value;
                named += bifid::periodStatistic(ciphertext, Dimension::Five).suggested == period ? 1 : 0;
            }
            fewest = std::min(fewest, named);
            total += named;
        }
        state.counters["fewest_per_period"] = static_cast<double>(fewest);
        state.counters["named"] = static_cast<double>(total);
        state.counters["cases"] = static_cast<double>(texts * 9);
    }
}
BENCHMARK(BM_PeriodNamed)->Arg(250)->Arg(200)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
