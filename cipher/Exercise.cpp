// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Exercise.h>

#include <cipher/Cleaning.h>
#include <cipher/Coding.h>
#include <cipher/Normalize.h>
#include <cipher/Periodic.h>

#include <algorithm>
#include <bitset>
#include <limits>

namespace bifid {

namespace {

// SplitMix64: a few multiplications and shifts of 64-bit unsigned integers, so every platform draws
// the same numbers from the same seed (the standard distributions differ between libraries).
class SeedGenerator {
public:
    explicit SeedGenerator(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        m_state += 0x9E3779B97F4A7C15U;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
        return z ^ (z >> 31U);
    }

    // Uniform in [0, count): values below 2^64 mod count are drawn again, so that none is favoured.
    // Every pick draws at least once, so that an empty list does not shift the later choices.
    std::size_t pick(std::size_t count)
    {
        std::uint64_t value = next();
        if (count == 0)
            return 0;
        const auto n = static_cast<std::uint64_t>(count);
        const std::uint64_t threshold = (std::numeric_limits<std::uint64_t>::max() - n + 1) % n;  // 2^64 mod n
        while (value < threshold)
            value = next();
        return static_cast<std::size_t>(value % n);
    }

private:
    std::uint64_t m_state;
};

// The characters of a task code, by value; the letters most easily misread are left out.
constexpr std::string_view kCodeCharacters = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::uint64_t kCodeBase = kCodeCharacters.size();
constexpr std::size_t kSettingsCharacters = 2;
constexpr std::size_t kSeedMinCharacters = 4;
constexpr std::size_t kCodeGroup = 4;
// A seed of 64 bits takes at most 13 characters of base 32; one more for the check.
static_assert(kTaskCodeMinLength == kSettingsCharacters + kSeedMinCharacters + 1);
static_assert(kTaskCodeMaxLength == kSettingsCharacters + 13 + 1);
// A prime, so that the check catches every single wrong character but one of 31 values apart, and
// every swap of two neighbours but those two.
constexpr std::uint64_t kCheckModulus = 31;

// The value of a code character as read: O as 0, I and L as 1; none for a character codes never hold.
std::optional<std::uint64_t> codeValue(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O')
        c = '0';
    if (c == 'I' || c == 'L')
        c = '1';
    const std::size_t value = kCodeCharacters.find(c);
    if (value == std::string_view::npos)
        return std::nullopt;
    return value;
}

std::uint64_t checkValue(std::span<const std::uint64_t> values)
{
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        sum = (sum + (i + 1) * values[i]) % kCheckModulus;
    return sum;
}

// Each setting as a digit of a mixed-radix number: the fixed choices first, "mixed" last.
constexpr std::uint64_t kDirectionChoices = 3;
constexpr std::uint64_t kDimensionChoices = 3;
constexpr std::uint64_t kDepthChoices = 3;
constexpr std::uint64_t kPeriodChoices = kExercisePeriods.size() + 1;
constexpr std::uint64_t kSourceChoices = 2;
constexpr std::uint64_t kSettingsCount
    = kDirectionChoices * kDimensionChoices * kDepthChoices * kPeriodChoices * kSourceChoices * kSourceChoices;
static_assert(kSettingsCount <= kCodeBase * kCodeBase);

std::uint64_t settingsNumber(const ExerciseSettings &settings)
{
    std::uint64_t number = !settings.direction ? 2 : *settings.direction == ExerciseDirection::Encipher ? 0 : 1;
    number = number * kDimensionChoices + (!settings.dimension ? 2 : *settings.dimension == Dimension::Five ? 0 : 1);
    number = number * kDepthChoices + (!settings.depth ? 2 : *settings.depth == 3 ? 1 : 0);
    std::uint64_t period = kExercisePeriods.size();
    if (settings.period) {
        const auto *found = std::find(kExercisePeriods.begin(), kExercisePeriods.end(), *settings.period);
        period = found == kExercisePeriods.end() ? 0 : static_cast<std::uint64_t>(found - kExercisePeriods.begin());
    }
    number = number * kPeriodChoices + period;
    number = number * kSourceChoices + (settings.text == ExerciseTextSource::MainWindow ? 1 : 0);
    return number * kSourceChoices + (settings.key == ExerciseKeySource::MainWindow ? 1 : 0);
}

ExerciseSettings settingsOf(std::uint64_t number)
{
    const auto take = [&number](std::uint64_t choices) {
        const std::uint64_t digit = number % choices;
        number /= choices;
        return digit;
    };
    ExerciseSettings settings;
    settings.key = take(kSourceChoices) == 1 ? ExerciseKeySource::MainWindow : ExerciseKeySource::WordList;
    settings.text = take(kSourceChoices) == 1 ? ExerciseTextSource::MainWindow : ExerciseTextSource::SentenceList;
    if (const std::uint64_t period = take(kPeriodChoices); period < kExercisePeriods.size())
        settings.period = kExercisePeriods[period];
    if (const std::uint64_t depth = take(kDepthChoices); depth < 2)
        settings.depth = 2 + int(depth);
    if (const std::uint64_t dimension = take(kDimensionChoices); dimension < 2)
        settings.dimension = dimension == 0 ? Dimension::Five : Dimension::Six;
    if (const std::uint64_t direction = take(kDirectionChoices); direction < 2)
        settings.direction = direction == 0 ? ExerciseDirection::Encipher : ExerciseDirection::Decipher;
    return settings;
}

// The text as the square codes it: the 5 X 5 square has no J.
std::string squareLetters(std::string text, Dimension dimension)
{
    if (dimension == Dimension::Five)
        std::replace(text.begin(), text.end(), 'J', 'I');
    return text;
}

std::string withoutJ(std::string text)
{
    std::erase(text, 'J');
    return text;
}

// The plaintext read back, with J wherever the stated plaintext has it and the square gave I.
std::string withJRestored(std::string result, std::string_view plaintext)
{
    for (std::size_t i = 0; i < std::min(result.size(), plaintext.size()); ++i) {
        if (plaintext[i] == 'J' && result[i] == 'I')
            result[i] = 'J';
    }
    return result;
}

std::string coordinatesOf(std::string_view text, const Square &square)
{
    return codeCoordinates(text, square).value;
}

// As far as the code can be read: a wrong digit ends the reading.
std::string readThrough(std::string_view code, const Square &square)
{
    return readThroughSquare(code, square).value;
}

std::string swapPairs(std::string digits)
{
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        std::swap(digits[i], digits[i + 1]);
    return digits;
}

// The digits of each block: a block of `period` letters holds 2 * period digits; period 0 is one block.
std::vector<std::string_view> blocksOf(std::string_view digits, std::size_t period)
{
    std::vector<std::string_view> blocks;
    if (digits.empty())
        return blocks;
    const std::size_t length = period == 0 ? digits.size() : 2 * period;
    blocks.reserve((digits.size() + length - 1) / length);
    for (std::size_t start = 0; start < digits.size(); start += length)
        blocks.push_back(digits.substr(start, length));
    return blocks;
}

// A block's code cut into the rows the fractionation gave it: the first length % depth rows are one
// digit longer.
std::vector<std::string> cutIntoRows(std::string_view code, int depth)
{
    const auto rowCount = static_cast<std::size_t>(std::max(depth, 1));
    std::vector<std::string> rows;
    rows.reserve(rowCount);
    for (std::size_t k = 0, start = 0; k < rowCount; ++k) {
        const std::size_t length = code.size() / rowCount + (k < code.size() % rowCount ? 1 : 0);
        rows.emplace_back(code.substr(start, length));
        start += length;
    }
    return rows;
}

enum class RowOrder { FirstToLast, LastToFirst };

// Digit c of every row in turn, then digit c + 1: the coordinates the rows were dealt from.
std::string readAcross(const std::vector<std::string> &rows, RowOrder order)
{
    std::string digits;
    const std::size_t longest = rows.empty() ? 0 : rows.front().size();
    for (std::size_t c = 0; c < longest; ++c) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string &row = rows[order == RowOrder::FirstToLast ? i : rows.size() - 1 - i];
            if (c < row.size())
                digits += row[c];
        }
    }
    return digits;
}

