// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Grouping.h"
#include "cipher/Trace.h"

#include <QTest>

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using bifid::DigitRole;
using bifid::TraceField;
using bifid::TraceMap;
using bifid::TraceMark;

namespace {

using Mark = std::tuple<TraceField, std::size_t, int, DigitRole>;  // field, index, row, role
using Marks = std::set<Mark>;

constexpr std::size_t kLargest = std::numeric_limits<std::size_t>::max();

Marks asSet(const std::vector<TraceMark> &marks)
{
    Marks set;
    for (const TraceMark &mark : marks)
        set.insert({mark.field, mark.index, mark.row, mark.role});
    return set;
}

QByteArray describe(const Marks &marks)
{
    static const char *const fields[] = {"plain", "coord", "rows", "code", "cipher"};
    QByteArray text;
    for (const auto &[field, index, row, role] : marks)
        text += QByteArray(fields[int(field)])
            + (field == TraceField::Rows ? "(" + QByteArray::number(row) + ")" : QByteArray()) + "["
            + QByteArray::number(qulonglong(index)) + "]" + (role == DigitRole::Row ? "r " : "c ");
    return text;
}

// One digit as it travels: its coordinate place (none for a digit added to a row by hand), its place in
// the rows and its code place (none for a digit cut off a row by hand).
struct Digit {
    std::optional<std::size_t> coordinate;
    int row;
    std::size_t place;
    std::optional<std::size_t> code;
};

// The steps run on labelled digits: every coordinate digit carries its own place as its label, is dealt
// into the rows, the rows are cut or padded to their edited lengths and joined; then each digit is found
// again by its label.
class BruteForce {
public:
    BruteForce(std::size_t letters, int depth, const std::vector<std::size_t> &lengths)
    {
        std::vector<std::vector<std::size_t>> dealt(static_cast<std::size_t>(depth));
        for (std::size_t label = 0; label < 2 * letters; ++label)
            dealt[label % dealt.size()].push_back(label);
        std::vector<std::optional<std::size_t>> code;  // labels; none where a row was made longer
        std::vector<std::pair<int, std::size_t>> codePlaces;
        for (std::size_t k = 0; k < dealt.size(); ++k)
            for (std::size_t j = 0; j < lengths[k]; ++j) {
                code.push_back(j < dealt[k].size() ? std::optional(dealt[k][j]) : std::nullopt);
                codePlaces.emplace_back(int(k), j);
            }
        for (std::size_t k = 0; k < dealt.size(); ++k)
            for (std::size_t j = 0; j < dealt[k].size(); ++j) {
                const auto at = std::find(code.begin(), code.end(), dealt[k][j]);
                m_digits.push_back({dealt[k][j], int(k), j,
                    at == code.end() ? std::nullopt : std::optional(std::size_t(at - code.begin()))});
            }
        for (std::size_t c = 0; c < code.size(); ++c)
            if (!code[c])
                m_digits.push_back({std::nullopt, codePlaces[c].first, codePlaces[c].second, c});
    }

    [[nodiscard]] Marks expected(TraceField field, std::size_t index, int row) const
    {
        switch (field) {
        case TraceField::Plaintext:
            return pair(TraceField::Plaintext, index, find([&](const Digit &d) { return d.coordinate == 2 * index; }),
                find([&](const Digit &d) { return d.coordinate == 2 * index + 1; }));
        case TraceField::Coordinates: return chain(find([&](const Digit &d) { return d.coordinate == index; }));
        case TraceField::Rows: return chain(find([&](const Digit &d) { return d.row == row && d.place == index; }));
        case TraceField::CipherCode: return chain(find([&](const Digit &d) { return d.code == index; }));
        case TraceField::Ciphertext:
            return pair(TraceField::Ciphertext, index, find([&](const Digit &d) { return d.code == 2 * index; }),
                find([&](const Digit &d) { return d.code == 2 * index + 1; }));
        }
        return {};
    }

private:
    template <typename Match> [[nodiscard]] const Digit *find(Match match) const
    {
        const auto at = std::find_if(m_digits.begin(), m_digits.end(), match);
        return at == m_digits.end() ? nullptr : &*at;
    }

    // Everything one digit touches; its role is that of its coordinate digit unless the trace started
    // from a letter made of two digits.
    static Marks chain(const Digit *digit, std::optional<DigitRole> asPartOfLetter = std::nullopt)
    {
        if (!digit)
            return {};
        const DigitRole role = asPartOfLetter.value_or(
            digit->coordinate && *digit->coordinate % 2 == 1 ? DigitRole::Column : DigitRole::Row);
        Marks marks{{TraceField::Rows, digit->place, digit->row, role}};
        if (digit->coordinate) {
            marks.insert({TraceField::Coordinates, *digit->coordinate, 0, role});
            marks.insert({TraceField::Plaintext, *digit->coordinate / 2, 0, role});
        }
        if (digit->code) {
            marks.insert({TraceField::CipherCode, *digit->code, 0, role});
            marks.insert({TraceField::Ciphertext, *digit->code / 2, 0, role});
        }
        return marks;
    }

