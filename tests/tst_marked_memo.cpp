// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The marked memo paints as Qt paints a plain text field whose marks are extra selections, and finds the
// character under a point where Qt places the cursor before it.

#include "Colours.h"
#include "Fonts.h"
#include "MarkedMemo.h"
#include "Startup.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

namespace {

const QString kDigits = QString(QStringLiteral("123456")).repeated(90);
// Longer than the blocks whose layout the memo keeps.
const QString kLongDigits = QString(QStringLiteral("123456")).repeated(12'000);
const QString kGroups = QString(QStringLiteral("ABCDE ")).repeated(80).trimmed();
const QString kProse = QStringLiteral("Der Bote kam\tum neun\nund ging, als die Glocke zwölf schlug und niemand "
                                      "mehr wartete\n\nEnde");

struct Shown {
    QString text;
    bool anywhere = false;  // wrapped anywhere, else at blanks
    int cursor = 0;
    int scrolledLines = 0;
    int anchor = -1;  // where a selection up to the cursor starts
    int zoomedPointSize = 0;  // if set, the font takes it after the text, and the memo grows, as a zoom does
};

// A memo in the window's font and size, focused with its cursor at rest.
void show(QPlainTextEdit &memo, const Shown &shown)
{
    memo.setFont(Fonts::bold(QStringLiteral("Courier New"), 12));
    Fonts::layOutWithoutShaping(&memo);
    memo.setWordWrapMode(shown.anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo.resize(400, 100);
    memo.setPlainText(shown.text);
    if (shown.zoomedPointSize > 0) {
        QFont font = memo.font();
        font.setPointSize(shown.zoomedPointSize);
        memo.setFont(font);
        memo.resize(440, 110);
    }
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(shown.anchor < 0 ? shown.cursor : shown.anchor);
    cursor.setPosition(shown.cursor, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    memo.show();
    memo.activateWindow();
    memo.setFocus();
    if (!QTest::qWaitForWindowActive(&memo))
        qFatal("The memo did not become active");
    memo.verticalScrollBar()->setValue(shown.scrolledLines);
}

}  // namespace

Q_DECLARE_METATYPE(Shown)

class TestMarkedMemo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void paintsAsQtPaints_data();
    void paintsAsQtPaints();
    void findsTheCharacterUnderAPoint_data();
    void findsTheCharacterUnderAPoint();
};

void TestMarkedMemo::initTestCase()
{
    Startup::setUpApplication(*qApp);
    QApplication::setCursorFlashTime(0);  // the cursor shows in every picture
}

void TestMarkedMemo::paintsAsQtPaints_data()
{
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<QList<int>>("marks");  // row digit, column digit, row digit, ...

    QTest::addRow("digits wrapped anywhere, marks at line ends")
        << Shown{kDigits, true, 7} << QList<int>{7, 8, 38, 39, 40, 120};
    QTest::addRow("digits scrolled") << Shown{kDigits, true, 200, 3} << QList<int>{200, 201, 250};
    QTest::addRow("groups wrapped at blanks, a selection over two lines")
        << Shown{kGroups, false, 50, 0, 10} << QList<int>{12, 13, 29, 30, 36};
    QTest::addRow("prose in lines, a tab, an empty line, the cursor at the end")
        << Shown{kProse, false, int(kProse.size()), 0, 60} << QList<int>{3, 14, 40};
    QTest::addRow("a long block of digits, scrolled") << Shown{kLongDigits, true, 200, 3} << QList<int>{200, 250};
    QTest::addRow("a long block of digits, a larger font after the text")
        << Shown{kLongDigits, true, 200, 3, -1, 14} << QList<int>{200, 250};
}

void TestMarkedMemo::paintsAsQtPaints()
{
    QFETCH(Shown, shown);
    QFETCH(QList<int>, marks);
    QPlainTextEdit plain;
    show(plain, shown);
    QList<QTextEdit::ExtraSelection> selections;
    std::vector<MarkedMemo::Mark> memoMarks;
    for (qsizetype m = 0; m < marks.size(); ++m) {
        const Colours::CellColours colours = m % 2 == 0 ? Colours::kRowDigitMark : Colours::kColumnDigitMark;
        memoMarks.push_back({marks[m], colours});
        QTextEdit::ExtraSelection selection{QTextCursor(plain.document()), {}};
        selection.cursor.setPosition(marks[m]);
        selection.cursor.setPosition(marks[m] + 1, QTextCursor::KeepAnchor);
        selection.format.setBackground(colours.background);
        selection.format.setForeground(colours.text);
        selections << selection;
    }
    plain.setExtraSelections(selections);
    const QImage byQt = plain.viewport()->grab().toImage();
    plain.hide();

    MarkedMemo marked;
    show(marked, shown);
    marked.setMarks(std::move(memoMarks));
    QCOMPARE(marked.viewport()->grab().toImage(), byQt);
}

void TestMarkedMemo::findsTheCharacterUnderAPoint_data()
{
    paintsAsQtPaints_data();
}

// Every character in view is found a little right of the cursor place before it; the margin, the room
// after a line's end and below the text find none.
void TestMarkedMemo::findsTheCharacterUnderAPoint()
{
    QFETCH(Shown, shown);
    MarkedMemo memo;
    show(memo, shown);
    const QRect view = memo.viewport()->rect();
    // Qt reads a block's whole text for every place asked of it: only the places in view are asked.
    const int lastInView = std::min(memo.cursorForPosition(view.bottomRight()).position(), int(shown.text.size()) - 1);
    int found = 0;
    for (int position = memo.cursorForPosition(view.topLeft()).position(); position <= lastInView; ++position) {
        QTextCursor cursor(memo.document());
        cursor.setPosition(position);
        const QRect before = memo.cursorRect(cursor);
        if (!view.contains(before) || shown.text[position] == u'\n')
            continue;
        const QPoint point(before.x() + 3, before.center().y());
        QCOMPARE(memo.characterAt(point), std::optional<int>(position));
        ++found;
    }
    QVERIFY(found > 40);
    QCOMPARE(memo.characterAt(QPoint(1, 10)), std::nullopt);
    QCOMPARE(memo.characterAt(QPoint(view.right() - 1, view.bottom() - 1)), std::nullopt);
}

QTEST_MAIN(TestMarkedMemo)
#include "tst_marked_memo.moc"
