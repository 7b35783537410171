// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The decipher walk-through opened from the real window: how it is reached, what it takes over from the
// window, how its steps follow the ciphertext and the depth, how a character is traced through them, and
// that the window itself stays as it was.

#include "Colours.h"
#include "DecipherDialog.h"
#include "WindowDriver.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpinBox>

namespace {

enum class Way { ShortcutOnTheWindow, ShortcutInTheCiphertext, Action, ContextMenu };
enum class Verdict { None, Matches, Differs, NothingToCompare };
enum class WindowChange { SecondPass, SecondPassWhileClosed, Depth };
enum class Press { Mouse, Mnemonic };

constexpr QColor kGreen(0, 128, 0);
constexpr QColor kRed(255, 0, 0);
constexpr QColor kNavy(0, 0, 128);
constexpr QColor kYellow(255, 255, 0);
constexpr QColor kWhite(255, 255, 255);

// The dialog's controls, found by name below the main window.
struct DecipherView {
    explicit DecipherView(const WindowDriver &window)
        : dialog(window.find<QDialog>(QStringLiteral("DecipherDialog")))
        , input(window.memo(QStringLiteral("DecipherInput")))
        , depth(window.find<QSpinBox>(QStringLiteral("DecipherDepth")))
        , takeCiphertext(window.button(QStringLiteral("DecipherTakeCiphertext")))
        , code(window.find<StepList>(QStringLiteral("DecipherCode")))
        , rows(window.find<StepList>(QStringLiteral("DecipherRows")))
        , coordinates(window.find<StepList>(QStringLiteral("DecipherCoordinates")))
        , result(window.find<StepList>(QStringLiteral("DecipherResult")))
        , error(window.label(QStringLiteral("DecipherError")))
        , verdict(window.label(QStringLiteral("DecipherVerdict")))
    {
    }

    QList<QLabel *> cells() const
    {
        QList<QLabel *> cells;
        for (int c = 0; auto *cell = dialog->findChild<QLabel *>(QStringLiteral("DecipherCell%1").arg(c)); ++c)
            cells << cell;
        return cells;
    }

    QDialog *dialog;
    QPlainTextEdit *input;
    QSpinBox *depth;
    QPushButton *takeCiphertext;
    StepList *code;
    StepList *rows;
    StepList *coordinates;
    StepList *result;
    QLabel *error;
    QLabel *verdict;
};

QAction *decipherAction(const WindowDriver &window)
{
    auto *action = window.form->findChild<QAction *>(QStringLiteral("DecipherAction"));
    if (!action)
        qFatal("The window has no DecipherAction");
    return action;
}

QMenu *openContextMenu(QPlainTextEdit *memo)
{
    const QPoint inside(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, memo->viewport()->mapToGlobal(inside));
    QApplication::sendEvent(memo->viewport(), &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

void openDialog(const WindowDriver &window, Way way)
{
    switch (way) {
    case Way::ShortcutOnTheWindow:
    case Way::ShortcutInTheCiphertext: {
        // The window's own shortcut needs the window itself active, not a dialog in front of it.
        window.form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window.form.get());
        QWidget *target = way == Way::ShortcutOnTheWindow ? static_cast<QWidget *>(window.form.get())
                                                          : window.memo(QStringLiteral("Memo3"));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_E, Qt::ControlModifier);
        break;
    }
    case Way::Action: decipherAction(window)->trigger(); break;
    case Way::ContextMenu: {
        QMenu *menu = openContextMenu(window.memo(QStringLiteral("Memo3")));
        QVERIFY(menu);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().constFirst()).center());
        break;
    }
    }
    QVERIFY(window.form->findChild<QDialog *>(QStringLiteral("DecipherDialog")));
}

// A whole pass: cleaning, keyword, square, coding at the given depth.
void runPass(
    WindowDriver &window, const QString &plaintext, const QString &keyword, bool fiveByFive = false, int depth = 2)
{
    if (fiveByFive)
        window.chooseItem(QStringLiteral("RadioGroup3"), 1);
    window.prepareSquare(plaintext, keyword);
    window.setUpDownTo(QStringLiteral("UpDown2"), depth);
    window.runCoding();
}

