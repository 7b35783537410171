// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/KeySearch.h>

#include <cipher/Periodic.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace bifid {

namespace {

// What one contradicted crib letter costs: as much as 24 bits of quadgram score.
constexpr std::int64_t kCribPenalty = std::int64_t{8} * 24;
// The default start temperature, in quadgram values per 100 letters.
constexpr double kDefaultStartTemperature = 150;

std::array<int, 256> symbolTable(Dimension dimension)
{
    std::array<int, 256> symbolOf{};
    symbolOf.fill(-1);
    const std::string_view alphabet = baseAlphabet(dimension);
    for (std::size_t s = 0; s < alphabet.size(); ++s)
        symbolOf[static_cast<unsigned char>(alphabet[s])] = static_cast<int>(s);
    return symbolOf;
}

std::uint64_t splitMix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

// The fewest letters of `crib` that differ from the plaintext at `position`, or at any place.
std::size_t mismatchesOf(std::string_view plaintext, std::string_view crib, std::optional<std::size_t> position)
{
    const std::size_t length = crib.size();
    if (length == 0)
        return 0;
    if (length > plaintext.size())
        return length;
    const auto mismatchesAt = [&](std::size_t place) {
        std::size_t mismatches = 0;
        for (std::size_t k = 0; k < length; ++k)
            mismatches += plaintext[place + k] != crib[k] ? 1 : 0;
        return mismatches;
    };
    if (position)
        return *position <= plaintext.size() - length ? mismatchesAt(*position) : length;
    std::size_t fewest = length;
    for (std::size_t place = 0; place + length <= plaintext.size() && fewest > 0; ++place)
        fewest = std::min(fewest, mismatchesAt(place));
    return fewest;
}

}  // namespace

std::size_t cribMismatches(std::string_view plaintext, const Crib &crib)
{
    return mismatchesOf(plaintext, crib.text, crib.position);
}

SearchRandom::SearchRandom(std::uint64_t seed)
{
    std::uint64_t state = seed;
    for (std::size_t k = 0; k < m_state.size(); k += 2) {
        const std::uint64_t word = splitMix(state);
        m_state[k] = static_cast<std::uint32_t>(word);
        m_state[k + 1] = static_cast<std::uint32_t>(word >> 32U);
    }
}

std::uint32_t SearchRandom::next()
{
    const std::uint32_t result = m_state[0] + m_state[3];
    const std::uint32_t t = m_state[1] << 9U;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = (m_state[3] << 11U) | (m_state[3] >> 21U);
    return result;
}

KeySearch::KeySearch(std::string_view ciphertext, const QuadgramTable &table, const SearchSettings &settings)
    : m_table(table)
    , m_dimension(table.dimension())
    , m_side(static_cast<std::size_t>(sideOf(table.dimension())))
    , m_cribPosition(settings.crib.position)
    , m_settings(settings)
    , m_random(settings.seed)
{
    const std::array<int, 256> symbolOf = symbolTable(m_dimension);
    m_ciphertext.reserve(ciphertext.size());
    for (char c : ciphertext)
        if (const int symbol = symbolOf[static_cast<unsigned char>(c)]; symbol >= 0)
            m_ciphertext.push_back(static_cast<std::uint8_t>(symbol));
    for (char c : settings.crib.text)
        if (const int symbol = symbolOf[static_cast<unsigned char>(c)]; symbol >= 0)
            m_cribSymbols.push_back(static_cast<std::uint8_t>(symbol));

    const std::size_t n = m_ciphertext.size();
    const std::vector<std::size_t> places = codePlaces(n, settings.period, 2);
    m_rowSource.resize(n);
    m_columnSource.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        m_rowSource[i] = static_cast<std::uint32_t>(places[2 * i]);
        m_columnSource[i] = static_cast<std::uint32_t>(places[2 * i + 1]);
    }
    m_digits.resize(2 * n);
    m_plaintext.resize(n);
    for (std::size_t k = 0; k < m_logUniform.size(); ++k)
        m_logUniform[k] = std::log((static_cast<double>(k) + 0.5) / static_cast<double>(m_logUniform.size()));

    const double perHundred = settings.startTemperature > 0 ? settings.startTemperature : kDefaultStartTemperature;
    m_startTemperature = perHundred * static_cast<double>(n) / 100.0;

    shuffle(m_current);
    m_currentScore = score(m_current);
    m_best = m_current;
    m_bestTotal = m_currentScore.total;
    m_bestQuadgramScore = m_currentScore.quadgrams;
    m_bestMismatches = m_currentScore.mismatches;
    m_finished = n < 4;
}

KeySearch::Scored KeySearch::score(const Key &key)
{
    const std::size_t n = m_ciphertext.size();
    std::uint8_t *digits = m_digits.data();
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint8_t symbol = m_ciphertext[j];
        digits[2 * j] = key.rowOf[symbol];
        digits[2 * j + 1] = key.columnOf[symbol];
    }
    std::uint8_t *plain = m_plaintext.data();
    for (std::size_t i = 0; i < n; ++i)
        plain[i] = key.symbolOfCell[digits[m_rowSource[i]] * m_side + digits[m_columnSource[i]]];

    Scored scored;
    const std::uint8_t *values = m_table.values();
    const std::size_t codes = m_table.codeCount();
    std::int64_t sum = 0;
    if (m_dimension == Dimension::Five) {
        for (std::size_t i = 0; i + 3 < n; ++i)
            sum += values[((plain[i] * codes + plain[i + 1]) * codes + plain[i + 2]) * codes + plain[i + 3]];
    } else {
        const auto code = [&](std::size_t i) { return m_table.codeOfSymbol(plain[i]); };
        for (std::size_t i = 0; i + 3 < n; ++i)
            sum += values[((code(i) * codes + code(i + 1)) * codes + code(i + 2)) * codes + code(i + 3)];
    }
    scored.quadgrams = sum;
    if (!m_cribSymbols.empty()) {
        const std::string_view plainText(reinterpret_cast<const char *>(plain), n);
        const std::string_view cribText(reinterpret_cast<const char *>(m_cribSymbols.data()), m_cribSymbols.size());
        scored.mismatches = mismatchesOf(plainText, cribText, m_cribPosition);
    }
    scored.total = sum - kCribPenalty * static_cast<std::int64_t>(scored.mismatches);
    return scored;
}

