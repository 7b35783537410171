// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>

// A field whose text takes longer to compute than the pause between two key strokes is computed once
// the typing pauses; a shorter text at every key stroke.
class TypingPause : public QTimer {
public:
    explicit TypingPause(QObject *parent = nullptr)
        : QTimer(parent)
    {
        setSingleShot(true);
        setInterval(300);
    }

    [[nodiscard]] static bool waitsFor(qsizetype characters) { return characters > kLongText; }

private:
    static constexpr qsizetype kLongText = 50'000;
};
