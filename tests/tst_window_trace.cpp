// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The trace through the real window: where a letter's digits went, in every field and in the square.

#include "MarkedMemo.h"
#include "WindowDriver.h"

#include <QRegularExpression>

namespace {

// The marks of a field as "place:R" (the row digit's mark) or "place:C" (the column digit's).
QStringList marksOf(QPlainTextEdit *memo)
{
    QStringList marks;
    for (const MarkedMemo::Mark &mark : qobject_cast<MarkedMemo *>(memo)->marks()) {
        const bool rowDigit = mark.colours.background == QColor(255, 255, 255);
        marks << QStringLiteral("%1:%2").arg(mark.position).arg(QChar(rowDigit ? u'R' : u'C'));
    }
    marks.sort();
    return marks;
}

QList<int> tracedCells(const WindowDriver &window)
{
    QList<int> cells;
    for (int c = 0; c < TForm1::kCellCount; ++c) {
        if (window.cell(c)->property("traced").toBool())
            cells << c;
    }
    return cells;
}

// The marks of every field, Memo1 to Memo3 as the window lists them.
QStringList marksOf(const WindowDriver &window)
{
    QStringList marks;
    for (const char *name : {"Memo1", "Memo2", "FractionMemo0", "FractionMemo1", "Memo4", "Memo3"})
        marks << marksOf(window.memo(QString::fromLatin1(name))).join(u' ');
    return marks;
}

// The mouse comes to rest on a character, a little right of the cursor place before it.
void moveMouseOnto(const WindowDriver &window, QPlainTextEdit *memo, int position)
{
    QTextCursor place(memo->document());
    place.setPosition(position);
    const QRect before = memo->cursorRect(place);
    const QPoint point = memo->viewport()->mapTo(window.form.get(), QPoint(before.x() + 3, before.center().y()));
    QTest::mouseMove(window.form->windowHandle(), point);
}

void putCursor(QPlainTextEdit *memo, int position)
{
    memo->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(memo->window()))
        qFatal("The window did not become active");
    memo->setFocus();
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(position);
    memo->setTextCursor(cursor);
    QCoreApplication::processEvents();  // the field takes the trace once it keeps the focus
}

}  // namespace

class TestWindowTrace : public QObject {
    Q_OBJECT

private slots:
    void traceMarksEveryFieldAndTheSquare_data();
    void traceMarksEveryFieldAndTheSquare();
    void fieldsNotYetComputedMarkNothing();
    void mouseTracesALongField_data();
    void mouseTracesALongField();
};

void TestWindowTrace::traceMarksEveryFieldAndTheSquare_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QStringList>("before");  // toggles or hand edits before the trace: "BitBtn12", "edit rows"
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("position");
    // Memo1, Memo2, FractionMemo0, FractionMemo1, FractionMemo2, Memo4, Memo3, each as marksOf gives them.
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QList<int>>("cells");

    // HALLO through the unkeyed 6 X 6 square: coordinates 2211262633.
    QTest::addRow("A of the plaintext, depth 2")
        << 2 << QStringList{} << "Memo1" << 1 << QStringList{"1:R", "2:R 3:C", "1:R", "1:C", "", "1:R 6:C", "0:R 3:C"}
        << QList<int>{0, 5, 6};
    QTest::addRow("F of the ciphertext, depth 2")
        << 2 << QStringList{} << "Memo3" << 3 << QStringList{"1:R 2:C", "3:R 5:C", "", "1:R 2:C", "", "6:R 7:C", "3:R"}
        << QList<int>{0, 5, 11};
    QTest::addRow("A of the plaintext, coordinates in pairs")
        << 2 << QStringList{"BitBtn12"} << "Memo1" << 1
        << QStringList{"1:R", "3:R 4:C", "1:R", "1:C", "", "1:R 6:C", "0:R 3:C"} << QList<int>{0, 5, 6};
    QTest::addRow("A of the plaintext in groups of five, code in pairs")
        << 2 << QStringList{"BitBtn6", "BitBtn14"} << "Memo1" << 1
        << QStringList{"1:R", "2:R 3:C", "1:R", "1:C", "", "1:R 9:C", "0:R 3:C"} << QList<int>{0, 5, 6};
    // Rows 2123, 226 and 163; code 2123226163; ciphertext GIH46.
    QTest::addRow("A of the plaintext, depth 3")
        << 3 << QStringList{} << "Memo1" << 1 << QStringList{"1:R", "2:R 3:C", "1:C", "", "0:R", "1:C 7:R", "0:C 3:R"}
        << QList<int>{0, 6, 30};
    // Rows edited to 121223 and 1663 before the join: code 1212231663, ciphertext BBIF6. Code place 6
    // starts the second row, which the dealing filled from coordinate digit 1, the column digit of H.
    QTest::addRow("a code digit after a hand edit of the rows")
        << 2 << QStringList{"edit rows"} << "Memo4" << 6 << QStringList{"0:C", "1:C", "", "0:C", "", "6:C", "3:C"}
        << QList<int>{5, 7};
}

