// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PeriodStepTable.h"

#include "Colours.h"
#include "TextCodec.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

using bifid::TraceField;
using Step = PeriodStepModel::Step;

namespace {

constexpr std::uint8_t kNoCell = 0xFF;
constexpr int kHorizontalPadding = 5;
constexpr int kVerticalPadding = 3;
constexpr std::size_t kMostLettersPerRow = 40;
constexpr std::size_t kFewestLettersPerRow = 5;

constexpr std::array<Step, PeriodStepModel::kStepCount> kEncipherColumns
    = {Step::Block, Step::Plaintext, Step::Rows, Step::Code, Step::Ciphertext};
constexpr std::array<Step, PeriodStepModel::kStepCount> kDecipherColumns
    = {Step::Block, Step::Ciphertext, Step::Code, Step::Rows, Step::Plaintext};

std::size_t roundUp(std::size_t value, std::size_t step)
{
    return (value + step - 1) / step;
}

// Where the lines of a cell stand: as many as the cell's text has, from the top left of its room, each
// drawn whole in the table's font.
class CellLines final : public MarkedTextDelegate::CellText {
public:
    // The model's text, not the option's, whose line breaks the delegate has made line separators.
    CellLines(const QStyleOptionViewItem &item, const QModelIndex &index)
        : m_cell(item.rect)
        , m_font(item.font)
        , m_metrics(item.font)
        , m_room(item.rect.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding))
        , m_lines(index.data(Qt::DisplayRole).toString().split(u'\n'))
    {
    }

    void paint(QPainter *painter, const QColor &colour) const
    {
        painter->save();
        painter->setClipRect(m_cell);
        painter->setFont(m_font);
        painter->setPen(colour);
        for (int line = 0; line < m_lines.size(); ++line)
            painter->drawText(QPoint(m_room.left(), baseline(line)), m_lines[line]);
        painter->restore();
    }

    [[nodiscard]] bool holds(CellPlace place) const override
    {
        return place.line >= 0 && place.line < m_lines.size() && place.position >= 0
            && place.position < m_lines[place.line].size();
    }

    void paintMark(QPainter *painter, CellPlace place, const Colours::CellColours &colours) const override
    {
        const QRect box = characterRect(place.line, place.position);
        painter->save();
        painter->setClipRect(m_cell);
        painter->setFont(m_font);
        painter->fillRect(box, colours.background);
        painter->setPen(colours.text);
        painter->drawText(QPoint(box.left(), baseline(place.line)), m_lines[place.line].at(place.position));
        painter->restore();
    }

    [[nodiscard]] std::optional<CellPlace> characterAt(QPoint point) const override
    {
        const int line = (point.y() - m_room.top()) / m_metrics.lineSpacing();
        if (point.y() < m_room.top() || line >= m_lines.size())
            return std::nullopt;
        for (int position = 0; position < m_lines[line].size(); ++position) {
            if (characterRect(line, position).contains(point))
                return CellPlace{line, position};
        }
        return std::nullopt;
    }

private:
    [[nodiscard]] int baseline(int line) const
    {
        return m_room.top() + line * m_metrics.lineSpacing() + m_metrics.ascent();
    }
    [[nodiscard]] QRect characterRect(int line, int position) const
    {
        const QString &text = m_lines[line];
        const int left = m_metrics.horizontalAdvance(text.left(position));
        return {m_room.left() + left, m_room.top() + line * m_metrics.lineSpacing(),
            m_metrics.horizontalAdvance(text.at(position)), m_metrics.lineSpacing()};
    }

    QRect m_cell;
    QFont m_font;
    QFontMetrics m_metrics;
    QRect m_room;
    QStringList m_lines;
};

// Draws a cell's background as the style does and its lines itself, as CellLines places them.
class PeriodStepDelegate final : public MarkedTextDelegate {
public:
    using MarkedTextDelegate::MarkedTextDelegate;

protected:
    void paintCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const CellLines cell(item, index);
        item.text.clear();
        const QWidget *widget = item.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        const bool selected = item.state & QStyle::State_Selected;
        cell.paint(painter, item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    }

    [[nodiscard]] std::unique_ptr<CellText> textOf(
        const QStyleOptionViewItem &item, const QModelIndex &index) const override
    {
        return std::make_unique<CellLines>(item, index);
    }
};

}  // namespace

// ---- Model ----------------------------------------------------------------------------------------

