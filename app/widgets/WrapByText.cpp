// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WrapByText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>

using WrapByText::kLongestRun;

namespace {

// Where Qt may break a line; a no-break space is none, and a hyphen is none to Qt either.
bool isBlank(QChar character)
{
    return character == u' ' || character == u'\t' || character == QChar::ParagraphSeparator
        || character == QChar::LineSeparator;
}

// Document positions [start, end) of more than kLongestRun characters, none of them blank.
struct Run {
    int start;
    int end;
};

// The first long run of text, which begins at document position offset.
std::optional<Run> findLongRun(QStringView text, int offset)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isBlank(text[i]))
            runStart = i + 1;
        else if (i + 1 - runStart > kLongestRun)
            return Run{offset + int(runStart), offset + int(i + 1)};
    }
    return std::nullopt;
}

// Connected to the document's contentsChange, which Qt emits after it changed the text and, but for
// setPlainText (see apply), before it lays the change out.
class ModeKeeper {
public:
    explicit ModeKeeper(QPlainTextEdit *memo)
        : m_memo(memo)
        , m_longRun(findLongRun(memo->document()->toRawText(), 0))
    {
        apply();
    }

    void operator()(int position, int removed, int added)
    {
        if (m_longRun && position + removed <= m_longRun->start) {
            m_longRun->start += added - removed;
            m_longRun->end += added - removed;
            return;
        }
        if (m_longRun && position >= m_longRun->end)
            return;
        const bool brokeKnownRun = m_longRun.has_value();
        m_longRun = longRunAround(position, added);
        if (!m_longRun && brokeKnownRun)  // another long run may lie anywhere
            m_longRun = findLongRun(m_memo->document()->toRawText(), 0);
        apply();
    }

private:
    // A run that the change made or lengthened holds position - 1 or position + added or a character in
    // between; if it is long, more than kLongestRun of its characters lie within kLongestRun + 1 of them.
    std::optional<Run> longRunAround(int position, int added) const
    {
        QTextDocument *document = m_memo->document();
        const int last = document->characterCount() - 1;
        const int to = std::clamp(position + added + 1 + kLongestRun, 0, last);
        const int from = std::clamp(position - 1 - kLongestRun, 0, to);
        // Within contentsChange a cursor measures no line, so this reads only the window.
        QTextCursor window(document);
        window.setPosition(from);
        window.setPosition(to, QTextCursor::KeepAnchor);
        return findLongRun(window.selectedText(), from);
    }

    // setPlainText reports the memo emptied, then lays the new text out and only then reports it; so an
    // empty memo waits in the mode that is cheap for any text.
    void apply() const
    {
        const QTextOption::WrapMode mode = m_longRun || m_memo->document()->isEmpty()
            ? QTextOption::WrapAnywhere
            : QTextOption::WrapAtWordBoundaryOrAnywhere;
        if (m_memo->wordWrapMode() != mode)
            m_memo->setWordWrapMode(mode);  // lays the whole text out again
    }

    QPlainTextEdit *m_memo;
    std::optional<Run> m_longRun;  // one long run of the text, while it has one
};

}  // namespace

void WrapByText::follow(QPlainTextEdit *memo)
{
    QObject::connect(memo->document(), &QTextDocument::contentsChange, memo, ModeKeeper(memo));
}
