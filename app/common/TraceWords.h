// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The trace of one character in words, for a screen reader and a tooltip: where the two digits of a
// plaintext letter go, where the two digits of a ciphertext letter come from, and for a digit the
// letters and places it connects. The same words in every window that traces.

#include <cipher/Trace.h>

#include <QString>

#include <span>

namespace TraceWords {

// `marks` as bifid::TraceMap::trace gives them for a character of `start`; `shown[i]` is the character
// that mark i stands on as its field shows it, a null QChar where the field shows none. Empty when the
// trace reaches no character beyond its start.
[[nodiscard]] QString describe(
    bifid::TraceField start, std::span<const bifid::TraceMark> marks, std::span<const QChar> shown);

}  // namespace TraceWords
