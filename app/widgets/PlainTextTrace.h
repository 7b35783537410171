// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the trace needs of a plain text field that shows its marks as extra selections: the input of the
// decipher dialog and of the lab's page "Periode". The main window's fields are MarkedMemos, which find
// and mark their characters themselves.

#include <cipher/Trace.h>

#include <QTextEdit>

#include <optional>

class QPlainTextEdit;

namespace PlainTextTrace {

// The character whose box holds this point of the field's viewport, if any.
[[nodiscard]] std::optional<qsizetype> characterAt(const QPlainTextEdit &field, QPoint point);

// The character at this place of the document in the colours of the traced digit it carries.
[[nodiscard]] QTextEdit::ExtraSelection mark(QTextDocument *document, int place, bifid::DigitRole role);

}  // namespace PlainTextTrace
