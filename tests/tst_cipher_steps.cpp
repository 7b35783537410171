// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The cipher steps in the real window: keyword, keyed square, coding, fractionation, cipher code,
// double coding and the group toggles.

#include "WindowDriver.h"

#include <cipher/Coding.h>

#include <QCheckBox>
#include <QGroupBox>

#include <algorithm>
#include <random>

namespace {

QString cellsOf(const WindowDriver &window, int first, int count)
{
    QString cells;
    for (int c = first; c < first + count; ++c)
        cells += window.cell(c)->text();
    return cells;
}

QColor backgroundOf(QLabel *cell)
{
    return cell->grab().toImage().pixelColor(4, 4);  // inside the frame, clear of the character
}

void pickEntry(const WindowDriver &window, int index)
{
    auto *list = window.find<QComboBox>("ComboBox1");
    list->setFocus();
    while (list->currentIndex() < index)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index)
        QTest::keyClick(list, Qt::Key_Up);
}

const QString kHallo = QStringLiteral("HALLO");

}  // namespace

class TestCipherSteps : public QObject {
    Q_OBJECT

private slots:
    // Keyword
    void keywordNumberFollowsTheChosenEntry_data();
    void keywordNumberFollowsTheChosenEntry();
    void keywordStepsShowTextsAndLengths_data();
    void keywordStepsShowTextsAndLengths();
    void aPastedKeywordStaysWhole();

    // Keyed square
    void generatorAnnouncesItsArrangement_data();
    void generatorAnnouncesItsArrangement();
    void keywordCellsTakeTheKeywordColours();
    void onlyTheGridOfTheChosenSizeChanges();
    void typingIntoTheInsertionFieldHasNoEffect();
    void everyListEntryGivesAPermutation();

    // Coding
    void wholePassReproducesTheWorkedExamples_data();
    void wholePassReproducesTheWorkedExamples();
    void depthSpinnerShowsOneRowMemoPerStep();
    void fractionationEmptiesHandFilledRows();
    void depthLoweredBeforeTheCipherCodeLeavesADigitAlone();
    void badRowsStopTheDoubleCoding_data();
    void badRowsStopTheDoubleCoding();
    void cipherCodeClearsAHandTypedCiphertext();
    void emptyTextRunsThroughEveryStep();
    void everyCiphertextDecipheresToTheCleanedText();

    // Group toggles
    void togglesSwitchBetweenGroupsAndBlock();
    void togglesStartFromTheGroupCaptionAfterAReset();
    void groupingTheCipherCodeLeavesTheCiphertextAlone();
};

void TestCipherSteps::keywordNumberFollowsTheChosenEntry_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("number");
    QTest::addRow("first entry at start") << 0 << QString() << "1";
    QTest::addRow("entry 7") << 6 << QString() << "7";
    QTest::addRow("entry 22") << 21 << QString() << "22";
    QTest::addRow("entry 52 has the text of 22") << 51 << QString() << "52";
    QTest::addRow("last entry") << 102 << QString() << "103";
    QTest::addRow("a typed keyword is no entry") << 3 << "EIGENES"
                                                 << "0";
}

void TestCipherSteps::keywordNumberFollowsTheChosenEntry()
{
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(QString, number);
    WindowDriver window;
    pickEntry(window, entry);
    if (!typed.isEmpty())
        window.setKeyword(typed);
    QCOMPARE(window.edit("Edit7")->text(), number);
}

void TestCipherSteps::keywordStepsShowTextsAndLengths_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("fiveByFive");
    QTest::addColumn<QString>("cleaned");
    QTest::addRow("default entry") << "DONAUDAMPFSCHIFFAHRTSGESELLSCHAFT" << false << "DONAUMPFSCHIRTGEL";
    QTest::addRow("J stays in 6 X 6") << "JAGDJAGD" << false << "JAGD";
    QTest::addRow("J goes in 5 X 5") << "JAGDJAGD" << true << "AGD";
    QTest::addRow("digits and small letters stay") << "AB11ab1A" << false << "AB11ab1";
    QTest::addRow("no repeated letter") << "ZWIEBACK" << false << "ZWIEBACK";
    QTest::addRow("empty keyword") << "" << false << "";
}

