#include "platform/KeyboardFocus.h"

#include "platform/X11Connection.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdlib>

namespace pvstim {

namespace {

// Whether the keyboard rests on no other program's window: on none, on the root,
// or on a window no window manager manages (a client's window carries WM_STATE).
bool keyboardWithNoProgram(xcb_connection_t* connection)
{
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    if (!focus)
        return false;
    const xcb_window_t window = focus->focus;
    std::free(focus);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == root)
        return true;
    const xcb_atom_t wmState = x11Atom(connection, "WM_STATE");
    xcb_get_property_reply_t* state = xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, window, wmState, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr);
    const bool managed = state && state->type != XCB_ATOM_NONE;
    std::free(state);
    return !managed;
}

}  // namespace

KeyboardFocus::KeyboardFocus()
{
    checks_.setInterval(250);
    connect(&checks_, &QTimer::timeout, this, &KeyboardFocus::check);
}

void KeyboardFocus::keepOn(QWidget* window)
{
    window_ = window;
    if (window)
        checks_.start();
    else
        checks_.stop();
}

void KeyboardFocus::check()
{
    // A box of the program's own takes the keyboard on purpose.
    if (!window_ || !window_->isVisible() || QApplication::activeModalWidget())
        return;
    if (xcb_connection_t* connection = qtX11Connection()) {
        if (keyboardWithNoProgram(connection))
            give(connection, *window_);
        return;
    }
    if (!QGuiApplication::focusWindow())
        window_->activateWindow();
}

void KeyboardFocus::give(xcb_connection_t* connection, QWidget& window)
{
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
    // An empty append changes nothing but still sends the property's event.
    const xcb_atom_t stamp = x11Atom(connection, "_PVSTIM_TIME_STAMP");
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, stamp, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

}  // namespace pvstim
