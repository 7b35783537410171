// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The order of steps, the reset, the dimension switch and the plaintext cleaning in the real window.

#include "WindowDriver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

// Every button that the workflow opens and closes.
const QStringList kSteps{"BitBtn1", "BitBtn2", "BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8", "BitBtn9", "BitBtn10",
    "BitBtn11", "BitBtn12", "BitBtn13", "BitBtn14", "BitBtn15"};

QStringList enabledSteps(const WindowDriver &window)
{
    QStringList enabled;
    for (const QString &name : kSteps) {
        if (window.button(name)->isEnabled())
            enabled << name;
    }
    for (const char *other : {"RadioGroup1", "RadioGroup2", "RadioGroup3", "ComboBox1", "UpDown1"}) {
        if (window.find<QWidget>(other)->isEnabled())
            enabled << QString::fromLatin1(other);
    }
    return enabled;
}

}  // namespace

class TestWorkflow : public QObject {
    Q_OBJECT

private slots:
    void eachStepOpensTheNext();
    void emptyInputIsRejectedWithABox();
    void cleaningShowsTextAndCounts_data();
    void cleaningShowsTextAndCounts();
    void clearingTheInputEmptiesTheFirstTwoMemos();
    void resetStartsANewPass();
    void stepsOpenAndCloseControlsInTheirOrder_data();
    void stepsOpenAndCloseControlsInTheirOrder();
    void undoBringsBackWhatAStepReplaced_data();
    void undoBringsBackWhatAStepReplaced();
    void resetTwiceEqualsResetOnce();
    void resetClosesTheSquareStepOfAnEarlierPass();
    void dimensionSwitchClampsTheInsertionPosition_data();
    void dimensionSwitchClampsTheInsertionPosition();
    void insertionFieldShowsOnlyTheUpDownsPosition_data();
    void insertionFieldShowsOnlyTheUpDownsPosition();
    void dimensionSwitchSetsCheckBoxLabelsAndGrid();
    void directionLabelsFollowTheirGroups();
    void insertionPositionStepsWithinItsRange();
};

void TestWorkflow::eachStepOpensTheNext()
{
    WindowDriver window;
    QCOMPARE(enabledSteps(window), (QStringList{"BitBtn1", "BitBtn2", "RadioGroup3", "ComboBox1", "UpDown1"}));

    const QList<std::pair<QString, QStringList>> pass{
        {"BitBtn1", {"BitBtn6", "BitBtn7", "ComboBox1", "UpDown1"}},
        {"BitBtn7", {"BitBtn5", "BitBtn6", "UpDown1"}},
        {"BitBtn5", {"BitBtn6", "BitBtn8", "RadioGroup1", "RadioGroup2", "UpDown1"}},
        {"BitBtn8", {"BitBtn6", "BitBtn10"}},
        {"BitBtn10", {"BitBtn6", "BitBtn11", "BitBtn12"}},
        {"BitBtn11", {"BitBtn6", "BitBtn12", "BitBtn13"}},
        {"BitBtn13", {"BitBtn6", "BitBtn9", "BitBtn12", "BitBtn14"}},
        {"BitBtn9", {"BitBtn6", "BitBtn12", "BitBtn14"}},
    };
    for (const auto &[step, openAfter] : pass) {
        window.click(step);
        QCOMPARE(enabledSteps(window), openAfter);
        QVERIFY(window.button("BitBtn3")->isEnabled() && window.button("BitBtn4")->isEnabled());
        QVERIFY(window.upDown("UpDown2")->isEnabled());
    }
    QCOMPARE(window.boxes.size(), 1);  // the arrangement of the square
    QVERIFY(!window.label("Label5")->isVisible());
}

void TestWorkflow::emptyInputIsRejectedWithABox()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), QString());
    window.click("BitBtn1");

    QCOMPARE(window.boxes.size(), 1);
    QCOMPARE(window.boxes[0].title, QStringLiteral("Achtung"));
    QCOMPARE(window.boxes[0].text, QStringLiteral("Die Eingabeseite darf nicht leer sein!"));
    QCOMPARE(window.boxes[0].icon, QMessageBox::NoIcon);
    QCOMPARE(window.edit("Edit1")->text(), QStringLiteral("0"));
    QCOMPARE(window.panel(1), QStringLiteral("0"));
    QCOMPARE(window.edit("Edit9")->text(), QStringLiteral("???"));
    QVERIFY(window.form->workbench().CleanText.empty());
    QCOMPARE(enabledSteps(window), (QStringList{"BitBtn1", "BitBtn6", "BitBtn7", "ComboBox1", "UpDown1"}));
    QLabel *warning = window.label("Label5");  // still blinking
    QTRY_VERIFY_WITH_TIMEOUT(!warning->isVisible(), 1500);
    QTRY_VERIFY_WITH_TIMEOUT(warning->isVisible(), 1500);
}

