// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WholeText.h"

#include "FormZoom.h"

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

// The field's font as designed and the zoom it is shown at, from which each fit starts.
constexpr const char *kDesignedFont = "wholeTextDesignedFont";
constexpr const char *kZoom = "wholeTextZoom";

void fitFont(QLineEdit *field)
{
    const QFont designed
        = FormZoom::scaled(field->property(kDesignedFont).value<QFont>(), field->property(kZoom).toReal());
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
    field->setProperty(kDesignedFont, field->font());
    field->setProperty(kZoom, 1.0);
    QObject::connect(field, &QLineEdit::textChanged, field, [field] { fitFont(field); });
    fitFont(field);
}

void setZoom(QLineEdit *field, qreal factor)
{
    field->setProperty(kZoom, factor);
    fitFont(field);
}

void fitToCaption(QLabel *label)
{
    label->resize(qMax(label->minimumWidth(), label->sizeHint().width()), label->height());
}

}  // namespace WholeText
