// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExerciseTexts.h"

#include "CipherMessages.h"
#include "TextCodec.h"

#include <cipher/Grouping.h>

#include <array>

using bifid::Dimension;
using bifid::ExerciseDirection;
using bifid::ExerciseField;
using bifid::ExerciseSolution;
using bifid::ExerciseTask;
using bifid::Mistake;

namespace ExerciseTexts {

namespace {

bool enciphering(const ExerciseTask &task)
{
    return task.direction == ExerciseDirection::Encipher;
}

QString text(std::string_view bytes)
{
    return TextCodec::fromCodePage(bytes);
}

QString periodText(const ExerciseTask &task)
{
    if (task.period == 0)
        return QStringLiteral("ohne Periode");
    return QStringLiteral("Periode %1 (Blöcke von %1 Buchstaben)").arg(task.period);
}

// The short name of a field, as the feedback line starts.
QString fieldName(const ExerciseTask &task, ExerciseField field)
{
    static const std::array<const char *, bifid::kExerciseFieldCount> encipherNames{
        "Koordinaten", "Zeilen", "Cipher-Code", "Geheimtext"};
    static const std::array<const char *, bifid::kExerciseFieldCount> decipherNames{
        "Cipher-Code", "Zeilen", "Koordinaten", "Klartext"};
    const auto &names = enciphering(task) ? encipherNames : decipherNames;
    return QStringLiteral("%1. %2").arg(int(field) + 1).arg(QString::fromUtf8(names[std::size_t(field)]));
}

QString unitOf(ExerciseField field, std::size_t count)
{
    if (field == ExerciseField::Result)
        return count == 1 ? QStringLiteral("Buchstabe") : QStringLiteral("Buchstaben");
    return count == 1 ? QStringLiteral("Ziffer") : QStringLiteral("Ziffern");
}

// Where the character at `place` (from 0) of the right answer stands, in the learner's terms.
QString placeText(const ExerciseTask &task, const ExerciseSolution &solution, ExerciseField field, std::size_t place)
{
    switch (field) {
    case ExerciseField::Coordinates:
        if (place / 2 < solution.given.size()) {
            return QStringLiteral("Ziffer %1, beim Buchstaben %2 „%3“")
                .arg(place + 1)
                .arg(place / 2 + 1)
                .arg(text(std::string_view(solution.given).substr(place / 2, 1)));
        }
        return QStringLiteral("Ziffer %1").arg(place + 1);
    case ExerciseField::Rows:
        for (std::size_t line = 0, start = 0; line < solution.rows.size(); ++line) {
            const std::size_t length = solution.rows[line].size();
            if (place < start + length) {
                const auto depth = std::size_t(task.depth);
                const QString row = QStringLiteral("Zeile %1, Ziffer %2").arg(line % depth + 1).arg(place - start + 1);
                return task.period == 0 ? row : QStringLiteral("Block %1, %2").arg(line / depth + 1).arg(row);
            }
            start += length;
        }
        return QStringLiteral("Ziffer %1").arg(place + 1);
    case ExerciseField::Code: return QStringLiteral("Ziffer %1 (Paar %2)").arg(place + 1).arg(place / 2 + 1);
    case ExerciseField::Result: return QStringLiteral("Buchstabe %1").arg(place + 1);
    }
    return {};
}

QString causeText(const ExerciseTask &task, ExerciseField field, Mistake mistake)
{
    const bool forward = enciphering(task);
    switch (mistake) {
    case Mistake::CarriedOver:
        return QStringLiteral("Folgefehler: aus dem Fehler in Schritt %1 richtig weitergerechnet.").arg(int(field));
    case Mistake::RowAndColumnSwapped:
        if (field == ExerciseField::Coordinates)
            return QStringLiteral(
                "Wohl Zeile und Spalte vertauscht: erst kommt die Zeilenziffer, dann die Spaltenziffer.");
        return QStringLiteral("Wohl Zeile und Spalte vertauscht: die erste Ziffer eines Paars nennt die Zeile, die "
                              "zweite die Spalte.");
    case Mistake::UnkeyedSquare:
        return QStringLiteral("Wohl in der Matrix ohne Keyword nachgesehen statt in der Matrix des Keywords.");
    case Mistake::AcrossBlocks:
        return forward ? QStringLiteral("Wohl über die Blockgrenzen hinweg verteilt: jeder Block von %1 Buchstaben "
                                        "wird für sich auf die Zeilen verteilt.")
                             .arg(task.period)
                       : QStringLiteral("Wohl über die Blockgrenzen hinweg gelesen: jeder Block von %1 Buchstaben wird "
                                        "für sich zurückgelesen.")
                             .arg(task.period);
    case Mistake::RowsReversed:
        return forward ? QStringLiteral("Wohl die Zeilen in falscher Reihenfolge aneinandergehängt: erst Zeile 1, dann "
                                        "Zeile 2 und so weiter.")
                       : QStringLiteral("Wohl die Zeilen in falscher Reihenfolge gelesen: jede Spalte von Zeile 1 an "
                                        "nach unten.");
    case Mistake::RowsReadCrosswise:
        return forward
            ? QStringLiteral("Wohl die Zeilen spaltenweise gelesen: für den Cipher-Code stehen sie "
                             "nacheinander, Zeile für Zeile.")
            : QStringLiteral("Wohl die Zeilen nacheinander gelesen: zurück geht es spaltenweise, eine Ziffer "
                             "aus jeder Zeile.");
    case Mistake::JNotTakenAsI:
        return forward ? QStringLiteral("Wohl das J ausgelassen: die 5 X 5-Matrix hat kein J, es wird wie I codiert.")
                       : QStringLiteral("J statt I: die 5 X 5-Matrix hat kein J, der Klartext behält das I.");
    }
    return {};
}

}  // namespace

QString title(const QString &taskCode)
{
    return QStringLiteral("Bifid-Übung, Aufgabencode %1").arg(taskCode);
}

QString taskSummary(const ExerciseTask &task)
{
    return QStringLiteral("%1, %2, Tiefe %3, %4")
        .arg(enciphering(task) ? QStringLiteral("verschlüsseln") : QStringLiteral("entschlüsseln"),
            CipherMessages::sizeName(task.dimension))
        .arg(task.depth)
        .arg(task.period == 0 ? QStringLiteral("ohne Periode") : QStringLiteral("Periode %1").arg(task.period));
}

QStringList taskLines(const ExerciseTask &task, const ExerciseSolution &solution)
{
    QStringList lines;
    if (enciphering(task)) {
        lines << QStringLiteral("Verschlüssele den Text „%1“ mit der Bifid-Chiffre.").arg(text(task.sentence))
              << QStringLiteral("Klartext: %1").arg(text(bifid::groupText(solution.given, task.period)));
    } else {
        lines << QStringLiteral("Entschlüssele den Geheimtext mit der Bifid-Chiffre.")
              << QStringLiteral("Geheimtext: %1").arg(text(bifid::groupText(solution.given, task.period)));
    }
    lines << QStringLiteral("%1-Matrix, Fraktionierungstiefe %2, %3.")
                 .arg(CipherMessages::sizeName(task.dimension))
                 .arg(task.depth)
                 .arg(periodText(task));
    if (task.dimension == Dimension::Five)
        lines << QStringLiteral("Die 5 X 5-Matrix hat kein J: J wird wie I codiert.");
    return lines;
}

QString keywordLine(const ExerciseTask &task)
{
    return QStringLiteral("Keyword: %1").arg(text(task.keyword));
}

QString fieldLabel(const ExerciseTask &task, ExerciseField field)
{
    const QString blocks = task.period == 0 ? QString() : QStringLiteral(", Block für Block");
    switch (field) {
    case ExerciseField::Coordinates:
        return enciphering(task) ? QStringLiteral("1. Koordinaten des Klartexts (Zeilen- und Spaltenziffer)")
                                 : QStringLiteral("1. Koordinaten des Geheimtexts (Cipher-Code)");
    case ExerciseField::Rows:
        return enciphering(task)
            ? QStringLiteral("2. Zeilen der Fraktionierung%1, eine Textzeile je Zeile").arg(blocks)
            : QStringLiteral("2. Cipher-Code in Zeilen zerlegt%1, eine Textzeile je Zeile").arg(blocks);
    case ExerciseField::Code:
        return enciphering(task) ? QStringLiteral("3. Cipher-Code (die Zeilen nacheinander)")
                                 : QStringLiteral("3. Koordinaten des Klartexts (spaltenweise aus den Zeilen)");
    case ExerciseField::Result:
        return enciphering(task) ? QStringLiteral("4. Geheimtext") : QStringLiteral("4. Klartext");
    }
    return {};
}

QString feedbackLine(
    const ExerciseTask &task, const ExerciseSolution &solution, ExerciseField field, const bifid::FieldCheck &check)
{
    const QString name = fieldName(task, field);
    const std::size_t typed = check.places.size();
    if (typed == 0)
        return QStringLiteral("%1: noch leer.").arg(name);
    if (!check.hasMistake()) {
        if (typed == check.expected)
            return QStringLiteral("%1: richtig.").arg(name);
        return QStringLiteral("%1: bis hierher richtig (%2 von %3 %4).")
            .arg(name)
            .arg(typed)
            .arg(check.expected)
            .arg(unitOf(field, check.expected));
    }
    QString line = check.correct == check.expected
        ? QStringLiteral("%1: zu lang, richtig sind nur %2 %3.")
              .arg(name)
              .arg(check.expected)
              .arg(unitOf(field, check.expected))
        : QStringLiteral("%1: Fehler bei %2.").arg(name, placeText(task, solution, field, check.correct));
    if (check.cause)
        line += u' ' + causeText(task, field, *check.cause);
    return line;
}

QString scoreLine(const std::array<bifid::FieldCheck, bifid::kExerciseFieldCount> &checks)
{
    std::size_t rightSteps = 0;
    std::size_t digits = 0;
    std::size_t rightDigits = 0;
    for (std::size_t f = 0; f < checks.size(); ++f) {
        rightSteps += checks[f].isRight() ? 1 : 0;
        if (ExerciseField(f) != ExerciseField::Result) {
            digits += checks[f].expected;
            rightDigits += checks[f].matching;
        }
    }
    const bifid::FieldCheck &result = checks[std::size_t(ExerciseField::Result)];
    // "von 1 Buchstaben" is dative singular, so only the digits need the singular form.
    return QStringLiteral("Bewertung: %1 von %2 Schritten richtig, %3 von %4 %5 und %6 von %7 Buchstaben.")
        .arg(rightSteps)
        .arg(checks.size())
        .arg(rightDigits)
        .arg(digits)
        .arg(digits == 1 ? QStringLiteral("Ziffer") : QStringLiteral("Ziffern"))
        .arg(result.matching)
        .arg(result.expected);
}

QString taskCodeError(const QString &typed, const bifid::TaskCodeReading &reading)
{
    constexpr qsizetype kShown = 30;  // a long paste is named by its start
    const QString trimmed = typed.trimmed();
    const QString shown = trimmed.size() > kShown ? trimmed.left(kShown) + u'…' : trimmed;
    const QString form
        = QStringLiteral("Ein Aufgabencode hat %1 bis %2 Zeichen, Ziffern und Buchstaben, etwa „0K3F-9Q2“.")
              .arg(bifid::kTaskCodeMinLength)
              .arg(bifid::kTaskCodeMaxLength);
    switch (reading.error) {
    case bifid::TaskCodeError::None: return {};
    case bifid::TaskCodeError::Empty: return QStringLiteral("Kein Aufgabencode eingegeben. ") + form;
    case bifid::TaskCodeError::BadCharacter: {
        // The place counts characters as the learner sees them, not bytes.
        const QString before = TextCodec::fromCodePage(TextCodec::toCodePage(typed).substr(0, reading.place));
        return QStringLiteral("„%1“: das Zeichen „%2“ an Stelle %3 kommt in Aufgabencodes nicht vor; sie bestehen aus "
                              "Ziffern und Buchstaben ohne U.")
            .arg(shown, TextCodec::fromCodePage(std::string_view(&reading.character, 1)))
            .arg(before.size() + 1);
    }
    case bifid::TaskCodeError::TooShort: return QStringLiteral("„%1“ ist zu kurz. ").arg(shown) + form;
    case bifid::TaskCodeError::TooLong: return QStringLiteral("„%1“ ist zu lang. ").arg(shown) + form;
    case bifid::TaskCodeError::Mistyped:
        return QStringLiteral("„%1“ ist kein gültiger Aufgabencode: das letzte Zeichen passt nicht zu den anderen. "
                              "Wohl ein Zeichen vertippt oder zwei vertauscht; bitte den Code noch einmal vergleichen.")
            .arg(shown);
    case bifid::TaskCodeError::NoSuchSettings:
        return QStringLiteral("„%1“ ist kein gültiger Aufgabencode: die ersten beiden Zeichen nennen keine "
                              "Einstellungen. Bitte den Code noch einmal vergleichen.")
            .arg(shown);
    }
    return {};
}

QString seedError(const QString &typed)
{
    constexpr qsizetype kShown = 30;  // a long paste is named by its start
    const QString shown = typed.trimmed();
    return QStringLiteral("„%1“ ist keine Aufgabennummer: erlaubt sind ganze Zahlen von 0 bis 18446744073709551615.")
        .arg(shown.size() > kShown ? shown.left(kShown) + u'…' : shown);
}

}  // namespace ExerciseTexts
