// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Coding.h"
#include "cipher/Normalize.h"
#include "cipher/Square.h"

#include <QTest>

#include <random>
#include <utility>

using bifid::CipherError;
using bifid::Dimension;
using Kind = bifid::CipherError::Kind;

Q_DECLARE_METATYPE(bifid::Dimension)
Q_DECLARE_METATYPE(bifid::CipherError::Kind)

namespace {

const QByteArray kSquare6(bifid::kAlphabet6.data(), bifid::kAlphabet6.size());
const QByteArray kSquare5(bifid::kAlphabet5.data(), bifid::kAlphabet5.size());

QByteArray bytes(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

QByteArrayList bytes(const std::vector<std::string> &rows)
{
    QByteArrayList list;
    for (const std::string &row : rows)
        list << bytes(row);
    return list;
}

// Checks kind, character and 1-based position of the error a result must carry.
void verifyError(const std::optional<CipherError> &error, Kind kind, char character, int position)
{
    QVERIFY(error.has_value());
    QCOMPARE(error->kind, kind);
    QCOMPARE(error->character, character);
    QCOMPARE(error->position, static_cast<std::size_t>(position));
}

}  // namespace

class TestCoding : public QObject {
    Q_OBJECT

private slots:
    void coordinatesAreRowThenColumnDigit_data();
    void coordinatesAreRowThenColumnDigit();
    void coordinatesNameTheFirstCharacterNotInTheSquare_data();
    void coordinatesNameTheFirstCharacterNotInTheSquare();
    void fractionationDealsDigitsRoundTheRows_data();
    void fractionationDealsDigitsRoundTheRows();
    void readBackStopsAtTheFirstBadPair_data();
    void readBackStopsAtTheFirstBadPair();
    void encipherRunsTheWholeChain_data();
    void encipherRunsTheWholeChain();
    void decipherShowsEveryStep_data();
    void decipherShowsEveryStep();
    void decipherNamesACharacterOutsideTheSquare_data();
    void decipherNamesACharacterOutsideTheSquare();
    void decipherUndoesEncipherForAnySquareAndDepth();
    void decipherIntoKeptStepsLeavesNothingOfTheCallBefore();
    void normalizingKeepsOnlyWhatTheSquareReads_data();
    void normalizingKeepsOnlyWhatTheSquareReads();
};

void TestCoding::coordinatesAreRowThenColumnDigit_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("square");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("HALLO in 6x6") << QByteArray("HALLO") << Dimension::Six << kSquare6 << QByteArray("2211262633");
    QTest::addRow("corners and digits in 6x6")
        << QByteArray("AZ09") << Dimension::Six << kSquare6 << QByteArray("11525366");
    QTest::addRow("HALLO in 5x5") << QByteArray("HALLO") << Dimension::Five << kSquare5 << QByteArray("2311313134");
    QTest::addRow("A K Z in 5x5") << QByteArray("AKZ") << Dimension::Five << kSquare5 << QByteArray("112555");
    QTest::addRow("one character") << QByteArray("Q") << Dimension::Six << kSquare6 << QByteArray("35");
    QTest::addRow("empty text") << QByteArray() << Dimension::Six << kSquare6 << QByteArray();
    QTest::addRow("last of two matching cells wins")
        << QByteArray("AB") << Dimension::Six << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678A")
        << QByteArray("6612");
}

void TestCoding::coordinatesAreRowThenColumnDigit()
{
    QFETCH(QByteArray, text);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, square);
    QFETCH(QByteArray, expected);

    const auto coordinates = bifid::codeCoordinates(text.toStdString(), bifid::Square(dimension, square.toStdString()));
    QVERIFY(coordinates.ok());
    QCOMPARE(bytes(coordinates.value), expected);
}

