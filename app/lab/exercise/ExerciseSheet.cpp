// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExerciseSheet.h"

#include "ExerciseTexts.h"
#include "TextCodec.h"

#include <cipher/Grouping.h>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPicture>

#include <algorithm>

using bifid::ExerciseField;

namespace {

// The sheet is laid out in tenths of a millimetre on the writable part of an A4 page with margins of
// 10 mm, and scaled to the device's page. The longest task fits with room to spare.
constexpr double kWidth = 1900;
constexpr double kHeight = 2770;
constexpr double kBox = 55;  // one digit
constexpr double kPairGap = 15;
constexpr double kLetterPitch = 2 * kBox + kPairGap;  // a letter over its two digits
constexpr double kBlockGap = 2 * kBox;
constexpr double kLineGap = 25;
constexpr double kStepGap = 45;
constexpr double kCell = 60;
constexpr double kHeader = 40;  // the square's row and column numbers
constexpr int kTitleSize = 55;
constexpr int kTextSize = 35;
constexpr int kSmallSize = 25;
constexpr int kBoxTextSize = 38;
const QColor kKeywordCell(220, 220, 220);

QString character(std::string_view text, std::size_t place)
{
    return place < text.size() ? TextCodec::fromCodePage(text.substr(place, 1)) : QString();
}

QFont font(int size, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

class Sheet {
public:
    Sheet(QPainter &painter, const bifid::ExerciseTask &task, const bifid::ExerciseSolution &solution)
        : m_painter(painter)
        , m_task(task)
        , m_solution(solution)
    {
    }

    // One page: the answers in the boxes when `filled`. Gives the height it took.
    double page(const QString &title, bool filled)
    {
        m_filled = filled;
        m_y = 0;
        write(title, kTitleSize, true, kWidth);
        if (!filled) {
            m_painter.setFont(font(kTextSize, false));
            m_painter.drawText(QRectF(0, 0, kWidth, kTitleSize * 1.4), Qt::AlignRight | Qt::AlignVCenter,
                QStringLiteral("Name: ____________________"));
        }
        m_y += kLineGap;

        const int side = bifid::sideOf(m_task.dimension);
        const double squareExtent = kHeader + side * kCell;
        const double top = m_y;
        drawSquare(kWidth - squareExtent, top);
        const double textWidth = kWidth - squareExtent - 2 * kStepGap;
        for (const QString &line : ExerciseTexts::taskLines(m_task, m_solution))
            write(line, kTextSize, false, textWidth);
        write(ExerciseTexts::keywordLine(m_task), kTextSize, true, textWidth);
        m_y = std::max(m_y, top + squareExtent) + kStepGap;

        const std::string_view given = m_solution.given;
        step(ExerciseField::Coordinates);
        lettersWithDigits(given, m_solution.coordinates);
        step(ExerciseField::Rows);
        rows();
        step(ExerciseField::Code);
        pairs(m_solution.code);
        step(ExerciseField::Result);
        letters(m_solution.result);
        return m_y;
    }

private:
    // Wrapped at the width, below what was written last.
    void write(const QString &text, int size, bool bold, double width)
    {
        m_painter.setFont(font(size, bold));
        QRectF written;
        m_painter.drawText(QRectF(0, m_y, width, kHeight), Qt::TextWordWrap, text, &written);
        m_y += written.height();
    }

    void box(QRectF place, const QString &content, int size = kBoxTextSize)
    {
        m_painter.drawRect(place);
        if (!content.isEmpty()) {
            m_painter.setFont(font(size, false));
            m_painter.drawText(place, Qt::AlignCenter, content);
        }
    }

    // What the box shows: on the solution page the answer, else nothing.
    [[nodiscard]] QString answer(std::string_view text, std::size_t place) const
    {
        return m_filled ? character(text, place) : QString();
    }

    void drawSquare(double left, double top)
    {
        const bifid::KeyedSquare square = bifid::exerciseSquare(m_task);
        const auto side = std::size_t(bifid::sideOf(m_task.dimension));
        m_painter.setFont(font(kTextSize, true));
        for (std::size_t k = 0; k < side; ++k) {
            const QString number = QString::number(k + 1);
            m_painter.drawText(
                QRectF(left + kHeader + double(k) * kCell, top, kCell, kHeader), Qt::AlignCenter, number);
            m_painter.drawText(
                QRectF(left, top + kHeader + double(k) * kCell, kHeader, kCell), Qt::AlignCenter, number);
        }
        for (std::size_t cell = 0; cell < square.square.cellCount(); ++cell) {
            const std::size_t row = cell / side;
            const std::size_t column = cell % side;
            const QRectF place(
                left + kHeader + double(column) * kCell, top + kHeader + double(row) * kCell, kCell, kCell);
            if (square.keywordCells[cell])
                m_painter.fillRect(place, kKeywordCell);
            box(place, character(square.square.cells(), cell), kTextSize);
        }
    }

    void step(ExerciseField field)
    {
        m_y += kStepGap;
        write(ExerciseTexts::fieldLabel(m_task, field), kTextSize, true, kWidth);
        m_y += kLineGap / 2;
    }

    [[nodiscard]] static std::size_t lettersPerLine() { return std::size_t((kWidth + kPairGap) / kLetterPitch); }

    // Each letter in a box, its two digits in boxes below it.
    void lettersWithDigits(std::string_view given, std::string_view digits)
    {
        for (std::size_t start = 0; start < given.size(); start += lettersPerLine()) {
            for (std::size_t i = start; i < std::min(given.size(), start + lettersPerLine()); ++i) {
                const double x = double(i - start) * kLetterPitch;
                box({x, m_y, 2 * kBox, kBox}, character(given, i));
                box({x, m_y + kBox, kBox, kBox}, answer(digits, 2 * i));
                box({x + kBox, m_y + kBox, kBox, kBox}, answer(digits, 2 * i + 1));
            }
            m_y += 2 * kBox + kLineGap;
        }
    }

    void pairs(std::string_view digits)
    {
        const std::size_t count = digits.size() / 2;
        for (std::size_t start = 0; start < count; start += lettersPerLine()) {
            for (std::size_t i = start; i < std::min(count, start + lettersPerLine()); ++i) {
                const double x = double(i - start) * kLetterPitch;
                box({x, m_y, kBox, kBox}, answer(digits, 2 * i));
                box({x + kBox, m_y, kBox, kBox}, answer(digits, 2 * i + 1));
            }
            m_y += kBox + kLineGap;
        }
    }

    void letters(std::string_view text)
    {
        for (std::size_t start = 0; start < text.size(); start += lettersPerLine()) {
            for (std::size_t i = start; i < std::min(text.size(), start + lettersPerLine()); ++i)
                box({double(i - start) * kLetterPitch, m_y, 2 * kBox, kBox}, answer(text, i));
            m_y += kBox + kLineGap;
        }
    }

    // The rows of each block side by side, the blocks one after another; a block wider than the sheet
    // (the whole text without a period) goes on in the next line.
    void rows()
    {
        const auto depth = std::size_t(std::max(m_task.depth, 1));
        const double label = m_task.period == 0 ? 0 : kSmallSize * 1.4;
        const double lineHeight = label + double(depth) * kBox + kLineGap;
        const auto columnsPerLine = std::size_t(kWidth / kBox);
        const std::vector<std::string> &rows = m_solution.rows;
        double x = 0;
        for (std::size_t block = 0; block * depth < rows.size(); ++block) {
            const std::size_t longest = rows[block * depth].size();
            for (std::size_t first = 0; first < longest; first += columnsPerLine) {
                const std::size_t columns = std::min(columnsPerLine, longest - first);
                if (x > 0 && x + double(columns) * kBox > kWidth) {
                    m_y += lineHeight;
                    x = 0;
                }
                if (label > 0 && first == 0) {
                    m_painter.setFont(font(kSmallSize, false));
                    m_painter.drawText(QPointF(x, m_y + kSmallSize), QStringLiteral("Block %1").arg(block + 1));
                }
                for (std::size_t k = 0; k < depth && block * depth + k < rows.size(); ++k) {
                    const std::string &row = rows[block * depth + k];
                    for (std::size_t c = first; c < std::min(row.size(), first + columns); ++c)
                        box({x + double(c - first) * kBox, m_y + label + double(k) * kBox, kBox, kBox}, answer(row, c));
                }
                x += double(columns) * kBox + kBlockGap;
            }
        }
        if (x > 0)
            m_y += lineHeight;
    }

    QPainter &m_painter;
    const bifid::ExerciseTask &m_task;
    const bifid::ExerciseSolution &m_solution;
    bool m_filled = false;
    double m_y = 0;
};

// The answer key of a class set: one row per task, wrapped within its columns, the header again on
// every page.
class AnswerKey {
public:
    AnswerKey(QPainter &painter, QPagedPaintDevice &device, double scale)
        : m_painter(painter)
        , m_device(device)
        , m_scale(scale)
    {
    }

    void print(std::span<const ExerciseSheet::CodedTask> tasks)
    {
        startPage();
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            const bifid::ExerciseTask &task = tasks[i].task;
            const bifid::ExerciseSolution solution = bifid::solveExercise(task);
            const std::array<QString, kColumns.size()> cells{QString::number(i + 1), tasks[i].code,
                ExerciseTexts::taskSummary(task), TextCodec::fromCodePage(task.keyword),
                TextCodec::fromCodePage(bifid::groupText(solution.code, 2)),
                TextCodec::fromCodePage(bifid::groupText(solution.result, task.period == 0 ? 5 : task.period))};
            row(cells, false);
        }
    }

private:
    struct Column {
        const char *title;
        double width;
        int wrap;  // a keyword has no blanks to break at
    };
    static constexpr std::array<Column, 6> kColumns{
        {{"Nr.", 60, Qt::TextWordWrap}, {"Aufgabencode", 190, Qt::TextWordWrap}, {"Aufgabe", 300, Qt::TextWordWrap},
            {"Keyword", 360, Qt::TextWrapAnywhere}, {"Cipher-Code", 530, Qt::TextWordWrap},
            {"Ergebnis", 460, Qt::TextWordWrap}}};

    static constexpr double kPadding = 8;

    void startPage()
    {
        m_y = 0;
        m_painter.setFont(font(kTitleSize, true));
        QRectF written;
        m_painter.drawText(QRectF(0, 0, kWidth, kHeight), 0, QStringLiteral("Lösungen zum Klassensatz"), &written);
        m_y = written.height() + kLineGap;
        std::array<QString, kColumns.size()> titles;
        for (std::size_t c = 0; c < kColumns.size(); ++c)
            titles[c] = QString::fromUtf8(kColumns[c].title);
        row(titles, true);
    }

    void row(const std::array<QString, kColumns.size()> &cells, bool header)
    {
        m_painter.setFont(font(kSmallSize, header));
        double height = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const QRectF needed = m_painter.boundingRect(
                QRectF(0, 0, kColumns[c].width - 2 * kPadding, kHeight), kColumns[c].wrap, cells[c]);
            height = std::max(height, needed.height() + 2 * kPadding);
        }
        if (!header && m_y + height > kHeight) {
            m_device.newPage();
            m_painter.resetTransform();
            m_painter.scale(m_scale, m_scale);
            startPage();
            m_painter.setFont(font(kSmallSize, false));
        }
        double x = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const QRectF cell(x, m_y, kColumns[c].width, height);
            if (header)
                m_painter.fillRect(cell, kKeywordCell);
            m_painter.drawRect(cell);
            m_painter.drawText(cell.adjusted(kPadding, kPadding, -kPadding, -kPadding), kColumns[c].wrap, cells[c]);
            x += kColumns[c].width;
        }
        m_y += height;
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    double m_scale;
    double m_y = 0;
};

