// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cipher/Alphabet.h>

#include <string>
#include <string_view>

namespace bifid {

// Turns free text into the cipher's alphabet: a-z become capitals, Ä Ö Ü ä ö ü ß are spelled out
// (AE OE UE SZ), digits stay or become German number words ("NULL" ... "NEUN"), J becomes I for the
// 5 X 5 square, and every other byte is dropped. Replacements are never cleaned a second time.
[[nodiscard]] std::string cleanText(std::string_view raw, bool keepDigits, Dimension dimension);

// Keeps only the first occurrence of each capital A-Z and, for the 5 X 5 square, deletes J.
// Every other byte (digits, small letters, blanks, ...) stays unchanged and in place.
[[nodiscard]] std::string cleanKeyword(std::string_view raw, Dimension dimension);

}  // namespace bifid
