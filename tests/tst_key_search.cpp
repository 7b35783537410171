// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/GermanSamples.h"

#include <cipher/Cleaning.h>
#include <cipher/KeySearch.h>
#include <cipher/PeriodTest.h>
#include <cipher/Periodic.h>
#include <cipher/WordBreaks.h>

#include <QTest>

using bifid::Dimension;

namespace {

std::string germanPlaintext(std::size_t index, std::size_t letters, Dimension dimension)
{
    return bifid::cleanText(samples::kGermanTexts[index], false, dimension).substr(0, letters);
}

double shareRight(const std::string &found, const std::string &plain)
{
    std::size_t right = 0;
    for (std::size_t i = 0; i < std::min(found.size(), plain.size()); ++i)
        right += found[i] == plain[i] ? 1 : 0;
    return static_cast<double>(right) / static_cast<double>(plain.size());
}

// Whether `found` is `used` with one permutation applied alike to its row and its column numbers.
bool sameUpToRelabelling(const bifid::Square &found, const bifid::Square &used)
{
    const auto side = static_cast<std::size_t>(used.side());
    std::vector<int> relabelled(side, -1);
    for (std::size_t cell = 0; cell < used.cellCount(); ++cell) {
        const std::size_t there = found.cells().find(used[cell]);
        for (auto [from, to] : {std::pair{cell / side, there / side}, std::pair{cell % side, there % side}}) {
            if (relabelled[from] >= 0 && relabelled[from] != static_cast<int>(to))
                return false;
            relabelled[from] = static_cast<int>(to);
        }
    }
    return true;
}

}  // namespace

Q_DECLARE_METATYPE(bifid::Dimension)

