// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Startup.h"

#include "TUpDown.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

namespace {

// Fonts the windows name, mapped to the metric-compatible families Debian ships.
void registerFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

// Qt's own texts (the memos' context menus, the buttons of message boxes) speak German like the window.
// Without the installed catalogue they stay English.
void installQtTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void setUpApplication(QApplication &app)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    registerFontSubstitutes();
    TUpDown::installAccessibility();
    installQtTranslations(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/bifid.svg")));
}

}  // namespace Startup
