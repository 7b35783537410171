// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window for users without a mouse and with a screen reader, and its explanations for learners.

#include "WindowDriver.h"

#include <QAccessible>
#include <QCheckBox>

namespace {

// Presses Tab until the target has the focus; fails when it cannot be reached.
bool tabTo(QWidget *target)
{
    // After a modal box closes, the desktop gives the focus back to the window; the offscreen
    // platform has no window manager to do that.
    if (!QApplication::focusWidget()) {
        target->window()->activateWindow();
        if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000))
            return false;
    }
    for (int presses = 0; presses < 80; ++presses) {
        if (QApplication::focusWidget() == target)
            return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
}

void pressSpaceOn(const WindowDriver &window, const char *buttonName)
{
    QPushButton *button = window.button(QString::fromLatin1(buttonName));
    QVERIFY2(tabTo(button), buttonName);
    QTest::keyClick(button, Qt::Key_Space);
}

bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox: return true;
    default: return false;
    }
}

void collectNameless(QAccessibleInterface *node, QStringList &nameless, int &interactive)
{
    if (!node || node->state().invisible)
        return;
    if (isInteractive(node->role())) {
        ++interactive;
        if (node->text(QAccessible::Name).trimmed().isEmpty())
            nameless << QStringLiteral("%1 (%2, role %3)")
                            .arg(node->object()->objectName(), node->object()->metaObject()->className())
                            .arg(node->role());
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectNameless(node->child(i), nameless, interactive);
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The name a screen reader announces: a combo box on Linux names itself by its text and its label
// by a relation.
QStringList namesOf(QWidget *widget)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
    QStringList names{node->text(QAccessible::Name)};
    for (const auto &[label, relation] : node->relations(QAccessible::Label))
        names << label->text(QAccessible::Name);
    return names;
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void wholePassWithTheKeyboardOnly();
    void enterAloneWalksThePassAsTheFocusFollows();
    void enterInAFieldClicksTheNextStep();
    void noInteractiveControlIsNameless();
    void controlsAreNamedAfterTheirLabels_data();
    void controlsAreNamedAfterTheirLabels();
    void cellsReadTheirRowColumnAndCharacter();
    void spinnersReportValueAndRange();
    void stepsAndResultsExplainThemselves();
};

void TestAccessibility::wholePassWithTheKeyboardOnly()
{
    WindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.form->activateWindow();
    QTest::keyClick(window.form.get(), Qt::Key_Tab);

    QPlainTextEdit *input = window.memo("Memo1");
    QVERIFY(tabTo(input));
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(input, "Hallo");
    pressSpaceOn(window, "BitBtn1");
    QCOMPARE(input->toPlainText(), QStringLiteral("HALLO"));

    QLineEdit *keyword = window.find<QComboBox>("ComboBox1")->lineEdit();
    QVERIFY(tabTo(window.find<QComboBox>("ComboBox1")));
    QTest::keyClick(keyword, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(keyword, "A");
    pressSpaceOn(window, "BitBtn7");
    pressSpaceOn(window, "BitBtn5");

    // Arrows choose radio items and step the spinners; they are set back to keep the worked example.
    auto *keywordForward = window.find<QRadioButton>("RadioGroup1Item0");
    QVERIFY(tabTo(keywordForward));
    QTest::keyClick(keywordForward, Qt::Key_Down);
    QCOMPARE(window.label("Label1")->text(), QStringLiteral("revers - umgekehrt aphabetisch"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(window.radioGroup("RadioGroup1")->itemIndex(), 0);
    QVERIFY(tabTo(window.upDown("UpDown1")));
    QTest::keyClick(window.upDown("UpDown1"), Qt::Key_Up);
    QCOMPARE(window.edit("Edit2")->text(), QStringLiteral("2"));
    QTest::keyClick(window.upDown("UpDown1"), Qt::Key_Down);

    pressSpaceOn(window, "BitBtn8");
    QCOMPARE(window.boxes.size(), 1);
    pressSpaceOn(window, "BitBtn10");
    QVERIFY(tabTo(window.upDown("UpDown2")));
    QTest::keyClick(window.upDown("UpDown2"), Qt::Key_Up);
    QCOMPARE(window.edit("Edit6")->text(), QStringLiteral("3"));
    pressSpaceOn(window, "BitBtn11");
    pressSpaceOn(window, "BitBtn13");
    pressSpaceOn(window, "BitBtn9");
    QCOMPARE(window.memo("Memo3")->toPlainText(), QStringLiteral("GIH46"));
    QCOMPARE(window.boxes.size(), 1);
}

// After each step the focus stands on the next one (on the keyword list before "Keyword setzen"), never
// in a memo, so that Enter alone walks the pass.
void TestAccessibility::enterAloneWalksThePassAsTheFocusFollows()
{
    WindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    QPlainTextEdit *input = window.memo("Memo1");
    QVERIFY(tabTo(input));
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(input, "Hallo");
    QVERIFY(tabTo(window.button("BitBtn1")));

    const QStringList focusAfterEachStep{
        "ComboBox1", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9", "BitBtn3"};
    for (const QString &expected : focusAfterEachStep) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (!QApplication::focusWidget())  // after the generator's box; see tabTo
            window.form->activateWindow();
        QTRY_VERIFY(QApplication::focusWidget());
        QWidget *focused = QApplication::focusWidget();
        QWidget *owner = focused->parentWidget() && qobject_cast<QComboBox *>(focused->parentWidget())
            ? focused->parentWidget()
            : focused;
        QCOMPARE(owner->objectName(), expected);
        if (expected == QLatin1String("ComboBox1")) {
            QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focused, "A");
        }
    }
    QCOMPARE(window.memo("Memo3")->toPlainText(), QStringLiteral("GHNF6"));
    QCOMPARE(window.boxes.size(), 1);
}

void TestAccessibility::enterInAFieldClicksTheNextStep()
{
    WindowDriver window;
    window.replaceText(window.memo("Memo1"), "Hallo");
    const QList<std::pair<QString, QString>> steps{{"Edit2", "BitBtn1"}, {"Edit4", "BitBtn7"}, {"Edit5", "BitBtn5"}};
    for (const auto &[field, step] : steps) {
        QVERIFY(window.button(step)->isEnabled());
        QTest::keyClick(window.edit(field), Qt::Key_Enter);
        QVERIFY2(!window.button(step)->isEnabled(), qPrintable(step));
    }
}

void TestAccessibility::noInteractiveControlIsNameless()
{
    WindowDriver window;
    for (const int dimension : {0, 1}) {
        window.chooseItem("RadioGroup3", dimension);
        window.stepUpDown("UpDown2", TUpDown::Button::Up, 3);
        QStringList nameless;
        int interactive = 0;
        collectNameless(QAccessible::queryAccessibleInterface(window.form.get()), nameless, interactive);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", ")));
        QVERIFY(interactive > 40);
    }
}