void verifyVerdict(QLabel *label, Verdict verdict)
{
    switch (verdict) {
    case Verdict::None: QVERIFY(label->text().isEmpty()); break;
    case Verdict::Matches:
        QCOMPARE(label->text(), QStringLiteral("Stimmt mit dem bereinigten Text überein."));
        QCOMPARE(label->palette().color(QPalette::WindowText), kGreen);
        break;
    case Verdict::Differs:
        QCOMPARE(label->text(), QStringLiteral("Weicht vom bereinigten Text ab."));
        QCOMPARE(label->palette().color(QPalette::WindowText), kRed);
        break;
    case Verdict::NothingToCompare:
        QCOMPARE(label->text(), QStringLiteral("Das Hauptfenster hat noch keinen bereinigten Text zum Vergleichen."));
        break;
    }
}

void verifyNoSteps(const DecipherView &view)
{
    for (StepList *step : {view.code, view.rows, view.coordinates, view.result})
        QVERIFY2(step->text().isEmpty(), qPrintable(step->objectName()));
}

QString roleName(QColor background)
{
    if (background == Colours::kRowDigitMark.background)
        return QStringLiteral("r");
    return background == Colours::kColumnDigitMark.background ? QStringLiteral("c") : QStringLiteral("?");
}

// "3r 5c": the marked places of a field, r for the row digit's colour and c for the column digit's;
// in the rows each place is preceded by its row.
QString marksOf(const StepList *step, bool withLines = false)
{
    std::vector<StepMark> marks = step->marks();
    std::sort(marks.begin(), marks.end(), [](const StepMark &a, const StepMark &b) {
        return std::pair(a.place.line, a.place.position) < std::pair(b.place.line, b.place.position);
    });
    QStringList shown;
    for (const StepMark &mark : marks) {
        const QColor background = mark.role == bifid::DigitRole::Row ? Colours::kRowDigitMark.background
                                                                     : Colours::kColumnDigitMark.background;
        shown << (withLines ? QStringLiteral("%1:").arg(mark.place.line) : QString())
                + QString::number(mark.place.position) + roleName(background);
    }
    return shown.join(u' ');
}

QString marksOf(const QPlainTextEdit *input)
{
    QStringList shown;
    for (const QTextEdit::ExtraSelection &selection : input->extraSelections()) {
        const bool oneCharacter = selection.cursor.selectionEnd() == selection.cursor.selectionStart() + 1;
        shown << QString::number(selection.cursor.selectionStart())
                + (oneCharacter ? roleName(selection.format.background().color()) : QStringLiteral("!"));
    }
    shown.sort();
    return shown.join(u' ');
}

QStringList marksOf(const DecipherView &view)
{
    QStringList traced;
    for (const QLabel *cell : view.cells()) {
        if (cell->property("traced").toBool())
            traced << cell->objectName();
    }
    return {marksOf(view.input), marksOf(view.code), marksOf(view.rows, true), marksOf(view.coordinates),
        marksOf(view.result), traced.join(u' ')};
}

bool paints(QWidget *field, QColor colour)
{
    const QImage image = field->grab().toImage();

    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

// A step paints the characters it marks in the colours of their digits.
void verifyPainted(StepList *step, const QString &marks)
{
    QCOMPARE(paints(step->viewport(), Colours::kRowDigitMark.text), marks.contains(u'r'));
    QCOMPARE(paints(step->viewport(), Colours::kColumnDigitMark.background), marks.contains(u'c'));
}

// The middle of where the step draws this character.
QPoint pointOf(const StepList *step, StepPlace place)
{
    for (int row = 0; row < step->model()->rowCount(); ++row) {
        const QRect item = step->visualRect(step->model()->index(row, 0));
        int first = -1;
        int last = -1;
        for (int x = item.left(); x <= item.right(); ++x) {
            if (step->characterAt({x, item.center().y()}) == place)
                (first < 0 ? first : last) = x;
        }
        if (first >= 0)
            return {(first + std::max(first, last)) / 2, item.center().y()};
    }
    qFatal("%s draws no character %d:%s", qPrintable(step->objectName()), place.line,
        qPrintable(QString::number(place.position)));
}

QPoint pointOf(const QPlainTextEdit *input, int place)
{
    QTextCursor cursor(input->document());
    cursor.setPosition(place);
    const QRect left = input->cursorRect(cursor);
    return {left.x() + input->fontMetrics().horizontalAdvance(input->document()->characterAt(place)) / 2,
        left.center().y()};
}

}  // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Verdict)
Q_DECLARE_METATYPE(WindowChange)
Q_DECLARE_METATYPE(Press)

