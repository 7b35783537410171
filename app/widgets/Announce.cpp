// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Announce.h"

#include <QWidget>

void Announce::result(QWidget *widget, const QString &text)
{
    widget->setAccessibleDescription(text);  // sends the change event, also for an unchanged text
}
