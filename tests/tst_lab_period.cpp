// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab and its page "Periode", opened from the real main window: how the lab is reached and found,
// how every input reaches the result, what the step table shows block by block, and that the trace
// of a character marks its digits and the letters it went into, wherever the trace starts.

#include "DecipherDialog.h"
#include "LabWindow.h"
#include "MainWindowState.h"
#include "PeriodStepTable.h"
#include "SquareGrid.h"
#include "TextCodec.h"
#include "WindowDriver.h"

#include <cipher/Cleaning.h>
#include <cipher/Normalize.h>
#include <cipher/Periodic.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>

using bifid::Dimension;

Q_DECLARE_METATYPE(PeriodPass)

namespace {

enum class Way { Action, Shortcut, BackgroundMenu };
enum class Input { None, SquareSize, Keyword, Period, Depth, Direction, Text, ForeignCiphertext };
enum class Start { InputCursor, TableHover };

const char *const kKeyword = "PHQGMEAYLNOFDXKRCVSZWBUTI";
const QString kPlaintext = QStringLiteral("Defend the east wall of the castle");

QAction *action(const WindowDriver &window, const char *name)
{
    auto *found = window.form->findChild<QAction *>(QString::fromLatin1(name));
    if (!found)
        qFatal("The window has no %s", name);
    return found;
}

// The lab's controls, found by name below the main window.
struct LabView {
    explicit LabView(const WindowDriver &window)
        : lab(window.find<LabWindow>(QStringLiteral("LabWindow")))
        , squareSize(window.find<QComboBox>(QStringLiteral("LabSquareSize")))
        , keyword(window.edit(QStringLiteral("LabKeyword")))
        , takeSquare(window.button(QStringLiteral("LabTakeSquare")))
        , period(window.find<QSpinBox>(QStringLiteral("LabPeriod")))
        , depth(window.find<QSpinBox>(QStringLiteral("LabDepth")))
        , direction(window.find<QComboBox>(QStringLiteral("LabDirection")))
        , input(window.memo(QStringLiteral("LabInput")))
        , result(window.find<StepList>(QStringLiteral("LabResult")))
        , steps(window.find<PeriodStepTable>(QStringLiteral("LabSteps")))
        , message(window.label(QStringLiteral("LabMessage")))
    {
    }

    void setUp(int size, const QString &key, int periodValue, int depthValue, int way, const QString &text) const
    {
        squareSize->setCurrentIndex(size);
        keyword->setText(key);
        period->setValue(periodValue);
        depth->setValue(depthValue);
        direction->setCurrentIndex(way);
        input->setPlainText(text);
    }

    QString cell(int row, int column) const { return steps->model()->index(row, column).data().toString(); }

    LabWindow *lab;
    QComboBox *squareSize;
    QLineEdit *keyword;
    QPushButton *takeSquare;
    QSpinBox *period;
    QSpinBox *depth;
    QComboBox *direction;
    QPlainTextEdit *input;
    StepList *result;
    PeriodStepTable *steps;
    QLabel *message;
};

void openLab(const WindowDriver &window, Way way)
{
    switch (way) {
    case Way::Action: action(window, "LabAction")->trigger(); break;
    case Way::Shortcut:
        window.form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window.form.get());
        QTest::keyClick(window.form.get(), Qt::Key_L, Qt::ControlModifier);
        break;
    case Way::BackgroundMenu: {
        // The window's menu runs its own event loop: it is answered from inside it.
        auto *background = window.find<QWidget>(QStringLiteral("Panel1"));
        QAction *entry = action(window, "LabAction");
        QList<QAction *> entries;
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                entries = menu->actions();
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
            }
        });
        answer.start();
        const QPoint free(600, 12);
        QContextMenuEvent event(QContextMenuEvent::Mouse, free, background->mapToGlobal(free));
        QApplication::sendEvent(background, &event);
        QCOMPARE(entries.first(2), (QList<QAction *>{action(window, "DecipherAction"), entry}));
        break;
    }
    }
    QTRY_VERIFY(window.form->findChild<LabWindow *>(QStringLiteral("LabWindow")));
}

