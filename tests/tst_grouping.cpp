// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/Grouping.h"

#include <QTest>

class TestGrouping : public QObject {
    Q_OBJECT

private slots:
    void groupingCutsFromTheLeftWithoutOuterBlanks_data();
    void groupingCutsFromTheLeftWithoutOuterBlanks();
};

void TestGrouping::groupingCutsFromTheLeftWithoutOuterBlanks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("groupSize");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("11 letters in fives") << QByteArray("ABCDEFGHIJK") << 5 << QByteArray("ABCDE FGHIJ K");
    QTest::addRow("10 letters in fives") << QByteArray("ABCDEFGHIJ") << 5 << QByteArray("ABCDE FGHIJ");
    QTest::addRow("six digits in pairs") << QByteArray("123456") << 2 << QByteArray("12 34 56");
    QTest::addRow("odd digits in pairs") << QByteArray("12345") << 2 << QByteArray("12 34 5");
    QTest::addRow("exactly one group") << QByteArray("ABCDE") << 5 << QByteArray("ABCDE");
    QTest::addRow("one short of a group") << QByteArray("ABCD") << 5 << QByteArray("ABCD");
    QTest::addRow("one past a group") << QByteArray("ABCDEF") << 5 << QByteArray("ABCDE F");
    QTest::addRow("one past a pair") << QByteArray("123") << 2 << QByteArray("12 3");
    QTest::addRow("multiple of the group size") << QByteArray(20, 'X') << 5 << QByteArray("XXXXX XXXXX XXXXX XXXXX");
    QTest::addRow("groups of one") << QByteArray("ABC") << 1 << QByteArray("A B C");
    QTest::addRow("empty") << QByteArray() << 5 << QByteArray();
    QTest::addRow("group size 0 leaves the text") << QByteArray("ABCDEF") << 0 << QByteArray("ABCDEF");
}

void TestGrouping::groupingCutsFromTheLeftWithoutOuterBlanks()
{
    QFETCH(QByteArray, text);
    QFETCH(int, groupSize);
    QFETCH(QByteArray, expected);

    const std::string grouped = bifid::groupText(text.toStdString(), static_cast<std::size_t>(groupSize));
    QCOMPARE(QByteArray::fromStdString(grouped), expected);
}

QTEST_GUILESS_MAIN(TestGrouping)
#include "tst_grouping.moc"
