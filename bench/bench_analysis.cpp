// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Bifid attack on German plaintexts the quadgram statistics never saw (tests/support/GermanSamples.h):
// how many keys the search tries per second, how often and how fast it recovers the plaintext, and how
// often the period statistic names the period. Run by hand (scripts/bench.sh), never as a test.

#include "support/GermanSamples.h"

#include <cipher/Cleaning.h>
#include <cipher/KeySearch.h>
#include <cipher/PeriodTest.h>
#include <cipher/Periodic.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <string>
#include <vector>

namespace {

using bifid::Dimension;

constexpr int kRuns = 10;
constexpr double kRecovered = 0.95;  // share of plaintext letters right
constexpr double kGiveUpSeconds = 60;
constexpr std::array<const char *, 2> kKeywords = {"KOPFSALAT", "STERNWARTE"};

// Nothing when the tables are missing from resources/quadgrams.
const bifid::QuadgramTable *germanTable(Dimension dimension)
{
    static const std::optional<bifid::QuadgramTable> five = samples::quadgramTable("de", Dimension::Five);
    static const std::optional<bifid::QuadgramTable> six = samples::quadgramTable("de", Dimension::Six);
    const std::optional<bifid::QuadgramTable> &table = dimension == Dimension::Five ? five : six;
    return table ? &*table : nullptr;
}

// The first `letters` letters of sample text `index`, cleaned for the square.
std::string plaintext(std::size_t index, std::size_t letters, Dimension dimension)
{
    return bifid::cleanText(samples::kGermanTexts[index % samples::kGermanTexts.size()], false, dimension)
        .substr(0, letters);
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
    const std::string ciphertext
        = bifid::encipherPeriodic(plain, bifid::classicalSquare(kKeywords[0], dimension), 7, 2).value;
    bifid::SearchSettings settings;
    settings.period = 7;
    settings.patienceRounds = 1'000'000;
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

// Ten seeded searches, one per sample text, each until 95 % of the letters are right or it gives up
// after a minute: how many recovered the plaintext and the median processor time of one core (a run
// that gave up counts as slowest).
void BM_Recover(benchmark::State &state)
{
    const auto letters = static_cast<std::size_t>(state.range(0));
    const Dimension dimension = state.range(1) == 5 ? Dimension::Five : Dimension::Six;
    const auto period = static_cast<std::size_t>(state.range(2));
    const auto cribLetters = static_cast<std::size_t>(state.range(3));
    const bifid::QuadgramTable *table = germanTable(dimension);
    if (!table) {
        state.SkipWithError("The quadgram tables are missing from resources/quadgrams.");
        return;
    }
    for (auto _ : state) {
        int recovered = 0;
        std::vector<double> seconds;
        for (int run = 0; run < kRuns; ++run) {
            const auto index = static_cast<std::size_t>(run);
            const std::string plain = plaintext(index, letters, dimension);
            const bifid::Square key = bifid::classicalSquare(kKeywords[index % 2], dimension);
            const std::string ciphertext = bifid::encipherPeriodic(plain, key, period, 2).value;
            bifid::SearchSettings settings;
            settings.period = period;
            settings.seed = 1000 + index;
            settings.patienceRounds = 1'000'000;
            if (cribLetters > 0)
                settings.crib = {plain.substr(letters / 3, cribLetters), letters / 3};
            bifid::KeySearch search(ciphertext, *table, settings);
            const double start = threadSeconds();
            double elapsed = 0;
            bool done = false;
            while (!done && elapsed < kGiveUpSeconds) {
                search.run(50'000);
                elapsed = threadSeconds() - start;
                done = shareRight(search.bestPlaintext(), plain) >= kRecovered;
            }
            recovered += done ? 1 : 0;
            seconds.push_back(done ? elapsed : 1e9);
        }
        std::sort(seconds.begin(), seconds.end());
        state.counters["recovered"] = recovered;
        state.counters["median_s"] = (seconds[kRuns / 2 - 1] + seconds[kRuns / 2]) / 2;
        state.counters["slowest_s"] = seconds.back();
    }
}
BENCHMARK(BM_Recover)
    ->ArgNames({"letters", "side", "period", "crib"})
    ->Args({400, 5, 7, 0})
    ->Args({200, 5, 7, 0})
    ->Args({100, 5, 7, 0})
    ->Args({400, 6, 7, 0})
    ->Args({200, 6, 7, 0})
    ->Args({60, 5, 7, 0})
    ->Args({60, 5, 7, 12})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// For every period from 4 to 12, the ten sample texts enciphered with it: how often the statistic
// names the period exactly, in the period with the fewest hits.
void BM_PeriodNamed(benchmark::State &state)
{
    const auto letters = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        int fewest = kRuns;
        int total = 0;
        for (std::size_t period = 4; period <= 12; ++period) {
            int named = 0;
            for (std::size_t index = 0; index < kRuns; ++index) {
                const std::string plain = plaintext(index, letters, Dimension::Five);
                const bifid::Square key = bifid::classicalSquare(kKeywords[index % 2], Dimension::Five);
                const std::string ciphertext = bifid::encipherPeriodic(plain, key, period, 2).value;
                named += bifid::periodStatistic(ciphertext, Dimension::Five).suggested == period ? 1 : 0;
            }
            fewest = std::min(fewest, named);
            total += named;
        }
        state.counters["fewest_of_10"] = fewest;
        state.counters["named_of_90"] = total;
    }
}
BENCHMARK(BM_PeriodNamed)->Arg(400)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
