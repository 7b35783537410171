#include "StepList.h"

#include "Colours.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>

namespace {

using namespace Colours;

// Pieces of a step are a multiple of ten characters wide, so that places are easy to count.
constexpr int kPieceStep = 10;

const CellColours &markColours(bifid::DigitRole role)
{
    return role == bifid::DigitRole::Row ? kRowDigitMark : kColumnDigitMark;
}

// The piece's line laid out as the style lays it out for drawing, and where the style draws it.
QPointF layOutPiece(const QStyleOptionViewItem &item, QTextLayout &layout)
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

}  // namespace

// Paints a piece as the style does, and its marked characters over it in their colours.
class StepDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const auto marks = index.data(StepModel::MarksRole).value<QList<StepMark>>();
        if (marks.isEmpty())
            return;
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QTextLayout layout;
        const QPointF origin = layOutPiece(item, layout);
        const QTextLine line = layout.lineAt(0);
        for (const StepMark &mark : marks) {
            const qreal left = line.cursorToX(int(mark.place.position));
            const qreal right = line.cursorToX(int(mark.place.position + 1));
            const QRectF place(origin.x() + left, origin.y(), right - left, line.height());
            painter->save();
            painter->setClipRect(place);  // the glyph is drawn again where the style drew it
            painter->fillRect(place, markColours(mark.role).background);
            painter->setPen(markColours(mark.role).text);
            line.draw(painter, origin);
            painter->restore();
        }
    }

    [[nodiscard]] std::optional<qsizetype> characterAt(
        const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QTextLayout layout;
        const QPointF inLine = QPointF(point) - layOutPiece(item, layout);
        const QTextLine line = layout.lineAt(0);
        if (inLine.x() < 0 || inLine.x() >= line.naturalTextWidth() || inLine.y() < 0 || inLine.y() >= line.height())
            return std::nullopt;
        return line.xToCursor(inLine.x(), QTextLine::CursorOnCharacter);
    }
};

StepList::StepList(QWidget *parent)
    : QListView(parent)
    , m_model(this)
    , m_delegate(new StepDelegate(this))
{
    setModel(&m_model);
    setItemDelegate(m_delegate);
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

void StepList::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    fitPieces();
}

void StepList::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitPieces();
}

// As many characters as the field shows beside a scroll bar, so that the width does not depend on
// whether the scroll bar shows and the pieces do not change with it.
void StepList::fitPieces()
{
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int room = contentsRect().width() - verticalScrollBar()->sizeHint().width() - margin;
    const int advance = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('W')));
    m_model.setPieceWidth(std::max(kPieceStep, room / advance / kPieceStep * kPieceStep));
}

std::optional<StepPlace> StepList::characterAt(QPoint point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return std::nullopt;
    QStyleOptionViewItem item;
    initViewItemOption(&item);
    item.rect = visualRect(index);
    const std::optional<qsizetype> offset = m_delegate->characterAt(item, index, point);
    if (!offset)
        return std::nullopt;
    return m_model.placeOf(index.row(), *offset);
}

void StepList::copySelection() const
{
    const QModelIndexList selected = selectedIndexes();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(m_model.textOf(selected));
}