void TestCoding::coordinatesNameTheFirstCharacterNotInTheSquare_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("codedSoFar");
    QTest::addColumn<char>("character");
    QTest::addColumn<int>("position");

    QTest::addRow("question mark") << QByteArray("HA?L?") << Dimension::Six << QByteArray("2211") << '?' << 3;
    QTest::addRow("J in 5x5") << QByteArray("AJ") << Dimension::Five << QByteArray("11") << 'J' << 2;
    QTest::addRow("digit in 5x5") << QByteArray("7") << Dimension::Five << QByteArray() << '7' << 1;
    QTest::addRow("small letter") << QByteArray("Ab") << Dimension::Six << QByteArray("11") << 'b' << 2;
}

void TestCoding::coordinatesNameTheFirstCharacterNotInTheSquare()
{
    QFETCH(QByteArray, text);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, codedSoFar);
    QFETCH(char, character);
    QFETCH(int, position);

    const auto coordinates = bifid::codeCoordinates(text.toStdString(), bifid::Square(dimension));
    verifyError(coordinates.error, Kind::NotInSquare, character, position);
    QCOMPARE(bytes(coordinates.value), codedSoFar);
}

void TestCoding::fractionationDealsDigitsRoundTheRows_data()
{
    QTest::addColumn<QByteArray>("coordinates");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QByteArrayList>("rows");

    QTest::addRow("eight digits, depth 2") << QByteArray("12345612") << 2 << QByteArrayList{"1351", "2462"};
    QTest::addRow("eight digits, depth 3") << QByteArray("12345612") << 3 << QByteArrayList{"141", "252", "36"};
    QTest::addRow("two digits, depth 2") << QByteArray("12") << 2 << QByteArrayList{"1", "2"};
    QTest::addRow("two digits, depth 3 leaves row 2 empty") << QByteArray("12") << 3 << QByteArrayList{"1", "2", ""};
    QTest::addRow("four digits, depth 3") << QByteArray("1234") << 3 << QByteArrayList{"14", "2", "3"};
    QTest::addRow("six digits, depth 3") << QByteArray("123456") << 3 << QByteArrayList{"14", "25", "36"};
    QTest::addRow("HALLO, depth 2") << QByteArray("2211262633") << 2 << QByteArrayList{"21223", "21663"};
    QTest::addRow("HALLO, depth 3") << QByteArray("2211262633") << 3 << QByteArrayList{"2123", "226", "163"};
    QTest::addRow("HALLO, depth 4") << QByteArray("2211262633") << 4 << QByteArrayList{"223", "263", "12", "16"};
    QTest::addRow("HALLO, depth 5") << QByteArray("2211262633") << 5 << QByteArrayList{"26", "22", "16", "13", "23"};
    QTest::addRow("depth 1 keeps the stream") << QByteArray("2211") << 1 << QByteArrayList{"2211"};
    QTest::addRow("nothing to deal") << QByteArray() << 3 << QByteArrayList{"", "", ""};
}

void TestCoding::fractionationDealsDigitsRoundTheRows()
{
    QFETCH(QByteArray, coordinates);
    QFETCH(int, depth);
    QFETCH(QByteArrayList, rows);

    const std::vector<std::string> dealt = bifid::fractionate(coordinates.toStdString(), depth);
    QCOMPARE(bytes(dealt), rows);
    QCOMPARE(bytes(bifid::joinRows(dealt)), rows.join());
}

