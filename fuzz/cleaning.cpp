// Text and keyword cleaning against a byte-by-byte model of the rules.

#include "FuzzCheck.h"

#include <cipher/Cleaning.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>

using bifid::Dimension;

namespace {

std::string expectedCleanByte(unsigned char byte, bool keepDigits, Dimension dimension)
{
    static constexpr std::array<const char *, 10> numberWords
        = {"NULL", "EINS", "ZWO", "DREI", "VIER", "FUENF", "SECHS", "SIEBEN", "ACHT", "NEUN"};
    if (byte >= 'a' && byte <= 'z')
        byte = static_cast<unsigned char>(byte - 'a' + 'A');
    if (byte == 'J' && dimension == Dimension::Five)
        return "I";
    std::string itself(1, static_cast<char>(byte));
    if (byte >= 'A' && byte <= 'Z')
        return itself;
    if (byte >= '0' && byte <= '9')
        return keepDigits ? itself : numberWords[byte - '0'];
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

    std::string expectedText;
    for (char c : raw)
        expectedText += expectedCleanByte(static_cast<unsigned char>(c), keepDigits, dimension);
    FUZZ_CHECK(
        bifid::cleanText(raw, keepDigits, dimension) == expectedText, "cleanText follows the rules byte by byte");

    FUZZ_CHECK(bifid::cleanKeyword(raw, dimension) == expectedCleanKeyword(raw, dimension),
        "cleanKeyword keeps the first of each capital and everything else");
    return 0;
}