// Every mark of the table as "row,column:line:position:R" (or C for a column digit).
QStringList tableMarks(const PeriodStepTable *steps)
{
    QStringList marks;
    const QAbstractItemModel *model = steps->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const auto cellMarks = model->index(row, column).data(PeriodStepModel::MarksRole).value<QList<CellMark>>();
            for (const CellMark &mark : cellMarks)
                marks << QStringLiteral("%1,%2:%3:%4:%5")
                             .arg(row)
                             .arg(column)
                             .arg(mark.line)
                             .arg(mark.position)
                             .arg(mark.role == bifid::DigitRole::Row ? QStringLiteral("R") : QStringLiteral("C"));
        }
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

PeriodPass pass(const char *plaintext, Dimension dimension, const char *keyword, std::size_t period, int depth)
{
    PeriodPass made;
    made.square = bifid::classicalSquare(keyword, dimension);
    made.plaintext = plaintext;
    made.ciphertext = bifid::encipherPeriodic(plaintext, made.square, period, depth).value;
    made.period = period;
    made.depth = depth;
    return made;
}

}  // namespace

class TestLabPeriod : public QObject {
    Q_OBJECT

private slots:
    void labOpensOnceAndFitsTheSmallScreen_data()
    {
        QTest::addColumn<Way>("way");
        QTest::newRow("action") << Way::Action;
        QTest::newRow("Ctrl+L") << Way::Shortcut;
        QTest::newRow("background menu") << Way::BackgroundMenu;
    }
    void labOpensOnceAndFitsTheSmallScreen()
    {
        QFETCH(Way, way);
        WindowDriver window;
        for (int pass = 0; pass < 2; ++pass)
            openLab(window, way);
        QCOMPARE(window.form->findChildren<LabWindow *>().size(), 1);
        auto *lab = window.find<LabWindow>(QStringLiteral("LabWindow"));
        QVERIFY(lab->isVisible() && lab->isWindow());
        auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Periode"));
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("LabPeriodPage"));
        const QSize smallScreen(1366 - 16, 768 - 36);  // without a frame of the usual size
        QVERIFY(lab->width() <= smallScreen.width() && lab->height() <= smallScreen.height());
        QVERIFY(lab->minimumSizeHint().width() <= smallScreen.width());
        QVERIFY(lab->minimumSizeHint().height() <= smallScreen.height());
    }

    void menuAndTooltipsNameTheExtraWindows()
    {
        WindowDriver window;
        QCOMPARE(action(window, "LabAction")->text(), QStringLiteral("Bifid-Labor \u2026"));
        QCOMPARE(action(window, "LabAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(window.form->contextMenuPolicy(), Qt::ActionsContextMenu);
        for (const char *name : {"DecipherAction", "LabAction"}) {
            QAction *entry = action(window, name);
            QVERIFY(window.form->actions().contains(entry));
            QVERIFY(entry->isShortcutVisibleInContextMenu());
            const QString named = entry->shortcut().toString(QKeySequence::NativeText);
            for (const char *tipped : {"Memo3", "StaticText3"})
                QVERIFY2(window.find<QWidget>(QString::fromLatin1(tipped))->toolTip().contains(named), tipped);
        }
        QVERIFY(window.memo("Memo3")->toolTip().startsWith(QStringLiteral("Der Geheimtext: je zwei Ziffern")));
    }

    // From the textbook example, one input changed at a time.
    void everyInputReachesTheResult_data()
    {
        QTest::addColumn<Input>("changed");
        QTest::addColumn<QString>("message");

        QTest::newRow("nothing") << Input::None << "";
        QTest::newRow("square size") << Input::SquareSize << "";
        QTest::newRow("keyword") << Input::Keyword << "";
        QTest::newRow("period") << Input::Period << "";
        QTest::newRow("depth") << Input::Depth << "";
        QTest::newRow("direction") << Input::Direction << "";
        QTest::newRow("text") << Input::Text << "";
        QTest::newRow("a ciphertext with a character outside the square")
            << Input::ForeignCiphertext << "Das Zeichen 'Ä' an Stelle 4 steht nicht in der 5 X 5-Matrix.";
    }
    void everyInputReachesTheResult()
    {
        QFETCH(Input, changed);
        QFETCH(QString, message);
        WindowDriver window;
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(1, QString::fromLatin1(kKeyword), 5, 2, 0, kPlaintext);
        QCOMPARE(view.result->text(), QStringLiteral("FFYHMKHYCPLIASHADTRLHCCHLBLR"));
        // The result of each change, from the cipher itself.
        const auto expect = [](Dimension dimension, const char *keyword, std::size_t period, int depth,
                                const QString &text, bool deciphering = false) {
            const std::string typed = TextCodec::toCodePage(text);
            const bifid::Square square = bifid::classicalSquare(keyword, dimension);
            return QString::fromStdString(deciphering
                    ? bifid::decipherPeriodic(bifid::normalizeCiphertext(typed), square, period, depth).value
                    : bifid::encipherPeriodic(
                        bifid::cleanText(typed, dimension == Dimension::Six, dimension), square, period, depth)
                          .value);
        };
        QString result;
        switch (changed) {
        case Input::None: result = view.result->text(); break;
        case Input::SquareSize:
            result = expect(Dimension::Six, kKeyword, 5, 2, kPlaintext);
            view.squareSize->setCurrentIndex(0);
            break;
        case Input::Keyword:
            QTest::keyClick(view.keyword, Qt::Key_J);  // already in the square as I: nothing changes
            QCOMPARE(view.result->text(), QStringLiteral("FFYHMKHYCPLIASHADTRLHCCHLBLR"));
            result = expect(Dimension::Five, "ZEBRA", 5, 2, kPlaintext);
            view.keyword->setText(QStringLiteral("zebra"));
            break;
        case Input::Period:
            result = expect(Dimension::Five, kKeyword, 0, 2, kPlaintext);
            view.period->setValue(0);
            QCOMPARE(view.period->text(), QStringLiteral("keine"));
            break;
        case Input::Depth:
            result = expect(Dimension::Five, kKeyword, 5, 3, kPlaintext);
            view.depth->setValue(3);
            break;
        case Input::Direction:
            result = expect(Dimension::Five, kKeyword, 5, 2, kPlaintext, true);
            view.direction->setCurrentIndex(1);
            break;
        case Input::Text:
            result = expect(Dimension::Five, kKeyword, 5, 2, QStringLiteral("Jäger-Größe 7"));
            window.replaceText(view.input, QStringLiteral("Jäger-Größe 7"));
            break;
        case Input::ForeignCiphertext:
            view.direction->setCurrentIndex(1);
            window.replaceText(view.input, QStringLiteral("DB ÄKS"));
            break;
        }
        QCOMPARE(view.result->text(), result);
        QCOMPARE(view.message->text(), message);
        QCOMPARE(view.steps->model()->rowCount() > 0, !result.isEmpty());
    }

    // Textbook examples both ways, through the page's own fields.
    void examplesComeOutBothWays_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("plaintext");
        QTest::addColumn<QString>("ciphertext");

        QTest::newRow("SECRET, period 3") << 1 << "SECRET" << 3 << 2 << "DCODE"
                                          << "APIAI";
        QTest::newRow("MESSAGE, period 3") << 1 << "MESSAGE" << 3 << 2 << "BIFID"
                                           << "DBAKS";
        QTest::newRow("6 X 6 unkeyed") << 0 << "" << 0 << 2 << "HALLO"
                                       << "GHNF6";
        QTest::newRow("6 X 6 unkeyed, depth 3") << 0 << "" << 0 << 3 << "HALLO"
                                                << "GIH46";
        QTest::newRow("5 X 5 unkeyed") << 1 << "" << 0 << 2 << "HALLO"
                                       << "FNNAD";
    }
    void examplesComeOutBothWays()
    {
        QFETCH(int, size);
        QFETCH(QString, keyword);
        QFETCH(int, period);
        QFETCH(int, depth);
        QFETCH(QString, plaintext);
        QFETCH(QString, ciphertext);
        WindowDriver window;
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(size, keyword, period, depth, 0, plaintext);
        QCOMPARE(view.result->text(), ciphertext);
        view.direction->setCurrentIndex(1);
        window.replaceText(view.input, ciphertext.toLower().insert(2, u' '));  // as typed: small, with a blank
        QCOMPARE(view.result->text(), plaintext);
        QVERIFY(view.message->text().isEmpty());
    }

    void keywordsAreSpelledAsTexts_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QByteArray>("firstCells");

        QTest::newRow("5 X 5: ü and small letters")
            << 1 << QStringLiteral("Schülerzeitung") << QStringLiteral("SCHUELERZEITUNG")
            << QByteArray("SCHUELRZITNGAB");
        QTest::newRow("6 X 6: ß, a digit and a blank")
            << 0 << QStringLiteral("Straße 9") << QStringLiteral("STRASZE9") << QByteArray("STRAZE9BC");
    }
    void keywordsAreSpelledAsTexts()
    {
        QFETCH(int, size);
        QFETCH(QString, keyword);
        QFETCH(QString, spelled);
        QFETCH(QByteArray, firstCells);
        WindowDriver window;
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(size, keyword, 0, 2, 0, QStringLiteral("HALLO"));
        const std::string cells = view.steps->steps().pass().square.cells();
        QVERIFY2(cells.starts_with(firstCells.toStdString()), cells.c_str());
        QCOMPARE(window.label(QStringLiteral("LabKeywordInSquare"))->text(),
            QStringLiteral("Keyword in der Matrix: ") + spelled);
    }

    void mainWindowsSquareIsTakenUntilTheKeyChanges()
    {
        WindowDriver window;
        window.chooseItem(QStringLiteral("RadioGroup3"), 1);
        window.prepareSquare(QStringLiteral("Hallo"), QStringLiteral("ZEBRA"));
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(0, QStringLiteral("SECRET"), 3, 2, 0, QStringLiteral("HALLO"));
        view.takeSquare->click();
        const bifid::Square shown = *window.form->shownSquare();
        QCOMPARE(view.squareSize->currentIndex(), 1);
        QCOMPARE(view.steps->steps().pass().square, shown);
        QCOMPARE(view.result->text(), QString::fromStdString(bifid::encipherPeriodic("HALLO", shown, 3, 2).value));
        QTest::keyClick(view.keyword, Qt::Key_S);
        QCOMPARE(view.steps->steps().pass().square, bifid::classicalSquare("SECRETS", Dimension::Five));
    }

    // The lab sees the main window only through MainWindowState, which hears of every step.
    void labReadsTheMainWindowThroughItsState()
    {
        WindowDriver window;
        openLab(window, Way::Action);
        const auto *state = window.form->findChild<const MainWindowState *>();
        QVERIFY2(state, "the lab has no view of the main window");
        const QSignalSpy changed(state, &MainWindowState::changed);
        window.memo(QStringLiteral("Memo1"))->setPlainText(QStringLiteral("Hallo Welt"));
        window.button(QStringLiteral("BitBtn1"))->click();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(state->cleanedPlaintext(), QStringLiteral("HALLOWELT"));
        QCOMPARE(state->keywordChoices(), window.form->keywordChoices());
        QCOMPARE(state->shownSquare(), window.form->shownSquare());
    }

    void tableShowsEachBlockAsTextbooksWriteIt_data()
    {
        QTest::addColumn<PeriodPass>("pass");
        QTest::addColumn<int>("pieceLetters");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells");

        const PeriodPass textbook = pass("DEFENDTHEEASTWALLOFTHECASTLE", Dimension::Five, kKeyword, 5, 2);
        QTest::newRow("first block") << textbook << 10 << 6 << 0
                                     << QStringList{"Block 1", "D E F E N\n3 2 3 2 2\n3 1 2 1 5",
                                            "3 2 3 2 2\n3 1 2 1 5", "32 32 23 12 15",
                                            "F F Y H M\n3 3 2 1 1\n2 2 3 2 5"};
        QTest::newRow("last, shorter block") << textbook << 10 << 6 << 5
                                             << QStringList{"Block 6\nkürzer: 3 Buchstaben", "T L E\n5 2 2\n4 4 1",
                                                    "5 2 2\n4 4 1", "52 24 41", "B L R\n5 2 4\n2 4 1"};
        QTest::newRow("depth 3") << pass("HALLO", Dimension::Six, "", 0, 3) << 10 << 1 << 0
                                 << QStringList{"Block 1", "H A L L O\n2 1 2 2 3\n2 1 6 6 3", "2 1 2 3\n2 2 6\n1 6 3",
                                        "21 23 22 61 63", "G I H 4 6\n2 2 2 6 6\n1 3 2 1 3"};
        PeriodPass deciphered = pass("BIFID", Dimension::Five, "MESSAGE", 3, 2);
        deciphered.deciphering = true;
        QTest::newRow("deciphering runs the other way")
            << deciphered << 10 << 2 << 1
            << QStringList{"Block 2\nkürzer: 2 Buchstaben", "K S\n3 1\n2 3", "32 13", "3 2\n1 3", "I D\n3 2\n1 3"};
        QTest::newRow("a long block in pieces")
            << pass("ABCDEFGHIKLM", Dimension::Five, "", 0, 2) << 5 << 3 << 1
            << QStringList{"Block 1\nBuchstaben 6–10", "F G H I K\n2 2 2 2 2\n1 2 3 4 5", "2 2 2 2 2\n1 2 3 4 5",
                   "33 12 34 51 23", "N B O V H\n3 1 3 5 2\n3 2 4 1 3"};
    }
    void tableShowsEachBlockAsTextbooksWriteIt()
    {
        QFETCH(PeriodPass, pass);
        QFETCH(int, pieceLetters);
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        PeriodStepModel model;
        model.setPass(pass);
        model.setPieceLetters(std::size_t(pieceLetters));
        QCOMPARE(model.rowCount(), rows);
        QStringList shown;
        for (int column = 0; column < model.columnCount(); ++column)
            shown << model.index(row, column).data().toString();
        QCOMPARE(shown, cells);
    }

    // Every letter and digit of every cell, traced, marks itself: the table's places and the trace agree.
    void everyCharacterOfTheTableTracesItself()
    {
        for (const int depth : {2, 3, 5}) {
            for (const std::size_t period : {std::size_t(0), std::size_t(4), std::size_t(7)}) {
                PeriodStepModel model;
                model.setPass(pass("BIFIDCHIFFREMITPERIODE", Dimension::Five, "KEY", period, depth));
                model.setPieceLetters(5);
                for (int row = 0; row < model.rowCount(); ++row) {
                    for (int column = 1; column < model.columnCount(); ++column) {
                        const QStringList lines = model.index(row, column).data().toString().split(u'\n');
                        for (int line = 0; line < lines.size(); ++line) {
                            for (int position = 0; position < lines[line].size(); ++position) {
                                const auto start = model.placeAt(model.index(row, column), line, position);
                                QCOMPARE(start.has_value(), lines[line][position] != u' ');
                                if (!start)
                                    continue;
                                const bifid::Block block = model.block(start->block);
                                model.setTrace(start->block,
                                    bifid::TraceMap::dealt(block.length, depth)
                                        .trace(start->field, start->index, start->row));
                                const auto marks = model.index(row, column)
                                                       .data(PeriodStepModel::MarksRole)
                                                       .value<QList<CellMark>>();
                                QVERIFY2(std::any_of(marks.begin(), marks.end(),
                                             [&](const CellMark &mark) {
                                                 return mark.line == line && mark.position == position;
                                             }),
                                    qPrintable(
                                        QStringLiteral("depth %1, period %2, row %3, column %4, line %5, place %6")
                                            .arg(depth)
                                            .arg(period)
                                            .arg(row)
                                            .arg(column)
                                            .arg(line)
                                            .arg(position)));
                            }
                        }
                    }
                }
            }
        }
    }

    void traceMarksDigitsAndResultLetters_data()
    {
        QTest::addColumn<Start>("start");
        QTest::newRow("the input's cursor") << Start::InputCursor;
        QTest::newRow("the mouse on the table") << Start::TableHover;
    }
    void traceMarksDigitsAndResultLetters()
    {
        QFETCH(Start, start);
        WindowDriver window;
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(1, kKeyword, 5, 2, 0, kPlaintext);
        QVERIFY(QTest::qWaitForWindowExposed(view.lab));
        // The A of "castle": block 5, letter 4.
        if (start == Start::InputCursor) {
            QTextCursor cursor = view.input->textCursor();
            cursor.setPosition(int(kPlaintext.indexOf(QStringLiteral("astle"))));
            view.input->setTextCursor(cursor);
        } else {
            const QModelIndex cell = view.steps->model()->index(4, 1);
            view.steps->scrollTo(cell);
            const QRect place = view.steps->visualRect(cell);
            const QFontMetrics metrics(view.steps->font());
            const QPoint letter(place.left() + 5 + metrics.horizontalAdvance(QStringLiteral("H E C ")) + 2,
                place.top() + 3 + metrics.lineSpacing() / 2);
            QTest::mouseMove(view.lab->windowHandle(), view.steps->viewport()->mapTo(view.lab, letter));
        }
        QTRY_VERIFY(!view.result->marks().empty());
        std::vector<StepMark> resultMarks = view.result->marks();
        std::sort(resultMarks.begin(), resultMarks.end(),
            [](const StepMark &a, const StepMark &b) { return a.place.position < b.place.position; });
        QCOMPARE(resultMarks,
            (std::vector<StepMark>{{{0, 21}, bifid::DigitRole::Row}, {{0, 24}, bifid::DigitRole::Column}}));
        QCOMPARE(tableMarks(view.steps),
            (QStringList{"4,1:0:6:R", "4,1:1:6:R", "4,1:2:6:C", "4,2:0:6:R", "4,2:1:6:C", "4,3:0:12:C", "4,3:0:4:R",
                "4,4:0:2:R", "4,4:0:8:C", "4,4:1:8:C", "4,4:2:2:R"}));
        const std::bitset<36> cells = window.find<SquareGrid>(QStringLiteral("LabSquare"))->markedCells();
        QCOMPARE(cells, std::bitset<36>().set(6).set(16).set(8));  // A, C and L
        if (start == Start::InputCursor)
            QCOMPARE(view.input->extraSelections().size(), 1);
    }

    // A long text is computed once the typing pauses; until then nothing is traced.
    void longTextWaitsForThePause()
    {
        WindowDriver window;
        openLab(window, Way::Action);
        const LabView view(window);
        view.setUp(0, QString(), 7, 2, 0, QString());
        const QString text(60'000, u'A');
        window.replaceText(view.input, text);
        QVERIFY(view.result->text().isEmpty());
        QTRY_COMPARE(view.result->text().size(), text.size());
        QCOMPARE(view.result->text(),
            QString::fromStdString(
                bifid::encipherPeriodic(text.toStdString(), bifid::Square(Dimension::Six), 7, 2).value));
    }
};

QTEST_MAIN(TestLabPeriod)
#include "tst_lab_period.moc"
