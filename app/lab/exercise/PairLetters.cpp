// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PairLetters.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

// A letter's pair and the blank after it.
constexpr int kCharactersPerLetter = 3;

}  // namespace

PairLetters::PairLetters(QPlainTextEdit *field, QWidget *parent)
    : QWidget(parent)
    , m_field(field)
{
    setFont(field->font());
    setAccessibleName(QStringLiteral("Text über den Koordinaten"));
    connect(field->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void PairLetters::setLetters(const QString &letters)
{
    m_letters = letters;
    setAccessibleDescription(letters);
    update();
}

qreal PairLetters::pairCentre(qsizetype index) const
{
    const QPoint viewport = mapFromGlobal(m_field->viewport()->mapToGlobal(QPoint(0, 0)));
    const qreal origin = viewport.x() + m_field->document()->documentMargin() - m_field->horizontalScrollBar()->value();
    const qreal digitWidth = QFontMetricsF(m_field->font()).horizontalAdvance(u'0');
    return origin + qreal(kCharactersPerLetter * index + 1) * digitWidth;
}

QSize PairLetters::sizeHint() const
{
    return {0, QFontMetrics(font()).height()};
}

QSize PairLetters::minimumSizeHint() const
{
    return sizeHint();
}

void PairLetters::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setFont(m_field->font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(m_field->font());
    const qreal viewportLeft = mapFromGlobal(m_field->viewport()->mapToGlobal(QPoint(0, 0))).x();
    painter.setClipRect(QRectF(viewportLeft, 0, m_field->viewport()->width(), height()));
    for (qsizetype i = 0; i < m_letters.size(); ++i) {
        const QString letter(m_letters[i]);
        const qreal width = metrics.horizontalAdvance(letter);
        painter.drawText(QPointF(pairCentre(i) - width / 2, metrics.ascent()), letter);
    }
}
