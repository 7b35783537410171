// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FormZoom.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

// A framed group of radio buttons in one column, one of which is chosen. clicked() is emitted when
// the user changes the chosen item, never when code sets it.
class TRadioGroup : public QGroupBox, public SelfZooming {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    [[nodiscard]] QStringList items() const;
    void setItems(const QStringList &items);

    // The chosen item, counted from 0; -1 when none is chosen.
    [[nodiscard]] int itemIndex() const { return m_buttons.checkedId(); }
    void setItemIndex(int index);
    // The items' margins at this factor of their design; their font follows the group's.
    void setZoom(qreal factor) override;

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutItems();

    QButtonGroup m_buttons;
    int m_lastIndex = -1;
    qreal m_zoom = 1.0;
};
