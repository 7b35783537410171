// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Text and keyword cleaning against a byte-by-byte model of the rules.

#include "FuzzCheck.h"

#include <cipher/Cleaning.h>
#include <support/CleaningReference.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>

using bifid::Dimension;

namespace {

std::string expectedCleanKeyword(std::string_view raw, Dimension dimension)
{
    std::array<bool, 256> kept{};
    std::string clean;
    for (char c : raw) {
        const bool capital = c >= 'A' && c <= 'Z';
        if (capital && (kept[static_cast<unsigned char>(c)] || (c == 'J' && dimension == Dimension::Five)))
            continue;
        if (capital)
            kept[static_cast<unsigned char>(c)] = true;
        clean.push_back(c);
    }
    return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool keepDigits = input.ConsumeBool();
    const Dimension dimension = input.ConsumeBool() ? Dimension::Five : Dimension::Six;
    const std::string raw = input.ConsumeRemainingBytesAsString();

    FUZZ_CHECK(bifid::cleanText(raw, keepDigits, dimension) == reference::clean(raw, keepDigits, dimension),
        "cleanText follows the rules byte by byte");

    FUZZ_CHECK(bifid::cleanKeyword(raw, dimension) == expectedCleanKeyword(raw, dimension),
        "cleanKeyword keeps the first of each capital and everything else");
    return 0;
}
