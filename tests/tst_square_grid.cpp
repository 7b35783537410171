// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The square-grid widget that draws every square: it paints a square with its keyword cells, reports
// back what it shows, and marks cells.

#include "SquareGrid.h"
#include "Startup.h"

#include <cipher/Square.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

using bifid::Dimension;

class TestSquareGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Startup::setUpApplication(*qApp); }
    void paintsASquareAndReportsItBack_data();
    void paintsASquareAndReportsItBack();
    void marksExactlyTheGivenCells();
};

void TestSquareGrid::paintsASquareAndReportsItBack_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<QByteArray>("cells");
    QTest::addColumn<QString>("keywordCells");  // bits, cell 0 first
    QTest::addRow("6 X 6 keyed from cell 1") << 0 << QByteArray("KEYWORDABCFGHIJLMNPQSTUVXZ0123456789") << "1111111";
    QTest::addRow("6 X 6 unkeyed") << 0 << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") << "";
    QTest::addRow("5 X 5 keyed at the end")
        << 1 << QByteArray("ABCDEFGHIKLMNOPQRSTUVZXYW") << "0000000000000000000001111";
}

void TestSquareGrid::paintsASquareAndReportsItBack()
{
    QFETCH(int, dimension);
    QFETCH(QByteArray, cells);
    QFETCH(QString, keywordCells);
    const Dimension shape = dimension == 0 ? Dimension::Six : Dimension::Five;
    std::bitset<36> mask;
    for (qsizetype c = 0; c < keywordCells.size(); ++c)
        mask[std::size_t(c)] = keywordCells[c] == u'1';
    const bifid::KeyedSquare square{bifid::Square(shape, cells.toStdString()), mask};

    SquareGrid grid;
    grid.build(Dimension::Six, QStringLiteral("Cell"), 100);
    grid.showSquare(square);  // a 5 X 5 square builds the grid anew

    QCOMPARE(grid.shownSquare(), square);
    const int side = bifid::sideOf(shape);
    QCOMPARE(grid.findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Cell"))).size(), side * side);
    QCOMPARE(grid.findChildren<QLabel *>(QRegularExpression(QStringLiteral("^RowLabel"))).size(), side);
    for (int c = 0; c < side * side; ++c) {
        auto *cell = grid.findChild<QLabel *>(QStringLiteral("Cell%1").arg(100 + c));
        QVERIFY(cell);
        QCOMPARE(cell, grid.cell(c));
        QCOMPARE(cell->text(), QString(QChar(cells[c])));
        QCOMPARE(cell->geometry(), QRect(50 + 33 * (c % side), 50 + 33 * (c / side), 32, 32));
        QCOMPARE(cell->palette().color(QPalette::Window), mask[std::size_t(c)] ? QColor(0, 128, 0) : QColor(0, 0, 128));
        QCOMPARE(cell->palette().color(QPalette::WindowText),
            mask[std::size_t(c)] ? QColor(255, 255, 0) : QColor(255, 255, 255));
        QCOMPARE(cell->accessibleName(),
            QStringLiteral("Zeile %1, Spalte %2: %3").arg(c / side + 1).arg(c % side + 1).arg(QChar(cells[c])));
    }
}

void TestSquareGrid::marksExactlyTheGivenCells()
{
    SquareGrid grid;
    grid.build(Dimension::Five, QStringLiteral("Cell"));
    grid.markCells(std::bitset<36>("1000000000000000000100001"));  // cells 0, 5 and 24
    QCOMPARE(grid.markedCells(), std::bitset<36>(0b1000000000000000000100001));
    for (int c = 0; c < 25; ++c)
        QCOMPARE(grid.cell(c)->property("traced").toBool(), c == 0 || c == 5 || c == 24);

    grid.markCells({});
    for (int c = 0; c < 25; ++c)
        QVERIFY(!grid.cell(c)->property("traced").toBool());
    // Showing another square keeps what it marks; building anew starts unmarked.
    grid.markCells(std::bitset<36>(0b10));
    grid.showSquare({bifid::Square(Dimension::Five), {}});
    QVERIFY(grid.cell(1)->property("traced").toBool());
    grid.showSquare({bifid::Square(Dimension::Six), {}});
    QVERIFY(!grid.cell(1)->property("traced").toBool());
}

QTEST_MAIN(TestSquareGrid)
#include "tst_square_grid.moc"
