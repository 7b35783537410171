// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StepModel.h"

#include <algorithm>
#include <limits>
#include <utility>

void StepModel::setLines(const QStringList &lines)
{
    if (lines == m_lines)
        return;
    beginResetModel();
    m_lines = lines;
    countPieces();
    endResetModel();
}

void StepModel::setPieceWidth(int characters)
{
    if (characters == m_pieceWidth)
        return;
    beginResetModel();
    m_pieceWidth = characters;
    countPieces();
    endResetModel();
}

// An empty line still takes an item, so that an empty row of the fraction shows as one.
void StepModel::countPieces()
{
    m_firstRows.clear();
    qsizetype rows = 0;
    for (const QString &line : std::as_const(m_lines)) {
        m_firstRows.push_back(int(rows));
        rows += std::max<qsizetype>(1, (line.size() + m_pieceWidth - 1) / m_pieceWidth);
    }
    // A view counts its items in int; 2^31 pieces would be far beyond the memory anyway.
    m_rowCount = int(std::min<qsizetype>(rows, std::numeric_limits<int>::max()));
}

StepPlace StepModel::pieceAt(int row) const
{
    const auto next = std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row);
    const int line = int(next - m_firstRows.begin()) - 1;
    return {line, qsizetype(row - m_firstRows[std::size_t(line)]) * m_pieceWidth};
}

StepPlace StepModel::placeOf(int row, qsizetype offset) const
{
    const StepPlace piece = pieceAt(row);
    return {piece.line, piece.position + offset};
}

std::optional<int> StepModel::rowOf(StepPlace place) const
{
    if (place.line < 0 || place.line >= m_lines.size() || place.position < 0
        || place.position >= m_lines[place.line].size())
        return std::nullopt;
    const qsizetype row = m_firstRows[std::size_t(place.line)] + place.position / m_pieceWidth;
    return row < m_rowCount ? std::optional<int>(int(row)) : std::nullopt;
}

void StepModel::setMarks(std::vector<StepMark> marks)
{
    if (marks == m_marks)
        return;
    std::swap(marks, m_marks);
    for (const std::vector<StepMark> *changed : {&marks, &m_marks}) {
        for (const StepMark &mark : *changed) {
            if (const std::optional<int> row = rowOf(mark.place))
                emit dataChanged(index(*row), index(*row), {MarksRole});
        }
    }
}

int StepModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

QVariant StepModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const StepPlace piece = pieceAt(index.row());
    const QString &line = m_lines[piece.line];
    const qsizetype end = std::min(piece.position + m_pieceWidth, line.size());
    switch (role) {
    case Qt::DisplayRole: return line.mid(piece.position, m_pieceWidth);
    case MarksRole: {
        QList<CellMark> marks;
        for (const StepMark &mark : m_marks) {
            if (mark.place.line == piece.line && mark.place.position >= piece.position && mark.place.position < end)
                marks.push_back({0, int(mark.place.position - piece.position), mark.role});
        }
        return QVariant::fromValue(marks);
    }
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString places
            = QStringLiteral("Zeichen %1 bis %2").arg(QString::number(piece.position + 1), QString::number(end));
        return m_lines.size() > 1 ? QStringLiteral("Zeile %1, %2").arg(QString::number(piece.line + 1), places)
                                  : places;
    }
    default: return {};
    }
}

QString StepModel::textOf(QModelIndexList items) const
{
    std::sort(items.begin(), items.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QString text;
    int lastLine = -1;
    for (const QModelIndex &item : std::as_const(items)) {
        const int line = pieceAt(item.row()).line;
        if (lastLine >= 0 && line != lastLine)
            text += u'\n';
        text += data(item, Qt::DisplayRole).toString();
        lastLine = line;
    }
    return text;
}
