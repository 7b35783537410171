// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// German texts for the key search's benchmark, written for it alone: in none of the fortune files the
// quadgram and word tables come from, and not in tests/support/GermanSamples.h, which the search's
// defaults were tuned on. Each gives at least 250 letters once cleaned.

#include <array>
#include <string_view>

namespace unseen {

inline constexpr std::array<std::string_view, 12> kTexts = {
    "Als der Schnee endlich schmolz, trug mein Nachbar seine Bienenkaesten aus dem Schuppen in die "
    "Obstwiese. Er stellte sie auf flache Steine, damit kein Wasser von unten eindringen konnte, und "
    "oeffnete die kleinen Flugloecher nur einen Spalt weit. Schon am ersten warmen Nachmittag summte es "
    "ueber den Krokussen, und er erklaerte mir, dass die Bienen zuerst Wasser und Pollen suchen, bevor "
    "sie im Mai den eigentlichen Honig eintragen. Im Juli schleuderten wir gemeinsam die Waben aus.",
    "Die Faehre legte puenktlich um sieben Uhr ab, obwohl der Wind ueber Nacht aufgefrischt hatte. Auf dem "
    "offenen Deck hielten sich nur wenige Fahrgaeste, die meisten sassen drinnen bei Kaffee und belegten "
    "Broten. Ein Junge zeigte aufgeregt auf eine Gruppe von Seehunden, die auf einer Sandbank in der "
    "Sonne lagen. Nach knapp zwei Stunden tauchte die Insel mit ihrem rot gestreiften Leuchtturm auf, "
    "und am Anleger warteten schon die Pferdewagen, die das Gepaeck zu den Pensionen bringen.",
    "Seit einigen Wochen lerne ich Geige, und meine Familie ertraegt es mit bewundernswerter Geduld. Die "
    "Lehrerin sagt, dass am Anfang jeder Ton kratzt und dass man den Bogen ganz locker halten muss. Jeden "
    "Abend uebe ich eine halbe Stunde lang Tonleitern und ein einfaches Volkslied. Neulich hat unser Hund "
    "zum ersten Mal nicht mehr den Raum verlassen, als ich zu spielen begann, und das werte ich als "
    "grossen Fortschritt. Im Herbst soll ich beim Schulkonzert in der letzten Reihe mitspielen.",
    "Wenn im Rathaus der Strom ausfaellt, bleibt die alte Turmuhr als einzige stehen, denn sie wird seit "
    "dem Umbau elektrisch angetrieben. Frueher stieg jeden Samstag ein Uhrmacher die enge Wendeltreppe "
    "hinauf und zog die schweren Gewichte mit einer Kurbel nach oben. Sein Enkel fuehrt heute Besucher "
    "durch den Turm und zeigt ihnen die Zahnraeder, das Pendel und die Glocke, die jede Viertelstunde "
    "schlaegt. Von der kleinen Luke aus sieht man ueber die Daecher bis zum Fluss und zur Bruecke.",
    "Unsere Klasse hat im Fruehjahr einen Teich im Schulhof angelegt. Zuerst haben wir eine Grube "
    "ausgehoben, die Steine herausgesammelt und eine dicke Folie hineingelegt. Dann kamen Kies, Sand und "
    "ein paar Wasserpflanzen aus dem Gartencenter dazu. Schon nach wenigen Tagen zeigten sich die ersten "
    "Wasserlaeufer, und im Juni entdeckten wir sogar Kaulquappen zwischen den Blaettern. Jetzt fuehren "
    "wir ein Heft, in dem jede Gruppe aufschreibt, welche Tiere sie am Ufer beobachtet hat.",
    "Der Flohmarkt auf dem Kirchplatz beginnt am ersten Sonntag im Monat schon im Morgengrauen. Haendler "
    "breiten Decken aus und stellen alte Lampen, Schallplatten, Werkzeug und Porzellan darauf. Wer etwas "
    "Bestimmtes sucht, muss frueh kommen und gut handeln koennen. Meine Tante hat dort einmal fuer wenige "
    "Euro eine Kaffeemuehle aus Messing gekauft, die heute noch in ihrer Kueche steht und jeden Morgen "
    "benutzt wird. Gegen Mittag packen die meisten zusammen, und die Tauben uebernehmen den Platz.",
    "Beim Umzug in die neue Wohnung halfen uns sechs Freunde, ein geliehener Transporter und sehr viel "
    "Pizza. Das Sofa passte nicht durch das enge Treppenhaus, also mussten wir es mit Seilen ueber den "
    "Balkon im zweiten Stock hochziehen. Unten standen Nachbarn und gaben gute Ratschlaege, die niemand "
    "befolgte. Am Abend sassen wir zwischen Kartons auf dem Boden, assen kalte Reste und waren uns "
    "einig, dass wir nie wieder so viele Buecher besitzen wollten. Die Kisten stehen noch heute dort.",
    "In der Werkstatt meines Grossvaters roch es immer nach Holz, Leim und Maschinenoel. An der Wand hingen "
    "Saegen, Hobel und Zwingen in einer strengen Ordnung, die niemand veraendern durfte. Er baute Stuehle "
    "und kleine Schraenke fuer die Leute aus dem Dorf und nahm dafuer oft nur Eier, Wurst oder einen Sack "
    "Kartoffeln. Als Kind durfte ich die Spaene zusammenkehren und manchmal einen Nagel einschlagen. "
    "Seinen alten Hobel habe ich behalten, und er liegt bis heute gut geoelt in meiner Schublade.",
    "Die Hebamme wurde mitten in der Nacht gerufen, als draussen ein heftiger Sturm tobte. Sie packte "
    "ihre Tasche, zog den schweren Mantel an und fuhr mit dem Fahrrad ueber die Landstrasse, weil kein "
    "Auto mehr durch die umgestuerzten Baeume kam. Im Bauernhaus brannten Kerzen, und die Grossmutter "
    "hatte schon Wasser auf dem Herd erhitzt. Gegen vier Uhr morgens kam ein gesundes Maedchen zur Welt, "
    "und der Vater lief barfuss in den Regen hinaus, um es allen Kuehen im Stall zu erzaehlen.",
    "Jedes Jahr im August zaehlen Freiwillige die Voegel an dem kleinen Stausee hinter dem Wald. Sie "
    "treffen sich vor Sonnenaufgang am Parkplatz, verteilen Fernglaeser und Listen und gehen dann in "
    "Zweiergruppen um das Ufer. Reiher, Enten und Haubentaucher sind leicht zu erkennen, bei den kleinen "
    "Singvoegeln im Schilf streiten die Leute dagegen oft lange. Am Ende werden alle Zahlen in eine "
    "Tabelle eingetragen und an den Naturschutzverband geschickt, der daraus eine Karte erstellt.",
    "Mein Bruder repariert in seiner Freizeit alte Radios, die er auf Dachboeden und in Kellern findet. "
    "Viele haben gerissene Kabel, verbrannte Widerstaende oder zerbrochene Skalen aus Glas. Er besorgt "
    "Ersatzteile von Sammlern, loetet stundenlang und prueft jede Roehre mit einem selbst gebauten "
    "Messgeraet. Wenn ein Geraet nach Jahrzehnten zum ersten Mal wieder rauscht und dann ein Sender "
    "klar zu hoeren ist, ruft er die ganze Familie zusammen. Inzwischen stehen achtzehn Stueck im Flur.",
    "Zum Geburtstag meiner Schwester backten wir eine Torte mit drei Schichten und frischen Himbeeren. "
    "Der erste Boden fiel in der Mitte zusammen, weil jemand zu frueh die Ofentuer geoeffnet hatte. Also "
    "schnitten wir ihn heraus, fuellten das Loch mit Sahne und behaupteten, das sei Absicht gewesen. Die "
    "Gaeste lobten die Torte sehr, und niemand merkte etwas. Erst spaeter am Abend verriet der kleine "
    "Neffe das Geheimnis, und alle lachten so laut, dass die Nachbarin an die Wand klopfte und schimpfte.",
};

}  // namespace unseen
