// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TStatusBar.h"

namespace {

constexpr int kDesignedHeight = 19;

}  // namespace

TStatusBar::TStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setFixedHeight(kDesignedHeight);
}

void TStatusBar::setZoom(qreal factor)
{
    m_zoom = factor;
    setFixedHeight(FormZoom::scaled(kDesignedHeight, factor));
    // Edges are scaled rather than widths, so that the panels end where the scaled bar does.
    int left = 0;
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        const int right = left + m_designedWidths[i];
        m_panels[i]->setFixedWidth(FormZoom::scaled(right, factor) - FormZoom::scaled(left, factor));
        left = right;
    }
    layoutPanels();
}

void TStatusBar::addPanel(int width, const QString &text)
{
    auto *panel = new QLabel(text, this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(m_panels.size()));
    panel->setTextFormat(Qt::PlainText);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    m_panels.append(panel);
    m_designedWidths.append(width);
    setZoom(m_zoom);
    layoutPanels();
}

void TStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    layoutPanels();
}

void TStatusBar::layoutPanels()
{
    int left = 0;
    for (QLabel *panel : std::as_const(m_panels)) {
        panel->setGeometry(left, 1, panel->width(), height() - 1);
        left += panel->width();
    }
}
