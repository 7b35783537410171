// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window for users without a mouse and with a screen reader, and its explanations for learners.

#include "AnalysisCharts.h"
#include "LabWindow.h"
#include "TraceWords.h"
#include "WindowDriver.h"

#include <QAccessible>
#include <QCheckBox>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>

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

// Every focus stop of a window that a screen reader can reach, with the name it hears. A combo box and
// a tab bar bear the name of their chosen entry: an entry that repeats the name of the control it
// belongs to is that control's value, not a second control of that name.
void collectFocusStops(QAccessibleInterface *node, const QStringList &namesAbove, QStringList &names)
{
    if (!node || node->state().invisible)
        return;
    QString name = node->text(QAccessible::Name).trimmed();
    // A combo box on Linux reads its entry as its name and is told apart by the label it relates to.
    if (const auto labels = node->relations(QAccessible::Label);
        node->role() == QAccessible::ComboBox && !labels.isEmpty())
        name = labels.first().first->text(QAccessible::Name).trimmed();
    if (node->state().focusable && (name.isEmpty() || !namesAbove.contains(name)))
        names << name;
    for (int i = 0; i < node->childCount(); ++i)
        collectFocusStops(node->child(i), namesAbove + QStringList{name}, names);
}

QStringList namesAmissIn(QWidget *window)
{
    QStringList names;
    collectFocusStops(QAccessible::queryAccessibleInterface(window), {}, names);
    QStringList amiss;
    for (const QString &name : std::as_const(names)) {
        if (name.isEmpty() || names.count(name) > 1)
            amiss << (name.isEmpty() ? QStringLiteral("(ohne Namen)") : name);
    }
    amiss.removeDuplicates();
    return amiss;
}

// Alt and a letter must reach one control: where two share it, each press only moves the focus between them.
QStringList mnemonicsTwiceIn(QWidget *window)
{
    QMap<QKeySequence, QStringList> controls;
    const auto add = [&](const QString &text, const QString &control) {
        if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty())
            controls[key] << control;
    };
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->window() != window || !widget->isVisibleTo(window))
            continue;
        if (const auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button->text(), widget->objectName());
        else if (const auto *label = qobject_cast<QLabel *>(widget); label && label->buddy())
            add(label->text(), label->buddy()->objectName());
        else if (const auto *menuBar = qobject_cast<QMenuBar *>(widget))
            for (const QAction *menu : menuBar->actions())
                add(menu->text(), menu->text());
    }
    QStringList twice;
    for (auto it = controls.cbegin(); it != controls.cend(); ++it)
        if (it.value().size() > 1)
            twice << it.key().toString() + QStringLiteral(": ") + it.value().join(u'/');
    return twice;
}

QWidget *decipherDialogOf(const WindowDriver &window)
{
    window.form->findChild<QAction *>(QStringLiteral("DecipherAction"))->trigger();
    return window.form->findChild<QDialog *>(QStringLiteral("DecipherDialog"));
}

QWidget *labOpenAt(const WindowDriver &window, int page)
{
    window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
    auto *lab = window.form->findChild<LabWindow *>();
    lab->findChild<QTabWidget *>(QStringLiteral("LabTabs"))->setCurrentIndex(page);
    return lab;
}

// The controls that get the focus from now on, until it is taken; a control that gets the focus it
// already had is no move, and a message box's focus is the box's.
class FocusMoves : public QObject {
public:
    explicit FocusMoves(QWidget *window)
        : m_window(window)
        , m_last(QApplication::focusWidget())
    {
        qApp->installEventFilter(this);
    }