void TestCipherSteps::keywordStepsShowTextsAndLengths()
{
    QFETCH(QString, keyword);
    QFETCH(bool, fiveByFive);
    QFETCH(QString, cleaned);
    WindowDriver window;
    if (fiveByFive)
        window.chooseItem("RadioGroup3", 1);
    window.setKeyword(keyword);
    window.click("BitBtn1");
    window.click("BitBtn7");
    QCOMPARE(window.edit("Edit3")->text(), QString::number(keyword.size()));
    QVERIFY(!window.find<QComboBox>("ComboBox1")->isEnabled());

    window.click("BitBtn5");
    QCOMPARE(window.panel(5), keyword);
    QCOMPARE(window.panel(7), QString::number(keyword.size()));
    QCOMPARE(window.edit("Edit4")->text(), cleaned);
    QCOMPARE(window.panel(9), cleaned);
    QCOMPARE(window.edit("Edit8")->text(), QString::number(cleaned.size()));
    QVERIFY(window.boxes.isEmpty());
}

void TestCipherSteps::aPastedKeywordStaysWhole()
{
    WindowDriver window;
    QLineEdit *field = window.find<QComboBox>("ComboBox1")->lineEdit();
    field->selectAll();
    // Beyond a line field's usual limit of 32767, before and after the cleaning, which keeps digits.
    field->insert(QString(40000, u'Q') + QString(40000, u'7'));
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
        window.click(step);
    QCOMPARE(window.edit("Edit3")->text(), QStringLiteral("80000"));
    const QString cleaned = u'Q' + QString(40000, u'7');
    QCOMPARE(window.edit("Edit4")->text(), cleaned);
    QCOMPARE(window.panel(9), cleaned);
    QCOMPARE(window.edit("Edit8")->text(), QStringLiteral("40001"));
}

void TestCipherSteps::generatorAnnouncesItsArrangement_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<int>("keywordDirection");
    QTest::addColumn<int>("restDirection");
    QTest::addColumn<QString>("message");
    const char *texts[] = {
        "6 X 6-Matrix, Fall 1, Keyword gerade - Restalphabet gerade!",
        "6 X 6-Matrix, Fall 2, Keyword revers - Restalphabet gerade!",
        "6 X 6-Matrix, Fall 3, Keyword gerade - Restalphabet revers!",
        "6 X 6-Matrix, Fall 4, Keyword revers - Restalphabet revers!",
        "5 X 5-Matrix, Fall 5, Keyword gerade - Restalphabet gerade!",
        "5 X 5-Matrix, Fall 6, Keyword revers - Restalphabet gerade!",
        "5 X 5-Matrix, Fall 7, Keyword gerade - Restalphabet revers!",
        "5 X 5-Matrix, Fall 8, Keyword revers - Restalphabet revers!",
    };
    for (int arrangement = 0; arrangement < 8; ++arrangement) {
        QTest::addRow("arrangement %d", arrangement + 1)
            << arrangement / 4 << arrangement % 2 << (arrangement / 2) % 2 << QString::fromUtf8(texts[arrangement]);
    }
}

void TestCipherSteps::generatorAnnouncesItsArrangement()
{
    QFETCH(int, dimension);
    QFETCH(int, keywordDirection);
    QFETCH(int, restDirection);
    QFETCH(QString, message);
    WindowDriver window;
    window.chooseItem("RadioGroup3", dimension);
    window.replaceText(window.memo("Memo1"), "text");
    window.setKeyword("KEYWO");
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
        window.click(step);
    window.chooseItem("RadioGroup1", keywordDirection);
    window.chooseItem("RadioGroup2", restDirection);
    window.click("BitBtn8");
    QCOMPARE(window.boxes.size(), 1);
    QCOMPARE(window.boxes[0].title, QStringLiteral("Aktueller Matrix-Generator"));
    QCOMPARE(window.boxes[0].text, message);
    QCOMPARE(window.boxes[0].icon, QMessageBox::NoIcon);
}

