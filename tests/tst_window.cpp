// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as it opens: controls, grids, labels, memos, status bar, fonts, icons and the warning.

#include "Startup.h"
#include "TBitBtn.h"
#include "WindowDriver.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowHasItsCaptionSizeAndPanels();
    void gridsShowTheReferenceSquares_data();
    void gridsShowTheReferenceSquares();
    void headerLabelsNumberRowsAndColumns();
    void onlyTwoFractionMemosShowAtStart();
    void statusBarPanelsStartWithTheirTexts();
    void keywordListHasItsDocumentedForm();
    void samplePlaintextHasThreeLinesOfTheDocumentedKind();
    void namedFontsResolveToInstalledFamilies();
    void noCaptionIsCutOff();
    void longCountsAndReversedDirectionsShowWhole();
    void buttonsShowTheGlyphOfTheirKind();
    void warningBlinksEveryHalfSecond();
    void enterClicksTheNextStepOfTheWorkflow();
    void accessKeyClicksItsButton();
    void closeButtonClosesTheWindow();
    void memoContextMenuIsGerman();
};

void TestWindow::initTestCase()
{
    Startup::setUpApplication(*qApp);
}

void TestWindow::windowHasItsCaptionSizeAndPanels()
{
    WindowDriver window;
    QCOMPARE(window.form->windowTitle(),
        QStringLiteral("Chiffrieren BIFID oder cryptographie nouvelle nach Vortanek modernisiert"));
    QCOMPARE(window.form->size(), QSize(1413, 764));
    QCOMPARE(window.find<QWidget>("Panel1")->geometry(), QRect(0, 0, 1409, 745));
    QCOMPARE(window.find<QWidget>("StatusBar1")->geometry(), QRect(0, 745, 1413, 19));
    QCOMPARE(window.form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.edit("Edit5")->parentWidget(), window.find<QWidget>("Panel1")->parentWidget());
    QCOMPARE(window.edit("Edit5")->geometry(), QRect(248, 664, 305, 24));
    QCOMPARE(window.find<QWidget>("GroupBox5")->parentWidget()->objectName(), QStringLiteral("GroupBox4"));
    QVERIFY(!window.form->windowIcon().isNull());
    QVERIFY(window.form->windowIcon().cacheKey() != QApplication::windowIcon().cacheKey());

    window.form->resize(1600, 900);
    QCOMPARE(window.find<QWidget>("Panel1")->geometry(), QRect(0, 0, 1409, 745));
    QTRY_COMPARE(window.find<QWidget>("StatusBar1")->geometry(), QRect(0, 900 - 19, 1600, 19));
}

void TestWindow::gridsShowTheReferenceSquares_data()
{
    QTest::addColumn<int>("firstCell");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("groupBox");
    QTest::addRow("6 X 6") << 0 << "ABCDEF GHIJKL MNOPQR STUVWX YZ0123 456789"
                           << "GroupBox3";
    QTest::addRow("5 X 5, no J") << 36 << "ABCDE FGHIK LMNOP QRSTU VWXYZ"
                                 << "GroupBox2";
}

void TestWindow::gridsShowTheReferenceSquares()
{
    QFETCH(int, firstCell);
    QFETCH(QString, rows);
    QFETCH(QString, groupBox);
    WindowDriver window;
    const QString cells = QString(rows).remove(u' ');
    const int side = int(rows.indexOf(u' '));
    for (int c = 0; c < cells.size(); ++c) {
        QLabel *cell = window.cell(firstCell + c);
        QCOMPARE(cell->text(), QString(cells[c]));
        QCOMPARE(cell->parentWidget()->objectName(), groupBox);
        QCOMPARE(cell->geometry(), QRect(50 + 33 * (c % side), 50 + 33 * (c / side), 32, 32));
        QCOMPARE(cell->palette().color(QPalette::Window), QColor(0, 0, 128));
        QCOMPARE(cell->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QCOMPARE(cell->property("tag").toInt(), firstCell + c);
        QVERIFY(!cell->isEnabled());
    }
    QCOMPARE(window.find<QGroupBox>("GroupBox2")->isVisible(), false);
    QCOMPARE(window.find<QGroupBox>("GroupBox3")->isVisible(), true);
}

void TestWindow::headerLabelsNumberRowsAndColumns()
{
    WindowDriver window;
    for (const auto &[group, side] : {std::pair{"GroupBox3", 6}, std::pair{"GroupBox2", 5}}) {
        QStringList rowTexts, columnTexts;
        for (QLabel *label : window.find<QGroupBox>(group)->findChildren<QLabel *>()) {
            if (label->objectName().startsWith(u"RowLabel")) {
                rowTexts << label->text();
                QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
                QCOMPARE(label->geometry(), QRect(20, 55 + 33 * (label->text().toInt() - 1), 15, 15));
            } else if (label->objectName().startsWith(u"ColumnLabel")) {
                columnTexts << label->text();
                QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
                QCOMPARE(label->geometry(), QRect(55 + 33 * (label->text().toInt() - 1), 20, 15, 15));
            }
        }
        const QStringList expected = QStringList{"1", "2", "3", "4", "5", "6"}.mid(0, side);
        QCOMPARE(rowTexts, expected);
        QCOMPARE(columnTexts, expected);
    }
}

void TestWindow::onlyTwoFractionMemosShowAtStart()
{
    WindowDriver window;
    for (int k = 0; k < 5; ++k) {
        QPlainTextEdit *memo = window.fractionMemo(k);
        QCOMPARE(memo->isVisible(), k < 2);
        QCOMPARE(memo->geometry(), QRect(15, 20 + 110 * k, 400, 100));
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(0, 128, 0));
        QVERIFY(memo->toPlainText().isEmpty());
    }
    QCOMPARE(window.upDown("UpDown2")->position(), 2);
    QCOMPARE(window.edit("Edit6")->text(), QStringLiteral("2"));
    QCOMPARE(window.form->workbench().FractionDepth, 2);
}