void TestWindowTrace::traceMarksEveryFieldAndTheSquare()
{
    QFETCH(int, depth);
    QFETCH(QStringList, before);
    QFETCH(QString, field);
    QFETCH(int, position);
    QFETCH(QStringList, marks);
    QFETCH(QList<int>, cells);
    WindowDriver window;
    window.setUpDownTo("UpDown2", depth);
    window.prepareSquare(QStringLiteral("Hallo"), QStringLiteral("A"));
    window.click("BitBtn10");
    window.click("BitBtn11");
    if (before.contains(QLatin1String("edit rows"))) {
        window.replaceText(window.fractionMemo(0), QStringLiteral("121223"));
        window.replaceText(window.fractionMemo(1), QStringLiteral("1663"));
    }
    window.click("BitBtn13");
    window.click("BitBtn9");
    for (const QString &toggle : before) {
        if (toggle.startsWith(u"BitBtn"))
            window.click(toggle);
    }
    const QStringList fields{"Memo1", "Memo2", "FractionMemo0", "FractionMemo1", "FractionMemo2", "Memo4", "Memo3"};
    QStringList texts;
    for (const QString &name : fields)
        texts << window.memo(name)->toPlainText();

    putCursor(window.memo(field), position);
    for (int f = 0; f < fields.size(); ++f)
        QCOMPARE(marksOf(window.memo(fields[f])).join(u' '), marks[f]);
    QCOMPARE(tracedCells(window), cells);
    for (int f = 0; f < fields.size(); ++f)
        QCOMPARE(window.memo(fields[f])->toPlainText(), texts[f]);
}

void TestWindowTrace::fieldsNotYetComputedMarkNothing()
{
    WindowDriver window;
    window.prepareSquare(QStringLiteral("Hallo"), QStringLiteral("A"));
    putCursor(window.memo("Memo1"), 1);
    QCOMPARE(marksOf(window.memo("Memo1")), QStringList{"1:R"});
    QVERIFY(marksOf(window.memo("Memo2")).isEmpty());
    QCOMPARE(tracedCells(window), QList<int>{0});
    window.click("BitBtn3");  // the reset empties the fields, and the trace goes with them
    QVERIFY(marksOf(window.memo("Memo1")).isEmpty());
    QVERIFY(tracedCells(window).isEmpty());
}

void TestWindowTrace::mouseTracesALongField_data()
{
    QTest::addColumn<QString>("toggle");  // clicked before the trace, or none
    QTest::addColumn<int>("position");  // in the coordinates as Memo2 shows them
    // 30,000 letters: the coordinates hold 60,000 digits, in pairs 89,999 characters.
    QTest::addRow("coordinates as a block") << QString() << 45'001;
    QTest::addRow("coordinates in pairs") << "BitBtn12" << 67'500;
}

// The cursor traces a character far into a field of 60,000 digits, the mouse on the same character
// traces the same, on the next one another, and when the mouse leaves the cursor's trace returns.
void TestWindowTrace::mouseTracesALongField()
{
    QFETCH(QString, toggle);
    QFETCH(int, position);
    WindowDriver window;
    window.prepareSquare(QString(QStringLiteral("HALLO")).repeated(6'000), QStringLiteral("A"));
    window.runCoding();
    if (!toggle.isEmpty())
        window.click(toggle);
    QPlainTextEdit *coordinates = window.memo(QStringLiteral("Memo2"));
    const QString text = coordinates->toPlainText();

    putCursor(coordinates, position);
    const QStringList cursorsTrace = marksOf(window);
    QCOMPARE(marksOf(coordinates).filter(QRegularExpression(QStringLiteral("^%1:").arg(position))).size(), 1);
    moveMouseOnto(window, coordinates, position);
    QCOMPARE(marksOf(window), cursorsTrace);
    moveMouseOnto(window, coordinates, position + 1);
    QCOMPARE(marksOf(coordinates).filter(QRegularExpression(QStringLiteral("^%1:").arg(position + 1))).size(), 1);
    QVERIFY(marksOf(window) != cursorsTrace);
    const QWidget *away = window.button(QStringLiteral("BitBtn9"));
    QTest::mouseMove(window.form->windowHandle(), away->mapTo(window.form.get(), away->rect().center()));
    QCOMPARE(marksOf(window), cursorsTrace);
    QCOMPARE(coordinates->toPlainText(), text);
    QCOMPARE(coordinates->textCursor().position(), position);
}

QTEST_MAIN(TestWindowTrace)
#include "tst_window_trace.moc"
