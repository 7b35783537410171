// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MarkedTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace {

// An item's text as one line, laid out as the style lays it out for drawing and placed where the style
// draws it.
class StyledLine final : public MarkedTextDelegate::CellText {
public:
    explicit StyledLine(const QStyleOptionViewItem &item)
        : m_origin(layOut(item, m_layout))
        , m_line(m_layout.lineAt(0))
    {
    }

    [[nodiscard]] bool holds(CellPlace place) const override
    {
        return place.line == 0 && place.position >= 0 && place.position < m_layout.text().size();
    }

    void paintMark(QPainter *painter, CellPlace place, const Colours::CellColours &colours) const override
    {
        const qreal left = m_line.cursorToX(place.position);
        const qreal right = m_line.cursorToX(place.position + 1);
        const QRectF box(m_origin.x() + left, m_origin.y(), right - left, m_line.height());
        painter->save();
        painter->setClipRect(box);  // the glyph is drawn again where the style drew it
        painter->fillRect(box, colours.background);
        painter->setPen(colours.text);
        m_line.draw(painter, m_origin);
        painter->restore();
    }

    [[nodiscard]] std::optional<CellPlace> characterAt(QPoint point) const override
    {
        const QPointF inLine = QPointF(point) - m_origin;
        if (inLine.x() < 0 || inLine.x() >= m_line.naturalTextWidth() || inLine.y() < 0
            || inLine.y() >= m_line.height())
            return std::nullopt;
        return CellPlace{0, m_line.xToCursor(inLine.x(), QTextLine::CursorOnCharacter)};
    }

private:
    static QPointF layOut(const QStyleOptionViewItem &item, QTextLayout &layout)
    {
        const QWidget *widget = item.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect room
            = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
        layout.setText(item.text);
        layout.setFont(item.font);
        QTextOption option;
        option.setWrapMode(QTextOption::ManualWrap);
        option.setTextDirection(item.direction);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(room.width());
        layout.endLayout();
        const QSize size(room.width(), int(line.height()));
        return {qreal(room.x()), qreal(QStyle::alignedRect(item.direction, item.displayAlignment, size, room).top())};
    }

    QTextLayout m_layout;
    QPointF m_origin;  // of the line
    QTextLine m_line;
};

}  // namespace

// A cell's text is laid out again only for its marks, which few cells have.
void MarkedTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    paintCell(painter, option, index);
    const auto marks = index.data(MarksRole).value<QList<CellMark>>();
    if (marks.isEmpty())
        return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const std::unique_ptr<CellText> text = textOf(item, index);
    for (const CellMark &mark : marks) {
        if (text->holds(mark.place()))
            text->paintMark(painter, mark.place(), Colours::digitMark(mark.role));
    }
}

std::optional<CellPlace> MarkedTextDelegate::characterAt(
    const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    return textOf(item, index)->characterAt(point);
}

void MarkedTextDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

std::unique_ptr<MarkedTextDelegate::CellText> MarkedTextDelegate::textOf(
    const QStyleOptionViewItem &item, const QModelIndex &) const
{
    return std::make_unique<StyledLine>(item);
}
