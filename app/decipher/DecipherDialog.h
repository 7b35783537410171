// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The decipher walk-through ("Gegenprobe"): reads a ciphertext back through the square the main window
// shows, shows every inverse step in a field of its own and says whether the result is the main window's
// cleaned text. The dialog only tidies the typed ciphertext and shows the steps; bifid::decipher computes
// them. Every field follows the ciphertext and the depth as they change, and the square, depth and
// cleaned text of the main window while the dialog is open. The character at the input's cursor, or the
// one the mouse rests on in any field, is traced: what it is connected with is marked in every field and
// in the square, for display only.

#include "FormZoom.h"
#include "HoverWatcher.h"
#include "StepList.h"  // the fields of the steps, which the dialog's users find by name
#include "TraceDescription.h"
#include "TypingPause.h"

#include <cipher/Coding.h>
#include <cipher/Square.h>
#include <cipher/Trace.h>

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class DecipherDialog;
}

class DecipherDialog : public QDialog {
    Q_OBJECT

public:
    explicit DecipherDialog(QWidget *parent = nullptr);
    ~DecipherDialog() override;

    // Ctrl+E: the main window's square, depth and cleaned text, and its ciphertext if the input is empty
    // or holds an earlier ciphertext of the window that the user did not edit.
    void takeWindowState(
        const QString &ciphertext, const bifid::KeyedSquare &square, int depth, const std::string &cleanText);
    // After every handler of the main window: recomputes only what a change of these affects. A new
    // ciphertext (none where the window's did not change) replaces an input the user did not edit.
    void followWindow(const std::optional<QString> &ciphertext, const bifid::KeyedSquare &square, int depth,
        const std::string &cleanText);
    // Replaces the input with the main window's ciphertext.
    void takeCiphertext(const QString &ciphertext);
    // Fonts and fixed sizes at the main window's zoom, as far as the screen holds the dialog.
    void setZoom(qreal factor);

signals:
    void ciphertextWanted();

private:
    // The character a trace starts from, as bifid::TraceMap::trace takes it.
    struct TraceStart {
        bifid::TraceField field;
        std::size_t index;
        int row = 0;
        bool operator==(const TraceStart &) const = default;
    };
    enum class Change { None, CleanText, Steps };
    Change takeState(const bifid::KeyedSquare &square, int depth, const std::string &cleanText);
    void inputChanged();
    void updateSteps();
    void showSteps();
    void clearSteps();
    void showVerdict();
    void takeLayout(const QString &typed);
    [[nodiscard]] std::optional<TraceStart> inputStart(qsizetype typedPlace) const;
    [[nodiscard]] std::optional<TraceStart> cursorStart() const;
    [[nodiscard]] std::optional<TraceStart> startAt(const QObject *viewport, QPoint point) const;
    [[nodiscard]] qsizetype typedPlaceOf(std::size_t letter) const;
    void showTrace();
    [[nodiscard]] QWidget *fieldOf(bifid::TraceField field) const;
    [[nodiscard]] QChar shownCharacter(const bifid::TraceMark &mark) const;

    const std::unique_ptr<Ui::DecipherDialog> ui;
    bifid::KeyedSquare m_square;
    bool m_squareDrawn = false;
    int m_windowDepth = 0;  // the main window's depth when last seen; the dialog's own may differ
    std::string m_cleanText;
    bifid::DecipherSteps m_steps;  // kept, so that its buffers are reused from one change to the next
    bool m_readBack = false;  // the steps show a read-back
    TypingPause m_typingPause;  // a long ciphertext is read back once the typing pauses
    // While the steps show the read-back of the input as it stands: which characters are connected,
    // and where the typed text has blanks, tabs and line breaks, to map its places to the letters'.
    std::optional<bifid::TraceMap> m_traceMap;
    std::vector<qsizetype> m_layoutPlaces;
    qsizetype m_typedLength = 0;
    // The main window's ciphertext while the input shows it unedited.
    std::optional<QString> m_windowCiphertext;
    std::optional<FormZoom> m_zoom;  // the design, recorded once the dialog is built
    // The mouse resting on a character of the input or of a step traces it instead of the cursor's.
    HoverWatcher<TraceStart> m_hover;
    TraceDescription m_description;  // the trace in words, on the field it starts from
};