void TestWorkflow::cleaningShowsTextAndCounts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("fiveByFive");
    QTest::addColumn<bool>("keepDigits");
    QTest::addColumn<QString>("rawCount");
    QTest::addColumn<QString>("cleaned");

    QTest::addRow("a line break counts as two") << "ab\nc" << false << true << "5"
                                                << "ABC";
    QTest::addRow("umlauts, sharp s, digits kept") << "Größe 2x!" << false << true << "9"
                                                   << "GROESZE2X";
    QTest::addRow("digits spelled out") << "Größe 2x!" << false << false << "9"
                                        << "GROESZEZWOX";
    QTest::addRow("J becomes I in 5 X 5") << "Jojo" << true << false << "4"
                                          << "IOIO";
    QTest::addRow("J stays in 6 X 6") << "Jojo" << false << true << "4"
                                      << "JOJO";
    QTest::addRow("only blanks and line breaks") << "  \n \n"
                                                 << false << true << "7"
                                                 << "";
    QTest::addRow("code points outside the code page count once")
        << QString::fromUtf8("a\u20ACb\U0001F600c\u0100") << false << true << "6"
        << "ABC";
    QTest::addRow("control characters are dropped") << QString::fromUtf8("x\ty\u0001z") << false << true << "5"
                                                    << "XYZ";
}

void TestWorkflow::cleaningShowsTextAndCounts()
{
    QFETCH(QString, input);
    QFETCH(bool, fiveByFive);
    QFETCH(bool, keepDigits);
    QFETCH(QString, rawCount);
    QFETCH(QString, cleaned);

    WindowDriver window;
    if (fiveByFive)
        window.chooseItem("RadioGroup3", 1);
    auto *keep = window.find<QCheckBox>("CheckBox1");
    if (keep->isChecked() != keepDigits)
        QTest::mouseClick(keep, Qt::LeftButton, {}, QPoint(5, keep->height() / 2));
    window.replaceText(window.memo("Memo1"), input);
    window.click("BitBtn1");

    const QString cleanedCount = QString::number(cleaned.size());
    QCOMPARE(window.edit("Edit1")->text(), rawCount);
    QCOMPARE(window.panel(1), rawCount);
    QCOMPARE(window.memo("Memo1")->toPlainText(), cleaned);
    QCOMPARE(window.edit("Edit9")->text(), cleanedCount);
    QCOMPARE(window.panel(3), cleanedCount);
    QCOMPARE(QString::fromStdString(window.form->workbench().CleanText), cleaned);
    QCOMPARE(window.form->workbench().GroupCount, cleaned.size());
    QVERIFY(window.boxes.isEmpty());
}

void TestWorkflow::clearingTheInputEmptiesTheFirstTwoMemos()
{
    WindowDriver window;
    window.memo("Memo2")->setPlainText("1234");
    window.click("BitBtn2");
    QVERIFY(window.memo("Memo1")->toPlainText().isEmpty());
    QVERIFY(window.memo("Memo2")->toPlainText().isEmpty());
    QVERIFY(window.button("BitBtn1")->isEnabled() && window.button("BitBtn2")->isEnabled());
}