    QStringList taken()
    {
        qApp->removeEventFilter(this);
        return m_moves;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::FocusIn && widget && widget->window() == m_window && widget != m_last) {
            m_last = widget;
            QWidget *owner = qobject_cast<QComboBox *>(widget->parentWidget()) ? widget->parentWidget() : widget;
            m_moves << owner->objectName();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    QWidget *m_last;
    QStringList m_moves;
};

void placeCursor(QPlainTextEdit *field, int place)
{
    field->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(field->window()));
    field->setFocus();
    QTextCursor cursor = field->textCursor();
    cursor.setPosition(place);
    field->setTextCursor(cursor);
    QCoreApplication::processEvents();  // the main window's field takes the trace once it keeps the focus
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
    void everyFocusStopHasANameOfItsOwn_data();
    void everyFocusStopHasANameOfItsOwn();
    void everyMnemonicReachesOneControl_data() { everyFocusStopHasANameOfItsOwn_data(); }
    void everyMnemonicReachesOneControl();
    void scrollAreaIsNoFocusStopAndAPassBeginsInThePlaintext();
    void aStepMovesTheFocusOnce_data();
    void aStepMovesTheFocusOnce();
    void startAndStopHandTheFocusOver();
    void traceIsDescribedInWords_data();
    void traceIsDescribedInWords();
    void traceWordsSayOnlyWhatTheFieldsShow_data();
    void traceWordsSayOnlyWhatTheFieldsShow();
    void chartsDescribeTheirValues();
    void aChangedVerdictIsAnnounced();
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
    QTest::addRow("group in a group, by its own title") << "RadioGroup1"
                                                        << "Keyword-Einstellungen";
    QTest::addRow("grid in a group, by its own title") << "GroupBox3"
                                                       << "6 X 6-Matrix";
    QTest::addRow("direction told by its group") << "RadioGroup2Item1"
                                                 << "Restalphabet revers (umgekehrt alphabetisch)";
    QTest::addRow("toggle told by its field") << "BitBtn12"
                                              << "Zweier-Gruppen (Koordinaten)";
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

void TestAccessibility::everyFocusStopHasANameOfItsOwn_data()
{
    QTest::addColumn<QString>("window");  // "main", "decipher" or the lab's page
    QTest::addColumn<int>("labPage");
    QTest::addRow("main window") << "main" << -1;
    QTest::addRow("decipher dialog") << "decipher" << -1;
    QTest::addRow("lab, Periode") << "lab" << 0;
    QTest::addRow("lab, Übung") << "lab" << 1;
    QTest::addRow("lab, Kryptoanalyse") << "lab" << 2;
}

// After a whole pass, with every toggle showing its groups, so that the captions that can repeat do.
void TestAccessibility::everyFocusStopHasANameOfItsOwn()
{
    QFETCH(QString, window);
    QFETCH(int, labPage);
    WindowDriver driver;
    driver.prepareSquare("Hallo Welt", "A");
    driver.runCoding();
    for (const char *toggle : {"BitBtn6", "BitBtn12", "BitBtn14"})
        driver.click(QString::fromLatin1(toggle));
    QWidget *shown = driver.form.get();
    if (window == QLatin1String("decipher")) {
        shown = decipherDialogOf(driver);
    } else if (window == QLatin1String("lab")) {
        shown = labOpenAt(driver, labPage);
        QCOMPARE(QAccessible::queryAccessibleInterface(shown)->role(), QAccessible::Window);
    }
    const QStringList amiss = namesAmissIn(shown);
    QVERIFY2(amiss.isEmpty(), qPrintable(amiss.join(u", ")));
}

void TestAccessibility::everyMnemonicReachesOneControl()
{
    QFETCH(QString, window);
    QFETCH(int, labPage);
    WindowDriver driver;
    QWidget *shown = driver.form.get();
    if (window == QLatin1String("decipher"))
        shown = decipherDialogOf(driver);
    else if (window == QLatin1String("lab"))
        shown = labOpenAt(driver, labPage);
    const QStringList twice = mnemonicsTwiceIn(shown);
    QVERIFY2(twice.isEmpty(), qPrintable(twice.join(u", ")));
}

void TestAccessibility::scrollAreaIsNoFocusStopAndAPassBeginsInThePlaintext()
{
    WindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    QCOMPARE(QApplication::focusWidget(), window.memo("Memo1"));
    for (int presses = 0; presses < 80; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget()->objectName() != QLatin1String("ClientScroll"));
    }
}

