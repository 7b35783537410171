// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Cleaning.h"
#include "support/CleaningReference.h"

#include <QTest>

#include <random>

using bifid::Dimension;

Q_DECLARE_METATYPE(bifid::Dimension)

class TestCleaning : public QObject {
    Q_OBJECT

private slots:
    void cleaningFollowsTheRules_data();
    void cleaningFollowsTheRules();
    void cleaningSpellsOutEveryDigitWhenUnchecked_data();
    void cleaningSpellsOutEveryDigitWhenUnchecked();
    void cleaningDropsHighBytesOtherThanUmlauts();
    void cleaningMatchesReferenceOnRandomBytes();
};

void TestCleaning::cleaningFollowsTheRules_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("keepDigits");
    QTest::addColumn<Dimension>("dimension");
    QTest::addColumn<QByteArray>("expected");

    // Concatenated because a letter a-f right after the escapes would extend them.
    const QByteArray groesse = QByteArray("Gr\xF6\xDF") + "e 2x!";
    QTest::addRow("umlaut, sharp s and kept digit") << groesse << true << Dimension::Six << QByteArray("GROESZE2X");
    QTest::addRow("umlaut, sharp s and spelled digit")
        << groesse << false << Dimension::Six << QByteArray("GROESZEZWOX");

    QTest::addRow("number word before small letter")
        << QByteArray("2a") << false << Dimension::Six << QByteArray("ZWOA");
    QTest::addRow("number word repeated") << QByteArray("22") << false << Dimension::Six << QByteArray("ZWOZWO");
    QTest::addRow("number word before blank") << QByteArray("2 x") << false << Dimension::Six << QByteArray("ZWOX");
    QTest::addRow("two number words") << QByteArray("12") << false << Dimension::Six << QByteArray("EINSZWO");
    QTest::addRow("longest number word") << QByteArray("7") << false << Dimension::Six << QByteArray("SIEBEN");
    QTest::addRow("number word before sharp s")
        << QByteArray("2\xDF") << false << Dimension::Six << QByteArray("ZWOSZ");
    QTest::addRow("number words keep their J-free letters in 5x5")
        << QByteArray("9") << false << Dimension::Five << QByteArray("NEUN");

    QTest::addRow("J becomes I in 5x5") << QByteArray("Jojo") << true << Dimension::Five << QByteArray("IOIO");
    QTest::addRow("J stays in 6x6") << QByteArray("Jojo") << true << Dimension::Six << QByteArray("JOJO");
    QTest::addRow("J after kept digit in 5x5") << QByteArray("2J") << true << Dimension::Five << QByteArray("2I");
    QTest::addRow("J after kept digit in 6x6") << QByteArray("2J") << true << Dimension::Six << QByteArray("2J");

    QTest::addRow("line break dropped") << QByteArray("ab\r\nc") << true << Dimension::Six << QByteArray("ABC");
    QTest::addRow("accented letter dropped") << QByteArray("caf\xE9") << true << Dimension::Six << QByteArray("CAF");
    QTest::addRow("punctuation and tab dropped")
        << QByteArray("a.b,c;d\t-e?") << true << Dimension::Six << QByteArray("ABCDE");
    QTest::addRow("only blanks and line breaks")
        << QByteArray("  \r\n \r\n ") << false << Dimension::Six << QByteArray();
    QTest::addRow("empty") << QByteArray() << false << Dimension::Five << QByteArray();
    QTest::addRow("zero byte dropped") << QByteArray("a\0b", 3) << true << Dimension::Six << QByteArray("AB");

    const struct {
        const char *name;
        char byte;
        const char *spelled;
    } umlauts[] = {{"capital A umlaut", '\xC4', "AE"}, {"small a umlaut", '\xE4', "AE"},
        {"capital O umlaut", '\xD6', "OE"}, {"small o umlaut", '\xF6', "OE"}, {"capital U umlaut", '\xDC', "UE"},
        {"small u umlaut", '\xFC', "UE"}, {"sharp s", '\xDF', "SZ"}};
    for (const auto &umlaut : umlauts) {
        for (Dimension dimension : {Dimension::Six, Dimension::Five}) {
            QTest::addRow("%s in %s", umlaut.name, dimension == Dimension::Six ? "6x6" : "5x5")
                << QByteArray(1, umlaut.byte) << false << dimension << QByteArray(umlaut.spelled);
        }
    }
}

void TestCleaning::cleaningFollowsTheRules()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, keepDigits);
    QFETCH(Dimension, dimension);
    QFETCH(QByteArray, expected);

    QCOMPARE(QByteArray::fromStdString(bifid::cleanText(raw.toStdString(), keepDigits, dimension)), expected);
}

void TestCleaning::cleaningSpellsOutEveryDigitWhenUnchecked_data()
{
    QTest::addColumn<char>("digit");
    QTest::addColumn<QByteArray>("word");

    for (int digit = 0; digit < 10; ++digit) {
        const std::string_view word = reference::kNumberWords[std::size_t(digit)];
        QTest::addRow("%d", digit) << static_cast<char>('0' + digit) << QByteArray(word.data(), qsizetype(word.size()));
    }
}

void TestCleaning::cleaningSpellsOutEveryDigitWhenUnchecked()
{
    QFETCH(char, digit);
    QFETCH(QByteArray, word);

    const std::string raw(1, digit);
    QCOMPARE(QByteArray::fromStdString(bifid::cleanText(raw, false, Dimension::Six)), word);
    QCOMPARE(QByteArray::fromStdString(bifid::cleanText(raw, false, Dimension::Five)), word);
    QCOMPARE(QByteArray::fromStdString(bifid::cleanText(raw, true, Dimension::Six)), QByteArray(1, digit));
}

void TestCleaning::cleaningDropsHighBytesOtherThanUmlauts()
{
    const std::string umlauts = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF";
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char c = static_cast<char>(byte);
        if (umlauts.find(c) != std::string::npos)
            continue;
        QVERIFY2(
            bifid::cleanText(std::string(1, c), true, Dimension::Six).empty(), qPrintable(QString::number(byte, 16)));
    }
}

void TestCleaning::cleaningMatchesReferenceOnRandomBytes()
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 400; ++round) {
        std::string raw(static_cast<std::size_t>(length(random)), '\0');
        for (char &c : raw)
            c = static_cast<char>(byte(random));
        const bool keepDigits = round % 2 == 0;
        const Dimension dimension = round % 4 < 2 ? Dimension::Six : Dimension::Five;

        const std::string clean = bifid::cleanText(raw, keepDigits, dimension);
        QCOMPARE(
            QByteArray::fromStdString(clean), QByteArray::fromStdString(reference::clean(raw, keepDigits, dimension)));
        const std::string_view allowed = keepDigits ? bifid::kAlphabet6 : bifid::baseAlphabet(dimension);
        QVERIFY(clean.find_first_not_of(allowed) == std::string::npos);
    }
}

QTEST_GUILESS_MAIN(TestCleaning)
#include "tst_cleaning.moc"
