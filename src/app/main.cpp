#include "app/CommandLine.h"
#include "app/WindowSet.h"
#include "framework/Font.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv)
{
    // The program needs global pointer and window positions, which Wayland does
    // not give; under a Wayland session it runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pvstim"));
    QApplication::setApplicationVersion(QStringLiteral(PVSTIM_VERSION));
    // The program ends when its control window closes, not when its last
    // window is hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    pvstim::addFlickerOptions(parser);
    parser.process(app);
    if (const QString error = pvstim::applyFlickerOptions(parser); !error.isEmpty()) {
        std::fprintf(stderr, "pvstim: %s\n", qPrintable(error));
        return 2;
    }
    pvstim::installFontSubstitutions();

    pvstim::QtPlatform platform;
    pvstim::Platform::install(&platform);
    pvstim::createWindowSet();
    const int result = QApplication::exec();
    pvstim::destroyWindowSet();
    pvstim::Platform::install(nullptr);
    return result;
}