class TestDecipherDialog : public QObject {
    Q_OBJECT

private slots:
    void everyWayOpensTheDialogWithTheCiphertext_data();
    void everyWayOpensTheDialogWithTheCiphertext();
    void wholePassReadsBackToTheCleanedText_data();
    void wholePassReadsBackToTheCleanedText();
    void stepsFollowTheCiphertextAndDepth_data();
    void stepsFollowTheCiphertextAndDepth();
    void contextMenuOfTheCiphertextLeadsWithTheAction();
    void reopeningBringsTheSameDialogBackWithTheWindowsState();
    void openDialogFollowsTheWindow_data();
    void openDialogFollowsTheWindow();
    void takingTheCiphertextRefillsTheInput_data();
    void takingTheCiphertextRefillsTheInput();
    void dialogFitsASmallScreen();
    void copyingAStepGivesItsWholeText();
    void openingBeforeAnyPassShowsTheReferenceSquare();
    void usingTheDialogLeavesTheMainWindowAlone();
    void aMegabyteOfCiphertextIsReadBackWhenTypingPauses();
    void aTracedCharacterMarksWhatItIsConnectedWith_data();
    void aTracedCharacterMarksWhatItIsConnectedWith();
};

void TestDecipherDialog::everyWayOpensTheDialogWithTheCiphertext_data()
{
    QTest::addColumn<Way>("way");
    QTest::addRow("Ctrl+E on the window") << Way::ShortcutOnTheWindow;
    QTest::addRow("Ctrl+E in the ciphertext field") << Way::ShortcutInTheCiphertext;
    QTest::addRow("the action") << Way::Action;
    QTest::addRow("the context menu of the ciphertext") << Way::ContextMenu;
}

void TestDecipherDialog::everyWayOpensTheDialogWithTheCiphertext()
{
    QFETCH(Way, way);
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    QCOMPARE(window.memo("Memo3")->toPlainText(), QStringLiteral("GHNF6"));
    const qsizetype boxesOfThePass = window.boxes.size();

    openDialog(window, way);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    QVERIFY(view.dialog->isVisible());
    QVERIFY(!view.dialog->isModal());
    QTRY_VERIFY(view.dialog->isActiveWindow());
    QCOMPARE(view.input->toPlainText(), QStringLiteral("GHNF6"));
    QCOMPARE(view.result->text(), QStringLiteral("HALLO"));
    verifyVerdict(view.verdict, Verdict::Matches);
    QCOMPARE(window.boxes.size(), boxesOfThePass);
}

void TestDecipherDialog::wholePassReadsBackToTheCleanedText_data()
{
    QTest::addColumn<QString>("plaintext");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<bool>("fiveByFive");
    QTest::addColumn<int>("depth");

    QTest::addRow("6 X 6, keyword A, depth 2") << "Hallo"
                                               << "A" << false << 2;
    QTest::addRow("6 X 6, long keyword, umlauts and digits, depth 5")
        << "Größere Jäger zahlen 1984 Öre"
        << "DONAUDAMPFSCHIFFAHRTSGESELLSCHAFT" << false << 5;
    QTest::addRow("6 X 6, no keyword, depth 4") << "Bifid ist eine Fraktionierungschiffre"
                                                << "" << false << 4;
    QTest::addRow("5 X 5, J as I, depth 3") << "Jaguar und Jaeger im Zoo"
                                            << "KRYPTOGRAPHIE" << true << 3;
}

void TestDecipherDialog::wholePassReadsBackToTheCleanedText()
{
    QFETCH(QString, plaintext);
    QFETCH(QString, keyword);
    QFETCH(bool, fiveByFive);
    QFETCH(int, depth);
    WindowDriver window;
    runPass(window, plaintext, keyword, fiveByFive, depth);

    openDialog(window, Way::ShortcutOnTheWindow);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    QCOMPARE(view.input->toPlainText(), window.memo("Memo3")->toPlainText());
    QCOMPARE(view.depth->value(), depth);
    QVERIFY(view.error->text().isEmpty());
    QCOMPARE(view.result->text(), QString::fromStdString(window.form->workbench().CleanText));
    QCOMPARE(view.coordinates->text(), window.memo("Memo2")->toPlainText());
    QCOMPARE(view.code->text(), window.memo("Memo4")->toPlainText());
    for (int k = 0; k < depth; ++k)
        QCOMPARE(view.rows->text().split(u'\n').value(k), window.fractionMemo(k)->toPlainText());
    verifyVerdict(view.verdict, Verdict::Matches);

    // The square as the grid of the chosen size shows it, in its colours.
    const int firstCell = fiveByFive ? 36 : 0;
    const QList<QLabel *> cells = view.cells();
    QCOMPARE(cells.size(), fiveByFive ? 25 : 36);
    int keywordCells = 0;
    for (int c = 0; c < cells.size(); ++c) {
        const QLabel *shown = window.cell(firstCell + c);
        QCOMPARE(cells[c]->text(), shown->text());
        const bool keywordCell = shown->palette().color(QPalette::Window) == kGreen;
        keywordCells += keywordCell;
        QCOMPARE(cells[c]->palette().color(QPalette::Window), keywordCell ? kGreen : kNavy);
        QCOMPARE(cells[c]->palette().color(QPalette::WindowText), keywordCell ? kYellow : kWhite);
    }
    QCOMPARE(qsizetype(keywordCells), window.edit("Edit4")->text().size());
}

