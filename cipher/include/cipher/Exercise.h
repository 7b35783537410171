// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Bifid exercises worked by hand: a task drawn from a seed, the right content of the learner's four
// fields, and the mistake finder that says where each field first goes wrong and what probably went
// wrong, by recomputing the step under each typical mistake.

#include <cipher/Alphabet.h>
#include <cipher/Square.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bifid {

enum class ExerciseDirection { Encipher, Decipher };

struct ExerciseTask {
    std::string sentence;  // the text the task is about, as drawn or given
    std::string keyword;  // as listed
    Dimension dimension = Dimension::Five;
    int depth = 2;  // 2 or 3
    std::size_t period = 0;  // 0 for none, else 4 to 7
    ExerciseDirection direction = ExerciseDirection::Encipher;
    // A square given with the task, such as one keyed under another arrangement; without it the
    // task keys the classical square with the keyword.
    std::optional<Square> square{};

    bool operator==(const ExerciseTask &) const = default;
};

enum class ExerciseTextSource { SentenceList, MainWindow };
enum class ExerciseKeySource { WordList, MainWindow };

// What a teacher sets for a lesson. A choice left empty ("gemischt") is drawn from the seed. The
// sources name where the text and the key come from; drawExercise always draws both from its lists,
// and the caller puts the other text or key in.
struct ExerciseSettings {
    std::optional<ExerciseDirection> direction;
    std::optional<Dimension> dimension;
    std::optional<int> depth;  // 2 or 3
    std::optional<std::size_t> period;  // 0 or 4 to 7
    ExerciseTextSource text = ExerciseTextSource::SentenceList;
    ExerciseKeySource key = ExerciseKeySource::WordList;

    bool operator==(const ExerciseSettings &) const = default;
};

// The periods a task may have: none, or 4 to 7.
inline constexpr std::array<std::size_t, 5> kExercisePeriods{0, 4, 5, 6, 7};

// A task worked by hand stays short, and so does the worksheet it prints on.
inline constexpr std::size_t kMaxExerciseLetters = 40;

// A seed typed as text: decimal digits only, blanks around them allowed, at most 2^64 - 1.
[[nodiscard]] std::optional<std::uint64_t> parseSeed(std::string_view text);

// The task of a seed: the sentence, keyword, dimension, depth, period and direction are drawn in this
// order by a generator of fixed integer arithmetic, so the same seed and lists give the same task on
// every platform. A choice the settings fix is drawn all the same and then replaced, so that fixing
// one choice leaves the others of a seed as they were. An empty list gives an empty sentence or keyword.
[[nodiscard]] ExerciseTask drawExercise(std::uint64_t seed, std::span<const std::string> sentences,
    std::span<const std::string> keywords, const ExerciseSettings &settings = {});

// The keywords a task draws from: the words of a keyword list that a person keys a square with by
// hand, made of letters only (no digits or other characters), each once, in the list's order.
[[nodiscard]] std::vector<std::string> exerciseKeywords(std::span<const std::string> list);

// A task code holds the settings and the seed in one short string to read out or write on the board:
// two characters for the settings, at least four for the seed and one check character, in groups of
// four ("0K3F-9Q2"). Its characters are the digits and the capitals without I, L, O and U; reading a
// code ignores blanks and dashes, takes small letters as capitals, and O as 0, I and L as 1.
struct TaskCode {
    ExerciseSettings settings;
    std::uint64_t seed = 0;

    bool operator==(const TaskCode &) const = default;
};

[[nodiscard]] std::string formatTaskCode(const TaskCode &code);

enum class TaskCodeError {
    None,
    Empty,
    BadCharacter,  // `place` and `character` name it
    TooShort,
    TooLong,
    Mistyped,  // the check character does not fit: a character typed wrong or two swapped
    NoSuchSettings,  // well formed, but no settings have that number
};

struct TaskCodeReading {
    std::optional<TaskCode> code;
    TaskCodeError error = TaskCodeError::None;
    std::size_t place = 0;  // of a bad character in the typed text, from 0
    char character = 0;
};

[[nodiscard]] TaskCodeReading readTaskCode(std::string_view typed);

// The shortest and longest code: a seed of four and of thirteen characters.
inline constexpr std::size_t kTaskCodeMinLength = 7;
inline constexpr std::size_t kTaskCodeMaxLength = 16;

// The plaintext as the task states it: the sentence cleaned to capitals, digits kept only for the
// 6 X 6 square, and J kept, which the 5 X 5 square reads as I.
[[nodiscard]] std::string exercisePlaintext(const ExerciseTask &task);

// The square of the task by the classical rule, with the cells the keyword filled.
[[nodiscard]] KeyedSquare exerciseSquare(const ExerciseTask &task);

// The learner's fields in their order on the page. Enciphering, they hold the plaintext's coordinates,
// the rows they are dealt into, the cipher code (the rows one after another) and the ciphertext.
// Deciphering runs the inverse steps in the same four fields: the ciphertext's coordinates (its cipher
// code), that code cut back into rows, the coordinates read back across the rows, and the plaintext.
enum class ExerciseField { Coordinates, Rows, Code, Result };
inline constexpr std::size_t kExerciseFieldCount = 4;

struct ExerciseSolution {
    std::string given;  // what the learner starts from: the plaintext as stated, or the ciphertext
    std::string coordinates;
    std::vector<std::string> rows;  // block by block, depth rows each
    std::string code;
    std::string result;

    // The field's characters that count: the rows one after another.
    [[nodiscard]] std::string field(ExerciseField which) const;
};

[[nodiscard]] ExerciseSolution solveExercise(const ExerciseTask &task);

// What a mistake in a field is explained by.
enum class Mistake {
    CarriedOver,  // the step is right, but worked from the learner's own wrong field before it
    RowAndColumnSwapped,  // column digit first
    UnkeyedSquare,  // looked up in the square without keyword
    AcrossBlocks,  // dealt or read back over the whole text instead of block by block
    RowsReversed,  // the rows taken from the last to the first
    RowsReadCrosswise,  // enciphering: the rows read column by column; deciphering: one after another
    JNotTakenAsI,  // the 5 X 5 square: a J left out, or written back into the plaintext
};

struct FieldCheck {
    std::vector<std::size_t> places;  // where each character that counts stands in the typed text
    std::size_t correct = 0;  // how many of them, from the first, agree with the right answer
    std::size_t expected = 0;  // the length of the right answer
    std::size_t matching = 0;  // characters that agree with the right answer at their own place
    std::optional<Mistake> cause;  // for a field with a mistake, what explains it, if anything does

    [[nodiscard]] bool hasMistake() const { return correct < places.size(); }
    [[nodiscard]] bool isRight() const { return !hasMistake() && places.size() == expected; }
};

// Compares each typed field, without its blanks and line breaks and with small letters as capitals,
// with the right answer as far as the learner got. A field with a mistake is recomputed under each
// mistake from the field before it (the learner's own where that has a mistake too, else the right
// one). A mistake explains it when the field agrees with it from the first wrong character on, for two
// characters or to the field's end: made from there on, or, where one letter can go wrong alone, made
// at that letter with the rest right. The furthest agreement wins, the earlier mistake on a tie.
[[nodiscard]] std::array<FieldCheck, kExerciseFieldCount> checkExercise(
    const ExerciseTask &task, const std::array<std::string_view, kExerciseFieldCount> &typed);

}  // namespace bifid
