// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cipher/Cleaning.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace bifid {

namespace {

// What one input byte becomes: at most six output bytes ("SIEBEN" is the longest), padded to eight
// so that every byte can be written with one fixed-size copy.
struct Replacement {
    std::array<char, 8> text{};
    std::uint8_t size = 0;
};

using ReplacementTable = std::array<Replacement, 256>;

constexpr Replacement replacementOf(std::string_view text)
{
    Replacement replacement;
    for (char c : text)
        replacement.text[replacement.size++] = c;
    return replacement;
}

constexpr std::size_t indexOf(char c)
{
    return static_cast<unsigned char>(c);
}

constexpr ReplacementTable makeTextTable(bool keepDigits, Dimension dimension)
{
    constexpr std::array<std::string_view, 10> numberWords
        = {"NULL", "EINS", "ZWO", "DREI", "VIER", "FUENF", "SECHS", "SIEBEN", "ACHT", "NEUN"};
    ReplacementTable table{};
    for (char c = 'A'; c <= 'Z'; ++c) {
        const char capital = (c == 'J' && dimension == Dimension::Five) ? 'I' : c;
        table[indexOf(c)] = replacementOf({&capital, 1});
        table[indexOf(static_cast<char>(c - 'A' + 'a'))] = replacementOf({&capital, 1});
    }
    for (int digit = 0; digit < 10; ++digit) {
        const char c = static_cast<char>('0' + digit);
        table[indexOf(c)] = keepDigits ? replacementOf({&c, 1}) : replacementOf(numberWords[digit]);
    }
    table[0xC4] = table[0xE4] = replacementOf("AE");
    table[0xD6] = table[0xF6] = replacementOf("OE");
    table[0xDC] = table[0xFC] = replacementOf("UE");
    table[0xDF] = replacementOf("SZ");
    return table;
}

// One table per combination of settings, built at compile time.
constexpr std::array<ReplacementTable, 4> kTextTables = {makeTextTable(false, Dimension::Six),
    makeTextTable(true, Dimension::Six), makeTextTable(false, Dimension::Five), makeTextTable(true, Dimension::Five)};

}  // namespace

std::string cleanText(std::string_view raw, bool keepDigits, Dimension dimension)
{
    const ReplacementTable &table = kTextTables[(dimension == Dimension::Five ? 2 : 0) + (keepDigits ? 1 : 0)];

    // Sizing first lets the output be written once, without reallocation, whatever the expansion.
    std::size_t size = 0;
    for (char c : raw)
        size += table[indexOf(c)].size;

    // The slack at the end takes the padding of the last copy; it is cut off afterwards.
    std::string clean(size + sizeof(Replacement::text), '\0');
    char *out = clean.data();
    for (char c : raw) {
        const Replacement &replacement = table[indexOf(c)];
        std::memcpy(out, replacement.text.data(), replacement.text.size());
        out += replacement.size;
    }
    clean.resize(size);
    return clean;
}

std::string cleanKeyword(std::string_view raw, Dimension dimension)
{
    // 1 for a byte not to be written again: a capital once it has been kept, and J for 5 X 5.
    // Arithmetic instead of branches, since whether a byte is kept follows no pattern.
    std::array<std::uint8_t, 256> dropped{};
    if (dimension == Dimension::Five)
        dropped[indexOf('J')] = 1;

    std::string clean(raw.size(), '\0');
    char *out = clean.data();
    for (char c : raw) {
        const std::size_t i = indexOf(c);
        const std::uint8_t wasDropped = dropped[i];
        *out = c;
        out += 1 - wasDropped;
        dropped[i] = wasDropped | static_cast<std::uint8_t>(c >= 'A' && c <= 'Z');
    }
    clean.resize(static_cast<std::size_t>(out - clean.data()));
    return clean;
}

}  // namespace bifid
