// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TraceWords.h"

#include <QStringList>

#include <optional>

using bifid::DigitRole;
using bifid::TraceField;
using bifid::TraceMark;

namespace {

struct Place {
    TraceMark mark;
    QChar shown;
};

// One digit's way through the fields, in the order of enciphering; a field it does not reach is empty.
struct Chain {
    std::optional<Place> plaintext, coordinate, row, code, ciphertext;

    [[nodiscard]] std::optional<Place> &of(TraceField field)
    {
        switch (field) {
        case TraceField::Plaintext: return plaintext;
        case TraceField::Coordinates: return coordinate;
        case TraceField::Rows: return row;
        case TraceField::CipherCode: return code;
        case TraceField::Ciphertext: break;
        }
        return ciphertext;
    }
};

QString number(std::size_t index)
{
    return QString::number(qulonglong(index) + 1);
}

QString digitName(bool column)
{
    return column ? QStringLiteral("Spaltenziffer") : QStringLiteral("Zeilenziffer");
}

// Where a character stands; a letter with the digit of it that the chain carries (the coordinates and
// the code hold a letter's row digit first).
QString placeOf(const Place &place)
{
    const TraceMark &mark = place.mark;
    switch (mark.field) {
    case TraceField::Plaintext:
    case TraceField::Ciphertext: break;
    case TraceField::Coordinates: return QStringLiteral("Koordinaten Stelle %1").arg(number(mark.index));
    case TraceField::Rows: return QStringLiteral("Zeile %1 Stelle %2").arg(mark.row + 1).arg(number(mark.index));
    case TraceField::CipherCode: return QStringLiteral("Code Stelle %1").arg(number(mark.index));
    }
    return QStringLiteral("%1 %2 (Stelle %3)")
        .arg(mark.field == TraceField::Plaintext ? QStringLiteral("Klartext") : QStringLiteral("Geheimtext"))
        .arg(place.shown)
        .arg(number(mark.index));
}

QString letterWithDigit(const Place &letter, const std::optional<Place> &digitPlace)
{
    if (!digitPlace)
        return placeOf(letter);
    return QStringLiteral("%1, %2)").arg(placeOf(letter).chopped(1), digitName(digitPlace->mark.index % 2 == 1));
}

}  // namespace

QString TraceWords::describe(TraceField start, std::span<const TraceMark> marks, std::span<const QChar> shown)
{
    // A letter's two digits travel apart; a digit travels alone.
    const bool fromLetter = start == TraceField::Plaintext || start == TraceField::Ciphertext;
    std::optional<Place> origin;
    Chain chains[2];
    for (std::size_t i = 0; i < marks.size() && i < shown.size(); ++i) {
        const Place place{marks[i], shown[i]};
        if (place.mark.field == start && !origin)
            origin = place;
        if (place.shown.isNull())
            continue;
        Chain &chain = chains[fromLetter && place.mark.role == DigitRole::Column ? 1 : 0];
        chain.of(place.mark.field) = place;
    }
    if (!origin || origin->shown.isNull())
        return {};

    // The start itself is named once, before its ways.
    const auto waysOf = [start](Chain &chain, bool forward) {
        QStringList ways;
        const std::optional<Place> places[]
            = {chain.plaintext, chain.coordinate, chain.row, chain.code, chain.ciphertext};
        for (std::size_t i = 0; i < std::size(places); ++i) {
            const std::optional<Place> &place = places[forward ? i : std::size(places) - 1 - i];
            if (!place || place->mark.field == start)
                continue;
            if (place->mark.field == TraceField::Plaintext)
                ways << letterWithDigit(*place, chain.coordinate);
            else if (place->mark.field == TraceField::Ciphertext)
                ways << letterWithDigit(*place, chain.code);
            else
                ways << placeOf(*place);
        }
        return ways;
    };

    QStringList sentences;
    if (fromLetter) {
        const bool forward = start == TraceField::Plaintext;
        for (const bool column : {false, true}) {
            Chain &chain = chains[column ? 1 : 0];
            const std::optional<Place> digit = forward ? (chain.coordinate ? chain.coordinate : chain.code)
                                                       : (chain.code ? chain.code : chain.coordinate);
            const QStringList ways = waysOf(chain, forward);
            if (ways.isEmpty())
                continue;
            sentences << QStringLiteral("%1 %2 %3 %4")
                             .arg(digitName(column), digit ? QString(digit->shown) : QString(u'?'),
                                 forward ? QStringLiteral("nach") : QStringLiteral("aus"), ways.join(u", "));
        }
        if (sentences.isEmpty())
            return {};
        return QStringLiteral("%1: %2.").arg(placeOf(*origin), sentences.join(u"; "));
    }
    const QStringList ways = waysOf(chains[0], true);
    if (ways.isEmpty())
        return {};
    return QStringLiteral("%1, Ziffer %2: %3.").arg(placeOf(*origin), QString(origin->shown), ways.join(u", "));
}
