// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A memo that marks characters in colours of their own, for display only, and paints only the lines in
// view, each through a layout of that line's few characters. Qt's own painting, extra selections and
// hit tests analyse a block as a whole every time (about 75 ms for a block of 2 million digits), and the
// window's memos hold each text as one block of megabytes. It paints what those memos show: plain text
// in one font, the selection and the cursor; block formats it leaves out.
//
// For the same reason it lays a changed block out once, when the block is first asked for its lines, and
// keeps what that layout worked out for a long block (see MarkedMemo.cpp).

#include "Colours.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <optional>
#include <vector>

class MarkedMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    struct Mark {
        int position = 0;  // of the character in the document
        Colours::CellColours colours;
    };

    explicit MarkedMemo(QWidget *parent = nullptr);

    // Marks outside the text are left out when painting; the text, its cursor and undo stack stay.
    void setMarks(std::vector<Mark> marks);
    [[nodiscard]] const std::vector<Mark> &marks() const { return m_marks; }

    // The character whose box holds this point of the viewport, if any.
    [[nodiscard]] std::optional<int> characterAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // A line of a block in view, where the viewport shows it.
    struct ShownLine {
        QTextBlock block;
        QTextLine line;
        QPointF origin;  // of the line's layout in the viewport
    };
    // Every line in view that meets the band of viewport rows [top, bottom], top to bottom.
    [[nodiscard]] std::vector<ShownLine> linesBetween(qreal top, qreal bottom) const;
    // The characters of the line in a layout of their own, placed where the memo shows them.
    void layOut(const ShownLine &shown, QTextLayout &piece) const;

    std::vector<Mark> m_marks;
};
