// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Trace.h>

#include <algorithm>

namespace bifid {

TraceMap::TraceMap(std::size_t letters, std::span<const std::size_t> rowLengths)
    : m_letters(letters)
{
    m_rowStarts.reserve(rowLengths.size() + 1);
    m_rowStarts.push_back(0);
    for (std::size_t length : rowLengths)
        m_rowStarts.push_back(m_rowStarts.back() + length);
}

TraceMap TraceMap::dealt(std::size_t letters, int depth)
{
    const auto rows = static_cast<std::size_t>(std::max(depth, 1));
    const std::size_t digits = 2 * letters;
    std::vector<std::size_t> lengths(rows);
    for (std::size_t k = 0; k < rows; ++k)
        lengths[k] = digits / rows + (k < digits % rows ? 1 : 0);
    return {letters, lengths};
}

std::optional<std::size_t> TraceMap::codeOf(RowPlace place) const
{
    const auto row = static_cast<std::size_t>(place.row);
    if (place.index >= m_rowStarts[row + 1] - m_rowStarts[row])
        return std::nullopt;
    return m_rowStarts[row] + place.index;
}

// The row a code place lies in: a search over at most five rows.
std::optional<TraceMap::RowPlace> TraceMap::rowPlaceOfCode(std::size_t code) const
{
    if (code >= codeLength())
        return std::nullopt;
    const auto after = std::upper_bound(m_rowStarts.begin(), m_rowStarts.end(), code);
    const auto row = static_cast<std::size_t>(after - m_rowStarts.begin()) - 1;
    return RowPlace{int(row), code - m_rowStarts[row]};
}

std::optional<std::size_t> TraceMap::coordinateOf(RowPlace place) const
{
    const auto rows = static_cast<std::size_t>(depth());
    if (place.index > 2 * m_letters / rows)  // also keeps the product below from wrapping around
        return std::nullopt;
    const std::size_t coordinate = place.index * rows + static_cast<std::size_t>(place.row);
    if (coordinate >= 2 * m_letters)
        return std::nullopt;
    return coordinate;
}

TraceMap::RowPlace TraceMap::rowPlaceOfCoordinate(std::size_t coordinate) const
{
    const auto rows = static_cast<std::size_t>(depth());
    return {int(coordinate % rows), coordinate / rows};
}

// A coordinate digit, its place in the rows and the code, and the letters it belongs to on both sides.
void TraceMap::markCoordinate(std::size_t coordinate, DigitRole role, std::vector<TraceMark> &marks) const
{
    marks.push_back({TraceField::Coordinates, coordinate, role});
    if (depth() == 0)  // no rows to deal into
        return;
    const RowPlace place = rowPlaceOfCoordinate(coordinate);
    marks.push_back({TraceField::Rows, place.index, role, place.row});
    if (const std::optional<std::size_t> code = codeOf(place)) {
        marks.push_back({TraceField::CipherCode, *code, role});
        marks.push_back({TraceField::Ciphertext, *code / 2, role});
    }
}

// A code digit, its place in the rows and, where the row was dealt that far, in the coordinates.
void TraceMap::markCode(std::size_t code, DigitRole role, std::vector<TraceMark> &marks) const
{
    marks.push_back({TraceField::CipherCode, code, role});
    const RowPlace place = *rowPlaceOfCode(code);
    marks.push_back({TraceField::Rows, place.index, role, place.row});
    if (const std::optional<std::size_t> coordinate = coordinateOf(place)) {
        marks.push_back({TraceField::Coordinates, *coordinate, role});
        marks.push_back({TraceField::Plaintext, *coordinate / 2, role});
    }
}

std::vector<TraceMark> TraceMap::trace(TraceField field, std::size_t index, int row) const
{
    std::vector<TraceMark> marks;
    marks.reserve(10);
    const std::size_t digits = 2 * m_letters;
    switch (field) {
    case TraceField::Plaintext:
        if (index >= m_letters)
            break;
        marks.push_back({TraceField::Plaintext, index, DigitRole::Row});
        markCoordinate(2 * index, DigitRole::Row, marks);
        markCoordinate(2 * index + 1, DigitRole::Column, marks);
        break;
    case TraceField::Coordinates:
        if (index >= digits)
            break;
        marks.push_back({TraceField::Plaintext, index / 2, index % 2 == 0 ? DigitRole::Row : DigitRole::Column});
        markCoordinate(index, index % 2 == 0 ? DigitRole::Row : DigitRole::Column, marks);
        break;
    case TraceField::Rows: {
        if (row < 0 || row >= depth())
            break;
        const std::optional<std::size_t> code = codeOf({row, index});
        const std::optional<std::size_t> coordinate = coordinateOf({row, index});
        if (code)
            return trace(TraceField::CipherCode, *code);
        if (coordinate)  // past the row's edited end: only the dealing knows it
            return trace(TraceField::Coordinates, *coordinate);
        break;
    }
    case TraceField::CipherCode: {
        if (index >= codeLength())
            break;
        const std::optional<std::size_t> coordinate = coordinateOf(*rowPlaceOfCode(index));
        const DigitRole role = coordinate && *coordinate % 2 == 1 ? DigitRole::Column : DigitRole::Row;
        markCode(index, role, marks);
        marks.push_back({TraceField::Ciphertext, index / 2, role});
        break;
    }
    case TraceField::Ciphertext:
        if (index >= (codeLength() + 1) / 2)
            break;
        marks.push_back({TraceField::Ciphertext, index, DigitRole::Row});
        markCode(2 * index, DigitRole::Row, marks);
        if (2 * index + 1 < codeLength())
            markCode(2 * index + 1, DigitRole::Column, marks);
        break;
    }
    return marks;
}

}  // namespace bifid
