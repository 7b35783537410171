// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bifid {

// The text cut from the left into groups of groupSize bytes joined by single blanks; the last group
// may be shorter and there is no blank at either end.
[[nodiscard]] std::string groupText(std::string_view text, std::size_t groupSize);

}  // namespace bifid
