// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/KeySearch.h>

#include <cipher/PeriodTest.h>
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
// The default length of a start: long enough that a start from a shuffled square solves a text of a
// few hundred letters, short enough that a short text gets many starts.
constexpr std::uint64_t kDefaultStartKeys = 200'000;
// Every second start of a period sets out from its best square with a few cells moved, at a lower
// temperature and for a shorter time; the others from a shuffled square.
constexpr std::uint64_t kExploitEvery = 2;
constexpr double kExploitHeat = 0.5;
constexpr std::uint64_t kExploitLengthShare = 2;  // a half
constexpr std::uint32_t kFewestKicks = 3;
constexpr std::uint32_t kKickRange = 4;  // 3 to 6 moves
// Plaintexts that agree in more than this share of letters are one candidate.
constexpr double kSameCandidate = 0.8;
constexpr std::size_t kListedCandidates = 5;
// How the starts spread over the candidate periods, in bits a quadgram: a period whose best lies this far
// below the best period's gets 1/e of its starts; every period keeps a share by its statistic.
constexpr double kPeriodSpread = 0.25;
constexpr double kPeriodFloor = 0.02;
// With the period unknown, a wrong period's best is reached by start after start as well, but it leads
// the other periods' bests by little (0.2 bits a quadgram in a measured case of 100 letters), where a
// solved period leads by 3 to 5 bits: agreeing starts end the search only with this lead.
constexpr double kClearLead = 1.0;

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

// The fewest letters of `crib` that differ from the plaintext at `position`, or at any place, and the
// first place with that many.
struct CribFit {
    std::size_t mismatches = 0;
    std::optional<std::size_t> place;
};

CribFit fitOf(std::string_view plaintext, std::string_view crib, std::optional<std::size_t> position)
{
    const std::size_t length = crib.size();
    if (length == 0)
        return {};
    if (length > plaintext.size())
        return {length, std::nullopt};
    const auto mismatchesAt = [&](std::size_t place) {
        std::size_t mismatches = 0;
        for (std::size_t k = 0; k < length; ++k)
            mismatches += plaintext[place + k] != crib[k] ? 1 : 0;
        return mismatches;
    };
    if (position) {
        if (*position > plaintext.size() - length)
            return {length, std::nullopt};
        return {mismatchesAt(*position), position};
    }
    CribFit fewest{length + 1, std::nullopt};
    for (std::size_t place = 0; place + length <= plaintext.size() && fewest.mismatches > 0; ++place)
        if (const std::size_t mismatches = mismatchesAt(place); mismatches < fewest.mismatches)
            fewest = {mismatches, place};
    return fewest;
}

// Plaintexts that agree in most letters are one candidate.
bool sameCandidate(const std::vector<std::uint8_t> &plaintext, const std::vector<std::uint8_t> &other)
{
    std::size_t agree = 0;
    for (std::size_t i = 0; i < plaintext.size(); ++i)
        agree += plaintext[i] == other[i] ? 1 : 0;
    return static_cast<double>(agree) > kSameCandidate * static_cast<double>(plaintext.size());
}

}  // namespace

std::size_t cribMismatches(std::string_view plaintext, const Crib &crib)
{
    return fitOf(plaintext, crib.text, crib.position).mismatches;
}

