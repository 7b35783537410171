// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextCodec.h"

#include <array>

namespace TextCodec {

namespace {

// Code points of the bytes 0x80 to 0x9F; the five bytes the code page leaves undefined keep their
// own value, as the platform's conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

// German keyboards type the capital sharp s, which the code page lacks; the small one spells the same.
constexpr char32_t kCapitalSharpS = 0x1E9E;
constexpr char kSharpS = '\xDF';

char byteFor(char32_t codePoint)
{
    if (codePoint == kCapitalSharpS)
        return kSharpS;
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return kUnmappable;
}

}  // namespace

std::string toCodePage(QStringView text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (CodePointReader reader(text); !reader.atEnd();) {
        const char32_t codePoint = reader.next().value;
        if (codePoint == U'\n')
            bytes += "\r\n";
        else
            bytes += byteFor(codePoint);
    }
    return bytes;
}

std::vector<std::string> toCodePage(const QStringList &texts)
{
    std::vector<std::string> converted;
    converted.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        converted.push_back(toCodePage(text));
    return converted;
}

QString fromCodePage(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const char16_t *const begin = out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            *out++ = u'\n';
            ++i;
        } else if (byte >= 0x80 && byte < 0xA0) {
            *out++ = kHighControls[byte - 0x80];
        } else {
            *out++ = byte;
        }
    }
    text.truncate(out - begin);
    return text;
}

}  // namespace TextCodec
