// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MarkedMemo.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// A block longer than this keeps what Qt worked out when it laid the block out, about 40 bytes a
// character: otherwise the next question about the block, such as where the cursor stands, analyses the
// whole block again and takes about as long as the layout. A shorter block is analysed again in a few
// milliseconds.
constexpr int kKeptLayoutFrom = 1 << 16;

// Qt's plain text layout lays a block out as soon as it hears of a change within the block, and again for
// every further change before the block is shown: a new text with the wrap mode picked for it took three
// layouts of a block of megabytes and the cursor's place a fourth analysis, a zoom's font and size two
// layouts. This one forgets the block's lines instead; Qt lays the block out when it is first asked for
// them, by the cursor, the scroll bars or the painting, and a long block keeps the analysis for the
// questions that follow.
class LayoutWhenAsked final : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QRectF blockBoundingRect(const QTextBlock &block) const override
    {
        if (block.isValid())
            block.layout()->setCacheEnabled(block.length() > kKeptLayoutFrom);
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int removed, int added) override
    {
        QTextDocument *text = document();
        QTextBlock block = text->findBlock(from);
        // A change within one block, told apart as Qt does; Qt lays out no other change at once either.
        if (block.isValid() && block == text->findBlock(std::max(0, from + removed + added - 1))
            && text->blockCount() == m_blockCount) {
            block.clearLayout();
            requestUpdate();
        } else {
            QPlainTextDocumentLayout::documentChanged(from, removed, added);
            m_blockCount = text->blockCount();
        }
        // An emptied memo has its one empty line at once: a text that replaces the whole text (as
        // setPlainText does) then goes into that line and waits, instead of being laid out before the
        // edit is over and again after it.
        if (text->isEmpty())
            ensureBlockLayout(text->firstBlock());
    }

private:
    int m_blockCount = 1;  // as the base class counted them when it last heard of a change
};

}  // namespace

MarkedMemo::MarkedMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // A document of its own, set up as QPlainTextEdit sets up the one it makes.
    auto *text = new QTextDocument(this);
    auto *layout = new LayoutWhenAsked(text);
    layout->setPaintDevice(viewport());
    text->setDocumentLayout(layout);
    text->setDefaultFont(font());
    setDocument(text);
}

void MarkedMemo::setMarks(std::vector<Mark> marks)
{
    m_marks = std::move(marks);
    viewport()->update();  // it paints only the lines in view
}

std::vector<MarkedMemo::ShownLine> MarkedMemo::linesBetween(qreal top, qreal bottom) const
{
    std::vector<ShownLine> lines;
    QPointF blockOrigin = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && blockOrigin.y() <= bottom; block = block.next()) {
        if (!block.isVisible())
            continue;
        const QTextLayout *layout = block.layout();
        if (layout->lineCount() == 0)
            blockBoundingRect(block);  // Qt lays a block out when it is first asked for its size
        const QPointF origin = blockOrigin + layout->position();
        // The lines lie in order: the first that reaches down to the band is found by halving.
        int first = 0;
        for (int count = layout->lineCount(); count > 0;) {
            const int half = count / 2;
            const QTextLine line = layout->lineAt(first + half);
            if (origin.y() + line.y() + line.height() < top) {
                first += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        for (int index = first; index < layout->lineCount(); ++index) {
            const QTextLine line = layout->lineAt(index);
            if (origin.y() + line.y() > bottom)
                return lines;
            lines.push_back({block, line, origin + line.position()});
        }
        // The next block starts where Qt's size of this one ends, at its last line's bottom rounded up;
        // Qt's size would look at every line of the block.
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        blockOrigin.ry() += last.y() + std::ceil(last.height());
    }
    return lines;
}

void MarkedMemo::layOut(const ShownLine &shown, QTextLayout &piece) const
{
    const QTextDocument *document = this->document();
    const int start = shown.block.position() + shown.line.textStart();
    QString text;
    text.reserve(shown.line.textLength());
    for (int position = start; position < start + shown.line.textLength(); ++position)
        text += document->characterAt(position);
    piece.setText(text);
    piece.setFont(document->defaultFont());
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);  // the block's layout broke the lines already
    piece.setTextOption(option);
    piece.beginLayout();
    piece.createLine().setLeadingIncluded(true);  // as QPlainTextEdit lays out its lines
    piece.endLayout();
    piece.setPosition(shown.origin);
}

// What QPlainTextEdit paints, line by line: the text, the selection and the cursor, and the marks under
// the selection.
void MarkedMemo::paintEvent(QPaintEvent *event)
{
    // An empty memo's placeholder and a text being composed are left to Qt; neither happens often.
    if (document()->isEmpty() || !textCursor().block().layout()->preeditAreaText().isEmpty()) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    QRect exposed = event->rect();
    const qreal textWidth = std::max<qreal>(viewport()->width(), document()->documentLayout()->documentSize().width());
    exposed.setRight(std::min(exposed.right(), int(contentOffset().x() + textWidth - document()->documentMargin())));
    painter.setClipRect(exposed);
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    painter.setPen(context.palette.text().color());
    const bool showsCursor = !isReadOnly() || textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard);

    for (const ShownLine &shown : linesBetween(exposed.top(), exposed.bottom())) {
        QTextLayout piece;
        layOut(shown, piece);
        const int start = shown.block.position() + shown.line.textStart();
        const int end = start + shown.line.textLength();
        // A selection shows the line break at the end of a block, but not the blanks where a line wraps.
        const bool lastLine = shown.line.lineNumber() == shown.block.layout()->lineCount() - 1;
        int selectionEnd = lastLine ? end + 1 : end;
        while (!lastLine && selectionEnd > start && piece.text().at(selectionEnd - start - 1).isSpace())
            --selectionEnd;
        QList<QTextLayout::FormatRange> ranges;
        for (const Mark &mark : m_marks) {
            if (mark.position >= start && mark.position < end) {
                QTextLayout::FormatRange range{mark.position - start, 1, {}};
                range.format.setBackground(mark.colours.background);
                range.format.setForeground(mark.colours.text);
                ranges << range;
            }
        }
        for (const QAbstractTextDocumentLayout::Selection &selection : context.selections) {
            const int from = std::max(selection.cursor.selectionStart(), start);
            const int to = std::min(selection.cursor.selectionEnd(), selectionEnd);
            if (from < to)
                ranges << QTextLayout::FormatRange{from - start, to - from, selection.format};
        }
        piece.draw(&painter, {}, ranges, exposed);
        const int cursor = context.cursorPosition;
        if (showsCursor && cursor >= start && (cursor < end || (lastLine && cursor == end)))
            piece.drawCursor(&painter, {}, cursor - start, cursorWidth());
    }
}

std::optional<int> MarkedMemo::characterAt(QPoint point) const
{
    for (const ShownLine &shown : linesBetween(point.y(), point.y())) {
        QTextLayout piece;
        layOut(shown, piece);
        const QTextLine line = piece.lineAt(0);
        const qreal x = point.x() - shown.origin.x();
        const int offset = line.xToCursor(x, QTextLine::CursorOnCharacter);
        if (x >= line.cursorToX(offset) && x < line.cursorToX(offset + 1))
            return shown.block.position() + shown.line.textStart() + offset;
    }
    return std::nullopt;
}
