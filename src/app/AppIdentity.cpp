#include "app/AppIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pvstim {

void setApplicationIdentity()
{
    // Qt names every window's class after the application, so the class is
    // "pvstim" as the desktop entry's StartupWMClass says.
    QCoreApplication::setApplicationName(QStringLiteral("pvstim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PVSTIM_VERSION));
}

void setWindowIdentity()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("pvstim"));
    QIcon icon;
    for (int size : { 48, 128, 256 })
        icon.addFile(QStringLiteral(":/art/pvstim-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

bool installQtTranslations(QApplication& app, QTranslator& translator)
{
    if (!translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return app.installTranslator(&translator);
}

}  // namespace pvstim
