// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AnswerField.h"

#include <QStyle>

AnswerField::AnswerField(int lines, LineWrapMode wrap, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_lines(lines)
{
    setLineWrapMode(wrap);
    setTabChangesFocus(true);
}

int AnswerField::heightForLines() const
{
    const int scrollBar = lineWrapMode() == NoWrap ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    return m_lines * fontMetrics().lineSpacing() + 2 * frameWidth() + 2 * int(document()->documentMargin()) + scrollBar;
}

QSize AnswerField::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), heightForLines()};
}

QSize AnswerField::minimumSizeHint() const
{
    return {QPlainTextEdit::minimumSizeHint().width(), heightForLines()};
}