void TestAccessibility::aStepMovesTheFocusOnce_data()
{
    QTest::addColumn<QStringList>("before");  // the steps run before
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("next");
    const QStringList steps{"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9"};
    const QStringList next{"ComboBox1", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9", "BitBtn3"};
    for (qsizetype k = 0; k < steps.size(); ++k)
        QTest::addRow("%s", qPrintable(steps[k])) << steps.first(k) << steps[k] << next[k];
}

void TestAccessibility::aStepMovesTheFocusOnce()
{
    QFETCH(QStringList, before);
    QFETCH(QString, step);
    QFETCH(QString, next);
    WindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.replaceText(window.memo("Memo1"), "Hallo");
    window.setKeyword("A");
    for (const QString &earlier : before)
        window.click(earlier);
    window.form->activateWindow();  // the desktop does so after the generator's box
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.button(step)->setFocus();
    FocusMoves moves(window.form.get());
    QTest::keyClick(window.button(step), Qt::Key_Space);
    QCOMPARE(moves.taken(), QStringList{next});
}

void TestAccessibility::startAndStopHandTheFocusOver()
{
    WindowDriver window;
    QWidget *lab = labOpenAt(window, 2);
    lab->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), lab);
    // Random letters: no square ever scores well, so only Stop ends this search.
    lab->findChild<QPlainTextEdit *>(QStringLiteral("LabAnalysisInput"))
        ->setPlainText(QString(2000, QLatin1Char('Q')).replace(0, 25, QStringLiteral("ABCDEFGHIKLMNOPQRSTUVWXYZ")));
    auto *start = lab->findChild<QPushButton *>(QStringLiteral("LabAnalysisStart"));
    auto *stop = lab->findChild<QPushButton *>(QStringLiteral("LabAnalysisStop"));
    start->setFocus();
    FocusMoves started(lab);
    QTest::keyClick(start, Qt::Key_Space);
    QVERIFY2(stop->isEnabled(), qPrintable(lab->findChild<QLabel *>(QStringLiteral("LabAnalysisStatus"))->text()));
    QCOMPARE(started.taken(), QStringList{"LabAnalysisStop"});
    FocusMoves stopped(lab);
    QTest::keyClick(stop, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled(), 5000);
    QCOMPARE(stopped.taken(), QStringList{"LabAnalysisStart"});
}

void TestAccessibility::traceIsDescribedInWords_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("words");
    // "Hallo" with the keyword A at depth 2: the coordinates 22 11 26 26 33, the rows 21223 and 21663,
    // the ciphertext GHNF6.
    const QString forward
        = "Klartext H (Stelle 1): Zeilenziffer 2 nach Koordinaten Stelle 1, Zeile 1 Stelle 1, Code "
          "Stelle 1, Geheimtext G (Stelle 1, Zeilenziffer); Spaltenziffer 2 nach Koordinaten Stelle 2, "
          "Zeile 2 Stelle 1, Code Stelle 6, Geheimtext N (Stelle 3, Spaltenziffer).";
    const QString back = "Geheimtext G (Stelle 1): Zeilenziffer 2 aus Code Stelle 1, Zeile 1 Stelle 1, Koordinaten "
                         "Stelle 1, Klartext H (Stelle 1, Zeilenziffer); Spaltenziffer 1 aus Code Stelle 2, Zeile 1 "
                         "Stelle 2, Koordinaten Stelle 3, Klartext A (Stelle 2, Zeilenziffer).";
    QTest::addRow("plaintext letter, forward") << "main"
                                               << "Memo1" << 0 << forward;
    QTest::addRow("ciphertext letter, back") << "main"
                                             << "Memo3" << 0 << back;
    QTest::addRow("cipher code digit, both ways")
        << "main"
        << "Memo4" << 5
        << "Code Stelle 6, Ziffer 2: Klartext H (Stelle 1, Spaltenziffer), Koordinaten Stelle 2, Zeile 2 Stelle 1, "
           "Geheimtext N (Stelle 3, Spaltenziffer).";
    QTest::addRow("decipher dialog, back") << "decipher"
                                           << "DecipherInput" << 0 << back;
    QTest::addRow("lab, forward") << "lab"
                                  << "LabInput" << 0 << forward;
}

void TestAccessibility::traceIsDescribedInWords()
{
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(int, place);
    QFETCH(QString, words);
    WindowDriver driver;
    driver.prepareSquare("Hallo", "A");
    driver.runCoding();
    QWidget *shown = driver.form.get();
    if (window == QLatin1String("decipher")) {
        shown = decipherDialogOf(driver);
    } else if (window == QLatin1String("lab")) {
        shown = labOpenAt(driver, 0);
        shown->findChild<QLineEdit *>(QStringLiteral("LabKeyword"))->setText(QStringLiteral("A"));
        shown->findChild<QPlainTextEdit *>(QStringLiteral("LabInput"))->setPlainText(QStringLiteral("Hallo"));
    }
    auto *start = shown->findChild<QPlainTextEdit *>(field);
    placeCursor(start, place);
    QCOMPARE(QAccessible::queryAccessibleInterface(start)->text(QAccessible::Description), words);
    const QString tracedTip = start->toolTip();
    // Where the trace ends, the field explains itself again; the words stood above that explanation.
    start->clear();
    const QString ownTip = start->toolTip();
    QVERIFY(!ownTip.isEmpty() && !ownTip.contains(words));
    QCOMPARE(tracedTip, words + QStringLiteral("\n\n") + ownTip);
    QCOMPARE(QAccessible::queryAccessibleInterface(start)->text(QAccessible::Description), ownTip);
}

