// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// German plaintexts for the key search's tests and benchmarks, written for them and in no quadgram
// source, so that a solved text shows what the statistics know about German, not about these texts.
// The quadgram tables of resources/quadgrams and the word tables of resources/words, read straight from
// the source tree.

#include <cipher/Quadgrams.h>
#include <cipher/WordBreaks.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace samples {

inline constexpr std::array<std::string_view, 10> kGermanTexts = {
    "Am fruehen Morgen lag dichter Nebel ueber dem See, und die Fischer warteten am Ufer, bis die Sonne "
    "durch die grauen Schleier brach. Einer von ihnen erzaehlte von dem Sturm im letzten Herbst, als das "
    "Wasser bis an die Treppe der alten Kirche gestiegen war. Niemand hatte damals geglaubt, dass der "
    "kleine Hafen den Winter ueberstehen wuerde. Doch die Leute aus dem Dorf hatten gemeinsam die Mauer "
    "ausgebessert, Sandsaecke geschleppt und die Boote an Land gezogen, und so war kaum etwas verloren.",
    "In der Baeckerei an der Ecke beginnt die Arbeit lange vor Sonnenaufgang. Der Meister knetet den Teig "
    "fuer das Roggenbrot, waehrend seine Tochter die Brezeln formt und mit grobem Salz bestreut. Um fuenf "
    "Uhr kommen die ersten Kunden, meistens Handwerker auf dem Weg zur Baustelle, die einen Kaffee und "
    "zwei belegte Broetchen mitnehmen. Spaeter am Vormittag bringen Muetter ihre Kinder vorbei, die sich "
    "jedes Mal ein Stueck Streuselkuchen wuenschen und geduldig vor der Glasvitrine stehen bleiben.",
    "Unsere Fahrradreise fuehrte uns drei Wochen lang an der Donau entlang bis nach Wien. Jeden Abend "
    "suchten wir eine Wiese fuer das Zelt oder fragten bei einem Bauernhof, ob wir in der Scheune schlafen "
    "duerften. Die meisten Menschen waren erstaunlich freundlich und brachten uns sogar Milch und frische "
    "Eier. Nur einmal gerieten wir in ein heftiges Gewitter und mussten unter einer Bruecke warten, bis der "
    "Regen nachliess. Am Ende waren wir muede, braun gebrannt und sehr zufrieden mit unserer Entscheidung.",
    "Die alte Stadtbibliothek wurde im vergangenen Jahr gruendlich erneuert. Wo frueher dunkle Regale bis "
    "unter die Decke reichten, stehen heute helle Tische mit Lampen, an denen Schueler ihre Hausaufgaben "
    "machen. Im Keller hat man einen Raum fuer seltene Handschriften eingerichtet, der nur mit Handschuhen "
    "betreten werden darf. Die Bibliothekarin erklaert gern, wie man mit einer Lupe die verblassten "
    "Buchstaben entziffert, und zeigt den Besuchern ein Gebetbuch, das fast sechshundert Jahre alt ist.",
    "Wer einen Garten besitzt, weiss, dass im Fruehling die meiste Arbeit anfaellt. Zuerst muessen die "
    "Beete umgegraben und von Unkraut befreit werden, dann setzt man Kartoffeln, Zwiebeln und Bohnen. Meine "
    "Grossmutter schwor darauf, die Tomaten erst nach den Eisheiligen ins Freie zu bringen, weil im Mai "
    "oft noch Nachtfrost droht. Im Sommer giesst man jeden Abend, und im Herbst erntet man Aepfel und "
    "Birnen, die man im kuehlen Keller lagert oder zu Kompott und Saft verarbeitet, damit nichts verdirbt.",
    "Der Zug nach Hamburg hatte wieder einmal Verspaetung, und auf dem Bahnsteig draengten sich die "
    "Reisenden mit ihren Koffern. Eine Durchsage bat um Geduld, weil ein Stellwerk ausgefallen sei. Ein "
    "aelterer Herr holte eine Thermoskanne aus seiner Tasche und bot seinen Nachbarn heissen Tee an. Bald "
    "unterhielten sich wildfremde Leute ueber ihre Ziele, ueber Enkel und Urlaubsplaene. Als der Zug "
    "endlich einfuhr, hatten einige sogar ihre Adressen getauscht und versprachen, einander zu schreiben.",
    "Beim Schachspiel kommt es weniger auf schnelles Rechnen an als auf Geduld und einen klaren Plan. Ein "
    "guter Spieler betrachtet zuerst die Stellung als Ganzes, prueft, welche Figuren schlecht stehen, und "
    "ueberlegt, wohin der Gegner ziehen moechte. Anfaenger verlieren oft, weil sie nur auf den eigenen "
    "Angriff achten und die Drohungen der anderen Seite uebersehen. Deshalb raten Trainer dazu, vor jedem "
    "Zug kurz innezuhalten und sich zu fragen, was der letzte Zug des Gegners eigentlich bezwecken sollte.",
    "Der Aufstieg zur Huette dauerte laenger als geplant, denn der Weg war nach dem Regen rutschig und "
    "steil. Oberhalb der Baumgrenze wehte ein kalter Wind, und wir zogen Muetzen und Handschuhe an. Gegen "
    "Mittag erreichten wir den Sattel, von dem aus man bei klarem Wetter bis zu den Gletschern sehen kann. "
    "An diesem Tag zogen jedoch dichte Wolken heran, und wir beschlossen, nicht bis zum Gipfel zu gehen. "
    "In der Huette gab es Linsensuppe und heissen Kakao, und am Abend spielten wir Karten bei Kerzenlicht.",
    "Fuer eine kraeftige Gemuesesuppe braucht man nicht viel: Karotten, Sellerie, Lauch, ein paar "
    "Kartoffeln und eine Zwiebel. Das Gemuese wird gewaschen, klein geschnitten und in etwas Butter "
    "angebraten, bevor man es mit Wasser oder Bruehe aufgiesst. Nach einer halben Stunde auf kleiner "
    "Flamme ist alles weich. Manche geben zum Schluss frische Petersilie und einen Loeffel saure Sahne "
    "hinzu, andere moegen lieber eine Prise Muskat. Mit einer Scheibe dunklem Brot ist das ein gutes und billiges "
    "Essen.",
    "Auf dem Dach der Schule steht eine kleine Sternwarte, die ein Lehrer vor vielen Jahren mit seinen "
    "Schuelern gebaut hat. Einmal im Monat duerfen Besucher am Abend hinaufsteigen und durch das Fernrohr "
    "schauen. Besonders beliebt sind die Ringe des Saturn und die Krater des Mondes, die man erstaunlich "
    "deutlich erkennen kann. Der Lehrer erzaehlt dabei, wie weit das Licht der Sterne gereist ist, bevor "
    "es unser Auge erreicht, und dass manche von ihnen vielleicht laengst erloschen sind, ohne dass wir es merken.",
};

// Language "de" or "en"; nothing when the file is missing or does not fit the dimension.
inline std::optional<bifid::QuadgramTable> quadgramTable(const char *language, bifid::Dimension dimension)
{
    QFile file(QStringLiteral(BIFID_QUADGRAM_DIR "/%1-%2.qgram")
                   .arg(QString::fromLatin1(language), dimension == bifid::Dimension::Five ? "5" : "6"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = qUncompress(file.readAll());
    return bifid::QuadgramTable::fromBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), dimension);
}

// Language "de" or "en"; nothing when the file is missing or not a word table.
inline std::optional<bifid::WordTable> wordTable(const char *language, bifid::Dimension dimension)
{
    QFile file(QStringLiteral(BIFID_WORD_DIR "/%1.words").arg(QString::fromLatin1(language)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = qUncompress(file.readAll());
    return bifid::WordTable::fromText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), dimension);
}

}  // namespace samples
