// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TraceDescription.h"

void TraceDescription::show(QWidget *field, const QString &words)
{
    if (words.isEmpty() || field != m_field)
        restore();
    if (words.isEmpty() || !field)
        return;
    if (field != m_field) {
        m_field = field;
        m_ownToolTip = field->toolTip();
    }
    // Every new description is announced: only a changed trace sets it.
    if (field->accessibleDescription() == words)
        return;
    field->setAccessibleDescription(words);
    field->setToolTip(m_ownToolTip.isEmpty() ? words : words + QStringLiteral("\n\n") + m_ownToolTip);
}

void TraceDescription::restore()
{
    if (m_field) {
        m_field->setToolTip(m_ownToolTip);
        m_field->setAccessibleDescription({});
    }
    m_field.clear();
}