std::optional<std::size_t> cribPlace(std::string_view plaintext, const Crib &crib)
{
    return fitOf(plaintext, crib.text, crib.position).place;
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
    m_settings.depth = std::clamp(settings.depth, 2, 5);
    const std::array<int, 256> symbolOf = symbolTable(m_dimension);
    m_ciphertext.reserve(ciphertext.size());
    for (char c : ciphertext)
        if (const int symbol = symbolOf[static_cast<unsigned char>(c)]; symbol >= 0)
            m_ciphertext.push_back(static_cast<std::uint8_t>(symbol));
    for (char c : settings.crib.text)
        if (const int symbol = symbolOf[static_cast<unsigned char>(c)]; symbol >= 0)
            m_cribSymbols.push_back(static_cast<std::uint8_t>(symbol));

    const std::size_t n = m_ciphertext.size();
    m_digits.resize(2 * n);
    m_plaintext.resize(n);
    for (std::size_t k = 0; k < m_logUniform.size(); ++k)
        m_logUniform[k] = std::log((static_cast<double>(k) + 0.5) / static_cast<double>(m_logUniform.size()));
    m_heatPerHundred = settings.startTemperature > 0 ? settings.startTemperature : kDefaultStartTemperature;
    m_defaultLength = settings.keysPerStart > 0 ? settings.keysPerStart : kDefaultStartKeys;

    // The candidate periods: a period of the text's length or more is one block, as period 0 is.
    std::vector<std::size_t> periods;
    if (settings.findPeriod) {
        periods.push_back(0);
        for (std::size_t period = 1; period <= settings.maxPeriod && period < n; ++period)
            periods.push_back(period);
    } else {
        periods.push_back(settings.period);
    }
    const std::string_view alphabet = baseAlphabet(m_dimension);
    std::string letters(n, '\0');
    for (std::size_t j = 0; j < n; ++j)
        letters[j] = alphabet[m_ciphertext[j]];
    // One pass over the letters gives the statistic of every period but the single block.
    const PeriodStatistic statistic = settings.findPeriod
        ? periodStatistic(letters, m_dimension, periods.back(), m_settings.depth)
        : PeriodStatistic{};
    double strongest = 1;
    double weakest = 1;
    for (std::size_t period : periods) {
        PeriodCandidate candidate;
        candidate.period = period;
        candidate.keyless = period == 1;
        candidate.statistic = settings.findPeriod && period > 0
            ? statistic.values[period - 1]
            : periodStatisticValue(letters, m_dimension, period, m_settings.depth);
        strongest = std::max(strongest, candidate.statistic);
        weakest = std::min(weakest, candidate.statistic);
        m_candidates.push_back(candidate);
    }
    for (PeriodCandidate &candidate : m_candidates)
        candidate.prior = strongest > weakest ? (candidate.statistic - weakest) / (strongest - weakest) : 0;

    // A period whose plaintext is the ciphertext under every square is scored once.
    shuffle(m_current);
    for (std::size_t index = 0; index < m_candidates.size(); ++index) {
        PeriodCandidate &candidate = m_candidates[index];
        if (!candidate.keyless)
            continue;
        useCandidate(index);
        candidate.best = {m_current, score(m_current), index};
        candidate.starts = 1;
        std::vector<std::uint8_t> plain;
        decipherSymbols(m_current, index, plain);
        list(candidate.best, std::move(plain));
    }

    m_finished = n < 4;
    if (m_finished || std::all_of(m_candidates.begin(), m_candidates.end(), [](const PeriodCandidate &candidate) {
            return candidate.keyless;
        })) {
        m_finished = true;
        useCandidate(0);
        m_best = {m_current, score(m_current), 0};
        return;
    }
    beginStart();
    m_best = m_startBest;
    for (const PeriodCandidate &candidate : m_candidates)
        if (candidate.starts > 0 && candidate.best.scored.total > m_best.scored.total)
            m_best = candidate.best;
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
    const std::uint32_t *sources = m_sources.data();
    for (std::size_t i = 0; i < n; ++i)
        plain[i] = key.symbolOfCell[digits[sources[2 * i]] * m_side + digits[sources[2 * i + 1]]];

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
        scored.mismatches = fitOf(plainText, cribText, m_cribPosition).mismatches;
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
    const double left = 1.0 - static_cast<double>(m_keysInStart) / static_cast<double>(m_startLength);
    return m_startHeat * left * 100.0 / static_cast<double>(std::max<std::size_t>(letters(), 1));
}

// With one period, the only one; else each candidate once, the strongest statistic first, then the
// candidate that has had the fewest starts for its weight: the closer its best score to the best
// period's and the stronger its statistic, the more starts it gets.
std::size_t KeySearch::nextCandidate()
{
    std::size_t chosen = m_candidates.size();
    for (std::size_t index = 0; index < m_candidates.size(); ++index) {
        const PeriodCandidate &candidate = m_candidates[index];
        if (candidate.starts == 0 && (chosen == m_candidates.size() || candidate.prior > m_candidates[chosen].prior))
            chosen = index;
    }
    if (chosen < m_candidates.size())
        return chosen;
    double bestBits = -1e300;
    for (const PeriodCandidate &candidate : m_candidates)
        bestBits = std::max(bestBits, log2PerQuadgram(candidate.best.scored.total, letters()));
    double fewest = 1e300;
    for (std::size_t index = 0; index < m_candidates.size(); ++index) {
        const PeriodCandidate &candidate = m_candidates[index];
        if (candidate.keyless)
            continue;
        const double below = bestBits - log2PerQuadgram(candidate.best.scored.total, letters());
        const double weight = std::exp(-below / kPeriodSpread) + kPeriodFloor * (1 + candidate.prior);
        const double load = static_cast<double>(candidate.starts + 1) / weight;
        if (load < fewest) {
            fewest = load;
            chosen = index;
        }
    }
    return chosen;
}

