// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The German messages for the errors of the cipher steps, in the main window and the decipher dialog.

#include <cipher/Coding.h>

#include <QString>
#include <QStringView>

#include <optional>

namespace CipherMessages {

// "6 X 6" or "5 X 5", as the window names its squares.
[[nodiscard]] QString sizeName(bifid::Dimension dimension);

// The message for an error of a step. By default the error is about the window's own texts; given
// `typed`, it is about a ciphertext as the user typed it, whose character is then named as typed and
// counted among all typed characters.
[[nodiscard]] QString describe(
    const bifid::CipherError &error, bifid::Dimension dimension, std::optional<QStringView> typed = std::nullopt);

}  // namespace CipherMessages