void TestCipherSteps::keywordCellsTakeTheKeywordColours()
{
    WindowDriver window;
    window.chooseItem("RadioGroup3", 1);
    window.setUpDownTo("UpDown1", 3);
    window.prepareSquare("text", "KEYWO");
    // The worked example of the 5 X 5 square from cell 2: r19 r20 k1..k5 r1..r18.
    QCOMPARE(cellsOf(window, 36, 25), QStringLiteral("XZKEYWOABCDFGHILMNPQRSTUV"));
    QCOMPARE(window.edit("Edit5")->text(), QStringLiteral("XZKEYWOABCDFGHILMNPQRSTUV"));
    for (int c = 0; c < 25; ++c) {
        const bool keywordCell = c >= 2 && c <= 6;
        QLabel *cell = window.cell(36 + c);
        QCOMPARE(backgroundOf(cell), keywordCell ? QColor(0, 128, 0) : QColor(0, 0, 128));
        QCOMPARE(
            cell->palette().color(QPalette::WindowText), keywordCell ? QColor(255, 255, 0) : QColor(255, 255, 255));
    }
}

void TestCipherSteps::onlyTheGridOfTheChosenSizeChanges()
{
    WindowDriver window;
    window.chooseItem("RadioGroup3", 1);
    window.prepareSquare("text", "ZEBRA");
    QCOMPARE(cellsOf(window, 0, 36), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
    QCOMPARE(backgroundOf(window.cell(0)), QColor(0, 0, 128));
    QCOMPARE(cellsOf(window, 36, 5), QStringLiteral("ZEBRA"));
}

void TestCipherSteps::typingIntoTheInsertionFieldHasNoEffect()
{
    WindowDriver window;
    QTest::keyClicks(window.edit("Edit2"), "7");
    window.prepareSquare("text", "ZEBRA");
    QCOMPARE(cellsOf(window, 0, 5), QStringLiteral("ZEBRA"));
}

void TestCipherSteps::everyListEntryGivesAPermutation()
{
    for (int entry : {0, 21, 53, 60, 80, 102}) {
        for (int dimension : {0, 1}) {
            WindowDriver window;
            window.chooseItem("RadioGroup3", dimension);
            pickEntry(window, entry);
            window.setUpDownTo("UpDown1", 7);
            window.replaceText(window.memo("Memo1"), "text");
            for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8"})
                window.click(step);
            const QString alphabet
                = dimension == 0 ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" : "ABCDEFGHIKLMNOPQRSTUVWXYZ";
            QString cells = cellsOf(window, dimension == 0 ? 0 : 36, int(alphabet.size()));
            QCOMPARE(window.edit("Edit5")->text(), cells);
            std::sort(cells.begin(), cells.end());
            QString sorted = alphabet;
            std::sort(sorted.begin(), sorted.end());
            QVERIFY2(cells == sorted, qPrintable(QStringLiteral("entry %1: %2").arg(entry + 1).arg(cells)));
        }
    }
}

void TestCipherSteps::wholePassReproducesTheWorkedExamples_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("coordinates");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("cipherCode");
    QTest::addColumn<QString>("ciphertext");
    QTest::addRow("6 X 6, depth 2") << 0 << 2 << "2211262633" << QStringList{"21223", "21663"} << "2122321663"
                                    << "GHNF6";
    QTest::addRow("6 X 6, depth 3") << 0 << 3 << "2211262633" << QStringList{"2123", "226", "163"} << "2123226163"
                                    << "GIH46";
    QTest::addRow("5 X 5, depth 2") << 1 << 2 << "2311313134" << QStringList{"21333", "31114"} << "2133331114"
                                    << "FNNAD";
}

