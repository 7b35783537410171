// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StepList.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// Pieces of a step are a multiple of ten characters wide, so that places are easy to count.
constexpr int kPieceStep = 10;

}  // namespace

StepList::StepList(QWidget *parent)
    : MarkedTextView(parent)
    , m_model(this)
{
    setDelegate(new MarkedTextDelegate(this));
    setModel(&m_model);
    setUniformItemSizes(true);  // the view then lays out no piece it does not show
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the pieces are made to fit the width

    auto *copy = new QAction(QStringLiteral("&Kopieren"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &StepList::copySelection);
    auto *selectEverything = new QAction(QStringLiteral("Alles &markieren"), this);
    selectEverything->setShortcut(QKeySequence::SelectAll);
    selectEverything->setShortcutContext(Qt::WidgetShortcut);
    connect(selectEverything, &QAction::triggered, this, &QAbstractItemView::selectAll);
    addActions({copy, selectEverything});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// As many characters as the field shows beside a scroll bar, so that the width does not depend on
// whether the scroll bar shows and the pieces do not change with it.
void StepList::fitCells()
{
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int room = contentsRect().width() - verticalScrollBar()->sizeHint().width() - margin;
    const int advance = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('W')));
    m_model.setPieceWidth(std::max(kPieceStep, room / advance / kPieceStep * kPieceStep));
}

std::optional<StepPlace> StepList::characterAt(QPoint point) const
{
    const std::optional<CellCharacter> character = cellCharacterAt(point);
    if (!character)
        return std::nullopt;
    return m_model.placeOf(character->cell.row(), character->place.position);
}

void StepList::copySelection() const
{
    const QModelIndexList selected = selectedIndexes();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(m_model.textOf(selected));
}