void PeriodStepModel::setPass(PeriodPass pass)
{
    beginResetModel();
    m_pass = std::move(pass);
    m_cellOf.fill(kNoCell);
    const std::string &cells = m_pass.square.cells();
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        m_cellOf[static_cast<unsigned char>(cells[cell])] = static_cast<std::uint8_t>(cell);
    m_marks.clear();
    countRows();
    endResetModel();
}

void PeriodStepModel::clear()
{
    PeriodPass empty;
    empty.square = m_pass.square;
    empty.depth = m_pass.depth;
    empty.deciphering = m_pass.deciphering;
    setPass(std::move(empty));
}

void PeriodStepModel::setPieceLetters(std::size_t letters)
{
    letters = std::max<std::size_t>(letters, 1);
    if (letters == m_pieceLetters)
        return;
    beginResetModel();
    m_pieceLetters = letters;
    m_marks.clear();
    countRows();
    endResetModel();
}

std::size_t PeriodStepModel::lettersPerRow() const
{
    return std::max<std::size_t>(1, std::min(m_pieceLetters, m_fullLength));
}

void PeriodStepModel::countRows()
{
    const std::size_t letters = m_pass.plaintext.size();
    m_blockCount = bifid::blockCount(letters, m_pass.period);
    m_fullLength = m_pass.period == 0 ? letters : std::min(m_pass.period, letters);
    m_rowCount = 0;
    m_rowsPerFullBlock = 0;
    if (m_blockCount == 0)
        return;
    const std::size_t perRow = lettersPerRow();
    const std::size_t rowsPerFull = roundUp(m_fullLength, perRow);
    const std::size_t rowsOfLast = roundUp(block(m_blockCount - 1).length, perRow);
    // A view counts its rows in int; 2^31 rows would be far beyond the memory anyway.
    const std::size_t rows = (m_blockCount - 1) * rowsPerFull + rowsOfLast;
    m_rowsPerFullBlock = int(rowsPerFull);
    m_rowCount = int(std::min<std::size_t>(rows, std::numeric_limits<int>::max()));
}

bifid::Block PeriodStepModel::block(std::size_t index) const
{
    return bifid::blockAt(m_pass.plaintext.size(), m_pass.period, index);
}

PeriodStepModel::Piece PeriodStepModel::pieceAt(int row) const
{
    const std::size_t perRow = lettersPerRow();
    const auto rowsPerFull = std::size_t(m_rowsPerFullBlock);
    const std::size_t index = std::min(std::size_t(row) / rowsPerFull, m_blockCount - 1);
    const bifid::Block extent = block(index);
    const std::size_t first = (std::size_t(row) - index * rowsPerFull) * perRow;
    return {index, extent, first, std::min(perRow, extent.length - first), extent.length > perRow};
}

int PeriodStepModel::rowOf(std::size_t block, std::size_t letter) const
{
    return int(block * std::size_t(m_rowsPerFullBlock) + letter / lettersPerRow());
}

QChar PeriodStepModel::digitOf(const std::string &text, std::size_t letter, bool column) const
{
    const auto side = static_cast<std::uint8_t>(m_pass.square.side());
    const std::uint8_t cell = m_cellOf[static_cast<unsigned char>(text[letter])];
    return QChar(u'1' + (column ? cell % side : cell / side));
}

// A pass has no hand edits: a digit is the same in the coordinates, the rows and the code, and the
// coordinates and the code are the digits of the plaintext and the ciphertext letters.
QChar PeriodStepModel::characterOf(std::size_t blockIndex, const bifid::TraceMark &mark) const
{
    const bifid::Block extent = block(blockIndex);
    const auto digitAt = [&](const std::string &text, std::size_t digit) {
        return digit < 2 * extent.length ? digitOf(text, extent.start + digit / 2, digit % 2 == 1) : QChar();
    };
    switch (mark.field) {
    case TraceField::Plaintext:
    case TraceField::Ciphertext: {
        const std::string &text = mark.field == TraceField::Plaintext ? m_pass.plaintext : m_pass.ciphertext;
        if (mark.index >= extent.length)
            return {};
        return TextCodec::fromCodePage(std::string_view(&text[extent.start + mark.index], 1)).front();
    }
    case TraceField::Coordinates: return digitAt(m_pass.plaintext, mark.index);
    case TraceField::Rows:
        return digitAt(m_pass.plaintext, mark.index * std::size_t(m_pass.depth) + std::size_t(mark.row));
    case TraceField::CipherCode: return digitAt(m_pass.ciphertext, mark.index);
    }
    return {};
}

std::size_t PeriodStepModel::rowPlacesBefore(int row, std::size_t letters) const
{
    const auto depth = std::size_t(m_pass.depth);
    const auto r = std::size_t(row);
    return 2 * letters > r ? (2 * letters - r + depth - 1) / depth : 0;
}

