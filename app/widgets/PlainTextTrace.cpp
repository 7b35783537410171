// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlainTextTrace.h"

#include "Colours.h"

#include <QPlainTextEdit>

namespace PlainTextTrace {

std::optional<qsizetype> characterAt(const QPlainTextEdit &field, QPoint point)
{
    const QTextDocument *document = field.document();
    const int boundary = field.cursorForPosition(point).position();
    QTextCursor cursor(field.document());
    for (const int place : {boundary, boundary - 1}) {
        if (place < 0 || place >= document->characterCount() - 1)
            continue;
        cursor.setPosition(place);
        const QRect left = field.cursorRect(cursor);
        const int width = field.fontMetrics().horizontalAdvance(document->characterAt(place));
        if (point.x() >= left.x() && point.x() < left.x() + width && point.y() >= left.top()
            && point.y() <= left.bottom())
            return place;
    }
    return std::nullopt;
}

QTextEdit::ExtraSelection mark(QTextDocument *document, int place, bifid::DigitRole role)
{
    QTextEdit::ExtraSelection selection{QTextCursor(document), {}};
    selection.cursor.setPosition(place);
    selection.cursor.setPosition(place + 1, QTextCursor::KeepAnchor);
    selection.format.setBackground(Colours::digitMark(role).background);
    selection.format.setForeground(Colours::digitMark(role).text);
    return selection;
}

}  // namespace PlainTextTrace
