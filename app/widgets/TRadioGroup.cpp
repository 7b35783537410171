// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TRadioGroup.h"

#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget *parent)
    : QGroupBox(parent)
{
    connect(&m_buttons, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == m_lastIndex)
            return;
        m_lastIndex = id;
        emit clicked();
    });
}

QStringList TRadioGroup::items() const
{
    QStringList texts;
    for (QAbstractButton *button : m_buttons.buttons())
        texts << button->text();
    return texts;
}

void TRadioGroup::setItems(const QStringList &items)
{
    const int chosen = itemIndex();
    for (QAbstractButton *button : m_buttons.buttons()) {
        m_buttons.removeButton(button);
        delete button;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(i));
        m_buttons.addButton(button, i);
    }
    m_lastIndex = -1;
    setItemIndex(chosen);
    layoutItems();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons.button(index)) {
        button->setChecked(true);
        m_lastIndex = index;
    }
}

void TRadioGroup::setZoom(qreal factor)
{
    m_zoom = factor;
    layoutItems();
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    layoutItems();
}

// The items share the space below the caption evenly, each centred in its share.
void TRadioGroup::layoutItems()
{
    const QList<QAbstractButton *> buttons = m_buttons.buttons();
    if (buttons.isEmpty())
        return;
    const auto zoomed = [this](int length) { return FormZoom::scaled(length, m_zoom); };
    const int top = fontMetrics().height() + zoomed(2);
    const int share = std::max(1, (height() - top - zoomed(4)) / int(buttons.size()));
    for (int i = 0; i < buttons.size(); ++i) {
        const int itemHeight = std::min(share, buttons[i]->sizeHint().height());
        buttons[i]->setGeometry(
            zoomed(8), top + i * share + (share - itemHeight) / 2, width() - zoomed(16), itemHeight);
    }
}
