// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's page "Periode" with long texts, headless: how long a change of an input takes from the
// change until the page shows its new result and has painted. The window runs headless unless
// QT_QPA_PLATFORM names a platform.
//
// Usage: bifid_lab_bench [--benchmark_filter=<regex>]

#include "Startup.h"
#include "StoredSettings.h"
#include "TForm1.h"
#include "WindowBench.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

// The main window and its lab, the page's text set to this many characters, period 5.
struct Lab {
    explicit Lab(qsizetype characters)
    {
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("The window did not appear");
        form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
        lab = form->findChild<QWidget *>(QStringLiteral("LabWindow"));
        input = lab->findChild<QPlainTextEdit *>(QStringLiteral("LabInput"));
        period = lab->findChild<QSpinBox *>(QStringLiteral("LabPeriod"));
        result = lab->findChild<QAbstractItemView *>(QStringLiteral("LabResult"));
        period->setValue(5);
        input->setPlainText(germanLookingProse(characters));
        QTest::qWait(500);  // a long text waits for the pause in the typing
        input->moveCursor(QTextCursor::End);
        processAndPaint(lab);
        QObject::connect(result->model(), &QAbstractItemModel::modelReset, [this] { updated = true; });
    }

    // Until the result shows the change, at most a minute.
    bool waitForResult()
    {
        const QDeadlineTimer deadline(std::chrono::minutes(1));
        while (!updated && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return updated;
    }

    const std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    QWidget *lab = nullptr;
    QPlainTextEdit *input = nullptr;
    QSpinBox *period = nullptr;
    QAbstractItemView *result = nullptr;
    bool updated = false;
};

// A character typed at the end of the text (and taken back in the next iteration), until the page has
// painted the key stroke; a long text is computed only after the pause, which is not part of this.
void BM_LabKeystroke(benchmark::State &state)
{
    Lab lab(state.range(0));
    bool forth = true;
    for (auto _ : state) {
        QTest::keyClick(lab.input, forth ? Qt::Key_A : Qt::Key_Backspace);
        processAndPaint(lab.lab);
        forth = !forth;
    }
}
BENCHMARK(BM_LabKeystroke)->Arg(40'000)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The same key stroke until the page shows the new result: at once for a short text, after the pause
// in the typing for a long one.
void BM_LabKeystrokeToResult(benchmark::State &state)
{
    Lab lab(state.range(0));
    bool forth = true;
    for (auto _ : state) {
        lab.updated = false;
        QTest::keyClick(lab.input, forth ? Qt::Key_A : Qt::Key_Backspace);
        if (!lab.waitForResult()) {
            state.SkipWithError("The page did not update within a minute");
            break;
        }
        processAndPaint(lab.lab);
        forth = !forth;
    }
}
BENCHMARK(BM_LabKeystrokeToResult)
    ->Arg(40'000)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6);

// The period stepped up and down: the whole text is computed again at once.
void BM_LabPeriodChanged(benchmark::State &state)
{
    Lab lab(state.range(0));
    bool forth = true;
    for (auto _ : state) {
        lab.updated = false;
        lab.period->stepBy(forth ? 1 : -1);
        if (!lab.waitForResult()) {
            state.SkipWithError("The page did not update within a minute");
            break;
        }
        processAndPaint(lab.lab);
        forth = !forth;
    }
}
BENCHMARK(BM_LabPeriodChanged)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);

// The offscreen platform notes every window feature it lacks; that would bury the table.
QtMessageHandler defaultMessageHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultMessageHandler(type, context, message);
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(dropPlatformNotes);
    benchmark::Initialize(&argc, argv);  // takes its --benchmark_ flags out before Qt sees them
    QApplication application(argc, argv);
    // The zoom the window opens at stays out of the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    storedSettings().clear();
    Startup::setUpApplication(application);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
