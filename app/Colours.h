#pragma once

#include <QColor>

// The window's named colours and the two schemes a square cell is shown in.
namespace Colours {

inline constexpr QColor kNavy(0, 0, 128);
inline constexpr QColor kGreen(0, 128, 0);
inline constexpr QColor kRed(255, 0, 0);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kBlack(0, 0, 0);

struct CellColours {
    QColor background;
    QColor text;
};
inline constexpr CellColours kReferenceColours{kNavy, kWhite};  // the unkeyed square and the rest alphabet
inline constexpr CellColours kKeywordColours{kGreen, kYellow};  // the cells the keyword was laid into

}  // namespace Colours