std::string dealBlocks(std::string_view coordinates, std::size_t period, int depth)
{
    std::string code;
    for (const std::string_view block : blocksOf(coordinates, period))
        code += joinRows(fractionate(block, depth));
    return code;
}

std::string readBackBlocks(std::string_view code, std::size_t period, int depth, RowOrder order)
{
    std::string coordinates;
    for (const std::string_view block : blocksOf(code, period))
        coordinates += readAcross(cutIntoRows(block, depth), order);
    return coordinates;
}

std::string joinRowsReversed(std::string_view rows, std::size_t period, int depth)
{
    std::string code;
    for (const std::string_view block : blocksOf(rows, period)) {
        std::vector<std::string> cut = cutIntoRows(block, depth);
        std::reverse(cut.begin(), cut.end());
        code += joinRows(cut);
    }
    return code;
}

// A typed field as it counts: no blanks or line breaks, small letters as capitals.
struct CompactField {
    std::string text;
    std::vector<std::size_t> places;
};

CompactField compact(std::string_view typed)
{
    CompactField field;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        char c = typed[i];
        if (isLayoutCharacter(c))
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        field.text += c;
        field.places.push_back(i);
    }
    return field;
}

std::size_t agreement(std::string_view typed, std::string_view answer)
{
    return static_cast<std::size_t>(
        std::mismatch(typed.begin(), typed.end(), answer.begin(), answer.end()).first - typed.begin());
}