void TestCipherSteps::wholePassReproducesTheWorkedExamples()
{
    QFETCH(int, dimension);
    QFETCH(int, depth);
    QFETCH(QString, coordinates);
    QFETCH(QStringList, rows);
    QFETCH(QString, cipherCode);
    QFETCH(QString, ciphertext);
    WindowDriver window;
    window.chooseItem("RadioGroup3", dimension);
    window.setUpDownTo("UpDown2", depth);
    window.prepareSquare("Hallo", "A");  // keyword A at cell 0 leaves the reference square
    window.runCoding();
    QCOMPARE(window.memo("Memo2")->toPlainText(), coordinates);
    for (int k = 0; k < depth; ++k)
        QCOMPARE(window.fractionMemo(k)->toPlainText(), rows[k]);
    QCOMPARE(window.memo("Memo4")->toPlainText(), cipherCode);
    QCOMPARE(window.memo("Memo3")->toPlainText(), ciphertext);
    QCOMPARE(window.boxes.size(), 1);
}

void TestCipherSteps::depthSpinnerShowsOneRowMemoPerStep()
{
    WindowDriver window;
    for (int depth = 3; depth <= 5; ++depth) {
        window.stepUpDown("UpDown2", TUpDown::Button::Up);
        QCOMPARE(window.edit("Edit6")->text(), QString::number(depth));
        QCOMPARE(window.panel(11), QString::number(depth));
        for (int k = 0; k < 5; ++k)
            QCOMPARE(window.fractionMemo(k)->isVisible(), k < depth);
    }
    window.stepUpDown("UpDown2", TUpDown::Button::Up);  // at the end: nothing moves
    QCOMPARE(window.upDown("UpDown2")->position(), 5);
    window.fractionMemo(4)->setPlainText("kept");
    window.stepUpDown("UpDown2", TUpDown::Button::Down, 4);
    QCOMPARE(window.upDown("UpDown2")->position(), 2);
    QCOMPARE(window.form->workbench().FractionDepth, 2);
    QVERIFY(!window.fractionMemo(2)->isVisible());
    QCOMPARE(window.fractionMemo(4)->toPlainText(), QStringLiteral("kept"));
}

void TestCipherSteps::fractionationEmptiesHandFilledRows()
{
    WindowDriver window;
    window.prepareSquare("ab", "A");
    window.click("BitBtn10");
    for (int k = 0; k < 5; ++k)
        window.fractionMemo(k)->setPlainText("999");
    window.click("BitBtn11");
    QCOMPARE(window.fractionMemo(0)->toPlainText(), QStringLiteral("11"));
    QCOMPARE(window.fractionMemo(1)->toPlainText(), QStringLiteral("12"));
    for (int k = 2; k < 5; ++k)
        QVERIFY(window.fractionMemo(k)->toPlainText().isEmpty());
}

void TestCipherSteps::depthLoweredBeforeTheCipherCodeLeavesADigitAlone()
{
    WindowDriver window;
    window.setUpDownTo("UpDown2", 3);
    window.prepareSquare("Hallo", "A");
    window.click("BitBtn10");
    window.click("BitBtn11");
    window.stepUpDown("UpDown2", TUpDown::Button::Down);
    window.click("BitBtn13");
    QCOMPARE(window.memo("Memo4")->toPlainText(), QStringLiteral("2123226"));
    window.click("BitBtn9");
    QCOMPARE(window.boxes.size(), 2);
    QCOMPARE(window.boxes[1].icon, QMessageBox::Critical);
    QCOMPARE(window.boxes[1].title, QStringLiteral("tst_cipher_steps"));
    QCOMPARE(window.boxes[1].text,
        QStringLiteral("Der Cipher-Code hat eine ungerade Anzahl von Ziffern: der letzten "
                       "Ziffer fehlt die Spaltenziffer."));
    QVERIFY(window.memo("Memo3")->toPlainText().isEmpty());
    QVERIFY(!window.button("BitBtn9")->isEnabled());
}

