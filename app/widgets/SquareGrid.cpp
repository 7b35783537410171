// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SquareGrid.h"

#include "Colours.h"
#include "Fonts.h"
#include "TextCodec.h"

#include <QLabel>
#include <QPainter>

using bifid::Dimension;

namespace {

constexpr int kCellSize = 32;
constexpr int kCellPitch = 33;  // one pixel between neighbours
constexpr int kFirstCellOffset = 50;
constexpr int kHeaderSize = 15;
constexpr int kFrameWidth = 3;

// A cell draws the frame of a traced cell over its raised panel.
class SquareCell : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!property("traced").toBool())
            return;
        QPainter painter(this);
        const qreal frame = kFrameWidth * width() / qreal(kCellSize);  // as thick as the zoom makes the cell
        painter.setPen(QPen(Colours::kTraceFrame, frame));
        painter.drawRect(QRectF(rect()).adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
    }
};

}  // namespace

SquareGrid::SquareGrid(QWidget *parent)
    : QGroupBox(parent)
{
}

void SquareGrid::build(Dimension dimension, const QString &cellName, int firstCellTag, int firstHeaderName)
{
    qDeleteAll(m_cells);
    qDeleteAll(m_headers);
    m_cells.clear();
    m_headers.clear();
    m_dimension = dimension;
    m_cellName = cellName;
    m_firstCellTag = firstCellTag;
    m_firstHeaderName = firstHeaderName;
    m_keywordCells.reset();
    m_marked.reset();

    const int side = bifid::sideOf(dimension);
    const std::string_view alphabet = bifid::baseAlphabet(dimension);
    for (int c = 0; c < bifid::cellCountOf(dimension); ++c) {
        auto *cell = new SquareCell(this);
        cell->setObjectName(cellName + QString::number(firstCellTag + c));
        cell->setAutoFillBackground(true);
        cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
        cell->setAlignment(Qt::AlignCenter);
        cell->setTextFormat(Qt::PlainText);
        cell->setProperty("tag", firstCellTag + c);
        cell->setProperty("traced", false);
        cell->setEnabled(false);  // cells only display
        cell->show();
        m_cells.push_back(cell);
        showInCell(c, alphabet[std::size_t(c)], false);
    }
    for (int k = 0; k < side; ++k) {
        for (const bool isRow : {true, false}) {
            auto *header = new QLabel(QString::number(k + 1), this);
            header->setObjectName(QStringLiteral("%1Label%2").arg(isRow ? "Row" : "Column").arg(firstHeaderName + k));
            Colours::setTextColour(header, isRow ? Colours::kRed : Colours::kBlack);
            header->setProperty("tag", k);
            header->show();
            m_headers.push_back(header);
        }
    }
    placeCells();
}

void SquareGrid::setZoom(qreal factor)
{
    m_zoom = factor;
    placeCells();
}

// Headers alternate row and column, k by k, as build() makes them.
void SquareGrid::placeCells()
{
    const int side = bifid::sideOf(m_dimension);
    const auto place = [this](QWidget *widget, int left, int top, int size) {
        widget->setGeometry(
            zoomed(left), zoomed(top), zoomed(left + size) - zoomed(left), zoomed(top + size) - zoomed(top));
    };
    const QFont cellFont = FormZoom::scaled(Fonts::bold(QStringLiteral("Courier New"), 17), m_zoom);
    for (std::size_t c = 0; c < m_cells.size(); ++c) {
        const int column = int(c) % side;
        const int row = int(c) / side;
        place(m_cells[c], kFirstCellOffset + kCellPitch * column, kFirstCellOffset + kCellPitch * row, kCellSize);
        m_cells[c]->setFont(cellFont);
    }
    const QFont headerFont = FormZoom::scaled(Fonts::bold(QStringLiteral("Times New Roman"), 16), m_zoom);
    for (std::size_t h = 0; h < m_headers.size(); ++h) {
        const int k = int(h / 2);
        const bool isRow = h % 2 == 0;
        place(m_headers[h], isRow ? 20 : 55 + kCellPitch * k, isRow ? 55 + kCellPitch * k : 20, kHeaderSize);
        m_headers[h]->setFont(headerFont);
    }
    updateGeometry();
}

void SquareGrid::showSquare(const bifid::KeyedSquare &square)
{
    if (square.square.dimension() != m_dimension || m_cells.empty())
        build(square.square.dimension(), m_cellName, m_firstCellTag, m_firstHeaderName);
    m_keywordCells = square.keywordCells;
    for (std::size_t c = 0; c < square.square.cellCount(); ++c)
        showInCell(int(c), square.square[c], square.keywordCells[c]);
}

bifid::KeyedSquare SquareGrid::shownSquare() const
{
    std::string cells;
    cells.reserve(m_cells.size());
    for (const QLabel *cell : m_cells)
        cells += TextCodec::toCodePage(cell->text());
    return {bifid::Square(m_dimension, std::move(cells)), m_keywordCells};
}

void SquareGrid::markCells(std::bitset<36> marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    for (std::size_t c = 0; c < m_cells.size(); ++c) {
        if (m_cells[c]->property("traced").toBool() != marked[c]) {
            m_cells[c]->setProperty("traced", bool(marked[c]));
            m_cells[c]->update();
        }
    }
}

QLabel *SquareGrid::cell(int index) const
{
    return m_cells.at(std::size_t(index));
}

QSize SquareGrid::sizeHint() const
{
    const int side = bifid::sideOf(m_dimension);
    const int extent = zoomed(kFirstCellOffset + kCellPitch * side + kCellPitch / 2);
    return {extent, extent};
}

// A screen reader reads where the cell stands too. Every new name is announced, so a cell is renamed
// only when its character changed: a page that shows its square anew on every key stroke stays quiet.
void SquareGrid::showInCell(int index, char character, bool keywordCell)
{
    QLabel *cell = m_cells[std::size_t(index)];
    const int side = bifid::sideOf(m_dimension);
    const QString shown = TextCodec::fromCodePage(std::string_view(&character, 1));
    if (cell->text() != shown || cell->accessibleName().isEmpty()) {
        cell->setText(shown);
        cell->setAccessibleName(
            QStringLiteral("Zeile %1, Spalte %2: %3").arg(index / side + 1).arg(index % side + 1).arg(shown));
    }
    Colours::setCellColours(cell, keywordCell ? Colours::kKeywordColours : Colours::kReferenceColours);
}
