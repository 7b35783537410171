// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The steps of the Bifid cipher with a period as a table, block by block as textbooks write them: the
// block's plaintext letters with their row and column digits under them, the rows its digits were
// dealt into, the rows joined (in pairs), and the ciphertext letters with their digits under them.
// Deciphering shows the same columns the other way round. A block wider than the table takes several
// rows, each with a piece of the block's letters and what they became. The model computes a row's
// texts only when the view asks for it, so a text of megabytes costs it nothing until scrolled to.
// The table is a MarkedTextView like StepList, but draws each cell's lines itself, from the top left of
// the cell with a fixed padding, and marks what the trace finds there.

#include "MarkedTextView.h"

#include <cipher/Periodic.h>
#include <cipher/Square.h>
#include <cipher/Trace.h>

#include <QAbstractTableModel>
#include <QTableView>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One pass of the cipher with a period, whichever of the two texts was the input.
struct PeriodPass {
    std::string plaintext;
    std::string ciphertext;  // as long as the plaintext
    bifid::Square square;
    std::size_t period = 0;  // 0: one block of the whole text
    int depth = 2;
    bool deciphering = false;  // the ciphertext was the input
};

// A character of the pass as bifid::TraceMap counts it within its block.
struct BlockPlace {
    std::size_t block = 0;
    bifid::TraceField field = bifid::TraceField::Plaintext;
    std::size_t index = 0;
    int row = 0;  // for TraceField::Rows
    bool operator==(const BlockPlace &) const = default;
};

class PeriodStepModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Step { Block, Plaintext, Rows, Code, Ciphertext };
    static constexpr int kStepCount = 5;
    static constexpr int MarksRole = MarkedTextDelegate::MarksRole;  // QList<CellMark>

    using QAbstractTableModel::QAbstractTableModel;

    void setPass(PeriodPass pass);
    void clear();
    [[nodiscard]] const PeriodPass &pass() const { return m_pass; }
    // At most this many letters of a block per row.
    void setPieceLetters(std::size_t letters);
    // What a row holds at most: never more than a block.
    [[nodiscard]] std::size_t lettersPerRow() const;
    // How many lines a cell of this step needs.
    [[nodiscard]] int linesOf(Step step) const;
    // How many characters wide a cell of this step is at most with this many letters per row.
    [[nodiscard]] int widthOf(Step step, std::size_t pieceLetters) const;
    [[nodiscard]] Step stepOf(int column) const;

    [[nodiscard]] bifid::Block block(std::size_t index) const;
    // The place of letter `letter` (from 0) of the plaintext or ciphertext in its block.
    [[nodiscard]] std::optional<BlockPlace> placeOfLetter(std::size_t letter, bifid::TraceField field) const;
    // The character at this line and place of a cell, if it is a letter or a digit.
    [[nodiscard]] std::optional<BlockPlace> placeAt(const QModelIndex &index, int line, int position) const;
    // The letter or digit a trace mark of this block stands on; none outside the block.
    [[nodiscard]] QChar characterOf(std::size_t block, const bifid::TraceMark &mark) const;
    // Marks what a trace found in this block; only the cells whose marks change are painted again.
    void setTrace(std::size_t block, const std::vector<bifid::TraceMark> &marks);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The letters of a block that one row of the table shows.
    struct Piece {
        std::size_t block = 0;
        bifid::Block extent;  // the block in the text
        std::size_t first = 0;  // first letter in the block
        std::size_t letters = 0;
        bool split = false;  // the block takes more than one row
    };
    struct PlacedMark {
        int row = 0;
        Step step = Step::Block;
        CellMark mark;
        bool operator==(const PlacedMark &) const = default;
    };

    void countRows();
    [[nodiscard]] Piece pieceAt(int row) const;
    [[nodiscard]] int rowOf(std::size_t block, std::size_t letter) const;
    // Row digit or column digit of a letter of a text, as a character '1' to '6'.
    [[nodiscard]] QChar digitOf(const std::string &text, std::size_t letter, bool column) const;
    // The first place of row `row` filled from the block's first `letters` letters.
    [[nodiscard]] std::size_t rowPlacesBefore(int row, std::size_t letters) const;
    [[nodiscard]] QString textOf(const Piece &piece, Step step) const;
    [[nodiscard]] QString lettersWithDigits(const Piece &piece, const std::string &text) const;
    [[nodiscard]] QString blockCaption(const Piece &piece) const;
    [[nodiscard]] std::vector<PlacedMark> placed(std::size_t block, const bifid::TraceMark &mark) const;

    PeriodPass m_pass;
    std::array<std::uint8_t, 256> m_cellOf{};  // the cell of every byte of the square
    std::size_t m_pieceLetters = 10;
    std::size_t m_fullLength = 0;  // letters of every block but perhaps the last
    std::size_t m_blockCount = 0;
    int m_rowsPerFullBlock = 0;
    int m_rowCount = 0;
    std::vector<PlacedMark> m_marks;
};

// The table of the steps. It fits as many letters per row as its width holds, and gives every row the
// same height, so that it lays out only the rows in view.
class PeriodStepTable final : public MarkedTextView<QTableView> {
    Q_OBJECT

public:
    explicit PeriodStepTable(QWidget *parent = nullptr);

    [[nodiscard]] PeriodStepModel &steps() { return m_model; }
    [[nodiscard]] const PeriodStepModel &steps() const { return m_model; }
    // The letter or digit drawn at this point of the viewport, if any.
    [[nodiscard]] std::optional<BlockPlace> placeAt(QPoint point) const;

private:
    void fitCells() override;

    PeriodStepModel m_model;
};
