// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of the cipher operations on 1 KB, 1 MB and 10 MB inputs, in bytes of input per second.
// Equal rates at 1 MB and 10 MB show that an operation stays linear. The table baseline maps every
// byte through a 256-entry table: the speed a single pass over the bytes can reach. After the usual
// table comes a summary: every rate as a share of the baseline's at the same size, and how each time
// grows from 1 MB to 10 MB.

#include "cipher/Cleaning.h"
#include "cipher/Coding.h"
#include "cipher/Grouping.h"
#include "cipher/Periodic.h"
#include "cipher/Square.h"
#include "cipher/Trace.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bifid::Dimension;

constexpr std::array<std::int64_t, 3> kSizes = {1 << 10, 1 << 20, 10 << 20};
constexpr std::array<const char *, 3> kSizeLabels = {"1 KB", "1 MB", "10 MB"};

// Inputs are built once per size from a fixed seed, so every run measures the same bytes.
template <typename Make>
const std::string &cached(std::map<std::size_t, std::string> &cache, std::size_t size, Make make)
{
    auto it = cache.find(size);
    if (it == cache.end())
        it = cache.emplace(size, make(size)).first;
    return it->second;
}

std::string randomOver(std::string_view characters, std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, characters.size() - 1);
    std::string text(size, '\0');
    for (char &c : text)
        c = characters[pick(random)];
    return text;
}

// German-looking input: mostly letters, with blanks, line breaks, digits, punctuation and umlauts.
const std::string &rawText(std::size_t size)
{
    static std::map<std::size_t, std::string> cache;
    return cached(cache, size, [](std::size_t n) {
        return randomOver("abcdefghijklmnopqrstuvwxyzeeennnrrsstABCDEFGHIJKLMNOPQRSTUVWXYZ"
                          "     \r\n0123456789.,!?-\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xE9",
            n, 1);
    });
}

const std::string &keywordInput(std::size_t size)
{
    static std::map<std::size_t, std::string> cache;
    return cached(
        cache, size, [](std::size_t n) { return randomOver("ABCDEFGHIJKLMNOPQRSTUVWXYZabc 0123456789", n, 2); });
}

// Bytes the square ignores, with the alphabet only at the end, so that the generator must scan all of it.
const std::string &foreignKeyword(std::size_t size)
{
    static std::map<std::size_t, std::string> cache;
    return cached(cache, size, [](std::size_t n) {
        std::string keyword = randomOver("-_.,;: \xE9\xC4", n, 3);
        keyword.replace(n - 5, 5, "ZEBRA");
        return keyword;
    });
}

const std::string &cleanInput(std::size_t size)
{
    static std::map<std::size_t, std::string> cache;
    return cached(cache, size, [](std::size_t n) { return randomOver(bifid::kAlphabet6, n, 4); });
}

const std::string &digitInput(std::size_t size)
{
    static std::map<std::size_t, std::string> cache;
    return cached(cache, size, [](std::size_t n) { return randomOver("123456", n, 5); });
}

const bifid::Square &square()
{
    static const bifid::Square keyed = bifid::generateSquare(
        {Dimension::Six, bifid::Direction::Reversed, bifid::Direction::Forward, 7}, "BIFIDCHIFFRE42")
                                           .square;
    return keyed;
}

void setBytes(benchmark::State &state, std::size_t size)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
}

std::size_t sizeArgument(const benchmark::State &state)
{
    return static_cast<std::size_t>(state.range(0));
}

void BM_TableBaseline(benchmark::State &state)
{
    const std::string &raw = rawText(sizeArgument(state));
    std::array<char, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<char>(i ^ 0x20);
    for (auto _ : state) {
        std::string out(raw.size(), '\0');
        for (std::size_t i = 0; i < raw.size(); ++i)
            out[i] = table[static_cast<unsigned char>(raw[i])];
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setBytes(state, raw.size());
}

void BM_CleanText(benchmark::State &state)
{
    const std::string &raw = rawText(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::cleanText(raw, false, Dimension::Five));
    setBytes(state, raw.size());
}

void BM_CleanKeyword(benchmark::State &state)
{
    const std::string &raw = keywordInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::cleanKeyword(raw, Dimension::Five));
    setBytes(state, raw.size());
}