Step PeriodStepModel::stepOf(int column) const
{
    return (m_pass.deciphering ? kDecipherColumns : kEncipherColumns)[std::size_t(column)];
}

int PeriodStepModel::linesOf(Step step) const
{
    switch (step) {
    case Step::Block:
    case Step::Plaintext:
    case Step::Ciphertext: return 3;
    case Step::Rows: return m_pass.depth;
    case Step::Code: return 1;
    }
    return 1;
}

int PeriodStepModel::widthOf(Step step, std::size_t pieceLetters) const
{
    const auto letters = int(std::max<std::size_t>(1, std::min(pieceLetters, m_fullLength)));
    switch (step) {
    case Step::Block: {
        const QString split = QStringLiteral("Buchstaben %1–%1").arg(qulonglong(m_fullLength));
        const QString shorter = QStringLiteral("kürzer: %1 Buchstaben").arg(qulonglong(m_fullLength));
        return int(std::max({split.size(), shorter.size(), qsizetype(12)}));
    }
    case Step::Plaintext:
    case Step::Ciphertext: return 2 * letters - 1;
    case Step::Rows: return 2 * int(roundUp(2 * std::size_t(letters), std::size_t(m_pass.depth))) - 1;
    case Step::Code: return 3 * letters - 1;
    }
    return 1;
}

QString PeriodStepModel::lettersWithDigits(const Piece &piece, const std::string &text) const
{
    QString letters;
    QString rows;
    QString columns;
    for (std::size_t i = 0; i < piece.letters; ++i) {
        const std::size_t letter = piece.extent.start + piece.first + i;
        if (i > 0) {
            letters += u' ';
            rows += u' ';
            columns += u' ';
        }
        letters += QChar(static_cast<unsigned char>(text[letter]));
        rows += digitOf(text, letter, false);
        columns += digitOf(text, letter, true);
    }
    return letters + u'\n' + rows + u'\n' + columns;
}

QString PeriodStepModel::blockCaption(const Piece &piece) const
{
    QString caption = QStringLiteral("Block %1").arg(qulonglong(piece.block) + 1);
    if (piece.split)
        caption += QStringLiteral("\nBuchstaben %1–%2")
                       .arg(qulonglong(piece.first) + 1)
                       .arg(qulonglong(piece.first) + piece.letters);
    if (piece.extent.length < m_fullLength)
        caption += piece.extent.length == 1
            ? QStringLiteral("\nkürzer: 1 Buchstabe")
            : QStringLiteral("\nkürzer: %1 Buchstaben").arg(qulonglong(piece.extent.length));
    return caption;
}

QString PeriodStepModel::textOf(const Piece &piece, Step step) const
{
    switch (step) {
    case Step::Block: return blockCaption(piece);
    case Step::Plaintext: return lettersWithDigits(piece, m_pass.plaintext);
    case Step::Ciphertext: return lettersWithDigits(piece, m_pass.ciphertext);
    case Step::Rows: {
        // The rows as far as the piece's letters filled them.
        const auto depth = std::size_t(m_pass.depth);
        QStringList rows;
        for (int row = 0; row < m_pass.depth; ++row) {
            QString digits;
            const std::size_t end = rowPlacesBefore(row, piece.first + piece.letters);
            for (std::size_t j = rowPlacesBefore(row, piece.first); j < end; ++j) {
                const std::size_t coordinate = j * depth + std::size_t(row);
                if (!digits.isEmpty())
                    digits += u' ';
                digits += digitOf(m_pass.plaintext, piece.extent.start + coordinate / 2, coordinate % 2 == 1);
            }
            rows << digits;
        }
        return rows.join(u'\n');
    }
    case Step::Code: {
        QString pairs;
        for (std::size_t i = 0; i < piece.letters; ++i) {
            const std::size_t letter = piece.extent.start + piece.first + i;
            if (i > 0)
                pairs += u' ';
            pairs += digitOf(m_pass.ciphertext, letter, false);
            pairs += digitOf(m_pass.ciphertext, letter, true);
        }
        return pairs;
    }
    }
    return {};
}

std::optional<BlockPlace> PeriodStepModel::placeOfLetter(std::size_t letter, TraceField field) const
{
    if (letter >= m_pass.plaintext.size())
        return std::nullopt;
    const std::size_t index = m_pass.period == 0 ? 0 : letter / m_pass.period;
    return BlockPlace{index, field, letter - block(index).start};
}

