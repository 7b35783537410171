#include "FieldTrace.h"

#include "Colours.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

using bifid::TraceField;
using bifid::TraceMark;

namespace {

// Qt works out where a character of a line stands by analysing the whole line anew, for each mark and
// each position of the mouse; beyond this length of a field that no longer keeps up with the mouse.
constexpr qsizetype kLongestTracedField = 20'000;

std::size_t slotOf(TraceField field)
{
    return static_cast<std::size_t>(field);
}

qsizetype lengthOf(const QPlainTextEdit *memo)
{
    return memo->document()->characterCount() - 1;  // without the document's closing separator
}

QTextEdit::ExtraSelection markAt(QPlainTextEdit *memo, int position, bifid::DigitRole role)
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(memo->document());
    selection.cursor.setPosition(position);
    selection.cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    const Colours::CellColours colours
        = role == bifid::DigitRole::Row ? Colours::kRowDigitMark : Colours::kColumnDigitMark;
    selection.format.setBackground(colours.background);
    selection.format.setForeground(colours.text);
    return selection;
}

}  // namespace

FieldTrace::FieldTrace(std::vector<Field> fields, QObject *parent)
    : QObject(parent)
    , m_fields(std::move(fields))
{
    for (Field &field : m_fields) {
        field.viewport = field.memo->viewport();
        field.viewport->setMouseTracking(true);
        field.viewport->installEventFilter(this);
        field.memo->installEventFilter(this);
        QPlainTextEdit *memo = field.memo;
        // The field the user works in follows its cursor; another field's cursor starts nothing.
        connect(memo, &QPlainTextEdit::cursorPositionChanged, this, [this, memo] {
            if (memo == m_cursorField)
                update();
        });
    }
}

void FieldTrace::setShown(Shown shown)
{
    if (shown == m_shown)
        return;
    m_shown = std::move(shown);
    m_traceable = std::all_of(m_fields.begin(), m_fields.end(),
        [](const Field &field) { return lengthOf(field.memo) <= kLongestTracedField; });
    update(true);
}

bool FieldTrace::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Leave && type != QEvent::FocusIn)
        return false;
    if (const Field *field = fieldOf(watched)) {
        switch (event->type()) {
        case QEvent::MouseMove:
            if (!m_traceable)
                break;
            m_hover = hoverStart(*field, static_cast<QMouseEvent *>(event)->position().toPoint());
            update();
            break;
        case QEvent::Leave:
            m_hover.reset();
            update();
            break;
        case QEvent::FocusIn: {
            // A step that closes its button passes the focus on through the chain before it sets it on
            // the next step; only a field that keeps the focus is one the user works in.
            QPointer<QPlainTextEdit> memo = field->memo;
            QTimer::singleShot(0, this, [this, memo] {
                if (memo && memo->hasFocus()) {
                    m_cursorField = memo;
                    update();
                }
            });
            break;
        }
        default: break;
        }
    }
    return false;
}

const FieldTrace::Field *FieldTrace::fieldOf(const QObject *watched) const
{
    for (const Field &field : m_fields) {
        if (watched == field.memo || watched == field.viewport)
            return &field;
    }
    return nullptr;
}

// The character right of the cursor; at the end of the text the one left of it.
std::optional<FieldTrace::Start> FieldTrace::cursorStart() const
{
    for (const Field &field : m_fields) {
        if (field.memo != m_cursorField)
            continue;
        const qsizetype length = lengthOf(field.memo);
        if (length == 0)
            return std::nullopt;
        const int position = field.memo->textCursor().position();
        return Start{&field, std::size_t(position < length ? position : length - 1)};
    }
    return std::nullopt;
}

// The character whose box holds the point, if any: the point lies between two cursor places of one line.
std::optional<FieldTrace::Start> FieldTrace::hoverStart(const Field &field, QPoint point) const
{
    QPlainTextEdit *memo = field.memo;
    QTextCursor near = memo->cursorForPosition(point);
    const QRect nearRect = memo->cursorRect(near);
    int position = near.position();
    if (point.x() < nearRect.x())
        --position;
    if (position < 0 || position >= lengthOf(memo))
        return std::nullopt;
    QTextCursor before(memo->document());
    before.setPosition(position);
    QTextCursor after(memo->document());
    after.setPosition(position + 1);
    const QRect left = memo->cursorRect(before);
    const QRect right = memo->cursorRect(after);
    const bool onOneLine = left.top() == right.top();
    if (!onOneLine || point.x() < left.x() || point.x() >= right.x() || point.y() < left.top()
        || point.y() > left.bottom())
        return std::nullopt;
    return Start{&field, std::size_t(position)};
}

void FieldTrace::update(bool fieldsChanged)
{
    std::vector<TraceMark> marks;
    const std::optional<Start> start = m_hover ? m_hover : cursorStart();
    if (start && m_traceable && m_shown.map && m_shown.computed[slotOf(start->field->field)]) {
        const std::size_t groupSize = m_shown.groupSize[slotOf(start->field->field)];
        if (const std::optional<std::size_t> index = bifid::ungroupedIndex(start->index, groupSize))
            marks = m_shown.map->trace(start->field->field, *index, start->field->row);
    }
    if (marks == m_marks && !fieldsChanged)
        return;
    m_marks = std::move(marks);

    for (const Field &field : m_fields) {
        QList<QTextEdit::ExtraSelection> selections;
        const std::size_t slot = slotOf(field.field);
        if (m_shown.computed[slot]) {
            for (const TraceMark &mark : m_marks) {
                if (mark.field != field.field || (field.field == TraceField::Rows && mark.row != field.row))
                    continue;
                const std::size_t shown = bifid::groupedIndex(mark.index, m_shown.groupSize[slot]);
                if (qsizetype(shown) < lengthOf(field.memo))
                    selections << markAt(field.memo, int(shown), mark.role);
            }
        }
        if (!selections.isEmpty() || !field.memo->extraSelections().isEmpty())
            field.memo->setExtraSelections(selections);
    }
    emit traced(m_marks);
}
