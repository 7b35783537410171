// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the memos' wrap mode costs with 1 MB of text: showing the text in groups of five and as one
// blank-free block, as the toggles do, and a keystroke into the text. Each runs in a memo like the
// plaintext memo that either wraps anywhere, as all memos did before, or picks its mode from its text
// (WrapByText). Headless unless QT_QPA_PLATFORM names a platform; run by hand, never as a test.

#include "WrapByText.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr qsizetype kMegabyte = 1 << 20;

// Capitals and digits as a cleaned text holds them, in groups of five when grouped.
QString cleanedText(bool grouped)
{
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString text(kMegabyte, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = grouped && i % 6 == 5 ? QChar(u' ') : alphabet[(i * 7) % alphabet.size()];
    return text;
}

// A typed plaintext: words of one to nine letters in lines of 72 characters.
QString prose()
{
    QString text(kMegabyte, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i % 73 == 72)
            text[i] = u'\n';
        else
            text[i] = (i * 31) % 10 == 0 ? QChar(u' ') : QChar(char16_t(u'a' + i % 26));
    }
    return text;
}

// Font, size and first wrap mode of the plaintext memo.
std::unique_ptr<QPlainTextEdit> plaintextMemo(bool byText)
{
    auto memo = std::make_unique<QPlainTextEdit>();
    QFont font(QStringLiteral("Liberation Mono"), 12);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferNoShaping);
    memo->setFont(font);
    memo->resize(921, 89);
    memo->setWordWrapMode(QTextOption::WrapAnywhere);
    if (byText)
        WrapByText::follow(memo.get());
    memo->show();
    if (!QTest::qWaitForWindowExposed(memo.get()))
        qFatal("The memo did not appear");
    return memo;
}

void paint(QPlainTextEdit *memo)
{
    QCoreApplication::processEvents();
    memo->repaint();
    QCoreApplication::processEvents();
}

void label(benchmark::State &state)
{
    state.SetLabel(state.range(0) ? "by text" : "anywhere");
}

// A toggle: the memo shows one form of the text and gets the other.
void showText(benchmark::State &state, bool grouped)
{
    const auto memo = plaintextMemo(state.range(0) != 0);
    const QString before = cleanedText(!grouped);
    const QString after = cleanedText(grouped);
    for (auto _ : state) {
        state.PauseTiming();
        memo->setPlainText(before);
        paint(memo.get());
        state.ResumeTiming();
        memo->setPlainText(after);
        paint(memo.get());
    }
    label(state);
}

void BM_ShowGroups(benchmark::State &state)
{
    showText(state, true);
}

void BM_ShowBlock(benchmark::State &state)
{
    showText(state, false);
}

// A key typed, or the character deleted again, in the middle of the text, until the memo has painted.
void BM_Keystroke(benchmark::State &state)
{
    const auto memo = plaintextMemo(state.range(0) != 0);
    memo->setPlainText(state.range(1) ? prose() : cleanedText(true));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(int(kMegabyte / 2));
    memo->setTextCursor(cursor);
    memo->setFocus();
    paint(memo.get());
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(memo.get(), typed ? Qt::Key_Backspace : Qt::Key_X);
        typed = !typed;
        paint(memo.get());
    }
    state.SetLabel(std::string(state.range(0) ? "by text, " : "anywhere, ")
        + (state.range(1) ? "prose in lines" : "groups in one paragraph"));
}

}  // namespace

BENCHMARK(BM_ShowGroups)->ArgName("byText")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShowBlock)->ArgName("byText")->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Keystroke)
    ->ArgNames({"byText", "lines"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
