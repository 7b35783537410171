// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Cleaning.h"
#include "cipher/Square.h"

#include <QTest>

#include <algorithm>
#include <climits>
#include <random>
#include <stdexcept>

using bifid::Dimension;
using bifid::Direction;

Q_DECLARE_METATYPE(bifid::Dimension)
Q_DECLARE_METATYPE(bifid::Direction)

namespace {

constexpr Direction F = Direction::Forward;
constexpr Direction R = Direction::Reversed;

// The base alphabet without the keyword's characters, in alphabet order: r1, r2, ...
QByteArray restOf(const QByteArray &keyword, Dimension dimension)
{
    QByteArray rest;
    for (char c : bifid::baseAlphabet(dimension))
        if (!keyword.contains(c))
            rest += c;
    return rest;
}

// Spells a square written as cell tokens: kN is keyword character N, rN rest character N.
QByteArray spell(const QString &tokens, const QByteArray &keyword, Dimension dimension)
{
    const QByteArray rest = restOf(keyword, dimension);
    QByteArray text;
    for (const QString &token : tokens.split(' ', Qt::SkipEmptyParts))
        text += (token.startsWith('k') ? keyword : rest).at(token.mid(1).toInt() - 1);
    return text;
}

// "r<first> ... r<last>", counting up or down.
QString restTokens(int first, int last)
{
    QStringList tokens;
    const int step = first <= last ? 1 : -1;
    for (int n = first; n != last + step; n += step)
        tokens << QStringLiteral("r%1").arg(n);
    return tokens.join(' ');
}

}  // namespace

class TestKeywordSquare : public QObject {
    Q_OBJECT

private slots:
    void keywordCleaningRemovesRepeatedCapitalsOnly_data();
    void keywordCleaningRemovesRepeatedCapitalsOnly();
    void generatorLaysKeywordThenRest_data();
    void generatorLaysKeywordThenRest();
    void generatorNormalisesOutOfRangePositions_data();
    void generatorNormalisesOutOfRangePositions();
    void generatorAlwaysGivesAPermutationWithTheKeywordInPlace();
    void squareRejectsAWrongNumberOfCells_data();
    void squareRejectsAWrongNumberOfCells();
};

void TestKeywordSquare::keywordCleaningRemovesRepeatedCapitalsOnly_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("letter three times in a row") << QByteArray("AAAB") << Dimension::Six << QByteArray("AB");
    QTest::addRow("letter early and doubled late")
        << QByteArray("MONDLICHTNN") << Dimension::Six << QByteArray("MONDLICHT");
    QTest::addRow("mixed entry keeps every digit")
        << QByteArray("A1B1A22C3A3") << Dimension::Six << QByteArray("A1B122C33");
    QTest::addRow("mixed entry keeps every digit in 5x5")
        << QByteArray("A1B1A22C3A3") << Dimension::Five << QByteArray("A1B122C33");
    QTest::addRow("small letters as typed, not de-duplicated")
        << QByteArray("aAbaAb") << Dimension::Six << QByteArray("aAbab");
    QTest::addRow("blanks and umlauts stay in place")
        << QByteArray("A B\xC4 A \xC4") << Dimension::Six << QByteArray("A B\xC4  \xC4");
    QTest::addRow("without repeats unchanged") << QByteArray("ZEBRA") << Dimension::Six << QByteArray("ZEBRA");
    QTest::addRow("J stays in 6x6") << QByteArray("JAJBJ") << Dimension::Six << QByteArray("JAB");
    QTest::addRow("J deleted in 5x5, not replaced") << QByteArray("JAJBJ") << Dimension::Five << QByteArray("AB");
    QTest::addRow("small j stays in 5x5") << QByteArray("jAj") << Dimension::Five << QByteArray("jAj");
    QTest::addRow("one character") << QByteArray("Q") << Dimension::Five << QByteArray("Q");
    QTest::addRow("empty") << QByteArray() << Dimension::Six << QByteArray();
}

void TestKeywordSquare::keywordCleaningRemovesRepeatedCapitalsOnly()
{
    QFETCH(QByteArray, raw);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, expected);

    QCOMPARE(QByteArray::fromStdString(bifid::cleanKeyword(raw.toStdString(), dimension)), expected);
}

