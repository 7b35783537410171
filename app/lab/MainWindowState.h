// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the lab reads of the main window, and all it reads: the square the window shows, its keyword
// list, its cleaned keyword and text, and a signal after every event of the window that may have
// changed them. The main window provides it, so that no file of the lab knows the main window.

#include <cipher/Square.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class MainWindowState : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The square the chosen grid shows; none while its cells hold no permutation of the alphabet.
    [[nodiscard]] virtual std::optional<bifid::Square> shownSquare() const = 0;
    // The keyword list, in its order.
    [[nodiscard]] virtual QStringList keywordChoices() const = 0;
    // The cleaned keyword, which the square was keyed with once it is generated; empty before the cleaning.
    [[nodiscard]] virtual QString cleanedKeyword() const = 0;
    // The cleaned plaintext; empty before the cleaning.
    [[nodiscard]] virtual QString cleanedPlaintext() const = 0;

signals:
    // After every step, toggle and choice of the main window, whether or not it changed one of them.
    void changed();
};
