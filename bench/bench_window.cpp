// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole workflow through the real window for plaintexts of 100 KB, 1 MB and 10 MB: the time of
// every step from the click until the window shows and has painted its result. The window runs headless
// unless QT_QPA_PLATFORM names a platform.
//
// Usage: bifid_window_bench [runs]   (runs per size, default 3; the median counts)
//        bifid_window_bench --benchmark_filter=<regex>   (only the Google Benchmark cases below)

#include "MarkedMemo.h"
#include "Startup.h"
#include "StoredSettings.h"
#include "TForm1.h"
#include "WindowBench.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Step {
    const char *button;
    const char *name;
};

// The workflow in its order, each group toggle clicked into groups and back to the block.
constexpr std::array<Step, 14> kSteps = {{
    {"BitBtn1", "Eingabetext bereinigen"},
    {"BitBtn6", "Fünfer-Gruppen"},
    {"BitBtn6", "Blocktext (Klartext)"},
    {"BitBtn7", "Keyword setzen"},
    {"BitBtn5", "Keyword bereinigen"},
    {"BitBtn8", "Matrix generieren"},
    {"BitBtn10", "Codierung"},
    {"BitBtn12", "Zweier-Gruppen (Koordinaten)"},
    {"BitBtn12", "Blocktext (Koordinaten)"},
    {"BitBtn11", "Fraktionierung"},
    {"BitBtn13", "Cipher-Code"},
    {"BitBtn14", "Zweier-Gruppen (Cipher-Code)"},
    {"BitBtn14", "Blocktext (Cipher-Code)"},
    {"BitBtn9", "doppelt Codieren"},
}};

struct Size {
    qsizetype characters;
    const char *label;
    double goalSeconds;  // every step of this size should take less; 0 for none
};
constexpr std::array<Size, 3> kSizes = {{
    {100 << 10, "100 KB", 0.1},
    {1 << 20, "1 MB", 0.25},
    {10 << 20, "10 MB", 0.0},
}};

// Answers every box as soon as it shows, so that a step's time holds no waiting for a user.
class BoxAnswerer : public QObject {
public:
    QStringList unexpected;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            if (box->windowTitle() != QStringLiteral("Aktueller Matrix-Generator"))
                unexpected << box->text();
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
        return false;
    }
};

// The offscreen platform notes every window feature it lacks, once per box; that would bury the table.
QtMessageHandler defaultMessageHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultMessageHandler(type, context, message);
}

using Seconds = std::chrono::duration<double>;

// One pass through the workflow of a shown window; the seconds of each step. Every field then holds
// the text the last step of its own left there.
std::array<double, kSteps.size()> clickThroughWorkflow(TForm1 &form, const QString &text)
{
    form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->setPlainText(text);
    form.repaint();
    QCoreApplication::processEvents();

    std::array<double, kSteps.size()> seconds{};
    for (std::size_t s = 0; s < kSteps.size(); ++s) {
        auto *button = form.findChild<QPushButton *>(QString::fromLatin1(kSteps[s].button));
        if (!button->isEnabled())
            qFatal("%s is not enabled", kSteps[s].button);
        const auto start = std::chrono::steady_clock::now();
        button->click();
        processAndPaint(&form);
        seconds[s] = Seconds(std::chrono::steady_clock::now() - start).count();
    }
    if (form.findChild<QPlainTextEdit *>(QStringLiteral("Memo3"))->document()->isEmpty())
        qFatal("The workflow left no ciphertext");
    return seconds;
}

void showAndWait(TForm1 &form)
{
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("The window did not appear");
}