void TestKeywordSquare::generatorLaysKeywordThenRest_data()
{
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<Direction>("keywordDirection");
    QTest::addColumn<Direction>("restDirection");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QByteArray>("expected");

    const auto five = Dimension::Five;
    const auto six = Dimension::Six;

    // 5 X 5 from cell 2 with five distinct letters, written row by row.
    const QByteArray k5 = "KEYWO";
    QTest::addRow("5x5 position 3 arrangement 5")
        << five << F << F << 3 << k5
        << spell("r19 r20 k1 k2 k3  k4 k5 r1 r2 r3  r4 r5 r6 r7 r8  r9 r10 r11 r12 r13  r14 r15 r16 r17 r18", k5, five);
    QTest::addRow("5x5 position 3 arrangement 6")
        << five << R << F << 3 << k5
        << spell("r19 r20 k5 k4 k3  k2 k1 r1 r2 r3  r4 r5 r6 r7 r8  r9 r10 r11 r12 r13  r14 r15 r16 r17 r18", k5, five);
    QTest::addRow("5x5 position 3 arrangement 7")
        << five << F << R << 3 << k5
        << spell("r2 r1 k1 k2 k3  k4 k5 r20 r19 r18  r17 r16 r15 r14 r13  r12 r11 r10 r9 r8  r7 r6 r5 r4 r3", k5, five);
    QTest::addRow("5x5 position 3 arrangement 8")
        << five << R << R << 3 << k5
        << spell("r2 r1 k5 k4 k3  k2 k1 r20 r19 r18  r17 r16 r15 r14 r13  r12 r11 r10 r9 r8  r7 r6 r5 r4 r3", k5, five);

    // 6 X 6 from cell 33: the keyword wraps to cells 0 and 1, the rest fills cells 2 to 32.
    const QByteArray k6 = "X7Q2M";
    const QString restUp = restTokens(1, 31);
    const QString restDown = restTokens(31, 1);
    QTest::addRow("6x6 position 34 arrangement 1")
        << six << F << F << 34 << k6 << spell("k4 k5 " + restUp + " k1 k2 k3", k6, six);
    QTest::addRow("6x6 position 34 arrangement 2")
        << six << R << F << 34 << k6 << spell("k2 k1 " + restUp + " k5 k4 k3", k6, six);
    QTest::addRow("6x6 position 34 arrangement 3")
        << six << F << R << 34 << k6 << spell("k4 k5 " + restDown + " k1 k2 k3", k6, six);
    QTest::addRow("6x6 position 34 arrangement 4")
        << six << R << R << 34 << k6 << spell("k2 k1 " + restDown + " k5 k4 k3", k6, six);

    QTest::addRow("classical keyed square 6x6")
        << six << F << F << 1 << QByteArray("KEYWORD") << QByteArray("KEYWORDABCFGHIJLMNPQSTUVXZ0123456789");
    QTest::addRow("classical keyed square 5x5")
        << five << F << F << 1 << QByteArray("KEYWORD") << QByteArray("KEYWORDABCFGHILMNPQSTUVXZ");
    QTest::addRow("position N wraps to cell 0 in 6x6")
        << six << F << F << 36 << QByteArray("AB") << QByteArray("BCDEFGHIJKLMNOPQRSTUVWXYZ0123456789A");
    QTest::addRow("position N wraps to cell 0 in 5x5")
        << five << F << F << 25 << QByteArray("AB") << QByteArray("BCDEFGHIKLMNOPQRSTUVWXYZA");
    QTest::addRow("reversed rest puts digits before Z")
        << six << F << R << 1 << QByteArray("AB") << QByteArray("AB9876543210ZYXWVUTSRQPONMLKJIHGFEDC");
    QTest::addRow("one character forward")
        << six << F << F << 5 << QByteArray("Q") << QByteArray("6789QABCDEFGHIJKLMNOPRSTUVWXYZ012345");
    QTest::addRow("one character reversed")
        << six << R << F << 5 << QByteArray("Q") << QByteArray("6789QABCDEFGHIJKLMNOPRSTUVWXYZ012345");
    QTest::addRow("keyword holding the whole alphabet")
        << five << F << F << 3 << QByteArray("ZYXWVUTSRQPONMLKIHGFEDCBA") << QByteArray("BAZYXWVUTSRQPONMLKIHGFEDC");
    QTest::addRow("whole alphabet reversed")
        << five << R << R << 3 << QByteArray("ZYXWVUTSRQPONMLKIHGFEDCBA") << QByteArray("YZABCDEFGHIKLMNOPQRSTUVWX");

    QTest::addRow("small letters count as capitals")
        << six << F << F << 1 << QByteArray("keyWord") << QByteArray("KEYWORDABCFGHIJLMNPQSTUVXZ0123456789");
    QTest::addRow("repeated characters laid once")
        << six << F << F << 1 << QByteArray("KEYkey77") << QByteArray("KEY7ABCDFGHIJLMNOPQRSTUVWXZ012345689");
    QTest::addRow("foreign bytes dropped")
        << six << F << F << 1 << QByteArray("K-E\xC4Y !") << QByteArray("KEYABCDFGHIJLMNOPQRSTUVWXZ0123456789");
    QTest::addRow("J and digits dropped in 5x5")
        << five << F << F << 1 << QByteArray("J1AjK") << QByteArray("AKBCDEFGHILMNOPQRSTUVWXYZ");
    QTest::addRow("keyword longer than the square")
        << six << F << F << 1 << QByteArray("9876543210ZYXWVUTSRQPONMLKJIHGFEDCBA") + bifid::kAlphabet6.data()
        << QByteArray("9876543210ZYXWVUTSRQPONMLKJIHGFEDCBA");
    QTest::addRow("empty keyword starts the rest at the insertion cell")
        << six << F << F << 5 << QByteArray() << QByteArray("6789ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    QTest::addRow("empty keyword, reversed rest")
        << five << R << R << 1 << QByteArray() << QByteArray("ZYXWVUTSRQPONMLKIHGFEDCBA");
}

void TestKeywordSquare::generatorLaysKeywordThenRest()
{
    QFETCH(Dimension, dimension);
    QFETCH(Direction, keywordDirection);
    QFETCH(Direction, restDirection);
    QFETCH(int, position);
    QFETCH(QByteArray, keyword);
    QFETCH(QByteArray, expected);

    const bifid::KeyedSquare square
        = bifid::generateSquare({dimension, keywordDirection, restDirection, position}, keyword.toStdString());
    QCOMPARE(QByteArray::fromStdString(square.square.cells()), expected);
}

void TestKeywordSquare::generatorNormalisesOutOfRangePositions_data()
{
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("equivalent");

    QTest::addRow("0 is 36 in 6x6") << Dimension::Six << 0 << 36;
    QTest::addRow("0 is 25 in 5x5") << Dimension::Five << 0 << 25;
    QTest::addRow("37 is 1 in 6x6") << Dimension::Six << 37 << 1;
    QTest::addRow("-1 is 35 in 6x6") << Dimension::Six << -1 << 35;
    QTest::addRow("largest int in 6x6") << Dimension::Six << INT_MAX << 19;
    QTest::addRow("smallest int in 5x5") << Dimension::Five << INT_MIN << 2;
}

void TestKeywordSquare::generatorNormalisesOutOfRangePositions()
{
    QFETCH(Dimension, dimension);
    QFETCH(int, position);
    QFETCH(int, equivalent);

    const bifid::KeyedSquare square = bifid::generateSquare({dimension, F, F, position}, "KEY");
    const bifid::KeyedSquare expected = bifid::generateSquare({dimension, F, F, equivalent}, "KEY");
    QCOMPARE(QByteArray::fromStdString(square.square.cells()), QByteArray::fromStdString(expected.square.cells()));
    QCOMPARE(square.keywordCells.to_ullong(), expected.keywordCells.to_ullong());
}

void TestKeywordSquare::generatorAlwaysGivesAPermutationWithTheKeywordInPlace()
{
    std::mt19937 random(7411);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 80);
    std::uniform_int_distribution<std::size_t> alphabetIndex(0, bifid::kAlphabet6.size() - 1);

    for (Dimension dimension : {Dimension::Six, Dimension::Five}) {
        const std::string_view alphabet = bifid::baseAlphabet(dimension);
        std::string sortedAlphabet(alphabet);
        std::sort(sortedAlphabet.begin(), sortedAlphabet.end());
        const int cellCount = bifid::cellCountOf(dimension);

        for (int round = 0; round < 25; ++round) {
            // Half alphabet characters, half arbitrary bytes, so that keywords are both long and messy.
            std::string raw(static_cast<std::size_t>(length(random)), '\0');
            for (char &c : raw)
                c = byte(random) % 2 ? bifid::kAlphabet6[alphabetIndex(random)] : static_cast<char>(byte(random));
            const std::string keyword = bifid::squareKeyword(raw, dimension);

            for (Direction keywordDirection : {F, R})
                for (Direction restDirection : {F, R})
                    for (int position = 1; position <= cellCount; ++position) {
                        const bifid::KeyedSquare square
                            = bifid::generateSquare({dimension, keywordDirection, restDirection, position}, raw);
                        std::string sorted = square.square.cells();
                        std::sort(sorted.begin(), sorted.end());
                        QCOMPARE(QByteArray::fromStdString(sorted), QByteArray::fromStdString(sortedAlphabet));
                        QCOMPARE(square.keywordCells.count(), keyword.size());
                        for (std::size_t i = 0; i < keyword.size(); ++i) {
                            const auto cell = (static_cast<std::size_t>(position) - 1 + i) % alphabet.size();
                            const char expected = keywordDirection == F ? keyword[i] : keyword[keyword.size() - 1 - i];
                            QVERIFY(square.keywordCells.test(cell));
                            QCOMPARE(square.square[cell], expected);
                        }
                    }
        }
    }
}

void TestKeywordSquare::squareRejectsAWrongNumberOfCells_data()
{
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("cells");

    const QByteArray alphabet6(bifid::kAlphabet6.data(), bifid::kAlphabet6.size());
    const QByteArray alphabet5(bifid::kAlphabet5.data(), bifid::kAlphabet5.size());
    QTest::addRow("one cell short in 6x6") << Dimension::Six << alphabet6.chopped(1);
    QTest::addRow("one cell too many in 5x5") << Dimension::Five << alphabet5 + "J";
    QTest::addRow("6x6 cells for 5x5") << Dimension::Five << alphabet6;
}

void TestKeywordSquare::squareRejectsAWrongNumberOfCells()
{
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, cells);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bifid::Square(dimension, cells.toStdString()));
}

QTEST_GUILESS_MAIN(TestKeywordSquare)
#include "tst_keyword_square.moc"
