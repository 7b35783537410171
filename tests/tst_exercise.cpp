// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercises' pure parts: seeds, task codes, the task a seed and the settings draw, the right
// answers, and the mistake finder on a table of hand-made wrong answers.

#include "cipher/Exercise.h"

#include <QTest>

#include <set>

using bifid::Dimension;
using bifid::ExerciseDirection;
using bifid::ExerciseField;
using bifid::ExerciseTask;
using bifid::Mistake;

Q_DECLARE_METATYPE(bifid::Dimension)
Q_DECLARE_METATYPE(bifid::ExerciseTask)
Q_DECLARE_METATYPE(bifid::ExerciseDirection)
Q_DECLARE_METATYPE(bifid::ExerciseField)
Q_DECLARE_METATYPE(std::optional<bifid::Mistake>)
Q_DECLARE_METATYPE(bifid::ExerciseSettings)
Q_DECLARE_METATYPE(bifid::TaskCodeError)

namespace {

QByteArray bytes(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

std::vector<std::string> numbered(const char *prefix, int count)
{
    std::vector<std::string> list;
    list.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        list.push_back(prefix + std::to_string(i));
    return list;
}

// Enciphering "Jeder Tag zählt." with the square GEHIM SCRFT ABDKL NOPQU VWXYZ, depth 3, period 4:
// coordinates 14 12 33 12 23 25 31 11 55 31 12 13 35 25, rows 121 432 13 | 251 331 21 | 511 513 32 |
// 35 5 2, ciphertext EIBHTHASVMHBLW.
const ExerciseTask kEncipherTask{
    "Jeder Tag z\xe4hlt.", "GEHEIMSCHRIFT", Dimension::Five, 3, 4, ExerciseDirection::Encipher};
// Deciphering its ciphertext for depth 2, period 5, GAFRRRMLGVGBRZ: coordinates 11 31 24 23 23 23 15 35
// 11 51 11 32 23 55, rows 11312 42323 | 23153 51151 | 1132 2355, read back 14 12 33 12 23 25 31 11 55 31
// 12 13 35 25, plaintext IEDERTAGZAEHLT.
const ExerciseTask kDecipherTask{
    "Jeder Tag z\xe4hlt.", "GEHEIMSCHRIFT", Dimension::Five, 2, 5, ExerciseDirection::Decipher};

}  // namespace

class TestExercise : public QObject {
    Q_OBJECT

private slots:
    void seedsAreDecimalNumbers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("seed");

        QTest::newRow("zero") << QByteArray("0") << true << quint64(0);
        QTest::newRow("blanks around") << QByteArray(" 4711\t\n") << true << quint64(4711);
        QTest::newRow("largest") << QByteArray("18446744073709551615") << true << quint64(18446744073709551615U);
        QTest::newRow("one too large") << QByteArray("18446744073709551616") << false << quint64(0);
        QTest::newRow("empty") << QByteArray("  ") << false << quint64(0);
        QTest::newRow("negative") << QByteArray("-1") << false << quint64(0);
        QTest::newRow("plus sign") << QByteArray("+1") << false << quint64(0);
        QTest::newRow("blank inside") << QByteArray("12 3") << false << quint64(0);
        QTest::newRow("letter") << QByteArray("12a") << false << quint64(0);
    }
    void seedsAreDecimalNumbers()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(quint64, seed);
        const std::optional<std::uint64_t> parsed = bifid::parseSeed(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(quint64(*parsed), seed);
    }

    // Written down once from an implementation of the generator of its own: the same on every platform.
    void aSeedDrawsTheSameTaskEverywhere_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("sentence");
        QTest::addColumn<int>("keyword");
        QTest::addColumn<Dimension>("dimension");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("period");
        QTest::addColumn<ExerciseDirection>("direction");

