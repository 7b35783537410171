// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

// The boundary between the window's Unicode texts and the cipher's Windows-1252 bytes: one code point
// becomes one byte, and a line break is the two bytes CR LF.
namespace TextCodec {

// The byte for code points outside the code page; the cleaning drops it like any other symbol.
inline constexpr char kUnmappable = '?';

[[nodiscard]] std::string toCodePage(QStringView text);
[[nodiscard]] QString fromCodePage(std::string_view bytes);

}  // namespace TextCodec