void BM_GenerateSquare(benchmark::State &state)
{
    const std::string &keyword = foreignKeyword(sizeArgument(state));
    const bifid::SquareLayout layout{Dimension::Six, bifid::Direction::Reversed, bifid::Direction::Reversed, 17};
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::generateSquare(layout, keyword));
    setBytes(state, keyword.size());
}

void BM_CodeCoordinates(benchmark::State &state)
{
    const std::string &text = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::codeCoordinates(text, square()));
    setBytes(state, text.size());
}

void BM_Fractionate(benchmark::State &state)
{
    const std::string &coordinates = digitInput(sizeArgument(state));
    const auto depth = static_cast<int>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::fractionate(coordinates, depth));
    setBytes(state, coordinates.size());
}

void BM_JoinRows(benchmark::State &state)
{
    const std::vector<std::string> rows = bifid::fractionate(digitInput(sizeArgument(state)), 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::joinRows(rows));
    setBytes(state, sizeArgument(state));
}

void BM_ReadThroughSquare(benchmark::State &state)
{
    const std::string &code = digitInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::readThroughSquare(code, square()));
    setBytes(state, code.size());
}

// Into steps kept from call to call, as the decipher dialog keeps them between updates.
void BM_Decipher(benchmark::State &state)
{
    const std::string &ciphertext = cleanInput(sizeArgument(state));
    bifid::DecipherSteps steps;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bifid::decipher(ciphertext, square(), 3, steps));
        benchmark::DoNotOptimize(steps.plaintext.data());
        benchmark::ClobberMemory();
    }
    setBytes(state, ciphertext.size());
}

void BM_GroupText(benchmark::State &state)
{
    const std::string &text = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::groupText(text, 5));
    setBytes(state, text.size());
}

// Cleaning, then the whole encryption: from the raw plaintext to the ciphertext.
void BM_WholePipeline(benchmark::State &state)
{
    const std::string &raw = rawText(sizeArgument(state));
    for (auto _ : state) {
        const std::string clean = bifid::cleanText(raw, true, Dimension::Six);
        benchmark::DoNotOptimize(bifid::encipher(clean, square(), 2));
    }
    setBytes(state, raw.size());
}

// The cipher with a period of 7 letters at depth 3, as the lab computes it on every change of an input.
void BM_EncipherPeriodic(benchmark::State &state)
{
    const std::string &text = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::encipherPeriodic(text, square(), 7, 3));
    setBytes(state, text.size());
}

void BM_DecipherPeriodic(benchmark::State &state)
{
    const std::string &text = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::decipherPeriodic(text, square(), 7, 3));
    setBytes(state, text.size());
}

// One trace from a random place of one field (the second argument) of a text of 1 or 10 million letters at
// depth 3; equal times at both sizes show that a trace does not depend on the text's length.
void BM_Trace(benchmark::State &state)
{
    const auto letters = static_cast<std::size_t>(state.range(0));
    const auto field = static_cast<bifid::TraceField>(state.range(1));
    const bifid::TraceMap map = bifid::TraceMap::dealt(letters, 3);
    const std::size_t length = field == bifid::TraceField::Plaintext || field == bifid::TraceField::Ciphertext ? letters
        : field == bifid::TraceField::Rows ? 2 * letters / 3
                                           : 2 * letters;
    std::mt19937 random(6);
    std::uniform_int_distribution<std::size_t> pickIndex(0, length - 1);
    std::uniform_int_distribution<int> pickRow(0, 2);
    std::vector<std::pair<std::size_t, int>> places(4096);
    for (auto &place : places)
        place = {pickIndex(random), pickRow(random)};
    std::size_t next = 0;
    for (auto _ : state) {
        const auto &[index, row] = places[next++ % places.size()];
        benchmark::DoNotOptimize(map.trace(field, index, row));
    }
    static constexpr std::array<const char *, 5> kFields
        = {"Klartext", "Koordinaten", "Zeilen", "Cipher-Code", "Geheimtext"};
    state.SetLabel(kFields[static_cast<std::size_t>(state.range(1))]);
}

void sizes(benchmark::internal::Benchmark *benchmark)
{
    for (std::int64_t size : kSizes)
        benchmark->Arg(size);
}