void TestWindow::statusBarPanelsStartWithTheirTexts()
{
    WindowDriver window;
    const QList<std::pair<int, QString>> panels{
        {110, "Länge Eingabetext:"},
        {50, ""},
        {150, "Länge bereinigter Text:"},
        {50, ""},
        {70, "Keyword:"},
        {300, "DONAUDAMPFSCHIFFAHRTSGESELLSCHAFT"},
        {90, "Keywordlänge:"},
        {20, "32"},
        {120, "bereinigtes Keyword:"},
        {200, ""},
        {130, "Fraktionierungstiefe :"},
        {20, "2"},
        {50, "Matrix"},
        {50, "6 X 6"},
        {50, ""},
    };
    int left = 0;
    for (int i = 0; i < panels.size(); ++i) {
        QLabel *panel = window.label(QStringLiteral("StatusPanel%1").arg(i));
        QCOMPARE(panel->text(), panels[i].second);
        QCOMPARE(panel->x(), left);
        QCOMPARE(panel->width(), panels[i].first);
        left += panels[i].first;
    }
}

void TestWindow::keywordListHasItsDocumentedForm()
{
    WindowDriver window;
    auto *list = window.find<QComboBox>("ComboBox1");
    QCOMPARE(list->count(), 103);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(list->currentText(), list->itemText(0));
    QCOMPARE(list->itemText(0).size(), 33);
    QCOMPARE(list->itemText(21), list->itemText(51));

    const auto repeats = [](const QString &text, auto isCounted) {
        QSet<QChar> seen;
        for (QChar c : text) {
            if (isCounted(c) && seen.contains(c))
                return true;
            seen.insert(c);
        }
        return false;
    };
    const auto isLetter = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    const auto isDigit = [](QChar c) { return c.isDigit(); };
    QSet<QString> words;
    int wordsWithoutRepeat = 0;
    for (int i = 0; i < 53; ++i) {
        const QString word = list->itemText(i);
        QVERIFY2(QRegularExpression("^[A-IK-Z]{8,33}$").match(word).hasMatch(), qPrintable(word));
        QVERIFY2(i == 0 || word.size() < 33, qPrintable(word));
        words.insert(word);
        wordsWithoutRepeat += repeats(word, isLetter) ? 0 : 1;
    }
    QCOMPARE(words.size(), 52);
    QCOMPARE(wordsWithoutRepeat, 1);
    int withJ = 0, withoutLetterRepeat = 0;
    for (int i = 53; i < 103; ++i) {
        const QString entry = list->itemText(i);
        QVERIFY2(QRegularExpression("^[A-Z0-9]{25}$").match(entry).hasMatch(), qPrintable(entry));
        QVERIFY2(repeats(entry, isDigit), qPrintable(entry));
        withJ += entry.contains(u'J') ? 1 : 0;
        withoutLetterRepeat += repeats(entry, isLetter) ? 0 : 1;
    }
    QCOMPARE(withJ, 15);
    QCOMPARE(withoutLetterRepeat, 3);
}

void TestWindow::samplePlaintextHasThreeLinesOfTheDocumentedKind()
{
    WindowDriver window;
    const QStringList lines = window.memo("Memo1")->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].size(), 86);
    QCOMPARE(lines[1].size(), 87);
    QCOMPARE(lines[2].size(), 39);
    QVERIFY(lines[0].endsWith(u' ') && lines[1].endsWith(u' '));
    QVERIFY(lines[0].contains(u'ß') && lines[0].contains(u'ä') && lines[0].count(u'.') == 2);
    QCOMPARE(lines[1].count(QRegularExpression("[0-9]")), 6);
    QVERIFY(lines[1].contains(u',') && lines[1].contains(u'.'));
    QVERIFY(lines[2].contains(u'ü'));
    QVERIFY(!lines[2].contains(QRegularExpression("[[:punct:]]")));
}

