// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string_view>

// The cipher works on 8-bit text in the Windows-1252 code page: one byte is one character.
namespace bifid {

enum class Dimension { Six, Five };  // the 6 X 6 square with digits, the classical 5 X 5 square without J

inline constexpr std::string_view kAlphabet6 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
inline constexpr std::string_view kAlphabet5 = "ABCDEFGHIKLMNOPQRSTUVWXYZ";

[[nodiscard]] constexpr std::string_view baseAlphabet(Dimension dimension)
{
    return dimension == Dimension::Six ? kAlphabet6 : kAlphabet5;
}

// Number of rows, which equals the number of columns.
[[nodiscard]] constexpr int sideOf(Dimension dimension)
{
    return dimension == Dimension::Six ? 6 : 5;
}

[[nodiscard]] constexpr int cellCountOf(Dimension dimension)
{
    return sideOf(dimension) * sideOf(dimension);
}

}  // namespace bifid