void sizesAndDepths(benchmark::internal::Benchmark *benchmark)
{
    for (std::int64_t size : kSizes)
        for (std::int64_t depth = 2; depth <= 5; ++depth)
            benchmark->Args({size, depth});
}

// The console table, then the rates of each operation beside the baseline's.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter()
        : ConsoleReporter(OO_None)  // plain text, also when the output goes to a file
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || rate == run.counters.end() || (run.run_type == Run::RT_Aggregate && !median))
                continue;
            // The first argument is the size; further ones (the depth) belong to the operation's name.
            const std::string &args = run.run_name.args;
            const std::size_t slash = args.find('/');
            const std::string operation = run.run_name.function_name.substr(3)
                + (slash == std::string::npos ? "" : " depth " + args.substr(slash + 1));
            if (m_rates.find(operation) == m_rates.end())
                m_operations.push_back(operation);
            m_rates[operation][std::stoll(args.substr(0, slash))] = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto baseline = m_rates.find("TableBaseline");
        if (baseline == m_rates.end())
            return;
        std::string table = "\nMiB/s, and in brackets the share of the table baseline's rate at the same size\n\n"
                            "| Operation | 1 KB | 1 MB | 10 MB | time 10 MB / 1 MB |\n|---|---:|---:|---:|---:|\n";
        std::vector<std::string> missed;
        for (const std::string &operation : m_operations) {
            const std::map<std::int64_t, double> &rates = m_rates[operation];
            table += "| " + operation + " |";
            for (std::size_t z = 0; z < kSizes.size(); ++z) {
                const auto rate = rates.find(kSizes[z]);
                const auto reference = baseline->second.find(kSizes[z]);
                if (rate == rates.end() || reference == baseline->second.end()) {
                    table += " |";
                    continue;
                }
                const double share = rate->second / reference->second;
                table += format(" %.0f (%.2f) |", rate->second / (1 << 20), share);
                if (operation == "WholePipeline" && share < 0.25)
                    missed.push_back(format(
                        "WholePipeline reaches %.2f of the baseline with %s (goal: 0.25)", share, kSizeLabels[z]));
            }
            // Equal work per byte: the time grows by ten times the ratio of the rates.
            const auto rate1 = rates.find(kSizes[1]);
            const auto rate10 = rates.find(kSizes[2]);
            if (rate1 != rates.end() && rate10 != rates.end()) {
                const double growth = 10 * rate1->second / rate10->second;
                table += format(" %.1f |", growth);
                if (growth > 11)
                    missed.push_back(format(
                        "%s takes %.1f times as long for 10 MB as for 1 MB (goal: 11)", operation.c_str(), growth));
            }
            table += "\n";
        }
        table += missed.empty() ? "\nEvery goal met.\n" : "\nGoals missed:\n";
        for (const std::string &miss : missed)
            table += "- " + miss + "\n";
        GetOutputStream() << table;
    }

private:
    template <typename... Args> static std::string format(const char *pattern, Args... args)
    {
        std::array<char, 256> text{};
        (void)std::snprintf(text.data(), text.size(), pattern, args...);  // a longer line is cut, as wanted
        return text.data();
    }

    std::vector<std::string> m_operations;
    std::map<std::string, std::map<std::int64_t, double>> m_rates;
};

}  // namespace

BENCHMARK(BM_TableBaseline)->Apply(sizes);
BENCHMARK(BM_CleanText)->Apply(sizes);
BENCHMARK(BM_CleanKeyword)->Apply(sizes);
BENCHMARK(BM_GenerateSquare)->Apply(sizes);
BENCHMARK(BM_CodeCoordinates)->Apply(sizes);
BENCHMARK(BM_Fractionate)->Apply(sizesAndDepths);
BENCHMARK(BM_JoinRows)->Apply(sizes);
BENCHMARK(BM_ReadThroughSquare)->Apply(sizes);
BENCHMARK(BM_Decipher)->Apply(sizes);
BENCHMARK(BM_GroupText)->Apply(sizes);
BENCHMARK(BM_WholePipeline)->Apply(sizes);
BENCHMARK(BM_EncipherPeriodic)->Apply(sizes);
BENCHMARK(BM_DecipherPeriodic)->Apply(sizes);
BENCHMARK(BM_Trace)->ArgsProduct({{1'000'000, 10'000'000}, {0, 1, 2, 3, 4}});

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