void TestAccessibility::controlsAreNamedAfterTheirLabels_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addRow("plaintext") << "Memo1"
                               << "... eingegebener Plaintext:";
    QTest::addRow("coordinates") << "Memo2"
                                 << "6 X 6 - Matrix-Codierter Text:";
    QTest::addRow("cipher code") << "Memo4"
                                 << "END-Cipher-Text:";
    QTest::addRow("ciphertext") << "Memo3"
                                << "Geheimtext";
    QTest::addRow("keyword list") << "ComboBox1"
                                  << "Keyword:";
    QTest::addRow("raw count") << "Edit1"
                               << "Eingabezeichenzahl";
    QTest::addRow("square text") << "Edit5"
                                 << "kompletter Codesatz:";
    QTest::addRow("insertion spinner") << "UpDown1"
                                       << "Einfügeposition des Keywords ab:";
    QTest::addRow("depth spinner") << "UpDown2"
                                   << "Fraktionierungstiefe";
    QTest::addRow("fraction row") << "FractionMemo2"
                                  << "Fraktionierungszeile 3";
    QTest::addRow("reset without its access key mark") << "BitBtn3"
                                                       << "Wiederholen";
}

void TestAccessibility::controlsAreNamedAfterTheirLabels()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    WindowDriver window;
    const QStringList names = namesOf(window.find<QWidget>(control));
    QVERIFY2(names.contains(name), qPrintable(names.join(u" | ")));
}

void TestAccessibility::cellsReadTheirRowColumnAndCharacter()
{
    WindowDriver window;
    QCOMPARE(accessibleName(window.cell(0)), QStringLiteral("Zeile 1, Spalte 1: A"));
    QCOMPARE(accessibleName(window.cell(35)), QStringLiteral("Zeile 6, Spalte 6: 9"));
    QCOMPARE(accessibleName(window.cell(45)), QStringLiteral("Zeile 2, Spalte 5: K"));
    window.prepareSquare("text", "ZEBRA");
    QCOMPARE(accessibleName(window.cell(1)), QStringLiteral("Zeile 1, Spalte 2: E"));
}

void TestAccessibility::spinnersReportValueAndRange()
{
    WindowDriver window;
    QAccessibleInterface *spinner = QAccessible::queryAccessibleInterface(window.upDown("UpDown2"));
    QCOMPARE(spinner->role(), QAccessible::SpinBox);
    QAccessibleValueInterface *value = spinner->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->minimumValue().toInt(), 2);
    QCOMPARE(value->maximumValue().toInt(), 5);
    value->setCurrentValue(4);  // as a screen reader user would set it: the rows follow
    QCOMPARE(value->currentValue().toInt(), 4);
    QCOMPARE(window.edit("Edit6")->text(), QStringLiteral("4"));
    QVERIFY(window.fractionMemo(3)->isVisible());
}

void TestAccessibility::stepsAndResultsExplainThemselves()
{
    WindowDriver window;
    for (const char *name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8", "BitBtn9",
             "BitBtn10", "BitBtn11", "BitBtn12", "BitBtn13", "BitBtn14", "Memo1", "Memo2", "Memo3", "Memo4", "Edit1",
             "Edit4", "Edit5", "Edit6", "Edit9", "UpDown1", "UpDown2", "RadioGroup1", "RadioGroup2", "RadioGroup3",
             "CheckBox1", "ComboBox1", "FractionMemo0"}) {
        const QString tip = window.find<QWidget>(name)->toolTip();
        QVERIFY2(tip.size() > 20 && tip.endsWith(u'.'), name);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(window.find<QWidget>(name))->text(QAccessible::Description), tip);
    }
    QVERIFY(window.upDown("UpDown2")->toolTip().contains(QStringLiteral("Fraktionierungstiefe")));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
