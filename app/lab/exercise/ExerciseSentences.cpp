// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExerciseSentences.h"

const QStringList &exerciseSentences()
{
    static const QStringList sentences{
        QStringLiteral("Der Hund bellt laut."),
        QStringLiteral("Morgen regnet es sicher."),
        QStringLiteral("Jeder Tag zählt."),
        QStringLiteral("Die Katze schläft im Korb."),
        QStringLiteral("Wir treffen uns am Bahnhof."),
        QStringLiteral("Das Boot liegt im Hafen."),
        QStringLiteral("Der Zug fährt um acht."),
        QStringLiteral("Im Garten blühen Rosen."),
        QStringLiteral("Die Brücke ist gesperrt."),
        QStringLiteral("Heute bleibt das Tor zu."),
        QStringLiteral("Der Schlüssel liegt unter der Matte."),
        QStringLiteral("Julia kommt später."),
        QStringLiteral("Das Paket ist angekommen."),
        QStringLiteral("Wir warten am Fluss."),
        QStringLiteral("Der Kuchen steht im Ofen."),
        QStringLiteral("Nimm den zweiten Weg."),
        QStringLiteral("Die Eule ruft nachts."),
        QStringLiteral("Das Fenster bleibt offen."),
        QStringLiteral("Der Bäcker öffnet früh."),
        QStringLiteral("Im Keller brennt Licht."),
        QStringLiteral("Jan sucht den Ausgang."),
        QStringLiteral("Der Wind dreht nach Norden."),
        QStringLiteral("Die Karte zeigt den Schatz."),
        QStringLiteral("Wir segeln über den See."),
        QStringLiteral("Das Konzert beginnt pünktlich."),
        QStringLiteral("Der Brief kam ohne Absender."),
        QStringLiteral("Die Uhr geht zehn Minuten vor."),
        QStringLiteral("Ein Fuchs schleicht ums Haus."),
        QStringLiteral("Der Vorhang fällt gleich."),
        QStringLiteral("Das Licht geht um neun aus."),
        QStringLiteral("Jetzt bist du an der Reihe."),
        QStringLiteral("Die Glocke läutet zweimal."),
        QStringLiteral("Der Schnee schmilzt langsam."),
        QStringLiteral("Wir sehen uns im Juni."),
        QStringLiteral("Der Pfad führt zur Quelle."),
        QStringLiteral("Die Mühle steht am Bach."),
        QStringLiteral("Das Geheimnis bleibt bewahrt."),
        QStringLiteral("Der Turm ist nachts beleuchtet."),
        QStringLiteral("Ein Vogel singt im Baum."),
        QStringLiteral("Die Post kommt am Mittag."),
        QStringLiteral("Der Löwe gähnt im Schatten."),
        QStringLiteral("Die Straße ist frisch geteert."),
        QStringLiteral("Jakob malt ein Bild."),
        QStringLiteral("Das Feuer wärmt die Hände."),
        QStringLiteral("Die Kiste hat einen doppelten Boden."),
    };
    return sentences;
}