void TestCipherSteps::badRowsStopTheDoubleCoding_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("message");
    QTest::addRow("a letter") << 0 << "2X"
                              << "'X' ist kein gültiger Integerwert.";
    QTest::addRow("a line break is named") << 0 << "1\n2"
                                           << "'Zeilenumbruch' ist kein gültiger Integerwert.";
    QTest::addRow("a blank is named") << 0 << "1 2"
                                      << "'Leerzeichen' ist kein gültiger Integerwert.";
    QTest::addRow("a tab is named") << 0 << "1\t2"
                                    << "'Tabulator' ist kein gültiger Integerwert.";
    QTest::addRow("a control character is named by its code") << 0 << "1\x1b"
                                                              << "'Steuerzeichen 0x1B' ist kein gültiger Integerwert.";
    QTest::addRow("digit 0") << 0 << "10"
                             << "Die Ziffer 0 an Stelle 2 des Cipher-Codes bezeichnet keine Zeile und keine Spalte der "
                                "6 X 6-Matrix; gültig sind nur die Ziffern 1 bis 6.";
    QTest::addRow("digit 7 in 6 X 6") << 0 << "71"
                                      << "Die Ziffer 7 an Stelle 1 des Cipher-Codes bezeichnet keine Zeile und keine "
                                         "Spalte der 6 X 6-Matrix; gültig sind nur die Ziffern 1 bis 6.";
    QTest::addRow("digit 6 in 5 X 5") << 1 << "16"
                                      << "Die Ziffer 6 an Stelle 2 des Cipher-Codes bezeichnet keine Zeile und keine "
                                         "Spalte der 5 X 5-Matrix; gültig sind nur die Ziffern 1 bis 5.";
}

void TestCipherSteps::badRowsStopTheDoubleCoding()
{
    QFETCH(int, dimension);
    QFETCH(QString, row);
    QFETCH(QString, message);
    WindowDriver window;
    window.chooseItem("RadioGroup3", dimension);
    window.prepareSquare("ab", "A");
    window.click("BitBtn10");
    window.click("BitBtn11");
    window.replaceText(window.fractionMemo(0), row);
    window.replaceText(window.fractionMemo(1), QString());
    window.click("BitBtn13");
    window.click("BitBtn9");
    QCOMPARE(window.boxes.size(), 2);
    QCOMPARE(window.boxes[1].icon, QMessageBox::Critical);
    QCOMPARE(window.boxes[1].text, message);
    QVERIFY(window.memo("Memo3")->toPlainText().isEmpty());
    QVERIFY(!window.button("BitBtn9")->isEnabled());
}

void TestCipherSteps::cipherCodeClearsAHandTypedCiphertext()
{
    WindowDriver window;
    window.prepareSquare("ab", "A");
    window.click("BitBtn10");
    window.click("BitBtn11");
    window.replaceText(window.memo("Memo3"), "von Hand");
    window.click("BitBtn13");
    QVERIFY(window.memo("Memo3")->toPlainText().isEmpty());
}

void TestCipherSteps::emptyTextRunsThroughEveryStep()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), QString());
    window.prepareSquare(QString(), "A");  // the empty input is refused, yet opens the keyword
    window.runCoding();
    QCOMPARE(window.boxes.size(), 2);  // the refusal and the arrangement, no error
    for (const char *memo : {"Memo2", "Memo3", "Memo4", "FractionMemo0", "FractionMemo1"})
        QVERIFY(window.memo(memo)->toPlainText().isEmpty());
    QVERIFY(!window.button("BitBtn9")->isEnabled());
    for (const char *toggle : {"BitBtn6", "BitBtn12", "BitBtn14"}) {  // empty texts still switch
        window.click(toggle);
        QCOMPARE(window.button(toggle)->text(), QStringLiteral("Blocktext"));
    }
    QVERIFY(window.memo("Memo1")->toPlainText().isEmpty());
}

