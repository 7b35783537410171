#include "Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

namespace {

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
    installQtTranslations(app);
}

}  // namespace Startup
