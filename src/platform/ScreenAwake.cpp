#include "platform/ScreenAwake.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace pvstim {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
// Start waits for the answer; a service that hangs must not hold up the run long.
constexpr int kBusTimeoutMs = 500;

Display* x11Display()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

}  // namespace

ScreenAwake::~ScreenAwake() { release(); }

void ScreenAwake::hold()
{
    if (isHeld())
        return;
    sessionBusHeld_ = holdOnSessionBus();
    xServerHeld_ = holdOnXServer(true);
}

void ScreenAwake::release()
{
    if (sessionBusHeld_) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("UnInhibit"));
        call << cookie_;
        QDBusConnection::sessionBus().send(call);
        sessionBusHeld_ = false;
    }
    if (xServerHeld_) {
        holdOnXServer(false);
        xServerHeld_ = false;
    }
}

bool ScreenAwake::holdOnSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << QStringLiteral("A stimulation run is on");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    cookie_ = reply.arguments().constFirst().toUInt();
    return true;
}

bool ScreenAwake::holdOnXServer(bool suspend)
{
    Display* display = x11Display();
    if (!display)
        return false;
    // Without the extension the request would be an X error, which ends the program.
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)
        || !XScreenSaverQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 1))
        return false;
    XScreenSaverSuspend(display, suspend ? True : False);
    XFlush(display);
    return true;
}

}  // namespace pvstim