    // A letter and its two digits; the letter's own field shows only the letter itself.
    static Marks pair(TraceField field, std::size_t index, const Digit *first, const Digit *second)
    {
        if (!first)
            return {};
        Marks marks = chain(first, DigitRole::Row);
        marks.merge(chain(second, DigitRole::Column));
        std::erase_if(marks, [&](const Mark &mark) { return std::get<0>(mark) == field; });
        marks.insert({field, index, 0, DigitRole::Row});
        return marks;
    }

    std::vector<Digit> m_digits;
};

std::vector<std::size_t> dealtLengths(std::size_t letters, int depth)
{
    std::vector<std::size_t> lengths(static_cast<std::size_t>(depth));
    for (std::size_t label = 0; label < 2 * letters; ++label)
        ++lengths[label % lengths.size()];
    return lengths;
}

}  // namespace

class TestTrace : public QObject {
    Q_OBJECT

private slots:
    void everyPlaceMarksWhereItsDigitsTravel_data();
    void everyPlaceMarksWhereItsDigitsTravel();
    void handWorkedLettersOfHallo_data();
    void handWorkedLettersOfHallo();
    void farPlacesMarkNothing_data();
    void farPlacesMarkNothing();
    void withoutRowsCoordinatesReachNoFurther();
    void groupedPlacesRoundTripAndBlanksHoldNoCharacter_data();
    void groupedPlacesRoundTripAndBlanksHoldNoCharacter();
};

void TestTrace::everyPlaceMarksWhereItsDigitsTravel_data()
{
    QTest::addColumn<int>("letters");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QList<int>>("edits");  // added to the dealt length of each row

    for (int depth = 2; depth <= 5; ++depth)
        for (int letters : {0, 1, 2, 3, 5, 7, 8, 13})
            QTest::addRow("%d letters at depth %d as dealt", letters, depth) << letters << depth << QList<int>();
    QTest::addRow("7 letters at depth 3, first row longer, last shorter") << 7 << 3 << QList<int>{2, 0, -1};
    QTest::addRow("HALLO at depth 2, a digit moved from the first row to the second") << 5 << 2 << QList<int>{-1, 1};
    QTest::addRow("8 letters at depth 4, odd code from a longer row") << 8 << 4 << QList<int>{0, 3, 0, 0};
    QTest::addRow("13 letters at depth 5, last row emptied") << 13 << 5 << QList<int>{0, 0, 0, 0, -5};
    QTest::addRow("1 letter at depth 2, first row emptied, second longer") << 1 << 2 << QList<int>{-1, 2};
    QTest::addRow("no letters at depth 3, digits typed into a row") << 0 << 3 << QList<int>{0, 2, 0};
}

void TestTrace::everyPlaceMarksWhereItsDigitsTravel()
{
    QFETCH(int, letters);
    QFETCH(int, depth);
    QFETCH(QList<int>, edits);

    const auto n = static_cast<std::size_t>(letters);
    std::vector<std::size_t> lengths = dealtLengths(n, depth);
    for (qsizetype k = 0; k < edits.size(); ++k)
        lengths[std::size_t(k)] = std::size_t(qsizetype(lengths[std::size_t(k)]) + edits[k]);
    const TraceMap map = edits.isEmpty() ? TraceMap::dealt(n, depth) : TraceMap(n, lengths);
    const BruteForce brute(n, depth, lengths);
    std::size_t code = 0;
    for (std::size_t length : lengths)
        code += length;
    const std::size_t longestRow = std::max(std::ranges::max(lengths), 2 * n / std::size_t(depth) + 1);

    const auto check = [&](TraceField field, std::size_t index, int row) {
        const Marks actual = asSet(map.trace(field, index, row));
        const Marks expected = brute.expected(field, index, row);
        QVERIFY2(actual == expected,
            QByteArray("from " + describe({{field, index, row, DigitRole::Row}}) + ": got " + describe(actual)
                + "expected " + describe(expected))
                .constData());
    };
    // One place past the end of each field too.
    for (std::size_t i = 0; i <= n; ++i)
        check(TraceField::Plaintext, i, 0);
    for (std::size_t i = 0; i <= 2 * n; ++i)
        check(TraceField::Coordinates, i, 0);
    for (int row = -1; row <= depth; ++row)
        for (std::size_t i = 0; i <= longestRow; ++i)
            check(TraceField::Rows, i, row);
    for (std::size_t i = 0; i <= code; ++i)
        check(TraceField::CipherCode, i, 0);
    for (std::size_t i = 0; i <= code / 2 + 1; ++i)
        check(TraceField::Ciphertext, i, 0);
}

