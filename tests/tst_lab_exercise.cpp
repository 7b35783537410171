// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's page "Übung", opened from the real main window: how a seed, a task code and the settings
// make the task, how checking marks the fields, names a mistake and scores them, what the solution
// fills in and one undo takes back, the question before the learner's work is discarded, how the
// print preview is reached, that a worksheet and a class set printed into a PDF carry what a class
// and its teacher need as text, and that the lab works by keyboard and lays out at any size.

#include "Colours.h"
#include "ExerciseSentences.h"
#include "ExerciseSheet.h"
#include "LabExercisePage.h"
#include "PairLetters.h"
#include "SquareGrid.h"
#include "TextCodec.h"
#include "WindowDriver.h"

#include <cipher/Exercise.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <set>

namespace {

enum class Source { TypedSeed, NewTask, BadSeed, WindowText, NoWindowText, WindowKey, NoWindowKey, Settings };
enum class Work { ExplainedMistake, Solution, SolutionUndoneOnButton, EditAfterCheck };
enum class Way { Button, Shortcut };
enum class Discarding { NewTask, TypedCode, Settings, ClosingLab, ClosingMainWindow };

QString text(std::string_view bytes)
{
    return TextCodec::fromCodePage(bytes);
}

// The page's controls, found by name below the main window.
struct ExerciseView {
    explicit ExerciseView(const WindowDriver &window)
        : driver(window)
        , page(window.find<LabExercisePage>(QStringLiteral("LabExercisePage")))
        , seed(window.edit(QStringLiteral("LabExerciseSeed")))
        , code(window.edit(QStringLiteral("LabExerciseTaskCode")))
        , textSource(window.find<QComboBox>(QStringLiteral("LabExerciseTextSource")))
        , keySource(window.find<QComboBox>(QStringLiteral("LabExerciseKeySource")))
        , period(window.find<QComboBox>(QStringLiteral("LabExercisePeriod")))
        , withSolution(window.find<QCheckBox>(QStringLiteral("LabExerciseWithSolution")))
        , message(window.label(QStringLiteral("LabExerciseMessage")))
        , taskText(window.label(QStringLiteral("LabExerciseTask")))
        , square(window.find<SquareGrid>(QStringLiteral("LabExerciseSquare")))
        , feedback(window.label(QStringLiteral("LabExerciseFeedback")))
        , fields{window.memo(QStringLiteral("LabExerciseCoordinates")), window.memo(QStringLiteral("LabExerciseRows")),
              window.memo(QStringLiteral("LabExerciseCode")), window.memo(QStringLiteral("LabExerciseResult"))}
    {
    }

    static void enter(QLineEdit *field, const QString &typed)
    {
        field->selectAll();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
    }
    void enterSeed(const QString &typed) const { enter(seed, typed); }

    bifid::ExerciseTask taskOf(std::uint64_t number, const bifid::ExerciseSettings &settings = {}) const
    {
        return bifid::drawExercise(number, TextCodec::toCodePage(exerciseSentences()),
            bifid::exerciseKeywords(TextCodec::toCodePage(driver.form->keywordChoices())), settings);
    }

    void typeOwnWork() const
    {
        fields[0]->setFocus();
        QTest::keyClicks(fields[0], QStringLiteral("12 3"));
    }

