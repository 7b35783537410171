// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// The short German sentences an exercise draws from: each cleans to at most bifid::kMaxExerciseLetters
// letters, and a few hold a J, umlauts or ß, which the cleaning and the 5 X 5 square treat apart.
[[nodiscard]] const QStringList &exerciseSentences();