void TestDecipherDialog::stepsFollowTheCiphertextAndDepth_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("coordinates");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<Verdict>("verdict");

    const QString hallo = QStringLiteral("HALLO");
    const QString halloCoordinates = QStringLiteral("2211262633");
    const QString none;
    QTest::addRow("ciphertext of the pass, depth 2") << "GHNF6" << 2 << "2122321663" << QStringList{"21223", "21663"}
                                                     << halloCoordinates << hallo << none << Verdict::Matches;
    QTest::addRow("depth 3") << "GIH46" << 3 << "2123226163" << QStringList{"2123", "226", "163"} << halloCoordinates
                             << hallo << none << Verdict::Matches;
    QTest::addRow("depth 4") << "HN6BF" << 4 << "2232631216" << QStringList{"223", "263", "12", "16"}
                             << halloCoordinates << hallo << none << Verdict::Matches;
    QTest::addRow("depth 5") << "LHFCI" << 5 << "2622161323" << QStringList{"26", "22", "16", "13", "23"}
                             << halloCoordinates << hallo << none << Verdict::Matches;
    QTest::addRow("read at the wrong depth")
        << "GHNF6" << 3 << "2122321663" << QStringList{"2122", "321", "663"} << "2361262132"
        << "I4LGN" << none << Verdict::Differs;
    QTest::addRow("one letter changed") << "GHNF7" << 2 << "2122321664" << QStringList{"21223", "21664"} << "2211262634"
                                        << "HALLP" << none << Verdict::Differs;
    QTest::addRow("small letters count as capitals") << "ghnf6" << 2 << "2122321663" << QStringList{"21223", "21663"}
                                                     << halloCoordinates << hallo << none << Verdict::Matches;
    QTest::addRow("blanks, tabs and line breaks are passed over")
        << " GH NF\t6\n\n"
        << 2 << "2122321663" << QStringList{"21223", "21663"} << halloCoordinates << hallo << none << Verdict::Matches;
    QTest::addRow("no-break space counts as a blank")
        << "GHNF6\u00A0" << 2 << "2122321663" << QStringList{"21223", "21663"} << halloCoordinates << hallo << none
        << Verdict::Matches;
    QTest::addRow("one letter, depth 3 leaves a row empty") << "G" << 3 << "21" << QStringList{"2", "1", ""} << "21"
                                                            << "G" << none << Verdict::Differs;

    const QStringList noRows;
    QTest::addRow("small umlaut") << "GHäF6" << 2 << none << noRows << none << none
                                  << "Das Zeichen 'ä' an Stelle 3 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("the first bad character is named")
        << "G!?" << 2 << none << noRows << none << none
        << "Das Zeichen '!' an Stelle 2 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("blanks and line breaks count as places")
        << "GH N\nF?" << 2 << none << noRows << none << none
        << "Das Zeichen '?' an Stelle 7 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("character outside the code page is named as typed")
        << "GHNF6\u0142" << 2 << none << noRows << none << none
        << "Das Zeichen '\u0142' an Stelle 6 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("character beyond the basic plane counts once")
        << "\U0001F600 \U0001F600" << 2 << none << noRows << none << none
        << "Das Zeichen '\U0001F600' an Stelle 1 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("invisible character is named by its code")
        << "GH\u200BNF6" << 2 << none << noRows << none << none
        << "Das Zeichen U+200B an Stelle 3 steht nicht in der 6 X 6-Matrix." << Verdict::None;
    QTest::addRow("empty") << "" << 2 << none << noRows << none << none << none << Verdict::None;
    QTest::addRow("only blanks and line breaks") << " \n\t \n"
                                                 << 4 << none << noRows << none << none << none << Verdict::None;
}

