// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab's page "Periode": the Bifid cipher with a period, as textbooks and exercise sheets work it.
// The text is cut into blocks of p letters and each block is fractionated on its own, either way; the
// page shows the square, the whole result and the steps block by block, and all of it follows every
// change of an input. bifid::encipherPeriodic and decipherPeriodic compute; the page only cleans the
// text, shows the results and traces the letter at the input's cursor or under the mouse through the
// steps of its block.

#include "HoverWatcher.h"
#include "PeriodStepTable.h"
#include "TraceDescription.h"
#include "TypingPause.h"

#include <cipher/Square.h>

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class MainWindowState;

namespace Ui {
class LabPeriodPage;
}

class LabPeriodPage : public QWidget {
    Q_OBJECT

public:
    explicit LabPeriodPage(const MainWindowState &mainWindow, QWidget *parent = nullptr);
    ~LabPeriodPage() override;

    // What the page computed last, for the lab's page "Kryptoanalyse": its ciphertext (typed or
    // enciphered, empty where the input gave none), square, period and depth.
    [[nodiscard]] const PeriodPass &shownPass() const;
    // Deciphers `ciphertext` step by step with a square and period found elsewhere: the page's square,
    // period, depth and direction follow, and its input becomes the ciphertext.
    void decipherFoundKey(const bifid::Square &square, std::size_t period, int depth, const QString &ciphertext);

private:
    [[nodiscard]] bifid::Dimension dimension() const;
    [[nodiscard]] bool deciphering() const;
    void takeMainWindowSquare();
    void keyChanged();
    void inputChanged();
    void update();
    void compute();
    void showNothing(const QString &message, bool isError);
    void showBlocks();
    [[nodiscard]] std::optional<BlockPlace> inputPlace(qsizetype typedPlace) const;
    [[nodiscard]] std::optional<BlockPlace> cursorPlace() const;
    [[nodiscard]] std::optional<BlockPlace> placeAt(const QObject *viewport, QPoint point) const;
    void showTrace();
    void describeTrace(const std::optional<BlockPlace> &start, const std::vector<bifid::TraceMark> &marks);

    const std::unique_ptr<Ui::LabPeriodPage> ui;
    const MainWindowState &m_mainWindow;
    std::optional<bifid::Square> m_takenSquare;  // the main window's square, until the key changes
    QString m_takenSquareTitle;  // the taken square's title when it is not the main window's
    TypingPause m_typingPause;  // a long text is computed once the typing pauses
    // Since the last computation: where every letter of the input was typed, and whether the steps
    // still show the input as it stands.
    std::vector<qsizetype> m_typedPlaces;
    qsizetype m_typedLength = 0;
    bool m_stepsShowInput = false;
    // The mouse resting on a letter or digit of the input, the result or the steps traces it instead of
    // the letter at the input's cursor.
    HoverWatcher<BlockPlace> m_hover;
    TraceDescription m_description;  // the trace in words, on the field it starts from
};