        QTest::newRow("0") << quint64(0) << 23 << 0 << Dimension::Six << 2 << 5 << ExerciseDirection::Encipher;
        QTest::newRow("1") << quint64(1) << 9 << 9 << Dimension::Five << 3 << 4 << ExerciseDirection::Encipher;
        QTest::newRow("42") << quint64(42) << 9 << 1 << Dimension::Five << 2 << 0 << ExerciseDirection::Encipher;
        QTest::newRow("123456") << quint64(123456) << 33 << 5 << Dimension::Six << 2 << 4
                                << ExerciseDirection::Decipher;
        QTest::newRow("largest") << quint64(18446744073709551615U) << 12 << 9 << Dimension::Six << 2 << 4
                                 << ExerciseDirection::Decipher;
    }
    void aSeedDrawsTheSameTaskEverywhere()
    {
        QFETCH(quint64, seed);
        QFETCH(int, sentence);
        QFETCH(int, keyword);
        QFETCH(Dimension, dimension);
        QFETCH(int, depth);
        QFETCH(int, period);
        QFETCH(ExerciseDirection, direction);
        const std::vector<std::string> sentences = numbered("S", 44);
        const std::vector<std::string> keywords = numbered("K", 10);
        const ExerciseTask expected{sentences[std::size_t(sentence)], keywords[std::size_t(keyword)], dimension, depth,
            std::size_t(period), direction};
        QCOMPARE(bifid::drawExercise(seed, sentences, keywords), expected);
    }

    void seedsDrawEveryKindOfTask()
    {
        const std::vector<std::string> sentences = numbered("S", 44);
        const std::vector<std::string> keywords = numbered("K", 10);
        std::set<std::string> seen;
        for (std::uint64_t seed = 0; seed < 300; ++seed) {
            const ExerciseTask task = bifid::drawExercise(seed, sentences, keywords);
            seen.insert(task.sentence);
            seen.insert(task.keyword);
            seen.insert("dimension " + std::to_string(int(task.dimension)));
            seen.insert("depth " + std::to_string(task.depth));
            seen.insert("period " + std::to_string(task.period));
            seen.insert("direction " + std::to_string(int(task.direction)));
        }
        // 44 sentences, 10 keywords, 2 dimensions, depths 2 and 3, 5 periods, 2 directions
        QCOMPARE(seen.size(), std::size_t(44 + 10 + 2 + 2 + 5 + 2));
        QVERIFY(seen.contains("period 0") && seen.contains("period 4") && seen.contains("period 7"));
    }

    void aTaskCodeHoldsTheSettingsAndTheSeed_data()
    {
        QTest::addColumn<bifid::ExerciseSettings>("settings");
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<QByteArray>("code");

        using bifid::ExerciseKeySource;
        using bifid::ExerciseTextSource;
        QTest::newRow("all mixed, seed 0") << bifid::ExerciseSettings{} << quint64(0) << QByteArray("M400-00W");
        QTest::newRow("all fixed, a fresh seed") << bifid::ExerciseSettings{ExerciseDirection::Decipher, Dimension::Six,
            3, 7, ExerciseTextSource::MainWindow, ExerciseKeySource::MainWindow}
                                                 << quint64(999999) << QByteArray("ABYG-HZQ");
        QTest::newRow("no period, the largest seed")
            << bifid::ExerciseSettings{ExerciseDirection::Encipher, Dimension::Five, 2, 0, {}, {}}
            << quint64(UINT64_MAX) << QByteArray("00FZ-ZZZZ-ZZZZ-ZZZE");
    }
    void aTaskCodeHoldsTheSettingsAndTheSeed()
    {
        QFETCH(bifid::ExerciseSettings, settings);
        QFETCH(quint64, seed);
        QFETCH(QByteArray, code);
        const bifid::TaskCode task{settings, seed};
        QCOMPARE(bytes(bifid::formatTaskCode(task)), code);
        QCOMPARE(bifid::readTaskCode(code.toStdString()).code, std::optional(task));
        // As a class copies it from the board: small letters, blanks, O for 0 and l for 1.
        const std::string copied = code.toLower().replace('-', "  ").replace('0', 'o').replace('1', 'l').toStdString();
        QCOMPARE(bifid::readTaskCode(copied).code, std::optional(task));
    }

    void aBadTaskCodeSaysWhatIsWrong_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<bifid::TaskCodeError>("error");
        QTest::addColumn<int>("place");

        using E = bifid::TaskCodeError;
        QTest::newRow("empty") << QByteArray(" - ") << E::Empty << 0;
        QTest::newRow("a U") << QByteArray("M40U-00W") << E::BadCharacter << 3;
        QTest::newRow("a sign") << QByteArray("M400-0!W") << E::BadCharacter << 6;
        QTest::newRow("an umlaut") << QByteArray("M4\xc4"
                                                 "0-00W")
                                   << E::BadCharacter << 2;
        QTest::newRow("too short") << QByteArray("M40-0W") << E::TooShort << 0;
        QTest::newRow("too long") << QByteArray("00FZ-ZZZZ-ZZZZ-ZZZZ-D") << E::TooLong << 0;
        QTest::newRow("seed beyond 64 bits") << QByteArray("00G0-0000-0000-000H") << E::TooLong << 0;
        QTest::newRow("one character wrong") << QByteArray("M401-00W") << E::Mistyped << 0;
        QTest::newRow("two neighbours swapped") << QByteArray("ABYG-ZHQ") << E::Mistyped << 0;
        QTest::newRow("no such settings") << QByteArray("ZZ00-000") << E::NoSuchSettings << 0;
    }
    void aBadTaskCodeSaysWhatIsWrong()
    {
        QFETCH(QByteArray, typed);
        QFETCH(bifid::TaskCodeError, error);
        QFETCH(int, place);
        const bifid::TaskCodeReading reading = bifid::readTaskCode(typed.toStdString());
        QCOMPARE(reading.error, error);
        QVERIFY(!reading.code);
        if (error == bifid::TaskCodeError::BadCharacter) {
            QCOMPARE(reading.place, std::size_t(place));
            QCOMPARE(reading.character, typed[place]);
        }
    }

    void settingsFixTheirChoicesOnly()
    {
        const std::vector<std::string> sentences = numbered("S", 44);
        const std::vector<std::string> keywords = numbered("K", 10);
        const bifid::ExerciseSettings fixed{ExerciseDirection::Decipher, Dimension::Five, 3, 6, {}, {}};
        for (std::uint64_t seed = 0; seed < 50; ++seed) {
            ExerciseTask expected = bifid::drawExercise(seed, sentences, keywords);
            expected.direction = ExerciseDirection::Decipher;
            expected.dimension = Dimension::Five;
            expected.depth = 3;
            expected.period = 6;
            QCOMPARE(bifid::drawExercise(seed, sentences, keywords, fixed), expected);
        }
    }

    void tasksKeyWithWordsOnly_data()
    {
        QTest::addColumn<QByteArrayList>("list");
        QTest::addColumn<QByteArrayList>("words");

        QTest::newRow("words, mixed strings and a repeat") << QByteArrayList{"GARTENZWERG", "AIV55NHVT7P6YH68KTFX3CCPD",
            "Wolke", "GARTENZWERG", "ZWIEBACK"} << QByteArrayList{"GARTENZWERG", "Wolke", "ZWIEBACK"};
        QTest::newRow("blanks, signs and umlauts are no hand keys")
            << QByteArrayList{"", "ROTE ROSE", "K\xc4SE", "AB-C"} << QByteArrayList{};
    }
    void tasksKeyWithWordsOnly()
    {
        QFETCH(QByteArrayList, list);
        QFETCH(QByteArrayList, words);
        std::vector<std::string> entries;
        for (const QByteArray &entry : list)
            entries.push_back(entry.toStdString());
        QByteArrayList kept;
        for (const std::string &word : bifid::exerciseKeywords(entries))
            kept << bytes(word);
        QCOMPARE(kept, words);
    }

    void charactersCountAtTheirPlace_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("matching");

        // The right coordinates are 14 12 33 12 23 25 31 11 55 31 12 13 35 25.
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("right") << QByteArray("14 12 33 12 23 25 31 11 55 31 12 13 35 25") << 28;
        QTest::newRow("one typo in the middle") << QByteArray("14 12 33 12 23 25 31 11 54 31 12 13 35 25") << 27;
        QTest::newRow("a digit left out") << QByteArray("14 12 3 12 23") << 6;
        QTest::newRow("too long") << QByteArray("14 12 33 12 23 25 31 11 55 31 12 13 35 25 11") << 28;
    }
    void charactersCountAtTheirPlace()
    {
        QFETCH(QByteArray, typed);
        QFETCH(int, matching);
        const std::string coordinates = typed.toStdString();
        const auto checks = bifid::checkExercise(kEncipherTask, {coordinates, {}, {}, {}});
        QCOMPARE(checks[0].matching, std::size_t(matching));
        QCOMPARE(checks[0].isRight(), QByteArray(QTest::currentDataTag()) == "right");
    }

    void emptyListsGiveAnEmptySentenceAndKeyword()
    {
        const ExerciseTask task = bifid::drawExercise(1, {}, {});
        QVERIFY(task.sentence.empty() && task.keyword.empty());
        QCOMPARE(task.depth, 3);  // the later choices as with full lists
        QVERIFY(bifid::solveExercise(task).result.empty());
    }

    void taskStatesItsPlaintextAndSquare_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<Dimension>("dimension");
        QTest::addColumn<QByteArray>("plaintext");
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<int>("keywordCells");

        QTest::newRow("5 X 5 keeps J in the plaintext")
            << QByteArray("Jeder Tag z\xe4hlt.") << QByteArray("GEHEIMSCHRIFT") << Dimension::Five
            << QByteArray("JEDERTAGZAEHLT") << QByteArray("GEHIMSCRFTABDKLNOPQUVWXYZ") << 10;
        QTest::newRow("5 X 5 spells digits, keyword J as I")
            << QByteArray("Tor 2") << QByteArray("jam") << Dimension::Five << QByteArray("TORZWO")
            << QByteArray("IAMBCDEFGHKLNOPQRSTUVWXYZ") << 3;
        QTest::newRow("6 X 6 keeps digits")
            << QByteArray("Hallo Welt 2024") << QByteArray("ZWIEBACK") << Dimension::Six << QByteArray("HALLOWELT2024")
            << QByteArray("ZWIEBACKDFGHJLMNOPQRSTUVXY0123456789") << 8;
    }
    void taskStatesItsPlaintextAndSquare()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QByteArray, keyword);
        QFETCH(Dimension, dimension);
        QFETCH(QByteArray, plaintext);
        QFETCH(QByteArray, cells);
        QFETCH(int, keywordCells);
        const ExerciseTask task{sentence.toStdString(), keyword.toStdString(), dimension, 2, 0, {}};
        QCOMPARE(bytes(bifid::exercisePlaintext(task)), plaintext);
        const bifid::KeyedSquare square = bifid::exerciseSquare(task);
        QCOMPARE(bytes(square.square.cells()), cells);
        QCOMPARE(square.keywordCells.to_ullong(), (1ULL << keywordCells) - 1);
    }

    // The answers come from a model of the cipher written apart from the library.
    void solutionHoldsEveryStep_data()
    {
        QTest::addColumn<ExerciseTask>("task");
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QByteArray>("coordinates");
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("result");

        QTest::newRow("encipher, period 4, depth 3")
            << kEncipherTask << QByteArray("JEDERTAGZAEHLT") << QByteArray("1412331223253111553112133525")
            << QByteArrayList{"121", "432", "13", "251", "331", "21", "511", "513", "32", "35", "5", "2"}
            << QByteArray("1214321325133121511513323552") << QByteArray("EIBHTHASVMHBLW");
        QTest::newRow("decipher, period 5, depth 2")
            << kDecipherTask << QByteArray("GAFRRRMLGVGBRZ") << QByteArray("1131242323231535115111322355")
            << QByteArrayList{"11312", "42323", "23153", "51151", "1132", "2355"}
            << QByteArray("1412331223253111553112133525") << QByteArray("IEDERTAGZAEHLT");
        QTest::newRow("decipher 6 X 6, no period, depth 3")
            << ExerciseTask{"Hallo Welt 2024", "ZWIEBACK", Dimension::Six, 3, 0, ExerciseDirection::Decipher}
            << QByteArray("HOW09LEUXWLN2") << QByteArray("26351253663214455112323455")
            << QByteArrayList{"263512536", "632144551", "12323455"} << QByteArray("26163232351214324455535561")
            << QByteArray("HALLOWELT2024");
    }
    void solutionHoldsEveryStep()
    {
        QFETCH(ExerciseTask, task);
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, coordinates);
        QFETCH(QByteArrayList, rows);
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, result);
        const bifid::ExerciseSolution solution = bifid::solveExercise(task);
        QCOMPARE(bytes(solution.given), given);
        QCOMPARE(bytes(solution.coordinates), coordinates);
        QByteArrayList solvedRows;
        for (const std::string &row : solution.rows)
            solvedRows << bytes(row);
        QCOMPARE(solvedRows, rows);
        QCOMPARE(bytes(solution.code), code);
        QCOMPARE(bytes(solution.result), result);
        QCOMPARE(bytes(solution.field(ExerciseField::Rows)), rows.join());
    }

    // Each row types some fields; the one named is checked: how many of its characters are right
    // from the first (the place of the first wrong one), and what explains the mistake.
    void mistakesAreFoundAndExplained_data()
    {
        QTest::addColumn<ExerciseTask>("task");
        QTest::addColumn<QByteArrayList>("typed");  // coordinates, rows, code, result
        QTest::addColumn<ExerciseField>("field");
        QTest::addColumn<int>("correct");
        QTest::addColumn<bool>("hasMistake");
        QTest::addColumn<std::optional<Mistake>>("cause");

        const auto coordinates = [](const char *typed) { return QByteArrayList{typed, "", "", ""}; };
        const auto rows = [](const char *typed) { return QByteArrayList{"", typed, "", ""}; };
        const auto code = [](const char *typed) { return QByteArrayList{"", "", typed, ""}; };
        const auto result = [](const char *typed) { return QByteArrayList{"", "", "", typed}; };
        const std::optional<Mistake> none;
        using F = ExerciseField;
        const ExerciseTask &e = kEncipherTask;
        const ExerciseTask &d = kDecipherTask;

        QTest::newRow("empty field") << e << coordinates("") << F::Coordinates << 0 << false << none;
        QTest::newRow("blanks, line breaks, unfinished")
            << e << coordinates("14 12\n33\r\n1") << F::Coordinates << 7 << false << none;
        QTest::newRow("small letters") << e << result("eibh") << F::Result << 4 << false << none;
        QTest::newRow("typo") << e << coordinates("14 12 34 12") << F::Coordinates << 5 << true << none;
        QTest::newRow("too long") << e << result("EIBHTHASVMHBLWX") << F::Result << 14 << true << none;

        QTest::newRow("one letter swapped") << e << coordinates("14 21 33 12 23") << F::Coordinates << 2 << true
                                            << std::optional(Mistake::RowAndColumnSwapped);
        QTest::newRow("every letter swapped") << e << coordinates("41 21 33 21 32") << F::Coordinates << 0 << true
                                              << std::optional(Mistake::RowAndColumnSwapped);
        QTest::newRow("unkeyed square") << e << coordinates("24 15 14") << F::Coordinates << 0 << true
                                        << std::optional(Mistake::UnkeyedSquare);
        QTest::newRow("J left out") << e << coordinates("12 33 12 23") << F::Coordinates << 1 << true
                                    << std::optional(Mistake::JNotTakenAsI);
        QTest::newRow("rows across blocks")
            << e << rows("121\n331\n323") << F::Rows << 3 << true << std::optional(Mistake::AcrossBlocks);
        QTest::newRow("rows from a wrong coordinate")
            << e << QByteArrayList{"14 21 33 12 23 25 31 11 55 31 12 13 35 25", "1114322325133121511513323552", "", ""}
            << F::Rows << 1 << true << std::optional(Mistake::CarriedOver);
        QTest::newRow("rows joined last to first")
            << e << code("13 432 121 21 331 251") << F::Code << 1 << true << std::optional(Mistake::RowsReversed);
        QTest::newRow("rows read column by column")
            << e << code("1412331223") << F::Code << 1 << true << std::optional(Mistake::RowsReadCrosswise);
        QTest::newRow("read column first")
            << e << result("SNRA") << F::Result << 0 << true << std::optional(Mistake::RowAndColumnSwapped);
        QTest::newRow("one letter from the unkeyed square")
            << e << result("EIMHTHAS") << F::Result << 2 << true << std::optional(Mistake::UnkeyedSquare);
        QTest::newRow("wrong letter") << e << result("EIQH") << F::Result << 2 << true << none;

        QTest::newRow("decipher: unkeyed square")
            << d << coordinates("22 11 21") << F::Coordinates << 0 << true << std::optional(Mistake::UnkeyedSquare);
        QTest::newRow("decipher: rows from swapped coordinates")
            << d << QByteArrayList{"11 13 42 32 32 32 51 53 11 15 11 23 32 55", "11134 23232", "", ""} << F::Rows << 2
            << true << std::optional(Mistake::CarriedOver);
        QTest::newRow("decipher: read back across blocks")
            << d << code("1315311125") << F::Code << 1 << true << std::optional(Mistake::AcrossBlocks);
        QTest::newRow("decipher: read back from the last row")
            << d << code("4121332132") << F::Code << 0 << true << std::optional(Mistake::RowsReversed);
        QTest::newRow("decipher: rows read one after another")
            << d << code("1131242323") << F::Code << 1 << true << std::optional(Mistake::RowsReadCrosswise);
        QTest::newRow("decipher: J written back")
            << d << result("JEDERTAG") << F::Result << 0 << true << std::optional(Mistake::JNotTakenAsI);
        QTest::newRow("decipher: plaintext from a wrong read-back")
            << d << QByteArrayList{"", "", "4121332132521311551321315352", "NSDSBWHGZHSAXW"} << F::Result << 0 << true
            << std::optional(Mistake::CarriedOver);
    }
    void mistakesAreFoundAndExplained()
    {
        QFETCH(ExerciseTask, task);
        QFETCH(QByteArrayList, typed);
        QFETCH(ExerciseField, field);
        QFETCH(int, correct);
        QFETCH(bool, hasMistake);
        QFETCH(std::optional<Mistake>, cause);
        std::array<std::string, bifid::kExerciseFieldCount> fields;
        for (std::size_t f = 0; f < fields.size(); ++f)
            fields[f] = typed[qsizetype(f)].toStdString();
        const auto checks = bifid::checkExercise(task, {fields[0], fields[1], fields[2], fields[3]});
        const bifid::FieldCheck &check = checks[std::size_t(field)];
        QCOMPARE(check.correct, std::size_t(correct));
        QCOMPARE(check.hasMistake(), hasMistake);
        QCOMPARE(check.cause, cause);
        // Every character that counts is found where it was typed.
        const std::string &text = fields[std::size_t(field)];
        for (const std::size_t place : check.places)
            QVERIFY(place < text.size() && text[place] != ' ' && text[place] != '\n' && text[place] != '\r');
    }
};

QTEST_APPLESS_MAIN(TestExercise)
#include "tst_exercise.moc"