void TestCoding::readBackStopsAtTheFirstBadPair_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("readSoFar");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<char>("character");
    QTest::addColumn<int>("position");

    const auto six = Dimension::Six;
    QTest::addRow("odd length: row 2 left out at depth 3")
        << QByteArray("2123226") << six << QByteArray("GIH") << Kind::MissingPartner << '\0' << 8;
    QTest::addRow("letter as row digit") << QByteArray("21X3") << six << QByteArray("G") << Kind::NotADigit << 'X' << 3;
    QTest::addRow("letter as column digit")
        << QByteArray("212X") << six << QByteArray("G") << Kind::NotADigit << 'X' << 4;
    QTest::addRow("missing partner before an outside digit")
        << QByteArray("119") << six << QByteArray("A") << Kind::MissingPartner << '\0' << 4;
    QTest::addRow("letter partner before an outside digit")
        << QByteArray("7X") << six << QByteArray() << Kind::NotADigit << 'X' << 2;
    QTest::addRow("row digit 0") << QByteArray("0111") << six << QByteArray() << Kind::DigitOutsideSquare << '0' << 1;
    QTest::addRow("column digit 0 after row 2")
        << QByteArray("1120") << six << QByteArray("A") << Kind::DigitOutsideSquare << '0' << 4;
    QTest::addRow("row digit 7 in 6x6") << QByteArray("1171") << six << QByteArray("A") << Kind::DigitOutsideSquare
                                        << '7' << 3;
    QTest::addRow("column digit 7 in 6x6")
        << QByteArray("1117") << six << QByteArray("A") << Kind::DigitOutsideSquare << '7' << 4;
    QTest::addRow("row digit 6 in 5x5") << QByteArray("1161") << Dimension::Five << QByteArray("A")
                                        << Kind::DigitOutsideSquare << '6' << 3;
}

void TestCoding::readBackStopsAtTheFirstBadPair()
{
    QFETCH(QByteArray, code);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, readSoFar);
    QFETCH(Kind, kind);
    QFETCH(char, character);
    QFETCH(int, position);

    const auto text = bifid::readThroughSquare(code.toStdString(), bifid::Square(dimension));
    verifyError(text.error, kind, character, position);
    QCOMPARE(bytes(text.value), readSoFar);
}

void TestCoding::encipherRunsTheWholeChain_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QByteArray>("ciphertext");

    QTest::addRow("HALLO 6x6 depth 2") << QByteArray("HALLO") << Dimension::Six << 2 << QByteArray("GHNF6");
    QTest::addRow("HALLO 6x6 depth 3") << QByteArray("HALLO") << Dimension::Six << 3 << QByteArray("GIH46");
    QTest::addRow("HALLO 6x6 depth 4") << QByteArray("HALLO") << Dimension::Six << 4 << QByteArray("HN6BF");
    QTest::addRow("HALLO 6x6 depth 5") << QByteArray("HALLO") << Dimension::Six << 5 << QByteArray("LHFCI");
    QTest::addRow("HALLO 5x5 depth 2") << QByteArray("HALLO") << Dimension::Five << 2 << QByteArray("FNNAD");
    QTest::addRow("empty text") << QByteArray() << Dimension::Six << 3 << QByteArray();
}

void TestCoding::encipherRunsTheWholeChain()
{
    QFETCH(QByteArray, text);
    QFETCH(Dimension, dimension);
    QFETCH(int, depth);
    QFETCH(QByteArray, ciphertext);

    const auto enciphered = bifid::encipher(text.toStdString(), bifid::Square(dimension), depth);
    QVERIFY(enciphered.ok());
    QCOMPARE(bytes(enciphered.value), ciphertext);
}

