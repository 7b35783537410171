// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The trace of one character through the fields of a pass: the character at the text cursor of the
// field the user last worked in, or the one under the resting mouse, starts it, and every character it
// is connected with (bifid::TraceMap) is marked in its field, the row digit and the column digit in two
// colours. Marks are display only: no text, undo stack or cursor changes. The field the trace starts
// from says it in words to a screen reader and in its tooltip.

#include "TraceDescription.h"

#include <cipher/Trace.h>

#include <QObject>
#include <QPointer>

#include <array>
#include <optional>
#include <vector>

class MarkedMemo;

class FieldTrace : public QObject {
    Q_OBJECT

public:
    struct Field {
        MarkedMemo *memo = nullptr;
        bifid::TraceField field = bifid::TraceField::Plaintext;
        int row = 0;  // for the rows
        QWidget *viewport = nullptr;  // the memo's, kept: a memo being destroyed can no longer say it
    };

    // What the fields show at the moment: which are computed, and in groups of how many characters.
    struct Shown {
        std::optional<bifid::TraceMap> map;  // none before the cleaning
        std::array<bool, 5> computed{};  // by TraceField
        std::array<std::size_t, 5> groupSize{};  // 0: the field shows its text as a block

        bool operator==(const Shown &) const = default;
    };

    FieldTrace(std::vector<Field> fields, QObject *parent);

    // After every change of the fields; marks anew only when the trace changed.
    void setShown(Shown shown);
    [[nodiscard]] const std::vector<bifid::TraceMark> &marks() const { return m_marks; }

signals:
    void traced(const std::vector<bifid::TraceMark> &marks);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Start {
        const Field *field;
        std::size_t index;  // in the text as the field shows it
    };
    [[nodiscard]] std::optional<Start> cursorStart() const;
    [[nodiscard]] std::optional<Start> hoverStart(const Field &field, QPoint point) const;
    [[nodiscard]] const Field *fieldOf(const QObject *watched) const;
    // Marks anew when the trace changed, or always when the fields changed.
    void update(bool fieldsChanged = false);
    // The character a mark stands on as its field shows it; none where the field shows none.
    [[nodiscard]] QChar shownCharacter(const bifid::TraceMark &mark) const;

    std::vector<Field> m_fields;
    Shown m_shown;
    QPointer<MarkedMemo> m_cursorField;  // the field the user last worked in
    std::optional<Start> m_hover;
    std::vector<bifid::TraceMark> m_marks;
    TraceDescription m_description;  // the trace in words, on the field it starts from
};