// Text first, then depth: both the text and the depth must bring every field up to date.
void TestDecipherDialog::stepsFollowTheCiphertextAndDepth()
{
    QFETCH(QString, typed);
    QFETCH(int, depth);
    QFETCH(QString, code);
    QFETCH(QStringList, rows);
    QFETCH(QString, coordinates);
    QFETCH(QString, result);
    QFETCH(QString, error);
    QFETCH(Verdict, verdict);
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    const qsizetype boxesOfThePass = window.boxes.size();
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    QCOMPARE(view.depth->value(), 2);

    window.replaceText(view.input, typed);
    view.depth->setValue(depth);
    // The dialog never rewrites what was typed; the field itself gives a no-break space as a blank.
    QCOMPARE(view.input->toPlainText(), typed.replace(QChar::Nbsp, u' '));
    QCOMPARE(view.error->text(), error);
    QCOMPARE(view.code->text(), code);
    QCOMPARE(view.rows->text(), rows.join(u'\n'));
    QCOMPARE(view.coordinates->text(), coordinates);
    QCOMPARE(view.result->text(), result);
    verifyVerdict(view.verdict, verdict);
    if (!error.isEmpty())
        QCOMPARE(view.error->palette().color(QPalette::WindowText), kRed);

    // Mending the text brings the steps back.
    window.replaceText(view.input, QStringLiteral("LHFCI"));
    view.depth->setValue(5);
    QVERIFY(view.error->text().isEmpty());
    QCOMPARE(view.result->text(), QStringLiteral("HALLO"));
    verifyVerdict(view.verdict, Verdict::Matches);
    QCOMPARE(window.boxes.size(), boxesOfThePass);
}

void TestDecipherDialog::contextMenuOfTheCiphertextLeadsWithTheAction()
{
    WindowDriver window;
    QAction *action = decipherAction(window);
    QCOMPARE(action->text(), QStringLiteral("Gegenprobe: entschlüsseln \u2026"));
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));

    for (int pass = 0; pass < 2; ++pass) {  // a second menu is built afresh, not stacked on the first
        QMenu *menu = openContextMenu(window.memo("Memo3"));
        QVERIFY(menu);
        const QList<QAction *> entries = menu->actions();
        QVERIFY(entries.size() > 3);
        QCOMPARE(entries[0], action);
        QVERIFY(entries[1]->isSeparator());
        QVERIFY(!entries[2]->isSeparator());
        QCOMPARE(entries.count(action), 1);
        QVERIFY(action->isEnabled());
        const QPointer<QMenu> closed(menu);
        menu->close();
        QTRY_VERIFY(closed.isNull());  // the menu goes with its closing, the action stays
        QVERIFY(decipherAction(window) == action);
    }
    QVERIFY(!window.form->findChild<QDialog *>(QStringLiteral("DecipherDialog")));
}

// Typed input stays when Ctrl+E brings the dialog back; only an empty input takes the window's ciphertext.
void TestDecipherDialog::reopeningBringsTheSameDialogBackWithTheWindowsState()
{
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    openDialog(window, Way::ShortcutOnTheWindow);
    if (QTest::currentTestFailed())
        return;
    const DecipherView first(window);
    window.replaceText(first.input, QStringLiteral("XYZ"));
    first.depth->setValue(4);

    // A new pass with another square, size and depth while the dialog stays open.
    window.click("BitBtn3");
    runPass(window, QStringLiteral("Bifid"), QStringLiteral("ZEBRA"), true, 3);
    openDialog(window, Way::ShortcutOnTheWindow);
    if (QTest::currentTestFailed())
        return;

    const DecipherView again(window);
    QCOMPARE(again.dialog, first.dialog);
    QCOMPARE(window.form->findChildren<QDialog *>(QStringLiteral("DecipherDialog")).size(), 1);
    QTRY_VERIFY(again.dialog->isActiveWindow());
    QCOMPARE(again.input->toPlainText(), QStringLiteral("XYZ"));
    QCOMPARE(again.depth->value(), 3);
    QCOMPARE(again.cells().size(), 25);
    verifyVerdict(again.verdict, Verdict::Differs);

    // Emptied, closed and opened again it is still the same dialog, and takes the window's ciphertext.
    window.replaceText(again.input, QString());
    again.dialog->close();
    QVERIFY(!again.dialog->isVisible());
    decipherAction(window)->trigger();
    QVERIFY(again.dialog->isVisible());
    QCOMPARE(window.form->findChildren<QDialog *>(QStringLiteral("DecipherDialog")).size(), 1);
    QCOMPARE(again.input->toPlainText(), window.memo("Memo3")->toPlainText());
    QCOMPARE(again.result->text(), QStringLiteral("BIFID"));
    verifyVerdict(again.verdict, Verdict::Matches);
}