void TestCoding::decipherShowsEveryStep_data()
{
    QTest::addColumn<QByteArray>("ciphertext");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QByteArray>("cipherCode");
    QTest::addColumn<QByteArrayList>("rows");
    QTest::addColumn<QByteArray>("coordinates");
    QTest::addColumn<QByteArray>("plaintext");

    const auto six = Dimension::Six;
    QTest::addRow("GHNF6 6x6 depth 2") << QByteArray("GHNF6") << six << 2 << QByteArray("2122321663")
                                       << QByteArrayList{"21223", "21663"} << QByteArray("2211262633")
                                       << QByteArray("HALLO");
    QTest::addRow("GIH46 6x6 depth 3") << QByteArray("GIH46") << six << 3 << QByteArray("2123226163")
                                       << QByteArrayList{"2123", "226", "163"} << QByteArray("2211262633")
                                       << QByteArray("HALLO");
    QTest::addRow("HN6BF 6x6 depth 4") << QByteArray("HN6BF") << six << 4 << QByteArray("2232631216")
                                       << QByteArrayList{"223", "263", "12", "16"} << QByteArray("2211262633")
                                       << QByteArray("HALLO");
    QTest::addRow("LHFCI 6x6 depth 5") << QByteArray("LHFCI") << six << 5 << QByteArray("2622161323")
                                       << QByteArrayList{"26", "22", "16", "13", "23"} << QByteArray("2211262633")
                                       << QByteArray("HALLO");
    QTest::addRow("FNNAD 5x5 depth 2") << QByteArray("FNNAD") << Dimension::Five << 2 << QByteArray("2133331114")
                                       << QByteArrayList{"21333", "31114"} << QByteArray("2311313134")
                                       << QByteArray("HALLO");
    QTest::addRow("empty ciphertext") << QByteArray() << six << 3 << QByteArray() << QByteArrayList{"", "", ""}
                                      << QByteArray() << QByteArray();
}

void TestCoding::decipherShowsEveryStep()
{
    QFETCH(QByteArray, ciphertext);
    QFETCH(Dimension, dimension);
    QFETCH(int, depth);
    QFETCH(QByteArray, cipherCode);
    QFETCH(QByteArrayList, rows);
    QFETCH(QByteArray, coordinates);
    QFETCH(QByteArray, plaintext);

    const auto deciphered = bifid::decipher(ciphertext.toStdString(), bifid::Square(dimension), depth);
    QVERIFY(deciphered.ok());
    QCOMPARE(bytes(deciphered.value.cipherCode), cipherCode);
    QCOMPARE(bytes(deciphered.value.rows), rows);
    QCOMPARE(bytes(deciphered.value.coordinates), coordinates);
    QCOMPARE(bytes(deciphered.value.plaintext), plaintext);
}

void TestCoding::decipherNamesACharacterOutsideTheSquare_data()
{
    QTest::addColumn<QByteArray>("ciphertext");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("codedSoFar");
    QTest::addColumn<char>("character");
    QTest::addColumn<int>("position");

    QTest::addRow("question mark in 6x6") << QByteArray("HAL?O") << Dimension::Six << QByteArray("221126") << '?' << 4;
    QTest::addRow("J in 5x5") << QByteArray("AJ") << Dimension::Five << QByteArray("11") << 'J' << 2;
    QTest::addRow("blank first") << QByteArray(" A") << Dimension::Six << QByteArray() << ' ' << 1;
}

void TestCoding::decipherNamesACharacterOutsideTheSquare()
{
    QFETCH(QByteArray, ciphertext);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, codedSoFar);
    QFETCH(char, character);
    QFETCH(int, position);

    const auto deciphered = bifid::decipher(ciphertext.toStdString(), bifid::Square(dimension), 2);
    verifyError(deciphered.error, Kind::NotInSquare, character, position);
    QCOMPARE(bytes(deciphered.value.cipherCode), codedSoFar);
    QVERIFY(deciphered.value.plaintext.empty());
}

