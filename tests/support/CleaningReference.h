// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The text cleaning written apart from the library, straight from the rules and byte by byte, for the
// tests and the fuzzers to compare the library's faster table-driven version against.

#include <cipher/Alphabet.h>

#include <array>
#include <string>
#include <string_view>

namespace reference {

// What a digit becomes when digits are not kept.
inline constexpr std::array<std::string_view, 10> kNumberWords
    = {"NULL", "EINS", "ZWO", "DREI", "VIER", "FUENF", "SECHS", "SIEBEN", "ACHT", "NEUN"};

inline std::string cleanByte(unsigned char byte, bool keepDigits, bifid::Dimension dimension)
{
    if (byte >= 'a' && byte <= 'z')
        byte = static_cast<unsigned char>(byte - 'a' + 'A');
    if (byte == 'J' && dimension == bifid::Dimension::Five)
        return "I";
    std::string itself(1, static_cast<char>(byte));
    if (byte >= 'A' && byte <= 'Z')
        return itself;
    if (byte >= '0' && byte <= '9')
        return keepDigits ? itself : std::string(kNumberWords[byte - '0']);
    switch (byte) {
    case 0xC4:
    case 0xE4: return "AE";
    case 0xD6:
    case 0xF6: return "OE";
    case 0xDC:
    case 0xFC: return "UE";
    case 0xDF: return "SZ";
    default: return {};
    }
}

inline std::string clean(std::string_view raw, bool keepDigits, bifid::Dimension dimension)
{
    std::string clean;
    for (const char c : raw)
        clean += cleanByte(static_cast<unsigned char>(c), keepDigits, dimension);
    return clean;
}

}  // namespace reference
