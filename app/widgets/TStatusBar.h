// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FormZoom.h"

#include <QLabel>
#include <QStatusBar>
#include <QVector>

// A status bar of text panels of fixed widths, laid side by side from the left edge; panels that do
// not fit are cut off at the window's edge. Panel i is the QLabel child "StatusPanel<i>".
class TStatusBar : public QStatusBar, public SelfZooming {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget *parent = nullptr);

    void addPanel(int width, const QString &text = {});
    [[nodiscard]] int panelCount() const { return int(m_panels.size()); }
    [[nodiscard]] QString panelText(int index) const { return m_panels.at(index)->text(); }
    void setPanelText(int index, const QString &text) { m_panels.at(index)->setText(text); }
    // The bar's height and the panels' widths at this factor of their design.
    void setZoom(qreal factor) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPanels();

    QVector<QLabel *> m_panels;
    QVector<int> m_designedWidths;
    qreal m_zoom = 1.0;
};