void TestDecipherDialog::openDialogFollowsTheWindow_data()
{
    QTest::addColumn<WindowChange>("change");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("typed");  // what the user typed into the input first, if anything
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("error");

    QTest::addRow("second pass with another keyword, size and depth") << WindowChange::SecondPass << 3 << ""
                                                                      << "BIFID"
                                                                      << "";
    QTest::addRow("second pass while the dialog is closed, then Ctrl+E")
        << WindowChange::SecondPassWhileClosed << 3 << ""
        << "BIFID"
        << "";
    QTest::addRow("second pass after the input was edited") << WindowChange::SecondPass << 3 << "GHNF"
                                                            << ""
                                                            << "";
    QTest::addRow("depth alone") << WindowChange::Depth << 3 << ""
                                 << "I4LGN"
                                 << "";
}

// The typed ciphertext stays; what the window changes is read back with it at once, without Ctrl+E.
void TestDecipherDialog::openDialogFollowsTheWindow()
{
    QFETCH(WindowChange, change);
    QFETCH(int, depth);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, error);
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    if (!typed.isEmpty())
        window.replaceText(view.input, typed);

    const bool secondPass = change != WindowChange::Depth;
    if (secondPass) {
        if (change == WindowChange::SecondPassWhileClosed)
            view.dialog->close();
        window.click("BitBtn3");
        runPass(window, QStringLiteral("Bifid"), QStringLiteral("ZEBRA"), true, depth);
        if (change == WindowChange::SecondPassWhileClosed)
            openDialog(window, Way::ShortcutOnTheWindow);
    } else {
        window.setUpDownTo(QStringLiteral("UpDown2"), depth);
    }
    // The input shows the ciphertext of the pass it belongs to, unless the user's own text stands there.
    const QString input = !typed.isEmpty() ? typed
        : secondPass                       ? window.memo(QStringLiteral("Memo3"))->toPlainText()
                                           : QStringLiteral("GHNF6");
    QCOMPARE(view.input->toPlainText(), input);
    QCOMPARE(view.depth->value(), depth);
    if (typed.isEmpty()) {
        QCOMPARE(view.error->text(), error);
        QCOMPARE(view.result->text(), result);
    }
    const bool fiveByFive = secondPass;
    const QList<QLabel *> cells = view.cells();
    QCOMPARE(cells.size(), fiveByFive ? 25 : 36);
    for (int c = 0; c < cells.size(); ++c)
        QCOMPARE(cells[c]->text(), window.cell((fiveByFive ? 36 : 0) + c)->text());
}

void TestDecipherDialog::takingTheCiphertextRefillsTheInput_data()
{
    QTest::addColumn<Press>("press");
    QTest::addColumn<QString>("plaintext");
    QTest::addRow("clicked") << Press::Mouse << "Jaguar";
    QTest::addRow("by its mnemonic") << Press::Mnemonic << "Jaguar";
    // The input breaks a long line, which the read-back passes over.
    QTest::addRow("longer than a line of the input") << Press::Mouse << QString(2500, u'K');
}

void TestDecipherDialog::takingTheCiphertextRefillsTheInput()
{
    QFETCH(Press, press);
    QFETCH(QString, plaintext);
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    window.replaceText(view.input, QStringLiteral("XYZ"));
    window.click("BitBtn3");
    runPass(window, plaintext, QStringLiteral("ZEBRA"), true, 4);

    QVERIFY(view.takeCiphertext->text().contains(u'&'));
    if (press == Press::Mouse) {
        QTest::mouseClick(view.takeCiphertext, Qt::LeftButton);
    } else {
        view.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.dialog));
        QTest::keyClick(view.dialog, Qt::Key_H, Qt::AltModifier);
    }
    // A mnemonic clicks a moment later.
    QTRY_COMPARE(view.input->toPlainText().remove(u'\n'), window.memo("Memo3")->toPlainText());
    QCOMPARE(view.result->text(), QString::fromStdString(window.form->workbench().CleanText));
    verifyVerdict(view.verdict, Verdict::Matches);
}

// Side by side the square and the steps fit a 1366 x 768 screen with a frame and a task bar.
void TestDecipherDialog::dialogFitsASmallScreen()
{
    WindowDriver window;
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const QDialog *dialog = DecipherView(window).dialog;
    const QSize room(1300, 700);
    QVERIFY2(dialog->minimumSizeHint().boundedTo(room) == dialog->minimumSizeHint(),
        qPrintable(QStringLiteral("smallest size %1 x %2")
                       .arg(dialog->minimumSizeHint().width())
                       .arg(dialog->minimumSizeHint().height())));
    QVERIFY(dialog->size().boundedTo(room) == dialog->size());
}

