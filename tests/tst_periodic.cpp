// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Coding.h"
#include "cipher/Periodic.h"

#include <QTest>

#include <algorithm>
#include <random>

using bifid::Dimension;

Q_DECLARE_METATYPE(bifid::Dimension)

namespace {

QByteArray bytes(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

std::string randomText(std::mt19937 &random, std::string_view alphabet, std::size_t length)
{
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length, '\0');
    for (char &c : text)
        c = alphabet[pick(random)];
    return text;
}

}  // namespace

class TestPeriodic : public QObject {
    Q_OBJECT

private slots:
    void classicalSquareLaysTheKeywordFirst_data()
    {
        QTest::addColumn<Dimension>("dimension");
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<QByteArray>("cells");

        QTest::newRow("empty keyword, 5 X 5")
            << Dimension::Five << QByteArray() << QByteArray("ABCDEFGHIKLMNOPQRSTUVWXYZ");
        QTest::newRow("J as I, small letters, repeats")
            << Dimension::Five << QByteArray("jinx Jam") << QByteArray("INXAMBCDEFGHKLOPQRSTUVWYZ");
        QTest::newRow("6 X 6 keeps J and digits, spells Ä out, drops the rest")
            << Dimension::Six << QByteArray("Ja-9 \xc4!j") << QByteArray("JA9EBCDFGHIKLMNOPQRSTUVWXYZ012345678");
        QTest::newRow("5 X 5 spells ü out and digits as words")
            << Dimension::Five << QByteArray("Sch\xfcler 2") << QByteArray("SCHUELRZWOABDFGIKMNPQTVXY");
    }
    void classicalSquareLaysTheKeywordFirst()
    {
        QFETCH(Dimension, dimension);
        QFETCH(QByteArray, keyword);
        QFETCH(QByteArray, cells);
        QCOMPARE(bytes(bifid::classicalSquare(keyword.toStdString(), dimension).cells()), cells);
    }

    void blocksCoverTheTextWithAShortLastOne_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("lastStart");
        QTest::addColumn<int>("lastLength");

        QTest::newRow("empty text") << 0 << 5 << 0 << 0 << 0;
        QTest::newRow("no period") << 7 << 0 << 1 << 0 << 7;
        QTest::newRow("even blocks") << 10 << 5 << 2 << 5 << 5;
        QTest::newRow("short last block") << 11 << 5 << 3 << 10 << 1;
        QTest::newRow("period beyond the text") << 4 << 9999 << 1 << 0 << 4;
    }
    void blocksCoverTheTextWithAShortLastOne()
    {
        QFETCH(int, letters);
        QFETCH(int, period);
        QFETCH(int, blocks);
        QFETCH(int, lastStart);
        QFETCH(int, lastLength);
        const auto count = bifid::blockCount(std::size_t(letters), std::size_t(period));
        QCOMPARE(count, std::size_t(blocks));
        if (count > 0)
            QCOMPARE(bifid::blockAt(std::size_t(letters), std::size_t(period), count - 1),
                (bifid::Block{std::size_t(lastStart), std::size_t(lastLength)}));
    }

    void textbookExamplesComeOut_data()
    {
        QTest::addColumn<Dimension>("dimension");
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QByteArray>("plaintext");
        QTest::addColumn<QByteArray>("ciphertext");

        QTest::newRow("period 5") << Dimension::Five << QByteArray("PHQGMEAYLNOFDXKRCVSZWBUTI") << 5 << 2
                                  << QByteArray("DEFENDTHEEASTWALLOFTHECASTLE")
                                  << QByteArray("FFYHMKHYCPLIASHADTRLHCCHLBLR");
        QTest::newRow("period 3, short last block")
            << Dimension::Five << QByteArray("SECRET") << 3 << 2 << QByteArray("DCODE") << QByteArray("APIAI");
        QTest::newRow("MESSAGE") << Dimension::Five << QByteArray("MESSAGE") << 3 << 2 << QByteArray("BIFID")
                                 << QByteArray("DBAKS");
        QTest::newRow("6 X 6, no period")
            << Dimension::Six << QByteArray() << 0 << 2 << QByteArray("HALLO") << QByteArray("GHNF6");
        QTest::newRow("6 X 6, depth 3") << Dimension::Six << QByteArray() << 0 << 3 << QByteArray("HALLO")
                                        << QByteArray("GIH46");
        QTest::newRow("5 X 5, no period")
            << Dimension::Five << QByteArray() << 0 << 2 << QByteArray("HALLO") << QByteArray("FNNAD");
    }
    void textbookExamplesComeOut()
    {
        QFETCH(Dimension, dimension);
        QFETCH(QByteArray, keyword);
        QFETCH(int, period);
        QFETCH(int, depth);
        QFETCH(QByteArray, plaintext);
        QFETCH(QByteArray, ciphertext);
        const bifid::Square square = bifid::classicalSquare(keyword.toStdString(), dimension);
        const auto p = std::size_t(period);
        QCOMPARE(bytes(bifid::encipherPeriodic(plaintext.toStdString(), square, p, depth).value), ciphertext);
        QCOMPARE(bytes(bifid::decipherPeriodic(ciphertext.toStdString(), square, p, depth).value), plaintext);
    }

    void aCharacterOutsideTheSquareIsNamedWhereItStands()
    {
        const bifid::Square square(Dimension::Five);
        for (const auto &run : {bifid::encipherPeriodic, bifid::decipherPeriodic}) {
            const bifid::Result<std::string> result = run("ABCDEFJH", square, 3, 2);
            QVERIFY(!result.ok());
            QCOMPARE(result.error->character, 'J');
            QCOMPARE(result.error->position, std::size_t(7));
            QVERIFY(result.value.empty());
        }
    }

    // Deciphering inverts enciphering, and a period of at least the length is the whole-text cipher.
    void decipheringInvertsEnciphering()
    {
        std::mt19937 random(20261209);
        for (const Dimension dimension : {Dimension::Five, Dimension::Six}) {
            std::string cells(bifid::baseAlphabet(dimension));
            for (int trial = 0; trial < 40; ++trial) {
                std::shuffle(cells.begin(), cells.end(), random);
                const bifid::Square square(dimension, cells);
                const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 60)(random);
                const std::string text = randomText(random, cells, length);
                for (std::size_t period = 0; period <= 20; ++period) {
                    for (int depth = 2; depth <= 5; ++depth) {
                        const std::string ciphertext = bifid::encipherPeriodic(text, square, period, depth).value;
                        QCOMPARE(bifid::decipherPeriodic(ciphertext, square, period, depth).value, text);
                        if (period == 0 || period >= length)
                            QCOMPARE(ciphertext, bifid::encipher(text, square, depth).value);
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPeriodic)
#include "tst_periodic.moc"