std::optional<BlockPlace> PeriodStepModel::placeAt(const QModelIndex &index, int line, int position) const
{
    if (!index.isValid() || index.row() >= m_rowCount || line < 0 || position < 0)
        return std::nullopt;
    const Piece piece = pieceAt(index.row());
    const auto at = std::size_t(position);
    const auto letterAt = [&](std::size_t pitch) -> std::optional<std::size_t> {
        if (at / pitch >= piece.letters)
            return std::nullopt;
        return piece.first + at / pitch;
    };
    switch (const Step step = stepOf(index.column())) {
    case Step::Block: return std::nullopt;
    case Step::Plaintext:
    case Step::Ciphertext: {
        const std::optional<std::size_t> letter = letterAt(2);
        if (at % 2 == 1 || !letter || line > 2)
            return std::nullopt;
        if (line == 0)
            return BlockPlace{
                piece.block, step == Step::Plaintext ? TraceField::Plaintext : TraceField::Ciphertext, *letter};
        const TraceField digits = step == Step::Plaintext ? TraceField::Coordinates : TraceField::CipherCode;
        return BlockPlace{piece.block, digits, 2 * *letter + std::size_t(line - 1)};
    }
    case Step::Code: {
        const std::optional<std::size_t> letter = letterAt(3);
        if (at % 3 == 2 || !letter || line > 0)
            return std::nullopt;
        return BlockPlace{piece.block, TraceField::CipherCode, 2 * *letter + at % 3};
    }
    case Step::Rows: {
        if (line >= m_pass.depth || at % 2 == 1)
            return std::nullopt;
        const std::size_t place = rowPlacesBefore(line, piece.first) + at / 2;
        if (place >= rowPlacesBefore(line, piece.first + piece.letters))
            return std::nullopt;
        return BlockPlace{piece.block, TraceField::Rows, place, line};
    }
    }
    return std::nullopt;
}

std::vector<PeriodStepModel::PlacedMark> PeriodStepModel::placed(std::size_t block, const bifid::TraceMark &mark) const
{
    const std::size_t perRow = lettersPerRow();
    const auto inRow = [&](std::size_t letter) { return int(letter % perRow); };
    switch (mark.field) {
    case TraceField::Plaintext:
    case TraceField::Ciphertext: {
        const Step step = mark.field == TraceField::Plaintext ? Step::Plaintext : Step::Ciphertext;
        return {{rowOf(block, mark.index), step, {0, 2 * inRow(mark.index), mark.role}}};
    }
    case TraceField::Coordinates: {
        const std::size_t letter = mark.index / 2;
        return {{rowOf(block, letter), Step::Plaintext, {1 + int(mark.index % 2), 2 * inRow(letter), mark.role}}};
    }
    case TraceField::CipherCode: {
        const std::size_t letter = mark.index / 2;
        const int digit = int(mark.index % 2);
        return {{rowOf(block, letter), Step::Code, {0, 3 * inRow(letter) + digit, mark.role}},
            {rowOf(block, letter), Step::Ciphertext, {1 + digit, 2 * inRow(letter), mark.role}}};
    }
    case TraceField::Rows: {
        const std::size_t letter = (mark.index * std::size_t(m_pass.depth) + std::size_t(mark.row)) / 2;
        const std::size_t first = letter - letter % perRow;
        const auto place = int(mark.index - rowPlacesBefore(mark.row, first));
        return {{rowOf(block, letter), Step::Rows, {mark.row, 2 * place, mark.role}}};
    }
    }
    return {};
}

void PeriodStepModel::setTrace(std::size_t block, const std::vector<bifid::TraceMark> &marks)
{
    std::vector<PlacedMark> placedMarks;
    if (block < m_blockCount) {
        for (const bifid::TraceMark &mark : marks) {
            for (const PlacedMark &place : placed(block, mark))
                placedMarks.push_back(place);
        }
    }
    if (placedMarks == m_marks)
        return;
    std::swap(placedMarks, m_marks);
    const std::array<Step, kStepCount> &columns = m_pass.deciphering ? kDecipherColumns : kEncipherColumns;
    for (const std::vector<PlacedMark> *changed : {&placedMarks, &m_marks}) {
        for (const PlacedMark &mark : *changed) {
            const auto column = int(std::find(columns.begin(), columns.end(), mark.step) - columns.begin());
            if (mark.row < m_rowCount)
                emit dataChanged(index(mark.row, column), index(mark.row, column), {MarksRole});
        }
    }
}

int PeriodStepModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int PeriodStepModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kStepCount;
}