void TestCipherSteps::everyCiphertextDecipheresToTheCleanedText()
{
    std::mt19937 random(20181108);
    for (int pass = 0; pass < 12; ++pass) {
        const int dimension = pass % 2;
        const int depth = 2 + (pass / 2) % 4;
        WindowDriver window;
        window.chooseItem("RadioGroup3", dimension);
        window.setUpDownTo("UpDown2", depth);
        window.setUpDownTo("UpDown1", 1 + int(random() % 25));
        pickEntry(window, int(random() % 103));
        window.replaceText(window.memo("Memo1"),
            QStringLiteral("Zwölf Boxkämpfer jagen Viktor quer über den großen "
                           "Sylter Deich, 1234567890 Mal."));
        for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
            window.click(step);
        window.chooseItem("RadioGroup1", int(random() % 2));
        window.chooseItem("RadioGroup2", int(random() % 2));
        window.click("BitBtn8");
        window.runCoding();

        const auto shape = dimension == 0 ? bifid::Dimension::Six : bifid::Dimension::Five;
        const std::string square = window.edit("Edit5")->text().toStdString();
        const auto result
            = bifid::decipher(window.memo("Memo3")->toPlainText().toStdString(), bifid::Square(shape, square), depth);
        QVERIFY(result.ok());
        QCOMPARE(result.value.plaintext, window.form->workbench().CleanText);
        QCOMPARE(cellsOf(window, dimension == 0 ? 0 : 36, bifid::cellCountOf(shape)), QString::fromStdString(square));
    }
}

void TestCipherSteps::togglesSwitchBetweenGroupsAndBlock()
{
    WindowDriver window;
    window.prepareSquare("abcdefghijk", "A");
    window.runCoding();
    const QList<std::tuple<QString, QString, QString, QString, QString>> toggles{
        {"BitBtn6", "Memo1", "Fünfer-Gruppen", "ABCDEFGHIJK", "ABCDE FGHIJ K"},
        {"BitBtn12", "Memo2", "Zweier-Gruppen", "1112131415162122232425", "11 12 13 14 15 16 21 22 23 24 25"},
        {"BitBtn14", "Memo4", "Zweier-Gruppen", "1111112222212345612345", "11 11 11 22 22 21 23 45 61 23 45"},
    };
    for (const auto &[button, memo, groupCaption, block, grouped] : toggles) {
        for (int round = 0; round < 2; ++round) {
            window.memo(memo)->setPlainText("von Hand");
            window.click(button);
            QCOMPARE(window.memo(memo)->toPlainText(), grouped);
            QCOMPARE(window.button(button)->text(), QStringLiteral("Blocktext"));
            window.click(button);
            QCOMPARE(window.memo(memo)->toPlainText(), block);
            QCOMPARE(window.button(button)->text(), groupCaption);
        }
    }
    QCOMPARE(window.form->workbench().GroupCount, 22);
}

void TestCipherSteps::togglesStartFromTheGroupCaptionAfterAReset()
{
    WindowDriver window;
    window.prepareSquare("abcdefg", "A");
    window.runCoding();
    window.click("BitBtn14");
    window.click("BitBtn3");
    window.prepareSquare("abc", "A");
    window.runCoding();
    window.click("BitBtn14");
    QCOMPARE(window.memo("Memo4")->toPlainText(), QStringLiteral("11 11 23"));
}

void TestCipherSteps::groupingTheCipherCodeLeavesTheCiphertextAlone()
{
    WindowDriver window;
    window.prepareSquare("Hallo", "A");
    for (const char *step : {"BitBtn10", "BitBtn11", "BitBtn13", "BitBtn14", "BitBtn9"})
        window.click(step);
    QCOMPARE(window.memo("Memo4")->toPlainText(), QStringLiteral("21 22 32 16 63"));
    QCOMPARE(window.memo("Memo3")->toPlainText(), QStringLiteral("GHNF6"));
}

QTEST_MAIN(TestCipherSteps)
#include "tst_cipher_steps.moc"