struct Candidate {
    Mistake mistake;
    std::string answer;
    bool inOneLetter = false;  // the mistake can be made at a single letter, the rest being right
};

// Everything the candidates of a field are computed from.
struct ExerciseContext {
    const ExerciseTask &task;
    std::string plaintext;
    Square square;
    Square unkeyed;
    ExerciseSolution solution;
};

// The field as each mistake would make it from `input`, the field before it; `carriedOver` when the
// input is the learner's own field with a mistake, so that the right step from it is a candidate too.
std::vector<Candidate> candidatesFor(
    const ExerciseContext &context, ExerciseField field, std::string_view input, bool carriedOver)
{
    const ExerciseTask &task = context.task;
    const bool enciphering = task.direction == ExerciseDirection::Encipher;
    const bool noJ = task.dimension == Dimension::Five;
    const Square &square = context.square;
    std::vector<Candidate> candidates;
    const auto add = [&candidates](Mistake mistake, std::string answer, bool inOneLetter = false) {
        candidates.push_back({mistake, std::move(answer), inOneLetter});
    };
    switch (field) {
    case ExerciseField::Coordinates:
        add(Mistake::RowAndColumnSwapped, swapPairs(context.solution.coordinates), true);
        add(Mistake::UnkeyedSquare,
            coordinatesOf(squareLetters(context.solution.given, task.dimension), context.unkeyed), true);
        if (enciphering && noJ)
            add(Mistake::JNotTakenAsI,
                coordinatesOf(squareLetters(withoutJ(context.plaintext), task.dimension), square));
        break;
    case ExerciseField::Rows:
        if (carriedOver)
            add(Mistake::CarriedOver, enciphering ? dealBlocks(input, task.period, task.depth) : std::string(input));
        if (enciphering)
            add(Mistake::AcrossBlocks, dealBlocks(input, 0, task.depth));
        break;
    case ExerciseField::Code:
        if (enciphering) {
            if (carriedOver)
                add(Mistake::CarriedOver, std::string(input));
            add(Mistake::RowsReversed, joinRowsReversed(input, task.period, task.depth));
            add(Mistake::RowsReadCrosswise, readBackBlocks(input, task.period, task.depth, RowOrder::FirstToLast));
        } else {
            if (carriedOver)
                add(Mistake::CarriedOver, readBackBlocks(input, task.period, task.depth, RowOrder::FirstToLast));
            add(Mistake::AcrossBlocks, readBackBlocks(input, 0, task.depth, RowOrder::FirstToLast));
            add(Mistake::RowsReversed, readBackBlocks(input, task.period, task.depth, RowOrder::LastToFirst));
            add(Mistake::RowsReadCrosswise, std::string(input));
        }
        break;
    case ExerciseField::Result:
        if (carriedOver)
            add(Mistake::CarriedOver, readThrough(input, square));
        add(Mistake::RowAndColumnSwapped, readThrough(swapPairs(std::string(input)), square), true);
        add(Mistake::UnkeyedSquare, readThrough(input, context.unkeyed), true);
        if (!enciphering && noJ)
            add(Mistake::JNotTakenAsI, withJRestored(readThrough(input, square), context.plaintext), true);
        break;
    }
    return candidates;
}

std::string_view from(std::string_view text, std::size_t place)
{
    return place < text.size() ? text.substr(place) : std::string_view();
}

// Up to where the typed field agrees with a candidate, from the start of its first wrong letter (a
// letter of the field is `letterWidth` characters wide): the mistake made from there on, or, for a
// mistake of single letters, made at that letter only and the rest right.
std::size_t reach(std::string_view typed, std::size_t wrong, std::string_view right, const Candidate &candidate,
    std::size_t letterWidth)
{
    const std::size_t start = wrong - wrong % letterWidth;
    std::size_t reached = agreement(from(typed, start), from(candidate.answer, start));
    if (candidate.inOneLetter) {
        const std::size_t end = std::min(start + letterWidth, typed.size());
        if (agreement(typed.substr(start, end - start), from(candidate.answer, start)) == end - start)
            reached = std::max(reached, end - start + agreement(from(typed, end), from(right, end)));
    }
    return start + reached;
}

