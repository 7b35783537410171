// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Trace.h>

#include <QColor>
#include <QPalette>
#include <QWidget>

// The window's named colours and the two schemes a square cell is shown in.
namespace Colours {

inline constexpr QColor kNavy(0, 0, 128);
inline constexpr QColor kGreen(0, 128, 0);
inline constexpr QColor kRed(255, 0, 0);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kBlack(0, 0, 0);
inline constexpr QColor kTraceFrame(255, 140, 0);  // orange: seen on navy, green, white and yellow alike

struct CellColours {
    QColor background;
    QColor text;
};
inline constexpr CellColours kReferenceColours{kNavy, kWhite};  // the unkeyed square and the rest alphabet
inline constexpr CellColours kKeywordColours{kGreen, kYellow};  // the cells the keyword was laid into

// The trace marks the row digit and the column digit of the character it starts from, and everything
// they went into, in these two colours in every field; they stand out on every memo's background.
inline constexpr CellColours kRowDigitMark{kWhite, QColor(192, 0, 0)};
inline constexpr CellColours kColumnDigitMark{QColor(0, 255, 255), kBlack};

inline const CellColours &digitMark(bifid::DigitRole role)
{
    return role == bifid::DigitRole::Row ? kRowDigitMark : kColumnDigitMark;
}

// For every colour group, so that a disabled widget keeps its colours.
inline void setTextColour(QWidget *widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

inline void setCellColours(QWidget *cell, CellColours colours)
{
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, colours.background);
    palette.setColor(QPalette::WindowText, colours.text);
    cell->setPalette(palette);
}

}  // namespace Colours