// A step shows its text in pieces; a copy of them all is the text itself, a row of the fraction per line.
void TestDecipherDialog::copyingAStepGivesItsWholeText()
{
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo").repeated(60), QStringLiteral("A"), false, 3);
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    QVERIFY(view.rows->model()->rowCount() > 3);
    QVERIFY(QTest::qWaitForWindowActive(view.dialog));
    view.rows->setFocus();
    QTest::keyClick(view.rows, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view.rows, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), view.rows->text());
    QCOMPARE(view.rows->text().count(u'\n'), 2);
}

void TestDecipherDialog::openingBeforeAnyPassShowsTheReferenceSquare()
{
    WindowDriver window;
    QVERIFY(decipherAction(window)->isEnabled());
    openDialog(window, Way::ShortcutOnTheWindow);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    QVERIFY(view.input->toPlainText().isEmpty());
    QVERIFY(view.error->text().isEmpty());
    verifyNoSteps(view);
    verifyVerdict(view.verdict, Verdict::None);

    const QList<QLabel *> cells = view.cells();
    QCOMPARE(cells.size(), 36);
    for (int c = 0; c < cells.size(); ++c) {
        QCOMPARE(cells[c]->text(), QString(QChar(bifid::kAlphabet6[std::size_t(c)])));
        QCOMPARE(cells[c]->palette().color(QPalette::Window), kNavy);
    }

    // A ciphertext of the reference square reads back, with nothing in the window to compare it with.
    window.replaceText(view.input, QStringLiteral("GHNF6"));
    QCOMPARE(view.result->text(), QStringLiteral("HALLO"));
    verifyVerdict(view.verdict, Verdict::NothingToCompare);
}

void TestDecipherDialog::usingTheDialogLeavesTheMainWindowAlone()
{
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo Welt"), QStringLiteral("GEHEIM"), false, 3);
    const QStringList before = window.visibleState();
    const QRect placeBefore = window.form->geometry();
    const qsizetype boxesOfThePass = window.boxes.size();

    openDialog(window, Way::ContextMenu);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    window.replaceText(view.input, QStringLiteral("abc def"));
    view.depth->setValue(5);
    window.replaceText(view.input, QStringLiteral("A?"));
    view.dialog->close();

    QCOMPARE(window.visibleState(), before);
    QCOMPARE(window.form->geometry(), placeBefore);
    QCOMPARE(window.boxes.size(), boxesOfThePass);
}

void TestDecipherDialog::aMegabyteOfCiphertextIsReadBackWhenTypingPauses()
{
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    view.depth->setValue(5);

    const qsizetype size = 1 << 20;
    QString ciphertext(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        ciphertext[i] = QLatin1Char(bifid::kAlphabet6[std::size_t(i * 7 % 36)]);
    const QString before = view.result->text();
    window.replaceText(view.input, ciphertext);
    QCOMPARE(view.result->text(), before);  // not yet: the typing may go on
    QTRY_COMPARE_WITH_TIMEOUT(view.result->text().size(), size, 60000);
    QCOMPARE(view.code->text().size(), 2 * size);
    verifyVerdict(view.verdict, Verdict::Differs);

    window.replaceText(view.input, ciphertext + QStringLiteral("#"));
    QTRY_COMPARE_WITH_TIMEOUT(view.error->text(),
        QStringLiteral("Das Zeichen '#' an Stelle %1 steht nicht in der 6 X 6-Matrix.").arg(size + 1), 60000);
    verifyNoSteps(view);
}

void TestDecipherDialog::aTracedCharacterMarksWhatItIsConnectedWith_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("pointer");  // the field the mouse rests on; none: the input's cursor
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("place");
    // In the input, code, rows, coordinates, plaintext, and the traced cells.
    QTest::addColumn<QStringList>("marks");

    const QString pass = QStringLiteral("GHNF6");
    const QString laidOut = QStringLiteral(" gh nf\t6\n");
    const QString cursor;
    const QString F = QStringLiteral("DecipherCell0 DecipherCell5 DecipherCell11");
    const QStringList nothing{"", "", "", "", "", ""};
    QTest::addRow("cursor before a letter, depth 2")
        << pass << 2 << cursor << 0 << 3 << QStringList{"3r", "6r 7c", "1:1r 1:2c", "3r 5c", "1r 2c", F};
    QTest::addRow("cursor before a letter, depth 3")
        << "GIH46" << 3 << cursor << 0 << 3
        << QStringList{"3r", "6r 7c", "1:2r 2:0c", "2c 7r", "1c 3r", "DecipherCell0 DecipherCell11 DecipherCell30"};
    QTest::addRow("cursor at the end traces the last letter")
        << pass << 2 << cursor << 0 << 5
        << QStringList{"4r", "8r 9c", "1:3r 1:4c", "7r 9c", "3r 4c", "DecipherCell11 DecipherCell14 DecipherCell32"};
    QTest::addRow("small letters, blanks and line breaks between the letters")
        << laidOut << 2 << cursor << 0 << 5 << QStringList{"5r", "6r 7c", "1:1r 1:2c", "3r 5c", "1r 2c", F};
    QTest::addRow("cursor before a blank traces nothing") << laidOut << 2 << cursor << 0 << 3 << nothing;
    QTest::addRow("a text that does not read back traces nothing") << "GH?F6" << 2 << cursor << 0 << 0 << nothing;
    QTest::addRow("mouse on a letter of the input")
        << pass << 2 << "DecipherInput" << 0 << 1
        << QStringList{"1r", "2r 3c", "0:2r 0:3c", "4r 6c", "2r 3c", "DecipherCell7 DecipherCell11"};
    QTest::addRow("mouse on a digit of a row")
        << pass << 2 << "DecipherRows" << 1 << 0
        << QStringList{"2c", "5c", "1:0c", "1c", "0c", "DecipherCell7 DecipherCell13"};
    QTest::addRow("mouse on a plaintext letter between blanks")
        << laidOut << 2 << "DecipherResult" << 0 << 1
        << QStringList{"1r 5c", "1r 6c", "0:1r 1:1c", "2r 3c", "1r", "DecipherCell0 DecipherCell5 DecipherCell6"};
}