double scaleFor(const QPaintDevice &device)
{
    return std::min(device.width() / kWidth, device.height() / kHeight);
}

}  // namespace

namespace ExerciseSheet {

bool paint(QPagedPaintDevice &device, const CodedTask &task, bool withSolution)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const bifid::ExerciseSolution solution = bifid::solveExercise(task.task);
    const double scale = scaleFor(device);
    Sheet sheet(painter, task.task, solution);
    painter.scale(scale, scale);
    sheet.page(ExerciseTexts::title(task.code), false);
    if (withSolution) {
        device.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        sheet.page(QStringLiteral("Lösung: %1").arg(ExerciseTexts::title(task.code)), true);
    }
    return painter.end();
}

bool paintClassSet(QPagedPaintDevice &device, std::span<const CodedTask> tasks)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = scaleFor(device);
    for (const CodedTask &task : tasks) {
        const bifid::ExerciseSolution solution = bifid::solveExercise(task.task);
        Sheet sheet(painter, task.task, solution);
        painter.scale(scale, scale);
        sheet.page(ExerciseTexts::title(task.code), false);
        device.newPage();
        painter.resetTransform();
    }
    painter.scale(scale, scale);
    AnswerKey(painter, device, scale).print(tasks);
    return painter.end();
}

double pageShareOf(const CodedTask &task)
{
    QPicture picture;
    QPainter painter(&picture);
    const bifid::ExerciseSolution solution = bifid::solveExercise(task.task);
    return Sheet(painter, task.task, solution).page(ExerciseTexts::title(task.code), false) / kHeight;
}

}  // namespace ExerciseSheet
