// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Grouping for any text and group size: the text stays in order, with single blanks between full groups.

#include "FuzzCheck.h"

#include <cipher/Grouping.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::size_t groupSize = input.ConsumeIntegral<std::size_t>() % 9;
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string grouped = bifid::groupText(text, groupSize);
    if (groupSize == 0 || text.size() <= groupSize) {
        FUZZ_CHECK(grouped == text, "a text of one group or less stays as it is");
        return 0;
    }
    const std::size_t blanks = (text.size() - 1) / groupSize;
    FUZZ_CHECK(grouped.size() == text.size() + blanks, "one blank between neighbouring groups");
    for (std::size_t i = 0; i < text.size(); ++i)
        FUZZ_CHECK(grouped[i + i / groupSize] == text[i], "every byte keeps its place within its group");
    for (std::size_t g = 1; g <= blanks; ++g)
        FUZZ_CHECK(grouped[g * (groupSize + 1) - 1] == ' ', "a blank ends every full group");
    return 0;
}
