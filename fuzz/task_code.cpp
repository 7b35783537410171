// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A task code typed as anything: it is read or refused with a reason, never read outside the text; a
// code that is read formats to a code that reads back the same, and a refused bad character is named
// where it stands.

#include "FuzzCheck.h"

#include <cipher/Exercise.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string typed(reinterpret_cast<const char *>(data), size);
    const bifid::TaskCodeReading reading = bifid::readTaskCode(typed);
    FUZZ_CHECK(reading.code.has_value() == (reading.error == bifid::TaskCodeError::None),
        "a code is read exactly when there is no error");
    if (reading.error == bifid::TaskCodeError::BadCharacter)
        FUZZ_CHECK(reading.place < typed.size() && typed[reading.place] == reading.character,
            "a bad character is named where it stands");
    if (reading.code) {
        const std::string formatted = bifid::formatTaskCode(*reading.code);
        FUZZ_CHECK(formatted.size() <= bifid::kTaskCodeMaxLength + 3, "a code stays short");
        FUZZ_CHECK(bifid::readTaskCode(formatted).code == reading.code, "a formatted code reads back the same");
    }
    return 0;
}
