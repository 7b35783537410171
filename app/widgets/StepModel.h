// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The text of a StepList, and the places and marks of its characters as the StepList's users trace them:
// by line and place in the whole line, which may be megabytes long. The model hands each piece's marks
// to the delegate as CellMarks, counted in the piece.

#include "MarkedTextDelegate.h"

#include <cipher/Trace.h>

#include <QAbstractListModel>
#include <QStringList>

#include <optional>
#include <vector>

// A character of a step's text: its line and its place in the line.
struct StepPlace {
    int line = 0;
    qsizetype position = 0;
    bool operator==(const StepPlace &) const = default;
};

// A character the trace marks, with the digit of the traced character it carries.
struct StepMark {
    StepPlace place;
    bifid::DigitRole role = bifid::DigitRole::Row;
    bool operator==(const StepMark &) const = default;
};

// A step's text as a column of pieces of one width, so that its field lays out only the pieces in view:
// a text field would lay out a line of megabytes as a whole.
class StepModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The marks of a piece as QList<CellMark>, their positions counted in the piece.
    static constexpr int MarksRole = MarkedTextDelegate::MarksRole;

    using QAbstractListModel::QAbstractListModel;

    // Each line starts a piece of its own; an unchanged text keeps the field's scroll place.
    void setLines(const QStringList &lines);
    void setPieceWidth(int characters);
    [[nodiscard]] const QStringList &lines() const { return m_lines; }
    // The pieces of these items, in their order, a line break between two lines.
    [[nodiscard]] QString textOf(QModelIndexList items) const;
    // Only the pieces whose marks change are painted again.
    void setMarks(std::vector<StepMark> marks);
    [[nodiscard]] const std::vector<StepMark> &marks() const { return m_marks; }
    // The character at this offset in the piece of this item.
    [[nodiscard]] StepPlace placeOf(int row, qsizetype offset) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;

private:
    // The line of the item and where its piece starts in the line.
    [[nodiscard]] StepPlace pieceAt(int row) const;
    [[nodiscard]] std::optional<int> rowOf(StepPlace place) const;
    void countPieces();

    QStringList m_lines;
    std::vector<StepMark> m_marks;
    std::vector<int> m_firstRows;  // the first item of each line
    int m_rowCount = 0;
    int m_pieceWidth = 60;
};