class TestKeySearch : public QObject {
    Q_OBJECT

private slots:
    void statisticNamesThePeriod_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<Dimension>("dimension");
        QTest::newRow("even, 5 X 5") << 8 << Dimension::Five;
        QTest::newRow("odd, 5 X 5") << 7 << Dimension::Five;
        QTest::newRow("period 2") << 2 << Dimension::Five;
        QTest::newRow("twenty, 6 X 6") << 20 << Dimension::Six;
    }
    void statisticNamesThePeriod()
    {
        QFETCH(int, period);
        QFETCH(Dimension, dimension);
        const std::string plain = germanPlaintext(3, 400, dimension);
        const std::string ciphertext = bifid::encipherPeriodic(
            plain, bifid::classicalSquare("LUPE", dimension), static_cast<std::size_t>(period), 2)
                                           .value;
        const bifid::PeriodStatistic statistic = bifid::periodStatistic(ciphertext, dimension);
        QCOMPARE(statistic.values.size(), 20U);
        QCOMPARE(statistic.suggested, static_cast<std::size_t>(period));
    }

    void statisticOfATooShortTextSuggestsNothing()
    {
        const bifid::PeriodStatistic statistic = bifid::periodStatistic("AB-C", Dimension::Five, 5);
        QCOMPARE(statistic.values, std::vector<double>(5, 0.0));
        QCOMPARE(statistic.suggested, 0U);
    }

    void tableNeedsTheSizeOfItsDimension()
    {
        QVERIFY(!bifid::QuadgramTable::fromBytes(std::string(std::size_t{26} * 26 * 26 * 26, '\0'), Dimension::Five));
        QVERIFY(bifid::QuadgramTable::fromBytes(std::string(std::size_t{26} * 26 * 26 * 26, '\0'), Dimension::Six));
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Six);
        QVERIFY(german);
        // German prose scores near -12 bits a quadgram; its letters reversed far lower.
        const std::string plain = germanPlaintext(0, 300, Dimension::Six);
        const double forwards = bifid::log2PerQuadgram(german->score(plain), plain.size());
        const double backwards
            = bifid::log2PerQuadgram(german->score(std::string(plain.rbegin(), plain.rend())), plain.size());
        QVERIFY2(forwards > -14 && backwards < forwards - 4, qPrintable(QString::number(forwards)));
    }

    void cribRejectsContradictingText_data()
    {
        QTest::addColumn<QByteArray>("plaintext");
        QTest::addColumn<QByteArray>("crib");
        QTest::addColumn<int>("position");  // -1 for anywhere
        QTest::addColumn<int>("mismatches");
        QTest::newRow("agrees at its place") << QByteArray("DERHAFENLAG") << QByteArray("HAFEN") << 3 << 0;
        QTest::newRow("contradicts at its place") << QByteArray("DERHAFENLAG") << QByteArray("HAFEN") << 2 << 5;
        QTest::newRow("agrees somewhere") << QByteArray("DERHAFENLAG") << QByteArray("NLAG") << -1 << 0;
        QTest::newRow("one letter off at best") << QByteArray("DERHAFENLAG") << QByteArray("HOFEN") << -1 << 1;
        QTest::newRow("runs past the end") << QByteArray("DERHAFENLAG") << QByteArray("LAGE") << 8 << 4;
        QTest::newRow("longer than the text") << QByteArray("DER") << QByteArray("DERHAFEN") << -1 << 8;
        QTest::newRow("empty crib") << QByteArray("DER") << QByteArray() << -1 << 0;
    }
    void cribRejectsContradictingText()
    {
        QFETCH(QByteArray, plaintext);
        QFETCH(QByteArray, crib);
        QFETCH(int, position);
        QFETCH(int, mismatches);
        const bifid::Crib known{crib.toStdString(),
            position < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(position))};
        QCOMPARE(bifid::cribMismatches(plaintext.toStdString(), known), static_cast<std::size_t>(mismatches));
    }

    void cribRejectsASquareOffByOneSwap()
    {
        const std::string plain = germanPlaintext(1, 120, Dimension::Five);
        const bifid::Square key = bifid::classicalSquare("BREZEL", Dimension::Five);
        const std::string ciphertext = bifid::encipherPeriodic(plain, key, 7, 2).value;
        const bifid::Crib crib{plain.substr(40, 10), 40};
        std::string cells = key.cells();
        std::swap(cells[cells.find(crib.text[0])], cells[cells.find(crib.text[1])]);
        const bifid::Square wrong(Dimension::Five, cells);
        QCOMPARE(bifid::cribMismatches(bifid::decipherPeriodic(ciphertext, key, 7, 2).value, crib), 0U);
        QVERIFY(bifid::cribMismatches(bifid::decipherPeriodic(ciphertext, wrong, 7, 2).value, crib) > 0);
    }

    void searchRecoversTheKey_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("cribLetters");
        QTest::newRow("300 letters") << 300 << 0;
        QTest::newRow("70 letters with a crib") << 70 << 12;
    }
    void searchRecoversTheKey()
    {
        QFETCH(int, letters);
        QFETCH(int, cribLetters);
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Five);
        QVERIFY(german);
        const std::string plain = germanPlaintext(4, static_cast<std::size_t>(letters), Dimension::Five);
        const bifid::Square key = bifid::classicalSquare("GARTEN", Dimension::Five);
        const std::string ciphertext = bifid::encipherPeriodic(plain, key, 7, 2).value;
        bifid::SearchSettings settings;
        settings.period = 7;
        settings.seed = 42;
        if (cribLetters > 0)
            settings.crib = {plain.substr(20, static_cast<std::size_t>(cribLetters)), std::nullopt};
        bifid::KeySearch search(ciphertext, *german, settings);
        constexpr std::uint64_t kBound = 3'000'000;
        while (search.keysTried() < kBound && shareRight(search.bestPlaintext(), plain) < 0.95)
            search.run(20'000);
        QVERIFY2(shareRight(search.bestPlaintext(), plain) >= 0.95, search.bestPlaintext().c_str());
        QCOMPARE(search.bestCribMismatches(), 0U);
        if (search.bestPlaintext() == plain)
            QVERIFY2(sameUpToRelabelling(search.bestSquare(), key), search.bestSquare().cells().c_str());
    }

    void statisticNamesThePeriodAtDepthThree()
    {
        const std::string plain = germanPlaintext(3, 400, Dimension::Five);
        const std::string ciphertext
            = bifid::encipherPeriodic(plain, bifid::classicalSquare("LUPE", Dimension::Five), 8, 3).value;
        QCOMPARE(bifid::periodStatistic(ciphertext, Dimension::Five, 20, 3).suggested, 8U);
    }

    // With the period unknown, the search tries the candidate periods itself and tells which one its best
    // square belongs to; it ends by itself once independent starts agree on the plaintext.
    void searchFindsThePeriodByItself()
    {
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Five);
        QVERIFY(german);
        const std::string plain = germanPlaintext(8, 300, Dimension::Five);
        const std::string ciphertext
            = bifid::encipherPeriodic(plain, bifid::classicalSquare("WANDERSCHUH", Dimension::Five), 7, 2).value;
        bifid::SearchSettings settings;
        settings.findPeriod = true;
        settings.seed = 11;
        bifid::KeySearch search(ciphertext, *german, settings);
        QCOMPARE(search.periods().size(), 21U);  // 0 and 1 to 20
        constexpr std::uint64_t kBound = 40'000'000;
        while (search.keysTried() < kBound && !search.finished())
            search.run(100'000);
        QVERIFY2(search.finished(), qPrintable(QString::number(search.keysTried())));
        QCOMPARE(search.period(), 7U);
        QCOMPARE(search.bestPlaintext(), plain);
        QVERIFY(search.agreeingStarts() >= settings.agreeingStarts);
        const std::vector<bifid::KeySearch::Candidate> candidates = search.candidates();
        QVERIFY(!candidates.empty() && candidates.size() <= 5);
        QCOMPARE(candidates.front().plaintext, plain);
        QCOMPARE(candidates.front().period, 7U);
    }

    // Every period has a best plaintext that start after start may reach again: with the period unknown,
    // agreeing starts end the search only when their period leads the others clearly.
    void agreementWithoutAClearPeriodGoesOn()
    {
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Five);
        QVERIFY(german);
        const std::string plain = germanPlaintext(2, 40, Dimension::Five);
        const std::string ciphertext
            = bifid::encipherPeriodic(plain, bifid::classicalSquare("GARTEN", Dimension::Five), 7, 2).value;
        bifid::SearchSettings settings;
        settings.findPeriod = true;
        settings.seed = 5;
        settings.agreeingStarts = 1;  // the first start of the best period agrees with itself
        settings.keysPerStart = 2'000;
        bifid::KeySearch search(ciphertext, *german, settings);
        search.run(4 * search.periods().size() * settings.keysPerStart);
        QVERIFY(search.starts() > search.periods().size());
        QVERIFY(!search.finished());
    }

    void searchWorksAtDepthThree()
    {
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Six);
        QVERIFY(german);
        const std::string plain = germanPlaintext(5, 250, Dimension::Six);
        const std::string ciphertext
            = bifid::encipherPeriodic(plain, bifid::classicalSquare("SCHACH", Dimension::Six), 6, 3).value;
        bifid::SearchSettings settings;
        settings.period = 6;
        settings.depth = 3;
        settings.seed = 3;
        bifid::KeySearch search(ciphertext, *german, settings);
        constexpr std::uint64_t kBound = 6'000'000;
        while (search.keysTried() < kBound && shareRight(search.bestPlaintext(), plain) < 0.95)
            search.run(20'000);
        QVERIFY2(shareRight(search.bestPlaintext(), plain) >= 0.95, search.bestPlaintext().c_str());
        QCOMPARE(search.period(), 6U);
    }

    void wordBreaksOfAKnownSentence_data()
    {
        QTest::addColumn<QByteArray>("letters");
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<Dimension>("dimension");
        QTest::newRow("5 X 5, J as I") << QByteArray("DERZUGNACHHAMBURGHATTEIEDENTAGVERSPAETUNG")
                                       << QByteArray("DER ZUG NACH HAMBURG HATTE IEDEN TAG VERSPAETUNG")
                                       << Dimension::Five;
        QTest::newRow("6 X 6, digits a word")
            << QByteArray("IMJAHR1989FIELDIEMAUER") << QByteArray("IM JAHR 1989 FIEL DIE MAUER") << Dimension::Six;
        QTest::newRow("empty") << QByteArray() << QByteArray() << Dimension::Five;
    }
    void wordBreaksOfAKnownSentence()
    {
        QFETCH(QByteArray, letters);
        QFETCH(QByteArray, words);
        QFETCH(Dimension, dimension);
        const std::optional<bifid::WordTable> table = samples::wordTable("de", dimension);
        QVERIFY(table);
        QVERIFY(table->size() > 10'000);
        QCOMPARE(QByteArray::fromStdString(table->withBreaks(letters.toStdString())), words);
    }

    void wordTableRefusesOtherText()
    {
        QVERIFY(bifid::WordTable::fromText("10\n3\nDER\nDIE\n", Dimension::Five));
        QVERIFY(!bifid::WordTable::fromText("", Dimension::Five));
        QVERIFY(!bifid::WordTable::fromText("10\nDER\n", Dimension::Five));  // a word without its count
        QVERIFY(!bifid::WordTable::fromText("10\n3\nder\n", Dimension::Five));
    }

    void searchIsRepeatableFromItsSeed()
    {
        const std::optional<bifid::QuadgramTable> german = samples::quadgramTable("de", Dimension::Six);
        QVERIFY(german);
        const std::string ciphertext = bifid::encipherPeriodic(
            germanPlaintext(2, 100, Dimension::Six), bifid::classicalSquare("DONAU", Dimension::Six), 5, 2)
                                           .value;
        bifid::SearchSettings settings;
        settings.period = 5;
        settings.seed = 7;
        bifid::KeySearch first(ciphertext, *german, settings);
        bifid::KeySearch second(ciphertext, *german, settings);
        first.run(30'000);
        second.run(10'000);
        second.run(20'000);
        QCOMPARE(first.bestSquare(), second.bestSquare());
        QCOMPARE(first.keysTried(), 30'000U);
    }
};

QTEST_APPLESS_MAIN(TestKeySearch)
#include "tst_key_search.moc"
