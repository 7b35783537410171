// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Startup.h"

#include "AccessibleGroupBox.h"
#include "TUpDown.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <malloc.h>

namespace Startup {

namespace {

// A memo's layout of a text takes about 40 bytes a character and gives them back at its next layout.
// glibc maps blocks that large fresh from the system and unmaps them when they are freed, so every 4 KiB
// page faults in again at first use: 13 µs a page on the virtual machine of the benchmarks, two thirds of
// a window step with 1 MB of text. Blocks up to 1 GiB now come from the heap, where the next layout
// reuses them; up to 512 MiB of freed memory at the heap's end stay for that, beyond it the heap shrinks.
void keepLargeBlocksForReuse()
{
    // Once, before the first window; glibc takes its arena's lock for each setting.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);  // NOLINT(concurrency-mt-unsafe)
    mallopt(M_TRIM_THRESHOLD, 1 << 29);  // NOLINT(concurrency-mt-unsafe)
}

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
    keepLargeBlocksForReuse();
    registerFontSubstitutes();
    TUpDown::installAccessibility();
    AccessibleGroupBox::install();
    installQtTranslations(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/bifid.svg")));
}

}  // namespace Startup