// HALLO at depth 2: coordinates 2211262633, rows 21223 and 21663, code 2122321663, ciphertext GHNF6.
void TestTrace::handWorkedLettersOfHallo_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("expected");  // field, index, row, role (0 row digit, 1 column digit) each

    const int p = int(TraceField::Plaintext), x = int(TraceField::Coordinates), r = int(TraceField::Rows);
    const int c = int(TraceField::CipherCode), t = int(TraceField::Ciphertext);
    QTest::addRow("plaintext A") << p << 1
                                 << QList<int>{p, 1, 0, 0, x, 2, 0, 0, x, 3, 0, 1, r, 1, 0, 0, r, 1, 1, 1, c, 1, 0, 0,
                                        c, 6, 0, 1, t, 0, 0, 0, t, 3, 0, 1};
    QTest::addRow("ciphertext F") << t << 3
                                  << QList<int>{t, 3, 0, 0, c, 6, 0, 0, c, 7, 0, 1, r, 1, 1, 0, r, 2, 1, 1, x, 3, 0, 0,
                                         x, 5, 0, 1, p, 1, 0, 0, p, 2, 0, 1};
}

void TestTrace::handWorkedLettersOfHallo()
{
    QFETCH(int, field);
    QFETCH(int, index);
    QFETCH(QList<int>, expected);

    Marks marks;
    for (qsizetype i = 0; i + 3 < expected.size(); i += 4)
        marks.insert({TraceField(expected[i]), std::size_t(expected[i + 1]), expected[i + 2],
            expected[i + 3] == 0 ? DigitRole::Row : DigitRole::Column});
    const Marks actual = asSet(TraceMap::dealt(5, 2).trace(TraceField(field), std::size_t(index)));
    QVERIFY2(actual == marks, describe(actual).constData());
}

// Indices whose digit places would wrap around if doubled or multiplied by the depth.
void TestTrace::farPlacesMarkNothing_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<qulonglong>("index");
    QTest::addColumn<int>("row");

    QTest::addRow("largest plaintext place") << int(TraceField::Plaintext) << qulonglong(kLargest) << 0;
    QTest::addRow("largest coordinate place") << int(TraceField::Coordinates) << qulonglong(kLargest) << 0;
    QTest::addRow("row place that wraps to coordinate 2") << int(TraceField::Rows) << qulonglong(kLargest / 3 + 1) << 0;
    QTest::addRow("largest cipher code place") << int(TraceField::CipherCode) << qulonglong(kLargest) << 0;
    QTest::addRow("ciphertext place that wraps to code 0")
        << int(TraceField::Ciphertext) << qulonglong(kLargest / 2 + 1) << 0;
}

void TestTrace::farPlacesMarkNothing()
{
    QFETCH(int, field);
    QFETCH(qulonglong, index);
    QFETCH(int, row);

    QVERIFY(TraceMap::dealt(7, 3).trace(TraceField(field), std::size_t(index), row).empty());
}

void TestTrace::withoutRowsCoordinatesReachNoFurther()
{
    const TraceMap map(3, std::vector<std::size_t>{});
    const Marks expected{{TraceField::Plaintext, 1, 0, DigitRole::Row}, {TraceField::Coordinates, 2, 0, DigitRole::Row},
        {TraceField::Coordinates, 3, 0, DigitRole::Column}};
    const Marks actual = asSet(map.trace(TraceField::Plaintext, 1));
    QVERIFY2(actual == expected, describe(actual).constData());
}

void TestTrace::groupedPlacesRoundTripAndBlanksHoldNoCharacter_data()
{
    QTest::addColumn<int>("groupSize");

    QTest::addRow("pairs") << 2;
    QTest::addRow("fives") << 5;
}

void TestTrace::groupedPlacesRoundTripAndBlanksHoldNoCharacter()
{
    QFETCH(int, groupSize);

    const auto size = static_cast<std::size_t>(groupSize);
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::string plain = text.substr(0, length);
        const std::string grouped = bifid::groupText(plain, size);
        for (std::size_t i = 0; i < plain.size(); ++i) {
            QCOMPARE(grouped.at(bifid::groupedIndex(i, size)), plain[i]);
            QVERIFY(bifid::ungroupedIndex(bifid::groupedIndex(i, size), size) == i);
        }
        for (std::size_t shown = 0; shown < grouped.size(); ++shown) {
            const std::optional<std::size_t> index = bifid::ungroupedIndex(shown, size);
            QCOMPARE(index.has_value(), grouped[shown] != ' ');
            if (index)
                QCOMPARE(plain.at(*index), grouped[shown]);
        }
    }
}

QTEST_GUILESS_MAIN(TestTrace)
#include "tst_trace.moc"