std::array<double, kSteps.size()> runWorkflow(const QString &text, BoxAnswerer &answerer)
{
    TForm1 form;
    showAndWait(form);
    const auto seconds = clickThroughWorkflow(form, text);
    if (!answerer.unexpected.isEmpty())
        qFatal("The workflow showed: %s", qPrintable(answerer.unexpected.join(u'\n')));
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- The zoom with every field full -----------------------------------------------------------------

// One step of the zoom, Ctrl+Plus and Ctrl+Minus in turn, after a pass through the workflow with 1 MB of
// plaintext has filled every field: from the action until the window has processed its events and
// painted every field at the new size.
void BM_ZoomStep(benchmark::State &state)
{
    TForm1 form;
    showAndWait(form);
    clickThroughWorkflow(form, germanLookingProse(1 << 20));
    auto *zoomIn = form.findChild<QAction *>(QStringLiteral("ZoomInAction"));
    auto *zoomOut = form.findChild<QAction *>(QStringLiteral("ZoomOutAction"));
    const auto *coordinates = form.findChild<QPlainTextEdit *>(QStringLiteral("Memo2"));
    bool in = true;
    benchmark::IterationCount zoomed = 0;
    for (auto _ : state) {
        const qreal pointSize = coordinates->font().pointSizeF();
        (in ? zoomIn : zoomOut)->trigger();
        processAndPaint(&form);
        zoomed += coordinates->font().pointSizeF() != pointSize ? 1 : 0;
        in = !in;
    }
    if (zoomed != state.iterations())
        state.SkipWithError("A zoom step left the fields' font as it was");
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// ---- The decipher dialog with 2 MB of ciphertext --------------------------------------------------

constexpr qsizetype kDialogCiphertext = 2 << 20;

// A window that has enciphered this many capitals and digits, so that its ciphertext is as long.
std::unique_ptr<TForm1> windowWithCiphertext(qsizetype letters)
{
    auto form = std::make_unique<TForm1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("The window did not appear");
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    std::mt19937 random(2);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    QString text(letters, Qt::Uninitialized);
    for (QChar &character : text)
        character = alphabet[pick(random)];
    form->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->setPlainText(text);
    for (const char *step : {"BitBtn1", "BitBtn7", "BitBtn5", "BitBtn8", "BitBtn10", "BitBtn11", "BitBtn13", "BitBtn9"})
        form->findChild<QPushButton *>(QString::fromLatin1(step))->click();
    processAndPaint(form.get());
    if (form->findChild<QPlainTextEdit *>(QStringLiteral("Memo3"))->document()->characterCount() <= letters)
        qFatal("The workflow left no ciphertext of the text's length");
    return form;
}

QDialog *openedDecipherDialog(TForm1 &form)
{
    form.findChild<QAction *>(QStringLiteral("DecipherAction"))->trigger();
    auto *dialog = form.findChild<QDialog *>(QStringLiteral("DecipherDialog"));
    processAndPaint(dialog);
    return dialog;
}

// Opening the dialog (Ctrl+E) with an empty input: it takes the 2 MB, reads them back and paints.
void BM_DecipherDialogOpens(benchmark::State &state)
{
    const std::unique_ptr<TForm1> form = windowWithCiphertext(kDialogCiphertext);
    for (auto _ : state) {
        QDialog *dialog = openedDecipherDialog(*form);
        state.PauseTiming();
        dialog->close();
        dialog->findChild<QPlainTextEdit *>(QStringLiteral("DecipherInput"))->clear();  // taken again next time
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DecipherDialogOpens)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// One change while the dialog shows 2 MB, until every step shows its new text and the dialog has
// painted: a character typed at the end of the input (read back once the typing pauses, 300 ms
// included), or the main window's depth, which the dialog follows at once.
void BM_DecipherDialogUpdates(benchmark::State &state)
{
    const bool typing = state.range(0) == 0;
    state.SetLabel(typing ? "typed character" : "depth in the main window");
    const std::unique_ptr<TForm1> form = windowWithCiphertext(kDialogCiphertext);
    QDialog *dialog = openedDecipherDialog(*form);
    auto *input = dialog->findChild<QPlainTextEdit *>(QStringLiteral("DecipherInput"));
    input->moveCursor(QTextCursor::End);
    auto *depth = form->findChild<QWidget *>(QStringLiteral("UpDown2"));
    bool updated = false;
    // The rows change with every character and every depth; the cipher code does not with the depth.
    QObject::connect(dialog->findChild<QAbstractItemView *>(QStringLiteral("DecipherRows"))->model(),
        &QAbstractItemModel::modelReset, [&updated] { updated = true; });
    bool forth = true;
    for (auto _ : state) {
        updated = false;
        if (typing) {
            QTest::keyClick(input, forth ? Qt::Key_A : Qt::Key_Backspace);
        } else {
            const QPoint arrow(depth->width() / 2, forth ? 2 : depth->height() - 3);
            QTest::mouseClick(depth, Qt::LeftButton, {}, arrow);
        }
        const QDeadlineTimer deadline(std::chrono::minutes(1));
        while (!updated && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!updated) {
            state.SkipWithError("The dialog did not update within a minute");
            break;
        }
        processAndPaint(dialog);
        forth = !forth;
    }
}
BENCHMARK(BM_DecipherDialogUpdates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);

// The trace as the mouse moves over the ciphertext of this many letters, from the move until every field
// shows its new marks and the window has painted. The window of 10 million letters takes half a minute
// and 3.3 GB to set up.
void BM_TraceFollowsTheMouse(benchmark::State &state)
{
    const std::unique_ptr<TForm1> form = windowWithCiphertext(state.range(0));
    auto *ciphertext = form->findChild<MarkedMemo *>(QStringLiteral("Memo3"));
    const auto *plaintext = form->findChild<MarkedMemo *>(QStringLiteral("Memo1"));
    const QRect view = ciphertext->viewport()->rect();
    std::mt19937 random(3);
    std::uniform_int_distribution<int> x(view.left() + 2, view.right() - 20);
    std::uniform_int_distribution<int> y(view.top() + 2, view.bottom() - 20);
    int traced = 0;  // moves that ended on a character
    for (auto _ : state) {
        QTest::mouseMove(ciphertext->viewport(), QPoint(x(random), y(random)));
        processAndPaint(form.get());
        traced += plaintext->marks().empty() ? 0 : 1;
    }
    if (traced == 0)
        state.SkipWithError("No move of the mouse traced a character");
}
BENCHMARK(BM_TraceFollowsTheMouse)
    ->Arg(10'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(dropPlatformNotes);
    benchmark::Initialize(&argc, argv);  // takes its --benchmark_ flags out before Qt sees them
    QApplication application(argc, argv);
    // The zoom the window opens at, and any zoom the benchmarks choose, stay out of the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    storedSettings().clear();
    Startup::setUpApplication(application);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;

    BoxAnswerer answerer;
    application.installEventFilter(&answerer);
    if (!benchmark::GetBenchmarkFilter().empty()) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return answerer.unexpected.isEmpty() ? 0 : 1;
    }

    std::array<std::array<double, kSteps.size()>, kSizes.size()> medians{};
    for (std::size_t z = 0; z < kSizes.size(); ++z) {
        const QString text = germanLookingProse(kSizes[z].characters);
        std::array<std::vector<double>, kSteps.size()> samples;
        for (int run = 0; run < runs; ++run) {
            const auto seconds = runWorkflow(text, answerer);
            for (std::size_t s = 0; s < kSteps.size(); ++s)
                samples[s].push_back(seconds[s]);
        }
        for (std::size_t s = 0; s < kSteps.size(); ++s)
            medians[z][s] = median(samples[s]);
        (void)std::fprintf(stderr, "%s done\n", kSizes[z].label);  // progress only
    }

    constexpr int kStepWidth = 40;
    std::printf("Window steps: seconds from the click until the window has painted, median of %d runs\n\n", runs);
    std::printf("| %-*s | %8s | %8s | %8s | %12s |\n", kStepWidth, "Step", kSizes[0].label, kSizes[1].label,
        kSizes[2].label, "10 MB / 1 MB");
    std::printf("|%s|---------:|---------:|---------:|-------------:|\n", std::string(kStepWidth + 2, '-').c_str());
    QStringList missed;
    for (std::size_t s = 0; s < kSteps.size(); ++s) {
        const QString step = QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kSteps[s].name), kSteps[s].button);
        const QByteArray stepText = step.toUtf8();
        const double ratio = medians[2][s] / medians[1][s];
        // printf pads by bytes; an umlaut takes two.
        std::printf("| %-*s | %8.3f | %8.3f | %8.3f | %12.1f |\n", int(kStepWidth + stepText.size() - step.size()),
            stepText.constData(), medians[0][s], medians[1][s], medians[2][s], ratio);
        for (std::size_t z = 0; z < kSizes.size(); ++z) {
            if (kSizes[z].goalSeconds > 0 && medians[z][s] >= kSizes[z].goalSeconds)
                missed << QStringLiteral("%1 takes %2 s with %3 (goal: under %4 s)")
                              .arg(step)
                              .arg(medians[z][s], 0, 'f', 3)
                              .arg(QString::fromLatin1(kSizes[z].label))
                              .arg(kSizes[z].goalSeconds);
        }
        if (ratio > 11)
            missed << QStringLiteral("%1 takes %2 times as long for 10 MB as for 1 MB (goal: at most 11)")
                          .arg(step)
                          .arg(ratio, 0, 'f', 1);
    }
    std::printf("\n%s\n", missed.isEmpty() ? "Every goal met." : "Goals missed:");
    for (const QString &miss : missed)
        std::printf("- %s\n", miss.toUtf8().constData());
    return 0;
}
