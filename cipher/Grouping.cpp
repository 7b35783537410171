// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Grouping.h>

namespace bifid {

std::string groupText(std::string_view text, std::size_t groupSize)
{
    if (groupSize == 0 || text.size() <= groupSize)
        return std::string(text);

    std::string grouped;
    grouped.reserve(text.size() + (text.size() - 1) / groupSize);
    for (std::size_t start = 0; start < text.size(); start += groupSize) {
        if (start != 0)
            grouped.push_back(' ');
        grouped.append(text.substr(start, groupSize));
    }
    return grouped;
}

}  // namespace bifid