void TestWorkflow::resetStartsANewPass()
{
    WindowDriver window;
    window.chooseItem("RadioGroup3", 1);
    window.setUpDownTo("UpDown2", 4);
    window.prepareSquare("Hallo Welt", "SCHLUESSEL");
    window.runCoding();
    window.click("BitBtn14");
    QCOMPARE(window.button("BitBtn14")->text(), QStringLiteral("Blocktext"));

    window.click("BitBtn3");
    for (const char *edit : {"Edit1", "Edit4", "Edit5", "Edit9"})
        QCOMPARE(window.edit(edit)->text(), QStringLiteral("???"));
    QCOMPARE(window.panel(1), QStringLiteral("???"));
    QCOMPARE(window.panel(3), QStringLiteral("???"));
    QCOMPARE(window.panel(9), QString());
    QCOMPARE(window.label("Label7")->text(), QStringLiteral("???"));
    for (const char *memo : {"Memo1", "Memo2", "Memo3", "Memo4"})
        QVERIFY(window.memo(memo)->toPlainText().isEmpty());
    for (int k = 0; k < 5; ++k) {
        QVERIFY(window.fractionMemo(k)->toPlainText().isEmpty());
        QCOMPARE(window.fractionMemo(k)->isVisible(), k < 4);  // depth 4 keeps four rows in view
    }
    QCOMPARE(window.button("BitBtn6")->text(), QStringLiteral("Fünfer-Gruppen"));
    QCOMPARE(window.button("BitBtn12")->text(), QStringLiteral("Zweier-Gruppen"));
    QCOMPARE(window.button("BitBtn14")->text(), QStringLiteral("Zweier-Gruppen"));
    QCOMPARE(window.button("BitBtn15")->text(), QStringLiteral("Fünfer-Gruppen für Ciphertext"));
    QCOMPARE(enabledSteps(window), (QStringList{"BitBtn1", "BitBtn2", "RadioGroup3", "ComboBox1", "UpDown1"}));
    QVERIFY(window.form->workbench().CleanText.empty() && window.form->workbench().CoordText.empty());
    QVERIFY(!window.form->workbench().CipherCode.empty());  // only the next cipher-code step rebuilds it

    // Kept: the dimension, the depth, the keyword and the square the cells show.
    QCOMPARE(window.radioGroup("RadioGroup3")->itemIndex(), 1);
    QCOMPARE(window.upDown("UpDown2")->position(), 4);
    QCOMPARE(window.find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("SCHLUESSEL"));
    QCOMPARE(window.cell(36)->text(), QStringLiteral("S"));
    QTRY_VERIFY_WITH_TIMEOUT(window.label("Label5")->isVisible(), 1500);  // blinking again
    QTRY_VERIFY_WITH_TIMEOUT(!window.label("Label5")->isVisible(), 1500);
}

void TestWorkflow::resetTwiceEqualsResetOnce()
{
    WindowDriver window;
    window.prepareSquare("abc", "WORT");
    window.click("BitBtn10");
    window.click("BitBtn3");
    window.form->findChild<QTimer *>("Timer1")->stop();  // the blink would differ between snapshots
    window.label("Label5")->show();
    const QStringList once = window.visibleState();
    window.click("BitBtn3");
    window.form->findChild<QTimer *>("Timer1")->stop();
    window.label("Label5")->show();
    QCOMPARE(window.visibleState(), once);
}

void TestWorkflow::resetClosesTheSquareStepOfAnEarlierPass()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), "abc");
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
        window.click(step);
    QVERIFY(window.button("BitBtn8")->isEnabled());
    window.click("BitBtn3");
    QVERIFY(!window.button("BitBtn8")->isEnabled());
}

void TestWorkflow::dimensionSwitchClampsTheInsertionPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("positionIn5x5");
    QTest::addColumn<QString>("shownIn5x5");
    QTest::addRow("above 25 drops to 25") << 30 << 25 << "25";
    QTest::addRow("36 drops to 25") << 36 << 25 << "25";
    QTest::addRow("25 stays") << 25 << 25 << "25";
    QTest::addRow("20 stays") << 20 << 20 << "20";
}

void TestWorkflow::dimensionSwitchClampsTheInsertionPosition()
{
    QFETCH(int, position);
    QFETCH(int, positionIn5x5);
    QFETCH(QString, shownIn5x5);

    WindowDriver window;
    window.setUpDownTo("UpDown1", position);
    QCOMPARE(window.upDown("UpDown1")->position(), position);
    QCOMPARE(window.edit("Edit2")->text(), QString::number(position));

    window.chooseItem("RadioGroup3", 1);
    QCOMPARE(window.upDown("UpDown1")->position(), positionIn5x5);
    QCOMPARE(window.upDown("UpDown1")->max(), 25);
    QCOMPARE(window.edit("Edit2")->text(), shownIn5x5);
    window.stepUpDown("UpDown1", TUpDown::Button::Up, 10);
    QCOMPARE(window.upDown("UpDown1")->position(), 25);

    window.chooseItem("RadioGroup3", 0);
    QCOMPARE(window.upDown("UpDown1")->position(), 25);
    window.stepUpDown("UpDown1", TUpDown::Button::Up, 20);
    QCOMPARE(window.upDown("UpDown1")->position(), 36);
    QCOMPARE(window.edit("Edit2")->text(), QStringLiteral("36"));
}

enum class InsertionInput { TypedDigit, UpKey, DownKey, WheelUp, WheelDown };

