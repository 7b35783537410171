// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One Polybius square on screen: a group box with the square's 36 or 25 cells at fixed places, the row
// numbers at their left and the column numbers above them. It paints a square with its keyword cells in
// the keyword colours, reports the square its cells show with the keyword cells it was given, and marks
// cells with a frame. The main window's two grids, the decipher dialog and the lab draw squares with it.

#include "FormZoom.h"

#include <cipher/Square.h>

#include <QGroupBox>

#include <bitset>
#include <vector>

class QLabel;

class SquareGrid : public QGroupBox, public SelfZooming {
    Q_OBJECT

public:
    explicit SquareGrid(QWidget *parent = nullptr);

    // Builds the cells and header numbers anew for a square of this dimension, showing the unkeyed
    // square. Cell c is named cellName + (firstCellTag + c) and tagged firstCellTag + c; header k is
    // named "RowLabel" or "ColumnLabel" + (firstHeaderName + k) and tagged k.
    void build(bifid::Dimension dimension, const QString &cellName, int firstCellTag = 0, int firstHeaderName = 0);

    [[nodiscard]] bifid::Dimension dimension() const { return m_dimension; }
    // Shows the square: its keyword cells in the keyword colours, the others in the reference colours.
    // A square of another dimension builds the grid anew first.
    void showSquare(const bifid::KeyedSquare &square);
    // The square the cells show, and the keyword cells it was given.
    [[nodiscard]] bifid::KeyedSquare shownSquare() const;

    // Frames the marked cells; each cell's dynamic property "traced" says whether it is marked.
    void markCells(std::bitset<36> marked);
    [[nodiscard]] std::bitset<36> markedCells() const { return m_marked; }

    [[nodiscard]] QLabel *cell(int index) const;

    // Cells, numbers and their fonts at this factor of their design.
    void setZoom(qreal factor) override;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

private:
    void showInCell(int index, char character, bool keywordCell);
    void placeCells();
    [[nodiscard]] int zoomed(int length) const { return FormZoom::scaled(length, m_zoom); }

    bifid::Dimension m_dimension = bifid::Dimension::Six;
    QString m_cellName;
    int m_firstCellTag = 0;
    int m_firstHeaderName = 0;
    std::vector<QLabel *> m_cells;
    std::vector<QLabel *> m_headers;
    std::bitset<36> m_keywordCells;
    std::bitset<36> m_marked;
    qreal m_zoom = 1.0;
};
