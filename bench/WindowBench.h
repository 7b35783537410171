// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window benchmarks share: the text they type and how they wait for a step to show.

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <random>

// German-looking prose in lines of 72 characters, with umlauts, digits and punctuation.
inline QString germanLookingProse(qsizetype characters)
{
    static const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzeeeennnrrsstABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                   "      0123456789.,!?-ÄÖÜäöüß");
    std::mt19937 random(1);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    QString text(characters, Qt::Uninitialized);
    for (qsizetype i = 0; i < characters; ++i)
        text[i] = i % 73 == 72 ? QChar(u'\n') : alphabet[pick(random)];
    return text;
}

// Until the window has handled what the step posted and painted itself again.
inline void processAndPaint(QWidget *window)
{
    QCoreApplication::processEvents();
    window->repaint();
    QCoreApplication::processEvents();
}
