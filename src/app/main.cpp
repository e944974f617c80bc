#include "app/WindowSet.h"
#include "framework/Font.h"
#include "platform/QtPlatform.h"

#include <QApplication>

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
    pvstim::installFontSubstitutions();

    pvstim::QtPlatform platform;
    pvstim::Platform::install(&platform);
    pvstim::createWindowSet();
    const int result = QApplication::exec();
    pvstim::destroyWindowSet();
    pvstim::Platform::install(nullptr);
    return result;
}
