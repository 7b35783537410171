// Throughput of the cipher operations on 1 KB, 1 MB and 10 MB inputs, in bytes of input per second.
// Equal rates at 1 MB and 10 MB show that an operation stays linear. The table baseline maps every
// byte through a 256-entry table: the speed a single pass over the bytes can reach.

#include "cipher/Cleaning.h"
#include "cipher/Coding.h"
#include "cipher/Grouping.h"
#include "cipher/Square.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bifid::Dimension;

constexpr std::array<std::int64_t, 3> kSizes = {1 << 10, 1 << 20, 10 << 20};

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

const std::string &square()
{
    static const std::string text = bifid::generateSquare(
        {Dimension::Six, bifid::Direction::Reversed, bifid::Direction::Forward, 7}, "BIFIDCHIFFRE42")
                                        .text;
    return text;
}

void setBytes(benchmark::State &state, std::size_t size)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
}

std::size_t sizeArgument(const benchmark::State &state) { return static_cast<std::size_t>(state.range(0)); }

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
        benchmark::DoNotOptimize(bifid::codeCoordinates(text, square(), Dimension::Six));
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
        benchmark::DoNotOptimize(bifid::readThroughSquare(code, square(), Dimension::Six));
    setBytes(state, code.size());
}

void BM_Decipher(benchmark::State &state)
{
    const std::string &ciphertext = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::decipher(ciphertext, square(), Dimension::Six, 3));
    setBytes(state, ciphertext.size());
}

void BM_GroupText(benchmark::State &state)
{
    const std::string &text = cleanInput(sizeArgument(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(bifid::groupText(text, 5));
    setBytes(state, text.size());
}

// Cleaning, coordinates, fractionation, join and read-back, as the window runs them.
void BM_WholePipeline(benchmark::State &state)
{
    const std::string &raw = rawText(sizeArgument(state));
    for (auto _ : state) {
        const std::string clean = bifid::cleanText(raw, true, Dimension::Six);
        const auto coordinates = bifid::codeCoordinates(clean, square(), Dimension::Six);
        const std::string code = bifid::joinRows(bifid::fractionate(coordinates.value, 2));
        benchmark::DoNotOptimize(bifid::readThroughSquare(code, square(), Dimension::Six));
    }
    setBytes(state, raw.size());
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

BENCHMARK_MAIN();
