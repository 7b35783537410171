// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// The boundary between the window's Unicode texts and the cipher's Windows-1252 bytes: one code point
// becomes one byte, and a line break is the two bytes CR LF.
namespace TextCodec {

// The byte for code points outside the code page; the cleaning drops it like any other symbol.
inline constexpr char kUnmappable = '?';

[[nodiscard]] std::string toCodePage(QStringView text);
[[nodiscard]] std::vector<std::string> toCodePage(const QStringList &texts);
[[nodiscard]] QString fromCodePage(std::string_view bytes);

// How many bytes a code point becomes.
[[nodiscard]] constexpr int byteCount(char32_t codePoint)
{
    return codePoint == U'\n' ? 2 : 1;
}

// One code point of a text, and where it stands there in UTF-16 units.
struct CodePoint {
    char32_t value = 0;
    qsizetype start = 0;
    qsizetype length = 1;
};

// Reads a text code point by code point, as the conversion takes it: a surrogate pair is one code point, a
// lone surrogate one of its own.
class CodePointReader {
public:
    explicit CodePointReader(QStringView text)
        : m_text(text)
    {
    }
    [[nodiscard]] bool atEnd() const { return m_place >= m_text.size(); }
    CodePoint next()
    {
        const QChar unit = m_text[m_place];
        CodePoint codePoint{unit.unicode(), m_place, 1};
        if (unit.isHighSurrogate() && m_place + 1 < m_text.size() && m_text[m_place + 1].isLowSurrogate()) {
            codePoint.value = QChar::surrogateToUcs4(unit, m_text[m_place + 1]);
            codePoint.length = 2;
        }
        m_place += codePoint.length;
        return codePoint;
    }

private:
    QStringView m_text;
    qsizetype m_place = 0;
};

}  // namespace TextCodec
