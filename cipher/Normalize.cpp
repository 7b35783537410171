// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Normalize.h>

namespace bifid {

std::string normalizeCiphertext(std::string_view typed)
{
    std::string ciphertext;
    ciphertext.reserve(typed.size());
    for (const char c : typed) {
        if (isLayoutCharacter(c))
            continue;
        ciphertext += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return ciphertext;
}

}  // namespace bifid
