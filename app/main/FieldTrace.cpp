// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FieldTrace.h"

#include "Colours.h"
#include "MarkedMemo.h"
#include "TraceWords.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTimer>

using bifid::TraceField;
using bifid::TraceMark;

namespace {

std::size_t slotOf(TraceField field)
{
    return static_cast<std::size_t>(field);
}

qsizetype lengthOf(const QPlainTextEdit *memo)
{
    return memo->document()->characterCount() - 1;  // without the document's closing separator
}

MarkedMemo::Mark markAt(int position, bifid::DigitRole role)
{
    return {position, Colours::digitMark(role)};
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
        MarkedMemo *memo = field.memo;
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
            QPointer<MarkedMemo> memo = field->memo;
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

std::optional<FieldTrace::Start> FieldTrace::hoverStart(const Field &field, QPoint point) const
{
    if (const std::optional<int> position = field.memo->characterAt(point))
        return Start{&field, std::size_t(*position)};
    return std::nullopt;
}

QChar FieldTrace::shownCharacter(const TraceMark &mark) const
{
    const std::size_t slot = slotOf(mark.field);
    if (!m_shown.computed[slot])
        return {};
    for (const Field &field : m_fields) {
        if (field.field != mark.field || (mark.field == TraceField::Rows && mark.row != field.row))
            continue;
        const std::size_t shown = bifid::groupedIndex(mark.index, m_shown.groupSize[slot]);
        if (qsizetype(shown) < lengthOf(field.memo))
            return field.memo->document()->characterAt(int(shown));
    }
    return {};
}

void FieldTrace::update(bool fieldsChanged)
{
    std::vector<TraceMark> marks;
    const std::optional<Start> start = m_hover ? m_hover : cursorStart();
    if (start && m_shown.map && m_shown.computed[slotOf(start->field->field)]) {
        const std::size_t groupSize = m_shown.groupSize[slotOf(start->field->field)];
        if (const std::optional<std::size_t> index = bifid::ungroupedIndex(start->index, groupSize))
            marks = m_shown.map->trace(start->field->field, *index, start->field->row);
    }
    if (marks.empty()) {
        m_description.show(nullptr, {});
    } else {
        std::vector<QChar> shown;
        shown.reserve(marks.size());
        for (const TraceMark &mark : marks)
            shown.push_back(shownCharacter(mark));
        m_description.show(start->field->memo, TraceWords::describe(start->field->field, marks, shown));
    }
    if (marks == m_marks && !fieldsChanged)
        return;
    m_marks = std::move(marks);

    for (const Field &field : m_fields) {
        std::vector<MarkedMemo::Mark> memoMarks;
        const std::size_t slot = slotOf(field.field);
        if (m_shown.computed[slot]) {
            for (const TraceMark &mark : m_marks) {
                if (mark.field != field.field || (field.field == TraceField::Rows && mark.row != field.row))
                    continue;
                const std::size_t shown = bifid::groupedIndex(mark.index, m_shown.groupSize[slot]);
                if (qsizetype(shown) < lengthOf(field.memo))
                    memoMarks.push_back(markAt(int(shown), mark.role));
            }
        }
        if (!memoMarks.empty() || !field.memo->marks().empty())
            field.memo->setMarks(std::move(memoMarks));
    }
    emit traced(m_marks);
}