void TestAccessibility::traceWordsSayOnlyWhatTheFieldsShow_data()
{
    QTest::addColumn<QStringList>("fields");  // plaintext, coordinates, rows, code, ciphertext; empty: not shown
    QTest::addColumn<QString>("words");
    QTest::addRow("nothing beyond the letter") << QStringList{"HALLO", "", "", "", ""} << QString();
    QTest::addRow("the coordinates only")
        << QStringList{"HALLO", "2211262633", "", "", ""}
        << "Klartext H (Stelle 1): Zeilenziffer 2 nach Koordinaten Stelle 1; Spaltenziffer 2 nach Koordinaten "
           "Stelle 2.";
    QTest::addRow("up to the code, the digit as the coordinates hold it")
        << QStringList{"HALLO", "2211262633", "91223|21663", "9122321663", ""}
        << "Klartext H (Stelle 1): Zeilenziffer 2 nach Koordinaten Stelle 1, Zeile 1 Stelle 1, Code Stelle 1; "
           "Spaltenziffer 2 nach Koordinaten Stelle 2, Zeile 2 Stelle 1, Code Stelle 6.";
}

// The fields hold "Hallo" at depth 2 as far as the steps came; a mark whose field shows nothing is left out.
void TestAccessibility::traceWordsSayOnlyWhatTheFieldsShow()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, words);
    const std::vector<bifid::TraceMark> marks = bifid::TraceMap::dealt(5, 2).trace(bifid::TraceField::Plaintext, 0);
    std::vector<QChar> shown;
    for (const bifid::TraceMark &mark : marks) {
        const QString field = fields[int(mark.field)];
        const QString text = mark.field == bifid::TraceField::Rows ? field.split(u'|').value(mark.row) : field;
        shown.push_back(qsizetype(mark.index) < text.size() ? text[qsizetype(mark.index)] : QChar());
    }
    QCOMPARE(TraceWords::describe(bifid::TraceField::Plaintext, marks, shown), words);
}

void TestAccessibility::chartsDescribeTheirValues()
{
    PeriodChart periods;
    QAccessibleInterface *periodValues = QAccessible::queryAccessibleInterface(&periods);
    QCOMPARE(periodValues->text(QAccessible::Description), QStringLiteral("Noch keine Werte."));
    periods.setValues({1.0, 2.5, 0.75}, 2);
    QCOMPARE(periodValues->text(QAccessible::Description),
        QStringLiteral("Vorschlag: Periode 2. Periode 1: 1,00; Periode 2: 2,50; Periode 3: 0,75."));
    QCOMPARE(periodValues->text(QAccessible::Name), QStringLiteral("Periodenstatistik"));

    ScoreChart score;
    score.addPoint({2e6, -12.5, -14});
    score.addPoint({3.5e6, -12.5, -15.25});
    QCOMPARE(QAccessible::queryAccessibleInterface(&score)->text(QAccessible::Description),
        QStringLiteral("Zuletzt -15,25 nach 3,5 Mio. Schlüsseln, beste bisher -12,50."));
}

// The verdict's colour tells a screen reader nothing: its text shows as a notification of the dialog.
void TestAccessibility::aChangedVerdictIsAnnounced()
{
    WindowDriver driver;
    driver.prepareSquare("Hallo", "A");
    driver.runCoding();
    QWidget *dialog = decipherDialogOf(driver);
    dialog->findChild<QPlainTextEdit *>(QStringLiteral("DecipherInput"))->appendPlainText(QStringLiteral("Q"));
    const QString verdict = QStringLiteral("Weicht vom bereinigten Text ab.");
    QCOMPARE(QAccessible::queryAccessibleInterface(dialog->findChild<QLabel *>(QStringLiteral("DecipherVerdict")))
                 ->text(QAccessible::Description),
        verdict);
    auto *notification = dialog->findChild<QWidget *>(QStringLiteral("AnnouncedResult"));
    QVERIFY(notification && notification->isVisible());
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(notification);
    QCOMPARE(announced->role(), QAccessible::Notification);
    QCOMPARE(announced->text(QAccessible::Name), verdict);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