void TestWorkflow::insertionFieldShowsOnlyTheUpDownsPosition_data()
{
    QTest::addColumn<InsertionInput>("input");
    QTest::addColumn<int>("position");
    QTest::addRow("a typed 8 does not stand there") << InsertionInput::TypedDigit << 5;
    QTest::addRow("Up steps the up-down") << InsertionInput::UpKey << 6;
    QTest::addRow("Down steps the up-down") << InsertionInput::DownKey << 4;
    QTest::addRow("the wheel up steps it up") << InsertionInput::WheelUp << 6;
    QTest::addRow("the wheel down steps it down") << InsertionInput::WheelDown << 4;
}

void TestWorkflow::insertionFieldShowsOnlyTheUpDownsPosition()
{
    QFETCH(InsertionInput, input);
    QFETCH(int, position);
    WindowDriver window;
    window.setUpDownTo("UpDown1", 5);
    QLineEdit *field = window.edit("Edit2");
    switch (input) {
    case InsertionInput::TypedDigit: QTest::keyClicks(field, QStringLiteral("8")); break;
    case InsertionInput::UpKey: QTest::keyClick(field, Qt::Key_Up); break;
    case InsertionInput::DownKey: QTest::keyClick(field, Qt::Key_Down); break;
    case InsertionInput::WheelUp:
    case InsertionInput::WheelDown: {
        const QPoint centre = field->rect().center();
        const int delta = input == InsertionInput::WheelUp ? 120 : -120;
        QWheelEvent wheel(
            centre, field->mapToGlobal(centre), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(field, &wheel);
        break;
    }
    }
    QCOMPARE(window.upDown("UpDown1")->position(), position);
    QCOMPARE(field->text(), QString::number(position));
}

void TestWorkflow::dimensionSwitchSetsCheckBoxLabelsAndGrid()
{
    WindowDriver window;
    auto *keepDigits = window.find<QCheckBox>("CheckBox1");
    const QString before = window.cell(0)->text() + window.cell(36)->text();

    window.chooseItem("RadioGroup3", 1);
    QVERIFY(!keepDigits->isEnabled() && !keepDigits->isChecked());
    QCOMPARE(window.label("Label4")->text(), QStringLiteral("5 X 5"));
    QCOMPARE(window.label("Label6")->text(), QStringLiteral("5 X 5 - Matrix-Codierter Text"));
    QCOMPARE(window.panel(13), QStringLiteral("5 X 5"));
    QVERIFY(window.find<QGroupBox>("GroupBox2")->isVisible() && !window.find<QGroupBox>("GroupBox3")->isVisible());
    QVERIFY(!window.label("Label5")->isVisible());
    QVERIFY(!window.form->findChild<QTimer *>("Timer1")->isActive());

    window.chooseItem("RadioGroup3", 0);
    QVERIFY(keepDigits->isEnabled() && keepDigits->isChecked());
    QCOMPARE(window.label("Label4")->text(), QStringLiteral("6 X 6"));
    QCOMPARE(window.label("Label6")->text(), QStringLiteral("6 X 6 - Matrix-Codierter Text"));
    QCOMPARE(window.panel(13), QStringLiteral("6 X 6"));
    QVERIFY(!window.find<QGroupBox>("GroupBox2")->isVisible() && window.find<QGroupBox>("GroupBox3")->isVisible());
    QCOMPARE(window.cell(0)->text() + window.cell(36)->text(), before);
}

void TestWorkflow::directionLabelsFollowTheirGroups()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), "abc");
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5"})
        window.click(step);
    window.chooseItem("RadioGroup1", 1);
    QCOMPARE(window.label("Label1")->text(), QStringLiteral("revers - umgekehrt aphabetisch"));
    QCOMPARE(window.label("Label3")->text(), QStringLiteral("gerade - alphabetisch"));
    window.chooseItem("RadioGroup2", 1);
    window.chooseItem("RadioGroup2", 0);
    QCOMPARE(window.label("Label3")->text(), QStringLiteral("gerade - aphabetisch"));
    window.chooseItem("RadioGroup1", 0);
    QCOMPARE(window.label("Label1")->text(), QStringLiteral("gerade - aphabetisch"));
}

void TestWorkflow::insertionPositionStepsWithinItsRange()
{
    WindowDriver window;
    QSignalSpy steps(window.upDown("UpDown1"), &TUpDown::clicked);
    window.stepUpDown("UpDown1", TUpDown::Button::Down);  // already at 1: nothing happens
    QCOMPARE(steps.count(), 0);
    window.stepUpDown("UpDown1", TUpDown::Button::Up, 2);
    QCOMPARE(steps.count(), 2);
    QCOMPARE(window.edit("Edit2")->text(), QStringLiteral("3"));

    QTest::keyClicks(window.edit("Edit2"), "9");  // the field only shows the position
    QCOMPARE(window.upDown("UpDown1")->position(), 3);
}