void KeySearch::shuffle(Key &key)
{
    const std::size_t cells = m_side * m_side;
    std::array<std::uint8_t, 36> order{};
    std::iota(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(cells), std::uint8_t{0});
    for (std::size_t k = cells - 1; k > 0; --k)
        std::swap(order[k], order[m_random.below(static_cast<std::uint32_t>(k + 1))]);
    for (std::size_t cell = 0; cell < cells; ++cell) {
        const std::uint8_t symbol = order[cell];
        key.symbolOfCell[cell] = symbol;
        key.rowOf[symbol] = static_cast<std::uint8_t>(cell / m_side);
        key.columnOf[symbol] = static_cast<std::uint8_t>(cell % m_side);
    }
}

void KeySearch::swapCells(Key &key, std::size_t a, std::size_t b) const
{
    const std::uint8_t x = key.symbolOfCell[a];
    const std::uint8_t y = key.symbolOfCell[b];
    key.symbolOfCell[a] = y;
    key.symbolOfCell[b] = x;
    key.rowOf[y] = static_cast<std::uint8_t>(a / m_side);
    key.columnOf[y] = static_cast<std::uint8_t>(a % m_side);
    key.rowOf[x] = static_cast<std::uint8_t>(b / m_side);
    key.columnOf[x] = static_cast<std::uint8_t>(b % m_side);
}

void KeySearch::randomMove(Key &key)
{
    const auto side = static_cast<std::uint32_t>(m_side);
    const std::uint32_t kind = m_random.below(20);
    if (kind >= 2) {
        const std::uint32_t cells = side * side;
        const std::uint32_t a = m_random.below(cells);
        const std::uint32_t b = (a + 1 + m_random.below(cells - 1)) % cells;
        swapCells(key, a, b);
        return;
    }
    const std::uint32_t first = m_random.below(side);
    const std::uint32_t second = (first + 1 + m_random.below(side - 1)) % side;
    for (std::uint32_t k = 0; k < side; ++k) {
        if (kind == 0)
            swapCells(key, first * side + k, second * side + k);
        else
            swapCells(key, k * side + first, k * side + second);
    }
}

double KeySearch::temperature() const
{
    if (m_finished)
        return 0;
    const double left = 1.0 - static_cast<double>(m_keysInRound) / static_cast<double>(m_settings.keysPerRound);
    return m_startTemperature * left * 100.0 / static_cast<double>(std::max<std::size_t>(letters(), 1));
}

void KeySearch::startRound()
{
    ++m_round;
    m_keysInRound = 0;
    if (m_round - m_lastImprovedRound > m_settings.patienceRounds)
        m_finished = true;
    // A round that found a better square hands it on; after one that did not, the search sets out
    // afresh from a shuffled square, as it is caught around a square that is not the key.
    if (m_lastImprovedRound + 1 == m_round)
        m_current = m_best;
    else
        shuffle(m_current);
    m_currentScore = score(m_current);
}

void KeySearch::run(std::uint64_t keys)
{
    const double step = m_startTemperature / static_cast<double>(m_settings.keysPerRound);
    while (keys > 0 && !m_finished) {
        const std::uint64_t slice = std::min(keys, m_settings.keysPerRound - m_keysInRound);
        for (std::uint64_t k = 0; k < slice; ++k) {
            const double temperature = m_startTemperature - step * static_cast<double>(m_keysInRound + k);
            Key candidate = m_current;
            randomMove(candidate);
            const Scored scored = score(candidate);
            const std::int64_t delta = scored.total - m_currentScore.total;
            if (delta >= 0 || static_cast<double>(delta) > temperature * m_logUniform[m_random.next() >> 20U]) {
                m_current = candidate;
                m_currentScore = scored;
                if (scored.total > m_bestTotal) {
                    m_best = candidate;
                    m_bestTotal = scored.total;
                    m_bestQuadgramScore = scored.quadgrams;
                    m_bestMismatches = scored.mismatches;
                    m_lastImprovedRound = m_round;
                }
            }
        }
        keys -= slice;
        m_keysTried += slice;
        m_keysInRound += slice;
        if (m_keysInRound == m_settings.keysPerRound)
            startRound();
    }
}

Square KeySearch::bestSquare() const
{
    const std::string_view alphabet = baseAlphabet(m_dimension);
    std::string cells(m_side * m_side, '\0');
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        cells[cell] = alphabet[m_best.symbolOfCell[cell]];
    return {m_dimension, std::move(cells)};
}

std::string KeySearch::bestPlaintext() const
{
    const std::string_view alphabet = baseAlphabet(m_dimension);
    std::string ciphertext(m_ciphertext.size(), '\0');
    for (std::size_t j = 0; j < ciphertext.size(); ++j)
        ciphertext[j] = alphabet[m_ciphertext[j]];
    return decipherPeriodic(ciphertext, bestSquare(), m_settings.period, 2).value;
}

}  // namespace bifid