void KeySearch::beginStart()
{
    m_candidate = nextCandidate();
    PeriodCandidate &candidate = m_candidates[m_candidate];
    useCandidate(m_candidate);
    m_fresh = candidate.starts % kExploitEvery == 0;
    ++candidate.starts;
    ++m_starts;
    m_keysInStart = 0;
    const double heat = m_heatPerHundred * static_cast<double>(letters()) / 100.0;
    if (m_fresh) {
        shuffle(m_current);
        m_startHeat = heat;
        m_startLength = m_defaultLength;
    } else {
        // Exploring around the period's best square: a few cells moved, then a shorter, cooler annealing.
        m_current = candidate.best.key;
        const std::uint32_t kicks = kFewestKicks + m_random.below(kKickRange);
        for (std::uint32_t k = 0; k < kicks; ++k)
            randomMove(m_current);
        m_startHeat = heat * kExploitHeat;
        m_startLength = std::max<std::uint64_t>(m_defaultLength / kExploitLengthShare, 1);
    }
    m_currentScore = score(m_current);
    m_startBest = {m_current, m_currentScore, m_candidate};
    if (m_currentScore.total > m_best.scored.total)
        m_best = m_startBest;
}

void KeySearch::endStart()
{
    PeriodCandidate &candidate = m_candidates[m_candidate];
    if (m_startBest.scored.total > candidate.best.scored.total)
        candidate.best = m_startBest;
    std::vector<std::uint8_t> &plain = m_plaintext;
    decipherSymbols(m_startBest.key, m_candidate, plain);
    list(m_startBest, plain);
    if (m_startBest.scored.total > m_agreedTotal) {
        m_agreedTotal = m_startBest.scored.total;
        m_agreedPlaintext = plain;
        m_agreedCandidate = m_candidate;
        m_agreeing = m_fresh ? 1 : 0;
    } else if (m_fresh && m_startBest.scored.total == m_agreedTotal && plain == m_agreedPlaintext) {
        ++m_agreeing;
    }
    const bool everyPeriodStarted = std::all_of(
        m_candidates.begin(), m_candidates.end(), [](const PeriodCandidate &each) { return each.starts > 0; });
    bool keylessBest = false;
    for (const PeriodCandidate &each : m_candidates)
        keylessBest = keylessBest || (each.keyless && each.best.scored.total >= m_agreedTotal);
    if (everyPeriodStarted && ((m_agreeing >= m_settings.agreeingStarts && agreedLeadsClearly()) || keylessBest))
        m_finished = true;
}

bool KeySearch::agreedLeadsClearly() const
{
    const double agreed = log2PerQuadgram(m_agreedTotal, letters());
    for (std::size_t index = 0; index < m_candidates.size(); ++index) {
        const double other = log2PerQuadgram(m_candidates[index].best.scored.total, letters());
        if (index != m_agreedCandidate && agreed - other < kClearLead)
            return false;
    }
    return true;
}

void KeySearch::run(std::uint64_t keys)
{
    while (keys > 0 && !m_finished) {
        const double step = m_startHeat / static_cast<double>(m_startLength);
        const std::uint64_t slice = std::min(keys, m_startLength - m_keysInStart);
        for (std::uint64_t k = 0; k < slice; ++k) {
            const double temperature = m_startHeat - step * static_cast<double>(m_keysInStart + k);
            Key candidate = m_current;
            randomMove(candidate);
            const Scored scored = score(candidate);
            const std::int64_t delta = scored.total - m_currentScore.total;
            if (delta >= 0 || static_cast<double>(delta) > temperature * m_logUniform[m_random.next() >> 20U]) {
                m_current = candidate;
                m_currentScore = scored;
                if (scored.total > m_startBest.scored.total) {
                    m_startBest.key = candidate;
                    m_startBest.scored = scored;
                    if (scored.total > m_best.scored.total)
                        m_best = m_startBest;
                }
            }
        }
        keys -= slice;
        m_keysTried += slice;
        m_keysInStart += slice;
        if (m_keysInStart == m_startLength) {
            endStart();
            if (!m_finished)
                beginStart();
        }
    }
}