namespace {

// Records, in order, every control of the steps that is enabled (+) or disabled (-).
class EnabledChanges : public QObject {
public:
    explicit EnabledChanges(const WindowDriver &window)
    {
        for (const char *name : {"BitBtn1", "BitBtn2", "BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8", "BitBtn9",
                 "BitBtn10", "BitBtn11", "BitBtn12", "BitBtn13", "BitBtn14", "RadioGroup1", "RadioGroup2",
                 "RadioGroup3", "ComboBox1", "UpDown1", "UpDown2"})
            window.find<QWidget>(QString::fromLatin1(name))->installEventFilter(this);
    }
    QStringList changes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            const auto *widget = static_cast<QWidget *>(watched);
            changes << widget->objectName() + (widget->isEnabled() ? u'+' : u'-');
        }
        return false;
    }
};

}  // namespace

void TestWorkflow::stepsOpenAndCloseControlsInTheirOrder_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("changes");
    const QStringList toSquare{"BitBtn1", "BitBtn7", "BitBtn5"};
    QTest::addRow("Eingabetext bereinigen")
        << QStringList{} << "BitBtn1" << QStringList{"RadioGroup3-", "BitBtn1-", "BitBtn2-", "BitBtn6+", "BitBtn7+"};
    QTest::addRow("Keyword setzen") << QStringList{"BitBtn1"} << "BitBtn7"
                                    << QStringList{"BitBtn5+", "BitBtn7-", "ComboBox1-"};
    QTest::addRow("Keyword bereinigen") << QStringList{"BitBtn1", "BitBtn7"} << "BitBtn5"
                                        << QStringList{"BitBtn5-", "BitBtn8+", "RadioGroup1+", "RadioGroup2+"};
    QTest::addRow("Matrix generieren") << toSquare << "BitBtn8"
                                       << QStringList{
                                              "BitBtn8-", "RadioGroup1-", "RadioGroup2-", "BitBtn10+", "UpDown1-"};
    QTest::addRow("Cipher-Code") << (toSquare + QStringList{"BitBtn8", "BitBtn10", "BitBtn11"}) << "BitBtn13"
                                 << QStringList{"BitBtn9+", "BitBtn13-", "BitBtn14+"};
    QTest::addRow("Wiederholen after a pass")
        << (toSquare + QStringList{"BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9"}) << "BitBtn3"
        << QStringList{
               "UpDown1+", "RadioGroup3+", "ComboBox1+", "BitBtn1+", "BitBtn2+", "BitBtn6-", "BitBtn12-", "BitBtn14-"};
}

void TestWorkflow::stepsOpenAndCloseControlsInTheirOrder()
{
    QFETCH(QStringList, before);
    QFETCH(QString, step);
    QFETCH(QStringList, changes);
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), QStringLiteral("Hallo"));
    for (const QString &earlier : before)
        window.click(earlier);
    EnabledChanges seen(window);
    window.click(step);
    QCOMPARE(seen.changes, changes);
}

void TestWorkflow::undoBringsBackWhatAStepReplaced_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addRow("Eingabetext bereinigen") << QStringList{"BitBtn1"} << "Memo1"
                                            << "Hallo Welt"
                                            << "HALLOWELT";
    QTest::addRow("Eingabetext löschen") << QStringList{"BitBtn2"} << "Memo1"
                                         << "Hallo Welt"
                                         << "";
    QTest::addRow("Wiederholen") << QStringList{"BitBtn1", "BitBtn3"} << "Memo1"
                                 << "HALLOWELT"
                                 << "";
    QTest::addRow("Wiederholen, coordinates")
        << QStringList{"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn3"} << "Memo2"
        << "221126263345152642"
        << "";
}

void TestWorkflow::undoBringsBackWhatAStepReplaced()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, memo);
    QFETCH(QString, before);
    QFETCH(QString, after);
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), QStringLiteral("Hallo Welt"));
    window.setKeyword(QStringLiteral("A"));
    for (const QString &step : steps)
        window.click(step);
    QPlainTextEdit *field = window.memo(memo);
    QCOMPARE(field->toPlainText(), after);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field->toPlainText(), before);
}

QTEST_MAIN(TestWorkflow)
#include "tst_workflow.moc"
