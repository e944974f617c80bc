// The real platform's window services where the program runs without an X server
// (Qt's offscreen platform, as here): they do nothing rather than talk to a server
// that is not there.
#include "platform/QtPlatform.h"

#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

TEST(QtPlatformWindows, KeepingAWindowOutOfTheTaskbarNeedsAnXServer)
{
    ASSERT_NE(QGuiApplication::platformName(), QLatin1String("xcb")) << "this test is for other platforms";
    QtPlatform platform;
    QWidget window;
    platform.keepOutOfTaskbar(window);
    window.show();
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
