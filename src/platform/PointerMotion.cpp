#include "platform/PointerMotion.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QtGui/qguiapplication_platform.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace pvstim {

PointerMotion::PointerMotion() = default;

PointerMotion::~PointerMotion()
{
    if (tried_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    notifier_.reset();
    if (display_)
        XCloseDisplay(display_);
}

void PointerMotion::watchOnce()
{
    if (tried_)
        return;
    tried_ = true;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // The program's own windows tell of the pointer's moves over them, raw events or not.
    app->installEventFilter(this);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // The server Qt talks to, whatever named it (DISPLAY or -display).
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    Display* qtDisplay = x11 ? x11->display() : nullptr;
    if (!qtDisplay)
        return;
    display_ = XOpenDisplay(DisplayString(qtDisplay));
    if (!display_)
        return;
    int firstEvent = 0;
    int firstError = 0;
    int major = 2;
    int minor = 2;
    unsigned char mask[XIMaskLen(XI_RawMotion)] = {};
    XISetMask(mask, XI_RawMotion);
    XIEventMask events { XIAllDevices, int(sizeof mask), mask };
    if (!XQueryExtension(display_, "XInputExtension", &opcode_, &firstEvent, &firstError)
        || XIQueryVersion(display_, &major, &minor) != Success
        || XISelectEvents(display_, DefaultRootWindow(display_), &events, 1) != Success) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return;
    }
    XFlush(display_);
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    moved_ = true;
}

bool PointerMotion::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Enter:
    case QEvent::Leave:
        noteMotion();
        break;
    default:
        break;
    }
    return false;
}

bool PointerMotion::movedSinceCheck()
{
    if (!display_)
        return false;
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    const bool onScreen = XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &windowX,
        &windowY, &buttons);
    // Motion events read with the reply wait in Xlib's queue, where the socket
    // notifier does not see them.
    readEvents();
    if (!onScreen)
        return false;
    const bool moved = !checked_ || x != checkedX_ || y != checkedY_;
    checked_ = true;
    checkedX_ = x;
    checkedY_ = y;
    if (moved)
        moved_ = true;
    return moved;
}

void PointerMotion::readEvents()
{
    // Any event on this connection is a motion: it asked for nothing else. The
    // events read together are told as one.
    bool motion = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.xcookie.type == GenericEvent && event.xcookie.extension == opcode_)
            motion = true;
    }
    if (motion)
        noteMotion();
}

}  // namespace pvstim
