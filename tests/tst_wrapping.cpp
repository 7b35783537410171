// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the memos break their lines: groups and typed words at their blanks, blank-free texts anywhere.

#include "WindowDriver.h"
#include "WrapByText.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

namespace {

const QString kPlaintext
    = QStringLiteral("Die Strasse am Fluss war nass und still, spaeter zogen wir heim. ").repeated(20);

// The memo's lines as Qt laid them out; the last line of a paragraph ends in a line break.
QStringList visualLines(const QPlainTextEdit *memo)
{
    QStringList lines;
    QAbstractTextDocumentLayout *documentLayout = memo->document()->documentLayout();
    for (QTextBlock block = memo->document()->firstBlock(); block.isValid(); block = block.next()) {
        documentLayout->blockBoundingRect(block);  // lays out a block that is not yet
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength()) + (i + 1 == layout->lineCount() ? "\n" : "");
        }
    }
    return lines;
}

QStringList linesEndingInsideAWord(const QStringList &lines)
{
    QStringList cut;
    for (const QString &line : lines) {
        if (!line.endsWith(u' ') && !line.endsWith(u'\n'))
            cut << line;
    }
    return cut;
}

struct Edit {
    int position;
    int removed;
    QString inserted;
};
using Edits = QList<Edit>;

}  // namespace

Q_DECLARE_METATYPE(Edits)

class TestWrapping : public QObject {
    Q_OBJECT

private slots:
    void groupsWrapAtTheirBlanks_data();
    void groupsWrapAtTheirBlanks();
    void blankFreeTextsWrapAnywhere_data();
    void blankFreeTextsWrapAnywhere();
    void typedPlaintextWrapsAtBlanks();
    void editsKeepTheModeThatTheTextNeeds_data();
    void editsKeepTheModeThatTheTextNeeds();
};

void TestWrapping::groupsWrapAtTheirBlanks_data()
{
    QTest::addColumn<QString>("toggle");
    QTest::addColumn<QString>("memo");
    QTest::addRow("plaintext in fives") << "BitBtn6"
                                        << "Memo1";
    QTest::addRow("coordinates in pairs") << "BitBtn12"
                                          << "Memo2";
    QTest::addRow("cipher code in pairs") << "BitBtn14"
                                          << "Memo4";
}

void TestWrapping::groupsWrapAtTheirBlanks()
{
    QFETCH(QString, toggle);
    QFETCH(QString, memo);
    WindowDriver window;
    window.prepareSquare(kPlaintext, "A");
    window.runCoding();
    window.click(toggle);
    const QStringList lines = visualLines(window.memo(memo));
    QVERIFY2(lines.size() > 5, qPrintable(lines.join(u'|')));
    QCOMPARE(linesEndingInsideAWord(lines), QStringList());
    // Where the line width is a multiple of the group, wrapping anywhere would look the same.
    QCOMPARE(window.memo(memo)->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void TestWrapping::blankFreeTextsWrapAnywhere_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("toggles");
    QTest::addRow("cleaned plaintext") << "Memo1" << QStringList();
    QTest::addRow("plaintext back from fives") << "Memo1" << QStringList{"BitBtn6", "BitBtn6"};
    QTest::addRow("coordinates") << "Memo2" << QStringList();
    QTest::addRow("cipher code") << "Memo4" << QStringList();
    QTest::addRow("ciphertext") << "Memo3" << QStringList();
}

void TestWrapping::blankFreeTextsWrapAnywhere()
{
    QFETCH(QString, memo);
    QFETCH(QStringList, toggles);
    WindowDriver window;
    window.prepareSquare(kPlaintext, "A");
    window.runCoding();
    for (const QString &toggle : toggles)
        window.click(toggle);
    QVERIFY(!window.memo(memo)->toPlainText().contains(u' '));
    QVERIFY(visualLines(window.memo(memo)).size() > 5);
    QCOMPARE(window.memo(memo)->wordWrapMode(), QTextOption::WrapAnywhere);
}

void TestWrapping::typedPlaintextWrapsAtBlanks()
{
    WindowDriver window;
    QPlainTextEdit *memo = window.memo("Memo1");
    window.replaceText(memo, QString(1000, u'7'));  // a pasted text that wraps anywhere
    memo->selectAll();
    QTest::keyClicks(memo, kPlaintext.first(300));
    const QStringList lines = visualLines(memo);
    QVERIFY2(lines.size() > 2, qPrintable(lines.join(u'|')));
    QCOMPARE(linesEndingInsideAWord(lines), QStringList());
}

void TestWrapping::editsKeepTheModeThatTheTextNeeds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<bool>("wrapsAtBlanks");

    const QString run(WrapByText::kLongestRun + 44, u'7');
    const QString half = run.first(run.size() / 2);
    const QString words = QStringLiteral("Wort ").repeated(20);
    QTest::addRow("an emptied memo is ready for any text") << words << Edits{{0, 100, ""}} << false;
    QTest::addRow("a blank splits the only long run") << run << Edits{{150, 0, " "}} << true;
    QTest::addRow("a line break splits the only long run") << run << Edits{{150, 0, "\n"}} << true;
    QTest::addRow("a no-break space splits nothing") << run << Edits{{150, 0, QString(QChar::Nbsp)}} << false;
    QTest::addRow("a deleted blank joins two runs") << half + " " + half << Edits{{150, 1, ""}} << false;
    QTest::addRow("words typed before the run move it") << "ab " + run << Edits{{0, 0, words}, {300, 0, " "}} << true;
    QTest::addRow("words deleted before the run move it") << words + run << Edits{{0, 100, ""}, {50, 0, " "}} << true;
    QTest::addRow("a far long run remains when the near one is split")
        << run + " " + words.repeated(5) + run << Edits{{150, 0, " "}} << false;
}

void TestWrapping::editsKeepTheModeThatTheTextNeeds()
{
    QFETCH(QString, text);
    QFETCH(Edits, edits);
    QFETCH(bool, wrapsAtBlanks);
    QPlainTextEdit memo;
    WrapByText::follow(&memo);
    memo.setPlainText(text);
    for (const Edit &edit : edits) {
        QTextCursor cursor(memo.document());
        cursor.setPosition(edit.position);
        cursor.setPosition(edit.position + edit.removed, QTextCursor::KeepAnchor);
        if (edit.inserted.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(edit.inserted);
    }
    QCOMPARE(
        memo.wordWrapMode(), wrapsAtBlanks ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WrapAnywhere);
}

QTEST_MAIN(TestWrapping)
#include "tst_wrapping.moc"