    const WindowDriver &driver;
    LabExercisePage *page;
    QLineEdit *seed;
    QLineEdit *code;
    QComboBox *textSource;
    QComboBox *keySource;
    QComboBox *period;
    QCheckBox *withSolution;
    QLabel *message;
    QLabel *taskText;
    SquareGrid *square;
    QLabel *feedback;
    std::array<QPlainTextEdit *, bifid::kExerciseFieldCount> fields;
};

// As a user picks an entry with the keyboard, which the page hears as a choice.
void chooseEntry(QComboBox *box, int index)
{
    box->setFocus();
    const int steps = index - box->currentIndex();
    for (int step = 0; step < std::abs(steps); ++step)
        QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

void openExercisePage(const WindowDriver &window)
{
    window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
    auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
    tabs->setCurrentWidget(window.find<LabExercisePage>(QStringLiteral("LabExercisePage")));
    QVERIFY(QTest::qWaitForWindowExposed(tabs->window()));
}

// Every pair of visible controls on the page whose rectangles cross, and every label whose text is cut.
QStringList overlapsOn(QWidget *page)
{
    QList<QWidget *> controls;
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
            || qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
            || qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget);
        // A square places its cells and numbers itself, as drawn to scale.
        const bool inSquare = qobject_cast<SquareGrid *>(widget->parentWidget());
        if (control && !inSquare && widget->isVisibleTo(page) && !qobject_cast<QLineEdit *>(widget->parentWidget())
            && !qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
            && !qobject_cast<QComboBox *>(widget->parentWidget()))
            controls << widget;
    }
    // Where the widget shows: a part scrolled out of its view is hidden, not overlapping.
    const auto placeOf = [page](const QWidget *widget) {
        const QRect shown = widget->visibleRegion().boundingRect();
        return QRect(widget->mapTo(page, shown.topLeft()), shown.size());
    };
    QStringList problems;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i]))
                continue;
            if (placeOf(controls[i]).intersects(placeOf(controls[j])))
                problems << controls[i]->objectName() + u'/' + controls[i]->metaObject()->className()
                        + QStringLiteral(" over ") + controls[j]->objectName() + u'/'
                        + controls[j]->metaObject()->className();
        }
        if (const auto *label = qobject_cast<QLabel *>(controls[i]); label && !label->text().isEmpty()) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            if (label->height() < needed || (!label->wordWrap() && label->width() < label->sizeHint().width()))
                problems << QStringLiteral("cut: %1 (%2x%3, needs %4x%5)")
                                .arg(label->text().left(40))
                                .arg(label->width())
                                .arg(label->height())
                                .arg(label->sizeHint().width())
                                .arg(needed);
        }
    }
    return problems;
}

// The pages of what `print` prints into a PDF, as pdftotext reads them back; none when it cannot.
QStringList pdfPages(const std::function<void(QPrinter *)> &print)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        qFatal("pdftotext is missing: scripts/install-deps.sh installs it (Debian package poppler-utils)");
    const QTemporaryDir folder;
    if (!folder.isValid())
        return {};
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    print(&printer);
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")});
    if (!reader.waitForFinished(20000) || reader.exitCode() != 0)
        return {};
    return QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
}

// A seed whose task enciphers, so that its coordinates stand under the letters of the plaintext.
std::uint64_t encipheringSeed(const ExerciseView &view)
{
    std::uint64_t seed = 1;
    while (view.taskOf(seed).direction != bifid::ExerciseDirection::Encipher)
        ++seed;
    return seed;
}

}  // namespace

class TestLabExercise : public QObject {
    Q_OBJECT

private slots:
    void sentencesSuitAnExercise()
    {
        const QStringList &sentences = exerciseSentences();
        QVERIFY(sentences.size() >= 40);
        QCOMPARE(std::set<QString>(sentences.begin(), sentences.end()).size(), std::size_t(sentences.size()));
        for (const QString &sentence : sentences) {
            for (const auto dimension : {bifid::Dimension::Five, bifid::Dimension::Six}) {
                const bifid::ExerciseTask task{TextCodec::toCodePage(sentence), {}, dimension, 2, 0, {}};
                const std::size_t letters = bifid::exercisePlaintext(task).size();
                QVERIFY2(letters >= 10 && letters <= bifid::kMaxExerciseLetters, qPrintable(sentence));
            }
        }
    }

