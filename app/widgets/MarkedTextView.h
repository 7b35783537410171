// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The view around a MarkedTextDelegate, over any item view: StepList is one over QListView, the lab's
// PeriodStepTable one over QTableView. It fits its cells to its width whenever the width or the font
// changes, and finds the cell and the character drawn under a point of its viewport. Each view gives all
// its rows one height (uniform item sizes, fixed sections), so that it lays out only the rows in view.

#include "MarkedTextDelegate.h"

#include <QEvent>
#include <QModelIndex>
#include <QStyleOptionViewItem>

#include <optional>

template <class View> class MarkedTextView : public View {
public:
    using View::View;

protected:
    struct CellCharacter {
        QModelIndex cell;
        CellPlace place;
    };

    // Draws the cells with this delegate, a child of the view.
    void setDelegate(MarkedTextDelegate *delegate)
    {
        m_delegate = delegate;
        View::setItemDelegate(delegate);
    }

    // As much text per row as the width holds.
    virtual void fitCells() = 0;

    // The cell at this point of the viewport and the character drawn there, if any.
    [[nodiscard]] std::optional<CellCharacter> cellCharacterAt(QPoint point) const
    {
        const QModelIndex cell = View::indexAt(point);
        if (!cell.isValid())
            return std::nullopt;
        QStyleOptionViewItem item;
        View::initViewItemOption(&item);
        item.rect = View::visualRect(cell);
        const std::optional<CellPlace> place = m_delegate->characterAt(item, cell, point);
        if (!place)
            return std::nullopt;
        return CellCharacter{cell, *place};
    }

    void resizeEvent(QResizeEvent *event) override
    {
        View::resizeEvent(event);
        fitCells();
    }

    void changeEvent(QEvent *event) override
    {
        View::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            fitCells();
    }

private:
    const MarkedTextDelegate *m_delegate = nullptr;
};
