// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The German texts of an exercise that the lab's page and its worksheet share: the task, the labels of
// the four steps, the feedback on a checked field and the message for a seed that is none.

#include <cipher/Exercise.h>

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace ExerciseTexts {

// "Bifid-Übung, Aufgabencode 0K3F-9Q2".
[[nodiscard]] QString title(const QString &taskCode);

// The task in a few words for the answer key: "verschlüsseln, 5 X 5, Tiefe 2, Periode 5".
[[nodiscard]] QString taskSummary(const bifid::ExerciseTask &task);

// What to do, the text to start from (in blocks when there is a period), the square, depth and period,
// and for the 5 X 5 square how it takes J.
[[nodiscard]] QStringList taskLines(const bifid::ExerciseTask &task, const bifid::ExerciseSolution &solution);
[[nodiscard]] QString keywordLine(const bifid::ExerciseTask &task);

// "1. Koordinaten des Klartexts" and the like; deciphering names the inverse steps.
[[nodiscard]] QString fieldLabel(const bifid::ExerciseTask &task, bifid::ExerciseField field);

// One line on a checked field: empty, right so far, right, or where the first mistake is and, where a
// mistake explains it, what probably went wrong.
[[nodiscard]] QString feedbackLine(const bifid::ExerciseTask &task, const bifid::ExerciseSolution &solution,
    bifid::ExerciseField field, const bifid::FieldCheck &check);

// The score of a check to mark by: "Bewertung: 3 von 4 Schritten richtig, 118 von 120 Ziffern und 19
// von 20 Buchstaben."; characters count where they agree with the right answer at their place.
[[nodiscard]] QString scoreLine(const std::array<bifid::FieldCheck, bifid::kExerciseFieldCount> &checks);

[[nodiscard]] QString seedError(const QString &typed);
// What is wrong with a typed task code that could not be read.
[[nodiscard]] QString taskCodeError(const QString &typed, const bifid::TaskCodeReading &reading);

}  // namespace ExerciseTexts
