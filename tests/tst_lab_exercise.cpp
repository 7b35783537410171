// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's page "Übung", opened from the real main window: how a seed makes the task, how checking
// marks the fields and names a mistake, what the solution fills in, how the print preview is reached,
// and that the worksheet printed into a PDF carries the task and the square as text.

#include "Colours.h"
#include "ExerciseSentences.h"
#include "LabExercisePage.h"
#include "SquareGrid.h"
#include "TextCodec.h"
#include "WindowDriver.h"

#include <cipher/Exercise.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <set>

namespace {

enum class Source { TypedSeed, NewTask, BadSeed, WindowText, NoWindowText };
enum class Work { ExplainedMistake, Solution, EditAfterCheck };
enum class Way { Button, Shortcut };

std::vector<std::string> inCodePage(const QStringList &texts)
{
    std::vector<std::string> converted;
    converted.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        converted.push_back(TextCodec::toCodePage(text));
    return converted;
}

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
        , textSource(window.find<QComboBox>(QStringLiteral("LabExerciseTextSource")))
        , withSolution(window.find<QCheckBox>(QStringLiteral("LabExerciseWithSolution")))
        , message(window.label(QStringLiteral("LabExerciseMessage")))
        , taskText(window.label(QStringLiteral("LabExerciseTask")))
        , square(window.find<SquareGrid>(QStringLiteral("LabExerciseSquare")))
        , feedback(window.label(QStringLiteral("LabExerciseFeedback")))
        , fields{window.memo(QStringLiteral("LabExerciseCoordinates")), window.memo(QStringLiteral("LabExerciseRows")),
              window.memo(QStringLiteral("LabExerciseCode")), window.memo(QStringLiteral("LabExerciseResult"))}
    {
    }

    void enterSeed(const QString &typed) const
    {
        seed->selectAll();
        QTest::keyClicks(seed, typed);
        QTest::keyClick(seed, Qt::Key_Return);
    }

    bifid::ExerciseTask taskOf(std::uint64_t number) const
    {
        return bifid::drawExercise(number, inCodePage(exerciseSentences()),
            bifid::exerciseKeywords(inCodePage(driver.form->keywordChoices())));
    }

    const WindowDriver &driver;
    LabExercisePage *page;
    QLineEdit *seed;
    QComboBox *textSource;
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
    }
    void theSeedMakesTheTask()
    {
        QFETCH(Source, source);
        QFETCH(QString, message);
        WindowDriver window;
        if (source == Source::WindowText)
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
        }
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

        if (work == Work::Solution)
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
            QCOMPARE(lines.value(4), QStringLiteral("Bewertung: 4 von 4 Schritten richtig, %1 von %1 Ziffern und %2 von %2 "
                                                    "Buchstaben.")
                                         .arg(6 * solution.given.size())
                                         .arg(solution.result.size()));
            // One undo brings back all four fields as the learner had them.
            QTest::keyClick(view.fields[2], Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(coordinates->toPlainText().remove(u' '), text(typed));
            for (std::size_t f = 1; f < view.fields.size(); ++f)
                QVERIFY(view.fields[f]->toPlainText().isEmpty());
            break;
        case Work::EditAfterCheck:
            QVERIFY(marks.isEmpty());
            QCOMPARE(lines.size(), 3);  // the line on the edited field is gone
            break;
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
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QFAIL("pdftotext is missing: scripts/install-deps.sh installs it (Debian package poppler-utils)");
        WindowDriver window;
        openExercisePage(window);
        const ExerciseView view(window);
        view.enterSeed(QStringLiteral("4711"));
        view.withSolution->setChecked(withSolution);

        const QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("sheet.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        view.page->printSheet(&printer);

        QProcess reader;
        reader.start(pdftotext, {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(20000));
        QCOMPARE(reader.exitCode(), 0);
        const QString sheet = QString::fromUtf8(reader.readAllStandardOutput());
        QStringList pages = sheet.split(u'\f', Qt::SkipEmptyParts);
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
};

QTEST_MAIN(TestLabExercise)
#include "tst_lab_exercise.moc"