QVariant PeriodStepModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const Step step = stepOf(index.column());
    switch (role) {
    case Qt::DisplayRole: return textOf(pieceAt(index.row()), step);
    case MarksRole: {
        QList<CellMark> marks;
        for (const PlacedMark &mark : m_marks) {
            if (mark.row == index.row() && mark.step == step)
                marks.push_back(mark.mark);
        }
        return QVariant::fromValue(marks);
    }
    default: return {};
    }
}

QVariant PeriodStepModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kStepCount)
        return {};
    const Step step = stepOf(section);
    if (role == Qt::DisplayRole) {
        switch (step) {
        case Step::Block: return QStringLiteral("Block");
        case Step::Plaintext: return QStringLiteral("Klartext");
        case Step::Rows: return QStringLiteral("Zeilen");
        case Step::Code: return QStringLiteral("Ziffernfolge");
        case Step::Ciphertext: return QStringLiteral("Geheimtext");
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (step) {
        case Step::Block:
            return QStringLiteral("Jeder Block wird für sich fraktioniert; der letzte darf kürzer sein und wird nicht "
                                  "aufgefüllt.");
        case Step::Plaintext:
            return QStringLiteral("Die Buchstaben des Klartexts, unter jedem seine Zeilen- und darunter seine "
                                  "Spaltenziffer in der Matrix.");
        case Step::Rows:
            return m_pass.deciphering
                ? QStringLiteral("Die Ziffernfolge des Blocks in %1 Zeilen zurückgeschnitten; spaltenweise gelesen "
                                 "ergibt sie die Ziffern des Klartexts.")
                      .arg(m_pass.depth)
                : QStringLiteral("Die Ziffern des Blocks reihum auf %1 Zeilen verteilt: die 1. Ziffer in Zeile 1, die "
                                 "2. in Zeile 2 und so fort.")
                      .arg(m_pass.depth);
        case Step::Code:
            return m_pass.deciphering
                ? QStringLiteral("Die Ziffern des Geheimtexts hintereinander, paarweise.")
                : QStringLiteral("Die Zeilen hintereinander gelesen, paarweise: jedes Paar ist Zeile und Spalte eines "
                                 "Geheimtext-Buchstabens.");
        case Step::Ciphertext:
            return QStringLiteral("Die Buchstaben des Geheimtexts, unter jedem seine Zeilen- und darunter seine "
                                  "Spaltenziffer in der Matrix.");
        }
    }
    return {};
}

// ---- View -----------------------------------------------------------------------------------------

PeriodStepTable::PeriodStepTable(QWidget *parent)
    : MarkedTextView(parent)
    , m_model(this)
{
    setDelegate(new PeriodStepDelegate(this));
    setModel(&m_model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // no row is measured
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &PeriodStepTable::fitCells);
    fitCells();
}

// As many letters per row as the width holds beside a scroll bar (a multiple of five from ten on), so
// that the rows do not change with the scroll bar; never fewer than five.
void PeriodStepTable::fitCells()
{
    const QFontMetrics metrics(font());
    const int advance = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    const QFontMetrics captionMetrics(horizontalHeader()->font());
    const int captionMargin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 2;
    const auto columnWidth = [&](int column, std::size_t letters) {
        const QString caption = m_model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        return std::max(m_model.widthOf(m_model.stepOf(column), letters) * advance + 2 * kHorizontalPadding + 1,
            captionMetrics.horizontalAdvance(caption) + captionMargin);
    };
    const auto tableWidth = [&](std::size_t letters) {
        int width = 0;
        for (int column = 0; column < PeriodStepModel::kStepCount; ++column)
            width += columnWidth(column, letters);
        return width;
    };
    const int room = viewport()->width() - verticalScrollBar()->sizeHint().width();
    std::size_t letters = kMostLettersPerRow;
    while (letters > kFewestLettersPerRow && tableWidth(letters) > room)
        --letters;
    if (letters >= 10)
        letters -= letters % 5;
    m_model.setPieceLetters(letters);  // a change resets the model, whose signal brings us here once more

    int lines = 1;
    for (int column = 0; column < PeriodStepModel::kStepCount; ++column) {
        setColumnWidth(column, columnWidth(column, letters));
        lines = std::max(lines, m_model.linesOf(m_model.stepOf(column)));
    }
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(lines * metrics.lineSpacing() + 2 * kVerticalPadding + 1);
}

std::optional<BlockPlace> PeriodStepTable::placeAt(QPoint point) const
{
    const std::optional<CellCharacter> character = cellCharacterAt(point);
    if (!character)
        return std::nullopt;
    return m_model.placeAt(character->cell, character->place.line, character->place.position);
}