// The candidate the field agrees with furthest, if that is beyond its first wrong character by two
// characters or to its end: a single character may agree by chance.
std::optional<Mistake> causeOf(std::string_view typed, std::size_t wrong, std::string_view right,
    const std::vector<Candidate> &candidates, std::size_t letterWidth)
{
    std::optional<Mistake> cause;
    std::size_t furthest = wrong + std::min<std::size_t>(2, typed.size() - wrong) - 1;
    for (const Candidate &candidate : candidates) {
        const std::size_t reached = reach(typed, wrong, right, candidate, letterWidth);
        if (reached > furthest) {
            furthest = reached;
            cause = candidate.mistake;
        }
    }
    return cause;
}

}  // namespace

std::optional<std::uint64_t> parseSeed(std::string_view text)
{
    while (!text.empty() && isLayoutCharacter(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isLayoutCharacter(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    std::uint64_t seed = 0;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (seed > (kLargest - digit) / 10)
            return std::nullopt;
        seed = 10 * seed + digit;
    }
    return seed;
}

ExerciseTask drawExercise(std::uint64_t seed, std::span<const std::string> sentences,
    std::span<const std::string> keywords, const ExerciseSettings &settings)
{
    SeedGenerator random(seed);
    ExerciseTask task;
    if (const std::size_t sentence = random.pick(sentences.size()); !sentences.empty())
        task.sentence = sentences[sentence];
    if (const std::size_t keyword = random.pick(keywords.size()); !keywords.empty())
        task.keyword = keywords[keyword];
    task.dimension = random.pick(2) == 0 ? Dimension::Five : Dimension::Six;
    task.depth = 2 + static_cast<int>(random.pick(2));
    task.period = kExercisePeriods[random.pick(kExercisePeriods.size())];
    task.direction = random.pick(2) == 0 ? ExerciseDirection::Encipher : ExerciseDirection::Decipher;
    task.dimension = settings.dimension.value_or(task.dimension);
    task.depth = settings.depth.value_or(task.depth);
    task.period = settings.period.value_or(task.period);
    task.direction = settings.direction.value_or(task.direction);
    return task;
}

std::vector<std::string> exerciseKeywords(std::span<const std::string> list)
{
    std::vector<std::string> words;
    for (const std::string &entry : list) {
        const bool lettersOnly = !entry.empty() && std::all_of(entry.begin(), entry.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
        if (lettersOnly && std::find(words.begin(), words.end(), entry) == words.end())
            words.push_back(entry);
    }
    return words;
}

std::string formatTaskCode(const TaskCode &code)
{
    std::vector<std::uint64_t> values;
    const std::uint64_t settings = settingsNumber(code.settings);
    values.push_back(settings / kCodeBase);
    values.push_back(settings % kCodeBase);
    std::vector<std::uint64_t> seed;
    for (std::uint64_t rest = code.seed; rest > 0 || seed.size() < kSeedMinCharacters; rest /= kCodeBase)
        seed.push_back(rest % kCodeBase);
    values.insert(values.end(), seed.rbegin(), seed.rend());
    values.push_back(checkValue(values));
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && i % kCodeGroup == 0)
            text += '-';
        text += kCodeCharacters[values[i]];
    }
    return text;
}

TaskCodeReading readTaskCode(std::string_view typed)
{
    TaskCodeReading reading;
    std::vector<std::uint64_t> values;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '-' || isLayoutCharacter(c))
            continue;
        const std::optional<std::uint64_t> value = codeValue(c);
        if (!value) {
            reading.error = TaskCodeError::BadCharacter;
            reading.place = i;
            reading.character = c;
            return reading;
        }
        values.push_back(*value);
    }
    if (values.empty())
        reading.error = TaskCodeError::Empty;
    else if (values.size() < kTaskCodeMinLength)
        reading.error = TaskCodeError::TooShort;
    else if (values.size() > kTaskCodeMaxLength)
        reading.error = TaskCodeError::TooLong;
    else if (checkValue(std::span(values).first(values.size() - 1)) != values.back())
        reading.error = TaskCodeError::Mistyped;
    if (reading.error != TaskCodeError::None)
        return reading;

    const std::uint64_t settings = values[0] * kCodeBase + values[1];
    std::uint64_t seed = 0;
    for (std::size_t i = kSettingsCharacters; i + 1 < values.size(); ++i) {
        if (seed > (std::numeric_limits<std::uint64_t>::max() - values[i]) / kCodeBase) {
            reading.error = TaskCodeError::TooLong;
            return reading;
        }
        seed = seed * kCodeBase + values[i];
    }
    if (settings >= kSettingsCount) {
        reading.error = TaskCodeError::NoSuchSettings;
        return reading;
    }
    reading.code = TaskCode{settingsOf(settings), seed};
    return reading;
}