    void theSeedMakesTheTask_data()
    {
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("message");

        QTest::newRow("Enter in the seed") << Source::TypedSeed << QString();
        QTest::newRow("new task") << Source::NewTask << QString();
        QTest::newRow("bad seed") << Source::BadSeed << QStringLiteral("„12x“ ist keine Aufgabennummer");
        QTest::newRow("the main window's text") << Source::WindowText << QString();
        QTest::newRow("no text in the main window")
            << Source::NoWindowText << QStringLiteral("Im Hauptfenster ist noch kein Text bereinigt");
        QTest::newRow("the main window's key") << Source::WindowKey << QString();
        QTest::newRow("no key in the main window")
            << Source::NoWindowKey << QStringLiteral("Im Hauptfenster ist noch keine Matrix");
        QTest::newRow("a period set") << Source::Settings << QString();
    }
    void theSeedMakesTheTask()
    {
        QFETCH(Source, source);
        QFETCH(QString, message);
        WindowDriver window;
        if (source == Source::WindowText || source == Source::WindowKey)
            window.prepareSquare(QStringLiteral("Über Nacht"), QStringLiteral("ZWIEBACK"));
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QStringLiteral("4711"));
        bifid::ExerciseTask expected = view.taskOf(4711);

        switch (source) {
        case Source::TypedSeed: break;
        case Source::NewTask:
            window.click(QStringLiteral("LabNewExercise"));
            QCOMPARE(view.seed->text(), QString::number(view.page->seed()));
            expected = view.taskOf(view.page->seed());
            break;
        case Source::BadSeed: view.enterSeed(QStringLiteral("12x")); break;
        case Source::WindowText:
            chooseEntry(view.textSource, 1);
            expected.sentence = "UEBERNACHT";
            break;
        case Source::NoWindowText:
            chooseEntry(view.textSource, 1);
            QCOMPARE(view.textSource->currentIndex(), 0);
            break;
        case Source::WindowKey:
            chooseEntry(view.keySource, 1);
            expected.square = window.form->shownSquare();
            expected.dimension = expected.square->dimension();
            expected.keyword = "ZWIEBACK";
            break;
        case Source::NoWindowKey:
            chooseEntry(view.keySource, 1);
            QCOMPARE(view.keySource->currentIndex(), 0);
            break;
        case Source::Settings:
            chooseEntry(view.period, 2);  // period 5
            expected.period = 5;
            break;
        }
        // The code stands for the task shown, and typed again gives it back.
        const bifid::TaskCodeReading reading = bifid::readTaskCode(view.code->text().toStdString());
        QVERIFY(reading.code);
        QCOMPARE(reading.code->seed, view.page->seed());
        QCOMPARE(reading.code->settings, view.page->settings());
        QCOMPARE(view.page->task(), expected);
        QCOMPARE(view.message->isVisibleTo(view.page), !message.isEmpty());
        QVERIFY2(view.message->text().startsWith(message), qPrintable(view.message->text()));
        // The page shows the task, its text to start from and its keyed square.
        const bifid::ExerciseSolution solution = bifid::solveExercise(expected);
        QVERIFY(view.taskText->text().remove(u' ').contains(text(solution.given)));
        QCOMPARE(view.square->shownSquare(), bifid::exerciseSquare(expected));
    }

    void checkingMarksTheFields_data()
    {
        QTest::addColumn<Work>("work");
        QTest::newRow("a swapped letter") << Work::ExplainedMistake;
        QTest::newRow("the solution") << Work::Solution;
        QTest::newRow("the solution undone on a button") << Work::SolutionUndoneOnButton;
        QTest::newRow("typing after a check") << Work::EditAfterCheck;
    }
    void checkingMarksTheFields()
    {
        QFETCH(Work, work);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QString::number(encipheringSeed(view)));
        const bifid::ExerciseSolution solution = bifid::solveExercise(view.page->task());
        QPlainTextEdit *coordinates = view.fields[0];

        // The learner swaps row and column of the first letter whose digits differ.
        std::string typed = solution.coordinates;
        std::size_t swapped = 0;
        while (typed[swapped] == typed[swapped + 1])
            swapped += 2;
        std::swap(typed[swapped], typed[swapped + 1]);
        coordinates->setFocus();
        QTest::keyClicks(coordinates, text(typed).insert(int(swapped), u' '));

        if (work == Work::Solution || work == Work::SolutionUndoneOnButton)
            window.click(QStringLiteral("LabExerciseSolution"));
        window.click(QStringLiteral("LabExerciseCheck"));
        if (work == Work::EditAfterCheck) {
            QTest::keyClick(coordinates, Qt::Key_End);
            QTest::keyClicks(coordinates, QStringLiteral("1"));
        }

        const QList<QTextEdit::ExtraSelection> marks = coordinates->extraSelections();
        const QStringList lines = view.feedback->text().split(u'\n');
        switch (work) {
        case Work::ExplainedMistake:
            QCOMPARE(marks.size(), swapped > 0 ? 2 : 1);
            QCOMPARE(marks.last().cursor.selectionStart(), int(swapped) + 1);  // after the typed blank
            QCOMPARE(marks.last().format.background().color(), Colours::kRed);
            if (swapped > 0)
                QCOMPARE(marks.first().format.foreground().color(), Colours::kGreen);
            QVERIFY2(
                lines.value(0).contains(QStringLiteral("Zeile und Spalte vertauscht")), qPrintable(lines.value(0)));
            QCOMPARE(lines.size(), 5);
            QVERIFY2(lines.value(4).startsWith(QStringLiteral("Bewertung: 0 von 4 Schritten richtig, ")),
                qPrintable(lines.value(4)));
            break;
        case Work::Solution:
            for (std::size_t f = 0; f < view.fields.size(); ++f) {
                QCOMPARE(view.fields[f]->extraSelections().size(), 1);
                QVERIFY2(lines.value(qsizetype(f)).endsWith(QStringLiteral(": richtig.")),
                    qPrintable(lines.value(qsizetype(f))));
            }
            QCOMPARE(lines.value(4),
                QStringLiteral("Bewertung: 4 von 4 Schritten richtig, %1 von %1 Ziffern und %2 von %2 "
                               "Buchstaben.")
                    .arg(6 * solution.given.size())
                    .arg(solution.result.size()));
            // One undo brings back all four fields as the learner had them.
            QTest::keyClick(view.fields[2], Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(coordinates->toPlainText().remove(u' '), text(typed));
            for (std::size_t f = 1; f < view.fields.size(); ++f)
                QVERIFY(view.fields[f]->toPlainText().isEmpty());
            break;
        case Work::SolutionUndoneOnButton: {
            auto *check = window.find<QPushButton>(QStringLiteral("LabExerciseCheck"));
            check->setFocus();
            QTest::keyClick(check, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(coordinates->toPlainText().remove(u' '), text(typed));
            QVERIFY(view.fields[3]->toPlainText().isEmpty());
            break;
        }
        case Work::EditAfterCheck:
            QVERIFY(marks.isEmpty());
            QCOMPARE(lines.size(), 3);  // the line on the edited field is gone
            break;
        }
    }

    void aTaskCodeSetsThePage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");

        QTest::newRow("a code as copied from the board") << QStringLiteral("abyg hzq") << QString();
        QTest::newRow("a mistyped code") << QStringLiteral("ABYG-HZR")
                                         << QStringLiteral("„ABYG-HZR“ ist kein gültiger");
        QTest::newRow("a sign") << QStringLiteral("AB?G-HZQ")
                                << QStringLiteral("„AB?G-HZQ“: das Zeichen „?“ an Stelle 3 kommt");
    }
    void aTaskCodeSetsThePage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        WindowDriver window;
        window.prepareSquare(QStringLiteral("Übung"), QStringLiteral("ZWIEBACK"));
        openExercisePage(window);
        const ExerciseView view(window);
        const bifid::ExerciseTask before = view.page->task();
        view.enter(view.code, typed);

        QCOMPARE(view.message->isVisibleTo(view.page), !message.isEmpty());
        QVERIFY2(view.message->text().startsWith(message), qPrintable(view.message->text()));
        if (!message.isEmpty()) {
            QCOMPARE(view.page->task(), before);
            return;
        }
        // Decipher, 6 X 6, depth 3, period 7, the main window's text and key, seed 999999.
        QCOMPARE(view.seed->text(), QStringLiteral("999999"));
        QCOMPARE(view.code->text(), QStringLiteral("ABYG-HZQ"));
        QCOMPARE(view.period->currentText(), QStringLiteral("7"));
        QCOMPARE(view.textSource->currentIndex(), 1);
        QCOMPARE(view.page->task().direction, bifid::ExerciseDirection::Decipher);
        QCOMPARE(view.page->task().sentence, std::string("UEBUNG"));
        QCOMPARE(view.page->task().square, window.form->shownSquare());
    }

    void tasksKeyWithTheListsWordsOnly()
    {
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        std::set<std::string> keywords;
        for (int seed = 0; seed < 200; ++seed) {
            view.enterSeed(QString::number(seed));
            const std::string &keyword = view.page->task().keyword;
            QVERIFY2(std::all_of(keyword.begin(), keyword.end(), [](char c) { return c >= 'A' && c <= 'Z'; }),
                keyword.c_str());
            keywords.insert(keyword);
        }
        QVERIFY(keywords.size() > 40);  // the words of the list, not a few of them
    }

    void ownWorkIsNotDiscardedUnasked_data()
    {
        QTest::addColumn<Discarding>("discarding");
        QTest::addColumn<QMessageBox::StandardButton>("answer");

        QTest::newRow("new task, cancelled") << Discarding::NewTask << QMessageBox::Cancel;
        QTest::newRow("new task, discarded") << Discarding::NewTask << QMessageBox::Discard;
        QTest::newRow("typed code, cancelled") << Discarding::TypedCode << QMessageBox::Cancel;
        QTest::newRow("settings, cancelled") << Discarding::Settings << QMessageBox::Cancel;
        QTest::newRow("closing the lab, cancelled") << Discarding::ClosingLab << QMessageBox::Cancel;
        QTest::newRow("closing the lab, discarded") << Discarding::ClosingLab << QMessageBox::Discard;
        QTest::newRow("closing the main window, cancelled") << Discarding::ClosingMainWindow << QMessageBox::Cancel;
        QTest::newRow("a shown solution goes unasked") << Discarding::NewTask << QMessageBox::NoButton;
    }
    void ownWorkIsNotDiscardedUnasked()
    {
        QFETCH(Discarding, discarding);
        QFETCH(QMessageBox::StandardButton, answer);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QStringLiteral("4711"));
        if (answer == QMessageBox::NoButton)
            window.click(QStringLiteral("LabExerciseSolution"));
        else
            view.typeOwnWork();
        const QString work = view.fields[0]->toPlainText();
        QWidget *lab = view.page->window();

        QString asked;
        QTimer::singleShot(0, [&asked, answer] {
            auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QAbstractButton *button = question ? question->button(answer) : nullptr;
            if (button) {
                asked = button->text();
                button->click();
            }
        });
        switch (discarding) {
        case Discarding::NewTask: window.click(QStringLiteral("LabNewExercise")); break;
        case Discarding::TypedCode: view.enter(view.code, QStringLiteral("M400-00W")); break;
        case Discarding::Settings: chooseEntry(view.period, 4); break;
        case Discarding::ClosingLab: lab->close(); break;
        case Discarding::ClosingMainWindow: window.form->close(); break;
        }
        if (answer != QMessageBox::NoButton)
            QCOMPARE(asked, answer == QMessageBox::Discard ? QStringLiteral("Verwerfen") : QStringLiteral("Abbrechen"));
        const bool kept = answer == QMessageBox::Cancel;
        if (discarding == Discarding::ClosingLab || discarding == Discarding::ClosingMainWindow) {
            QCOMPARE(lab->isVisible(), kept);
            QCOMPARE(window.form->isVisible(), kept || discarding == Discarding::ClosingLab);
        } else {
            QCOMPARE(view.fields[0]->toPlainText() == work, kept);
        }
        if (kept)
            QCOMPARE(view.period->currentIndex(), view.period->count() - 1);  // the settings shown stay
    }

    void theLabWorksByKeyboard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Enter on Prüfen") << QStringLiteral("LabExerciseCheck");
        QTest::newRow("Enter on Lösung zeigen") << QStringLiteral("LabExerciseSolution");
        QTest::newRow("Ctrl+L on a minimised lab") << QString();
    }
    void theLabWorksByKeyboard()
    {
        QFETCH(QString, button);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        QWidget *lab = view.page->window();
        if (button.isEmpty()) {
            lab->showMinimized();
            window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
            QVERIFY(!lab->isMinimized());
            QVERIFY(lab->isVisible());
            return;
        }
        auto *pressed = window.find<QPushButton>(button);
        pressed->setFocus();
        QTest::keyClick(pressed, Qt::Key_Return);
        if (button == QStringLiteral("LabExerciseCheck"))
            QVERIFY(!view.feedback->text().isEmpty());
        else
            QVERIFY(!view.fields[3]->toPlainText().isEmpty());
    }

    void everyWorksheetFitsItsPage()
    {
        // The longest sentences under every choice of the settings; the main window's text is no longer.
        QStringList longest = exerciseSentences();
        std::sort(longest.begin(), longest.end(), [](const QString &a, const QString &b) {
            return bifid::exercisePlaintext({TextCodec::toCodePage(a), {}, bifid::Dimension::Six, 2, 0, {}}).size()
                > bifid::exercisePlaintext({TextCodec::toCodePage(b), {}, bifid::Dimension::Six, 2, 0, {}}).size();
        });
        for (const QString &sentence : longest.mid(0, 3)) {
            for (const auto direction : {bifid::ExerciseDirection::Encipher, bifid::ExerciseDirection::Decipher}) {
                for (const auto dimension : {bifid::Dimension::Five, bifid::Dimension::Six}) {
                    for (const int depth : {2, 3}) {
                        for (const std::size_t period : bifid::kExercisePeriods) {
                            const bifid::ExerciseTask task{TextCodec::toCodePage(sentence),
                                "DONAUDAMPFSCHIFFAHRTSGESELLSCHAFT", dimension, depth, period, direction};
                            const double share
                                = ExerciseSheet::pageShareOf({QStringLiteral("00FZ-ZZZZ-ZZZZ-ZZZE"), task});
                            QVERIFY2(share <= 1.0, qPrintable(QStringLiteral("%1: %2").arg(sentence).arg(share)));
                        }
                    }
                }
            }
        }
    }

    void theLabLaysOutWithoutOverlap_data()
    {
        QTest::addColumn<QString>("screens");
        QTest::newRow("at its minimum size") << QString();
        QTest::newRow("on a 1366 x 768 laptop") << QStringLiteral("1366x768");
    }
    void theLabLaysOutWithoutOverlap()
    {
        QFETCH(QString, screens);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
        QWidget *lab = tabs->window();
        const QSize size = screens.isEmpty() ? lab->minimumSizeHint() : QSize(1366 - 16, 768 - 36 - 40);
        lab->resize(size.expandedTo(lab->minimumSizeHint()));
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            if (page == 1) {  // the exercise with every line of feedback
                window.click(QStringLiteral("LabExerciseCheck"));
            }
            // The views lay out their wrapped texts in a few rounds of events.
            const bool settled = QTest::qWaitFor([&] { return overlapsOn(tabs->widget(page)).isEmpty(); }, 2000);
            QVERIFY2(settled, qPrintable(overlapsOn(tabs->widget(page)).join(u'\n')));
        }
    }

    void lettersStandOverTheirPairs()
    {
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QString::number(encipheringSeed(view)));
        window.click(QStringLiteral("LabExerciseSolution"));
        auto *letters = window.find<PairLetters>(QStringLiteral("LabExerciseLetters"));
        QPlainTextEdit *coordinates = view.fields[0];
        // The field scrolls sideways, and the letters with it.
        QTest::keyClick(coordinates, Qt::Key_End);
        for (const qsizetype letter : {qsizetype(0), letters->letters().size() - 1}) {
            QTextCursor cursor(coordinates->document());
            cursor.setPosition(int(3 * letter + 1));  // between the pair's two digits
            const QPoint between = letters->mapFromGlobal(
                coordinates->viewport()->mapToGlobal(coordinates->cursorRect(cursor).center()));
            QVERIFY2(std::abs(letters->pairCentre(letter) - between.x()) <= 2,
                qPrintable(
                    QStringLiteral("%1: %2 against %3").arg(letter).arg(letters->pairCentre(letter)).arg(between.x())));
        }
    }

    void printPreviewOpens_data()
    {
        QTest::addColumn<Way>("way");
        QTest::newRow("button") << Way::Button;
        QTest::newRow("Ctrl+P") << Way::Shortcut;
    }
    void printPreviewOpens()
    {
        QFETCH(Way, way);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (preview) {
                seen = preview->objectName();
                preview->reject();
            }
        });
        if (way == Way::Button) {
            window.click(QStringLiteral("LabExercisePrint"));
        } else {
            view.fields[1]->setFocus();
            QTest::keyClick(view.fields[1], Qt::Key_P, Qt::ControlModifier);
        }
        QCOMPARE(seen, QStringLiteral("LabExercisePreview"));
    }

    void worksheetPrintsIntoAPdf_data()
    {
        QTest::addColumn<bool>("withSolution");
        QTest::newRow("worksheet") << false;
        QTest::newRow("with the solution page") << true;
    }
    void worksheetPrintsIntoAPdf()
    {
        QFETCH(bool, withSolution);
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QStringLiteral("4711"));
        view.withSolution->setChecked(withSolution);

        QStringList pages = pdfPages([&view](QPrinter *printer) { view.page->printSheet(printer); });
        QCOMPARE(pages.size(), withSolution ? 2 : 1);
        // Blanks and line breaks come between the letters of the boxes and the cells; boxes left empty
        // leave nothing, so the letters of one step run on from line to line.
        for (QString &page : pages)
            page.remove(QRegularExpression(QStringLiteral("\\s")));
        const bifid::ExerciseTask &task = view.page->task();
        const bifid::ExerciseSolution solution = bifid::solveExercise(task);
        QVERIFY2(pages[0].contains(QStringLiteral("Aufgabencode") + view.page->taskCode()), qPrintable(pages[0]));
        QVERIFY2(pages[0].contains(text(solution.given)), qPrintable(pages[0]));
        const bifid::Square square = bifid::exerciseSquare(task).square;
        const auto side = std::size_t(square.side());
        for (std::size_t row = 0; row < side; ++row)
            QVERIFY2(pages[0].contains(text(square.cells().substr(row * side, side))), qPrintable(pages[0]));
        if (withSolution)
            QVERIFY2(pages[1].contains(text(solution.result)), qPrintable(pages[1]));
        else
            QVERIFY(!pages[0].contains(text(solution.result)));
    }

    void aClassSetPrintsASheetEachAndTheKey()
    {
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QStringLiteral("4711"));
        const QList<ExerciseSheet::CodedTask> tasks = view.page->classSet(3);
        QCOMPARE(tasks.size(), 3);

        const QStringList pages = pdfPages([&view](QPrinter *printer) { view.page->printClassSet(printer, 3); });
        QVERIFY2(pages.size() >= 4, qPrintable(pages.join(u'\n')));
        QStringList key = pages.mid(3);
        for (QString &page : key)
            page.remove(QRegularExpression(QStringLiteral("\\s")));
        const QString answers = key.join(QString());
        QVERIFY2(answers.contains(QStringLiteral("Aufgabencode")) && answers.contains(QStringLiteral("Cipher-Code")),
            qPrintable(answers));
        for (qsizetype i = 0; i < tasks.size(); ++i) {
            QVERIFY2(pages[i].contains(QStringLiteral("Aufgabencode ") + tasks[i].code), qPrintable(pages[i]));
            QVERIFY(pages[i].contains(QStringLiteral("Name: ____")));
            const bifid::ExerciseSolution solution = bifid::solveExercise(tasks[i].task);
            // Cells wrap, so each starts with its text.
            QVERIFY2(answers.contains(tasks[i].code), qPrintable(answers));
            QVERIFY2(answers.contains(text(tasks[i].task.keyword.substr(0, 12))), qPrintable(answers));
            QVERIFY2(answers.contains(text(solution.code.substr(0, 12))), qPrintable(answers));
        }
        QCOMPARE(tasks[0].code, view.page->taskCode());
    }
};

QTEST_MAIN(TestLabExercise)
#include "tst_lab_exercise.moc"
