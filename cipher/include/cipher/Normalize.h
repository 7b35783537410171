// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace bifid {

// Blanks, tabs and line breaks only lay a ciphertext out (groups, lines); they are no part of it.
[[nodiscard]] constexpr bool isLayoutCharacter(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The ciphertext as the square reads it: layout characters dropped and a-z as capitals. Every other
// byte stays, so that deciphering can name it.
[[nodiscard]] std::string normalizeCiphertext(std::string_view typed);

}  // namespace bifid