// Tracing only marks: the texts, the cursor and the undo stack stay, and leaving the field brings the
// cursor's trace back.
void TestDecipherDialog::aTracedCharacterMarksWhatItIsConnectedWith()
{
    QFETCH(QString, typed);
    QFETCH(int, depth);
    QFETCH(QString, pointer);
    QFETCH(int, line);
    QFETCH(int, place);
    QFETCH(QStringList, marks);
    WindowDriver window;
    runPass(window, QStringLiteral("Hallo"), QStringLiteral("A"));
    openDialog(window, Way::Action);
    if (QTest::currentTestFailed())
        return;
    const DecipherView view(window);
    window.replaceText(view.input, typed);
    view.depth->setValue(depth);
    QCoreApplication::processEvents();  // the steps lay out their new pieces
    const QStringList steps{view.code->text(), view.rows->text(), view.coordinates->text(), view.result->text()};
    const int revision = view.input->document()->revision();
    const bool undoable = view.input->document()->isUndoAvailable();
    const int cursorPlace = pointer.isEmpty() ? place : int(typed.size());

    if (pointer.isEmpty()) {
        QTextCursor cursor = view.input->textCursor();
        cursor.setPosition(place);
        view.input->setTextCursor(cursor);
        QCOMPARE(marksOf(view), marks);
        verifyPainted(view.code, marks[1]);
    } else {
        const QStringList cursorsTrace = marksOf(view);
        const auto *field = window.find<QAbstractScrollArea>(pointer);
        const QPoint point = field == view.input ? pointOf(view.input, place)
                                                 : pointOf(qobject_cast<const StepList *>(field), {line, place});
        QTest::mouseMove(view.dialog->windowHandle(), field->viewport()->mapTo(view.dialog, point));
        QCOMPARE(marksOf(view), marks);
        verifyPainted(view.code, marks[1]);
        const QWidget *away = window.label(QStringLiteral("DepthLabel"));
        QTest::mouseMove(view.dialog->windowHandle(), away->mapTo(view.dialog, away->rect().center()));
        QCOMPARE(marksOf(view), cursorsTrace);
    }
    QCOMPARE(view.input->toPlainText(), typed);
    QCOMPARE(view.input->document()->revision(), revision);
    QCOMPARE(view.input->document()->isUndoAvailable(), undoable);
    QCOMPARE(view.input->textCursor().position(), cursorPlace);
    QVERIFY(!view.input->textCursor().hasSelection());
    QCOMPARE((QStringList{view.code->text(), view.rows->text(), view.coordinates->text(), view.result->text()}), steps);
}

QTEST_MAIN(TestDecipherDialog)
#include "tst_decipher_dialog.moc"
