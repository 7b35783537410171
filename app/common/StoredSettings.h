// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's settings, stored where the desktop keeps them. The program keeps one: the zoom the user
// chose by hand.

#include <QSettings>

[[nodiscard]] inline QSettings storedSettings()
{
    return QSettings(QStringLiteral("bifid"), QStringLiteral("bifid"));
}