void TestCoding::decipherUndoesEncipherForAnySquareAndDepth()
{
    std::mt19937 random(31337);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> depthOf(2, 5);
    std::uniform_int_distribution<std::size_t> anyIndex(0, 1000);

    for (int round = 0; round < 600; ++round) {
        const Dimension dimension = coin(random) ? Dimension::Six : Dimension::Five;
        const std::string_view alphabet = bifid::baseAlphabet(dimension);
        const auto pick = [&] { return alphabet[anyIndex(random) % alphabet.size()]; };

        std::string keyword(anyIndex(random) % 40, '\0');
        for (char &c : keyword)
            c = pick();
        const bifid::SquareLayout layout{dimension,
            coin(random) ? bifid::Direction::Forward : bifid::Direction::Reversed,
            coin(random) ? bifid::Direction::Forward : bifid::Direction::Reversed,
            static_cast<int>(1 + anyIndex(random) % alphabet.size())};
        const bifid::Square square = bifid::generateSquare(layout, keyword).square;

        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (char &c : text)
            c = pick();
        const int depth = depthOf(random);

        const auto enciphered = bifid::encipher(text, square, depth);
        QVERIFY(enciphered.ok());
        QCOMPARE(enciphered.value.size(), text.size());
        const auto deciphered = bifid::decipher(enciphered.value, square, depth);
        QVERIFY(deciphered.ok());
        const std::string coordinates = bifid::codeCoordinates(text, square).value;
        QCOMPARE(bytes(deciphered.value.coordinates), bytes(coordinates));
        QCOMPARE(bytes(deciphered.value.rows), bytes(bifid::fractionate(coordinates, depth)));
        QCOMPARE(bytes(deciphered.value.plaintext), bytes(text));
    }
}

void TestCoding::decipherIntoKeptStepsLeavesNothingOfTheCallBefore()
{
    // Longer, deeper and failing calls in turn, so that every step has something left over from the last.
    const std::vector<std::pair<std::string, int>> calls
        = {{"GHNF6GIH46LHFCI", 5}, {"GIH46", 3}, {"GH?F6", 2}, {"HN6BF", 4}, {"", 2}, {"FNNAD", 2}};
    const bifid::Square square(Dimension::Six);
    bifid::DecipherSteps steps;
    for (const auto &[ciphertext, depth] : calls) {
        const auto fresh = bifid::decipher(ciphertext, square, depth);
        const std::optional<CipherError> error = bifid::decipher(ciphertext, square, depth, steps);
        QCOMPARE(error.has_value(), fresh.error.has_value());
        QCOMPARE(bytes(steps.cipherCode), bytes(fresh.value.cipherCode));
        QCOMPARE(bytes(steps.rows), bytes(fresh.value.rows));
        QCOMPARE(bytes(steps.coordinates), bytes(fresh.value.coordinates));
        QCOMPARE(bytes(steps.plaintext), bytes(fresh.value.plaintext));
    }
}

void TestCoding::normalizingKeepsOnlyWhatTheSquareReads_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("ciphertext");

    QTest::addRow("small letters become capitals") << QByteArray("ghnF6az") << QByteArray("GHNF6AZ");
    QTest::addRow("groups of five") << QByteArray("GHNF6 GIH46 L") << QByteArray("GHNF6GIH46L");
    QTest::addRow("CR LF line breaks") << QByteArray("GHN\r\nF6\r\n") << QByteArray("GHNF6");
    QTest::addRow("lone CR and LF") << QByteArray("G\rH\nN") << QByteArray("GHN");
    QTest::addRow("tabs") << QByteArray("\tGH\tNF6\t") << QByteArray("GHNF6");
    QTest::addRow("only layout") << QByteArray(" \t\r\n  ") << QByteArray();
    QTest::addRow("empty") << QByteArray() << QByteArray();
    // Only a-z are raised: a small umlaut stays, so that the square's error names it as typed.
    QTest::addRow("umlauts, symbols and digits stay") << QByteArray("\xE4\xDF?-7\xA0") << QByteArray("\xE4\xDF?-7\xA0");
    QTest::addRow("bytes next to the small letters stay") << QByteArray("`{@[") << QByteArray("`{@[");
    QTest::addRow("zero byte stays") << QByteArray("A\0b", 3) << QByteArray("A\0B", 3);
}

void TestCoding::normalizingKeepsOnlyWhatTheSquareReads()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, ciphertext);
    QCOMPARE(
        bytes(bifid::normalizeCiphertext(std::string_view(typed.constData(), std::size_t(typed.size())))), ciphertext);
}

QTEST_GUILESS_MAIN(TestCoding)
#include "tst_coding.moc"