// Keeps the best distinct results: a result that agrees with a listed one in most letters replaces it
// only when it is better.
void KeySearch::list(const Found &found, std::vector<std::uint8_t> plaintext)
{
    Listed listed{found, std::move(plaintext)};
    const auto same = [&](const Listed &other) { return sameCandidate(listed.plaintext, other.plaintext); };
    for (const Listed &other : m_listed)
        if (same(other) && other.found.scored.total >= found.scored.total)
            return;
    std::erase_if(m_listed, same);
    const auto place = std::find_if(m_listed.begin(), m_listed.end(),
        [&](const Listed &other) { return other.found.scored.total < found.scored.total; });
    m_listed.insert(place, std::move(listed));
    if (m_listed.size() > kListedCandidates)
        m_listed.pop_back();
}

std::size_t KeySearch::agreeingStarts() const
{
    return m_best.scored.total == m_agreedTotal ? m_agreeing : 0;
}

std::vector<KeySearch::Candidate> KeySearch::candidates() const
{
    // The best square may belong to the start at hand, which is listed once it ends.
    std::vector<const Found *> found;
    found.push_back(&m_best);
    std::vector<std::uint8_t> bestPlain;
    decipherSymbols(m_best.key, m_best.candidate, bestPlain);
    for (const Listed &listed : m_listed) {
        if (found.size() == kListedCandidates)
            break;
        if (!sameCandidate(bestPlain, listed.plaintext))
            found.push_back(&listed.found);
    }
    std::vector<Candidate> result;
    result.reserve(found.size());
    for (const Found *each : found)
        result.push_back({squareOf(each->key), m_candidates[each->candidate].period, each->scored.quadgrams,
            each->scored.mismatches, plaintextOf(each->key, each->candidate)});
    return result;
}

std::vector<KeySearch::PeriodResult> KeySearch::periods() const
{
    std::vector<PeriodResult> result;
    for (const PeriodCandidate &candidate : m_candidates) {
        PeriodResult period{candidate.period, candidate.statistic, candidate.starts, candidate.best.scored.quadgrams};
        // The start at hand may have reached more than the period's ended starts.
        if (&candidate == &m_candidates[m_candidate] && !candidate.keyless
            && m_startBest.scored.total > candidate.best.scored.total)
            period.bestScore = m_startBest.scored.quadgrams;
        result.push_back(period);
    }
    return result;
}

void KeySearch::decipherSymbols(const Key &key, std::size_t candidate, std::vector<std::uint8_t> &plain) const
{
    const std::size_t n = m_ciphertext.size();
    std::vector<std::uint32_t> otherSources;
    if (candidate != m_sourcesCandidate || m_sources.empty())
        otherSources = sourcesOf(candidate);
    const std::uint32_t *sources = otherSources.empty() ? m_sources.data() : otherSources.data();
    plain.resize(n);
    const auto digit = [&](std::uint32_t place) {
        const std::uint8_t symbol = m_ciphertext[place / 2];
        return place % 2 == 0 ? key.rowOf[symbol] : key.columnOf[symbol];
    };
    for (std::size_t i = 0; i < n; ++i)
        plain[i] = key.symbolOfCell[digit(sources[2 * i]) * m_side + digit(sources[2 * i + 1])];
}

std::vector<std::uint32_t> KeySearch::sourcesOf(std::size_t candidate) const
{
    const std::vector<std::size_t> places
        = codePlaces(m_ciphertext.size(), m_candidates[candidate].period, m_settings.depth);
    std::vector<std::uint32_t> sources(places.size());
    std::transform(places.begin(), places.end(), sources.begin(),
        [](std::size_t place) { return static_cast<std::uint32_t>(place); });
    return sources;
}

void KeySearch::useCandidate(std::size_t candidate)
{
    if (candidate == m_sourcesCandidate && !m_sources.empty())
        return;
    m_sources = sourcesOf(candidate);
    m_sourcesCandidate = candidate;
}

Square KeySearch::squareOf(const Key &key) const
{
    const std::string_view alphabet = baseAlphabet(m_dimension);
    std::string cells(m_side * m_side, '\0');
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        cells[cell] = alphabet[key.symbolOfCell[cell]];
    return {m_dimension, std::move(cells)};
}

std::string KeySearch::plaintextOf(const Key &key, std::size_t candidate) const
{
    std::vector<std::uint8_t> plain;
    decipherSymbols(key, candidate, plain);
    const std::string_view alphabet = baseAlphabet(m_dimension);
    std::string text(plain.size(), '\0');
    for (std::size_t i = 0; i < plain.size(); ++i)
        text[i] = alphabet[plain[i]];
    return text;
}

}  // namespace bifid