std::string exercisePlaintext(const ExerciseTask &task)
{
    return cleanText(task.sentence, task.dimension == Dimension::Six, Dimension::Six);
}

KeyedSquare exerciseSquare(const ExerciseTask &task)
{
    KeyedSquare keyed{task.square ? *task.square : classicalSquare(task.keyword, task.dimension), {}};
    // The classical rule lays the keyword's letters first, so they are the cells of the letters it has.
    std::bitset<256> inKeyword;
    for (const char c : squareLetters(cleanText(task.keyword, true, Dimension::Six), task.dimension))
        inKeyword.set(static_cast<unsigned char>(c));
    for (std::size_t cell = 0; cell < keyed.square.cellCount(); ++cell)
        keyed.keywordCells[cell] = inKeyword[static_cast<unsigned char>(keyed.square[cell])];
    return keyed;
}

std::string ExerciseSolution::field(ExerciseField which) const
{
    switch (which) {
    case ExerciseField::Coordinates: return coordinates;
    case ExerciseField::Rows: return joinRows(rows);
    case ExerciseField::Code: return code;
    case ExerciseField::Result: return result;
    }
    return {};
}

ExerciseSolution solveExercise(const ExerciseTask &task)
{
    const Square square = exerciseSquare(task).square;
    const std::string plaintext = exercisePlaintext(task);
    const std::string letters = squareLetters(plaintext, task.dimension);
    ExerciseSolution solution;
    if (task.direction == ExerciseDirection::Encipher) {
        solution.given = plaintext;
        solution.coordinates = coordinatesOf(letters, square);
        for (const std::string_view block : blocksOf(solution.coordinates, task.period)) {
            for (std::string &row : fractionate(block, task.depth))
                solution.rows.push_back(std::move(row));
        }
        solution.code = joinRows(solution.rows);
    } else {
        solution.given = encipherPeriodic(letters, square, task.period, task.depth).value;
        solution.coordinates = coordinatesOf(solution.given, square);
        for (const std::string_view block : blocksOf(solution.coordinates, task.period)) {
            for (std::string &row : cutIntoRows(block, task.depth))
                solution.rows.push_back(std::move(row));
        }
        solution.code = readBackBlocks(solution.coordinates, task.period, task.depth, RowOrder::FirstToLast);
    }
    solution.result = readThrough(solution.code, square);
    return solution;
}

std::array<FieldCheck, kExerciseFieldCount> checkExercise(
    const ExerciseTask &task, const std::array<std::string_view, kExerciseFieldCount> &typed)
{
    const ExerciseContext context{task, exercisePlaintext(task), exerciseSquare(task).square,
        classicalSquare({}, task.dimension), solveExercise(task)};
    std::array<FieldCheck, kExerciseFieldCount> checks;
    std::string previousTyped;
    bool previousHasMistake = false;
    for (std::size_t f = 0; f < kExerciseFieldCount; ++f) {
        const auto field = static_cast<ExerciseField>(f);
        CompactField compacted = compact(typed[f]);
        const std::string right = context.solution.field(field);
        FieldCheck &check = checks[f];
        check.expected = right.size();
        check.correct = agreement(compacted.text, right);
        for (std::size_t i = 0; i < std::min(compacted.text.size(), right.size()); ++i)
            check.matching += compacted.text[i] == right[i] ? 1 : 0;
        check.places = std::move(compacted.places);
        if (check.hasMistake()) {
            // The learner's own field before, where it went wrong; else the right one, which it agrees with.
            std::string input = previousTyped;
            if (!previousHasMistake && f > 0)
                input = context.solution.field(static_cast<ExerciseField>(f - 1));
            const std::size_t letterWidth = field == ExerciseField::Coordinates ? 2 : 1;
            check.cause = causeOf(compacted.text, check.correct, right,
                candidatesFor(context, field, input, previousHasMistake), letterWidth);
        }
        previousTyped = std::move(compacted.text);
        previousHasMistake = check.hasMistake();
    }
    return checks;
}

}  // namespace bifid
