// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CipherMessages.h"

#include "TextCodec.h"

#include <cipher/Normalize.h>

using bifid::CipherError;
using bifid::Dimension;

namespace CipherMessages {

namespace {

// A character of the window's texts that does not show is named, so that a blank or line break typed
// into a fraction row can be found.
QString visibleName(QChar unit)
{
    if (unit == u'\r' || unit == u'\n')
        return QStringLiteral("Zeilenumbruch");
    if (unit == u'\t')
        return QStringLiteral("Tabulator");
    if (unit == u' ')
        return QStringLiteral("Leerzeichen");
    if (unit == QChar::Nbsp)
        return QStringLiteral("geschütztes Leerzeichen");
    if (unit == QChar::SoftHyphen)
        return QStringLiteral("bedingter Trennstrich");
    if (unit.isSpace() || !unit.isPrint())
        return QStringLiteral("Steuerzeichen 0x%1")
            .arg(QString::number(unit.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0')));
    return unit;
}

// A typed character and its 1-based place among all characters of the field.
struct TypedCharacter {
    char32_t codePoint = 0;
    qsizetype position = 0;
};

// The typed character behind byte `position` (1-based) of the normalised ciphertext. Every code point
// became one byte and a line break two layout bytes, so counting the code points that are no layout
// finds it; the field's own character is named, not the code page's stand-in for it.
TypedCharacter typedCharacterAt(QStringView typed, std::size_t position)
{
    std::size_t counted = 0;
    qsizetype shown = 0;
    for (TextCodec::CodePointReader reader(typed); !reader.atEnd();) {
        ++shown;
        const char32_t codePoint = reader.next().value;
        const bool layout = codePoint < 0x80 && bifid::isLayoutCharacter(static_cast<char>(codePoint));
        if (!layout && ++counted == position)
            return {codePoint, shown};
    }
    return {};
}

// In a typed ciphertext, blanks and invisible characters are named by their code, the others as they look.
QString typedName(char32_t codePoint)
{
    if (QChar::isPrint(codePoint) && !QChar::isSpace(codePoint))
        return QStringLiteral("'%1'").arg(QString::fromUcs4(&codePoint, 1));
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QChar(u'0')).toUpper();
}

}  // namespace

QString sizeName(Dimension dimension)
{
    return dimension == Dimension::Six ? QStringLiteral("6 X 6") : QStringLiteral("5 X 5");
}

QString describe(const CipherError &error, Dimension dimension, std::optional<QStringView> typed)
{
    const QString character = TextCodec::fromCodePage(std::string_view(&error.character, 1));
    switch (error.kind) {
    case CipherError::Kind::NotADigit:
        return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(visibleName(character.front()));
    case CipherError::Kind::DigitOutsideSquare:
        return QStringLiteral("Die Ziffer %1 an Stelle %2 des Cipher-Codes bezeichnet keine Zeile und keine Spalte "
                              "der %3-Matrix; gültig sind nur die Ziffern 1 bis %4")
            .arg(character)
            .arg(error.position)
            .arg(sizeName(dimension))
            .arg(bifid::sideOf(dimension));
    case CipherError::Kind::MissingPartner:
        return QStringLiteral("Der Cipher-Code hat eine ungerade Anzahl von Ziffern: der letzten Ziffer fehlt die "
                              "Spaltenziffer");
    case CipherError::Kind::NotInSquare:
        if (typed) {
            const TypedCharacter shown = typedCharacterAt(*typed, error.position);
            return QStringLiteral("Das Zeichen %1 an Stelle %2 steht nicht in der %3-Matrix.")
                .arg(typedName(shown.codePoint), QString::number(shown.position), sizeName(dimension));
        }
        return QStringLiteral("Das Zeichen '%1' an Stelle %2 des bereinigten Textes steht nicht in der %3-Matrix "
                              "und kann nicht codiert werden")
            .arg(character)
            .arg(error.position)
            .arg(sizeName(dimension));
    }
    return {};
}

}  // namespace CipherMessages
