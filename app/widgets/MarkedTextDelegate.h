// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The cells of the step views: a piece of a step's text in a StepList (the decipher dialog's steps, the
// lab's result) or a cell of several lines in the lab's PeriodStepTable. MarkedTextDelegate paints a
// cell's text with the characters the trace marks over it, in the colours of their digits, and finds the
// character drawn under a point; MarkedTextView is the view around it. The models keep their own texts
// and hand the delegate each cell's marks as CellMarks.

#include "Colours.h"

#include <cipher/Trace.h>

#include <QList>
#include <QMetaType>
#include <QStyledItemDelegate>

#include <memory>
#include <optional>

// A character of a cell: its line in the cell and its place in the line.
struct CellPlace {
    int line = 0;
    int position = 0;
    bool operator==(const CellPlace &) const = default;
};

// A character of a cell that the trace marks, with the digit of the traced character it carries.
struct CellMark {
    int line = 0;
    int position = 0;
    bifid::DigitRole role = bifid::DigitRole::Row;
    [[nodiscard]] CellPlace place() const { return {line, position}; }
    bool operator==(const CellMark &) const = default;
};
Q_DECLARE_METATYPE(QList<CellMark>)

// Paints a cell as the style does, its text one line where the style draws an item's text, and finds
// the character under a point where the style laid it out. A view that draws its cells otherwise says
// where and how in a subclass.
class MarkedTextDelegate : public QStyledItemDelegate {
public:
    // The marks of a cell as QList<CellMark>.
    static constexpr int MarksRole = Qt::UserRole;

    // A cell's text laid out where the view draws it, for one painting or one hit test.
    class CellText {
    public:
        virtual ~CellText() = default;

        [[nodiscard]] virtual bool holds(CellPlace place) const = 0;
        // Draws the character again over a box of the mark's background, in the mark's text colour.
        virtual void paintMark(QPainter *painter, CellPlace place, const Colours::CellColours &colours) const = 0;
        [[nodiscard]] virtual std::optional<CellPlace> characterAt(QPoint point) const = 0;
    };

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const final;
    // The character drawn at this point of the cell, if any.
    [[nodiscard]] std::optional<CellPlace> characterAt(
        const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const;

protected:
    // The cell without its marks.
    virtual void paintCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    // The cell's text where paintCell draws it, for an option that initStyleOption filled in.
    [[nodiscard]] virtual std::unique_ptr<CellText> textOf(
        const QStyleOptionViewItem &item, const QModelIndex &index) const;
};
