#include "WholeText.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace WholeText {

namespace {

// QLineEdit scrolls its text when the text, its bearings and the cursor do not fit between its
// inner margins of two pixels each side.
constexpr int kLineEditMargin = 2;

int usableWidth(const QLineEdit *field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins text = field->textMargins();
    return contents.width() - text.left() - text.right() - 2 * kLineEditMargin;
}

bool fits(const QFont &font, const QString &text, int width)
{
    const QFontMetricsF metrics(font);
    const qreal bearings = qMax(0.0, -metrics.minLeftBearing()) + qMax(0.0, -metrics.minRightBearing());
    return metrics.horizontalAdvance(text) + 1 + bearings <= width;
}

void fitFont(QLineEdit *field, const QFont &designed)
{
    const QString text = field->text();
    const int width = usableWidth(field);
    QFont font = designed;
    // Point sizes in steps of a quarter, down to one point: the first that fits is the largest.
    for (int quarters = int(designed.pointSizeF() * 4); quarters > 4 && !fits(font, text, width); --quarters)
        font.setPointSizeF((quarters - 1) / 4.0);
    field->setFont(font);
    if (!field->hasFocus())
        field->setCursorPosition(0);  // nothing scrolled out of sight
}

}  // namespace

void keepNumbersWhole(QLineEdit *field)
{
    const QFont designed = field->font();
    QObject::connect(field, &QLineEdit::textChanged, field, [field, designed] { fitFont(field, designed); });
    fitFont(field, designed);
}

void fitToCaption(QLabel *label)
{
    label->resize(qMax(label->minimumWidth(), label->sizeHint().width()), label->height());
}

}  // namespace WholeText
