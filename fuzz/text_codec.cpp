// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The boundary between the window's texts and the cipher's bytes, fed both ways: any bytes, and any
// UTF-16 units, lone surrogates included.

#include "FuzzCheck.h"

#include "Messages.h"
#include "TextCodec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Bytes back from the window: CR LF and a lone LF both come back as CR LF, every other byte as itself.
std::string expectedRoundTrip(std::string_view bytes)
{
    std::string expected;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            expected += "\r\n";
            i += bytes[i] == '\r' ? 1 : 0;
        } else {
            expected += bytes[i];
        }
    }
    return expected;
}

void checkBytes(std::string_view bytes)
{
    const QString text = TextCodec::fromCodePage(bytes);
    FUZZ_CHECK(text.size() <= qsizetype(bytes.size()), "never more characters than bytes");
    FUZZ_CHECK(TextCodec::toCodePage(text) == expectedRoundTrip(bytes), "bytes come back from the window unchanged");
}

void checkUnits(const QString &text)
{
    const std::string bytes = TextCodec::toCodePage(text);
    std::size_t b = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        FUZZ_CHECK(b < bytes.size(), "every character gives a byte");
        const QChar unit = text[i];
        if (unit == u'\n') {
            FUZZ_CHECK(bytes.compare(b, 2, "\r\n") == 0, "a line break is CR LF");
            b += 2;
            continue;
        }
        const char byte = bytes[b++];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            FUZZ_CHECK(byte == TextCodec::kUnmappable, "a code point beyond the basic plane is unmappable");
            ++i;
            continue;
        }
        if (unit == QChar(0x1E9E)) {
            FUZZ_CHECK(byte == '\xDF', "the capital sharp s becomes the sharp s");
            continue;
        }
        FUZZ_CHECK(
            byte == TextCodec::kUnmappable || TextCodec::fromCodePage(std::string_view(&byte, 1)) == QString(unit),
            "a character becomes its own byte or the unmappable byte");
    }
    FUZZ_CHECK(b == bytes.size(), "no byte without a character");

    const QString message = Messages::withFinalFullStop(text);
    const bool stopNeeded = !bytes.empty() && static_cast<unsigned char>(bytes.back()) > '.';
    FUZZ_CHECK(message == (stopNeeded ? text + u'.' : text), "a full stop is added only after a character above it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        checkBytes(input.ConsumeRemainingBytesAsString());
        return 0;
    }
    std::vector<char16_t> units;
    while (input.remaining_bytes() >= 2)
        units.push_back(input.ConsumeIntegral<char16_t>());
    checkUnits(QString(reinterpret_cast<const QChar *>(units.data()), qsizetype(units.size())));
    return 0;
}
