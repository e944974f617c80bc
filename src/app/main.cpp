#include "app/AppIdentity.h"
#include "app/CommandLine.h"
#include "app/WindowSet.h"
#include "framework/Font.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char** argv)
{
    // The command line is read before any window system is opened, so that --help
    // and --version work without a display.
    {
        QCoreApplication commandLineApp(argc, argv);
        pvstim::setApplicationIdentity();
        pvstim::CommandLine commandLine;
        if (commandLine.parse(QCoreApplication::arguments()) == pvstim::CommandLine::Outcome::Exit)
            return commandLine.exitStatus();
    }

    // The program needs global pointer and window positions, which Wayland does
    // not give; under a Wayland session it runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    pvstim::setApplicationIdentity();
    pvstim::setWindowIdentity();
    QTranslator qtTranslation;
    pvstim::installQtTranslations(app, qtTranslation);
    // The program ends when its control window closes, not when its last
    // window is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    pvstim::installFontSubstitutions();

    pvstim::QtPlatform platform;
    pvstim::Platform::install(&platform);
    int result = 0;
    {
        pvstim::WindowSet windows;
        result = QApplication::exec();
    }
    pvstim::Platform::install(nullptr);
    return result;
}
