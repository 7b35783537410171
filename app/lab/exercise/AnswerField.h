// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A field for one step of an exercise: the learner's text in the exercise's font, as many lines high as
// the step needs, so that the page asks no more room for it than that.

#include <QPlainTextEdit>

class AnswerField : public QPlainTextEdit {
    Q_OBJECT

public:
    // `lines` of text, and room for a sideways scroll bar where the field does not wrap.
    AnswerField(int lines, LineWrapMode wrap, QWidget *parent);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

private:
    [[nodiscard]] int heightForLines() const;

    int m_lines;
};