void TestWindow::namedFontsResolveToInstalledFamilies()
{
    WindowDriver window;
    const QList<std::pair<QWidget *, QString>> fonts{
        {window.form.get(), "Liberation Sans Narrow"},
        {window.memo("Memo1"), "Liberation Mono"},
        {window.cell(0), "Liberation Mono"},
        {window.label("StaticText3"), "Liberation Serif"},
    };
    for (const auto &[widget, family] : fonts)
        QCOMPARE(QFontInfo(widget->font()).family(), family);
    QVERIFY(window.cell(0)->font().bold());
    QCOMPARE(window.cell(0)->font().pointSize(), 17);
    QCOMPARE(window.form->font().pointSize(), 8);
}

namespace {

// The captions and numbers that do not fit their control.
QStringList cutOffTexts(const WindowDriver &window)
{
    QStringList cut;
    for (QWidget *widget : window.form->findChildren<QWidget *>()) {
        int needed = 0, available = 0;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            needed = label->fontMetrics().horizontalAdvance(label->text());
            available = label->contentsRect().width();
        } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
            needed = radio->sizeHint().width();
            available = radio->width();
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            needed = button->sizeHint().width();
            available = button->width();
        } else if (auto *count = qobject_cast<QLineEdit *>(widget); count && count->text().size() <= 9) {
            // A field's frame and its inner margins of two pixels each side.
            needed = count->fontMetrics().horizontalAdvance(count->text()) + 2 * 2 + 2 * 2;
            available = count->width();
        } else {
            continue;
        }
        if (needed > available)
            cut << QStringLiteral("%1 needs %2 px, has %3").arg(widget->objectName()).arg(needed).arg(available);
    }
    return cut;
}

}  // namespace

void TestWindow::noCaptionIsCutOff()
{
    WindowDriver window;
    window.chooseItem("RadioGroup3", 1);  // shows the 5 X 5 grid too
    const QStringList cut = cutOffTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
}

void TestWindow::longCountsAndReversedDirectionsShowWhole()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), QString(2'000'000, u'a'));
    window.setKeyword(QStringLiteral("WOLKENKRATZERFENSTERPUTZER"));
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
        window.click(step);
    window.chooseItem("RadioGroup1", 1);
    window.chooseItem("RadioGroup2", 1);
    QCOMPARE(window.edit("Edit1")->text(), QStringLiteral("2000000"));
    QCOMPARE(window.label("Label1")->text(), QStringLiteral("revers - umgekehrt aphabetisch"));
    QCOMPARE(window.label("Label1")->pos(), QPoint(712, 8));
    const QStringList cut = cutOffTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    QCOMPARE(window.edit("Edit7")->font().pointSize(), 12);  // a smaller font only where the number needs it
}

void TestWindow::buttonsShowTheGlyphOfTheirKind()
{
    WindowDriver window;
    QSet<qint64> glyphs;
    for (TBitBtn *button : window.form->findChildren<TBitBtn *>()) {
        QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        QVERIFY(!button->icon().pixmap(16, 16).isNull());
        glyphs.insert(qint64(button->kind()));
    }
    QCOMPARE(glyphs.size(), 6);
}

void TestWindow::warningBlinksEveryHalfSecond()
{
    WindowDriver window;
    QLabel *warning = window.label("Label5");
    QCOMPARE(warning->text(), QStringLiteral("ACHTUNG: zuerst die Matrix wählen!!!"));
    QVERIFY(warning->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!warning->isVisible(), 1500);
    QTRY_VERIFY_WITH_TIMEOUT(warning->isVisible(), 1500);
}

void TestWindow::enterClicksTheNextStepOfTheWorkflow()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), "abc");
    QTest::keyClick(window.edit("Edit2"), Qt::Key_Return);
    QCOMPARE(window.memo("Memo1")->toPlainText(), QStringLiteral("ABC"));  // cleaned by BitBtn1
    QTest::keyClick(window.find<QComboBox>("ComboBox1"), Qt::Key_Return);
    QVERIFY(!window.button("BitBtn7")->isEnabled());  // the keyword was taken
    QCOMPARE(window.find<QComboBox>("ComboBox1")->count(), 103);
    QTest::keyClick(window.memo("Memo2"), Qt::Key_Return);  // a memo takes Enter itself
    QVERIFY(window.button("BitBtn5")->isEnabled());
}

void TestWindow::accessKeyClicksItsButton()
{
    WindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    QTest::keyClick(window.form.get(), Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.memo("Memo1")->toPlainText().isEmpty());  // the reset ran
}

void TestWindow::closeButtonClosesTheWindow()
{
    WindowDriver window;
    window.click("BitBtn4");
    QVERIFY(!window.form->isVisible());
    QVERIFY(window.boxes.isEmpty());
}

void TestWindow::memoContextMenuIsGerman()
{
    WindowDriver window;
    const std::unique_ptr<QMenu> menu(window.memo("Memo1")->createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            entries << action->text().section(u'\t', 0, 0).remove(u'&');
    }
    for (const char *entry : {"Rückgängig", "Ausschneiden", "Kopieren", "Einfügen", "Alles auswählen"})
        QVERIFY2(entries.contains(QString::fromUtf8(entry)), qPrintable(entries.join(u", ")));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
