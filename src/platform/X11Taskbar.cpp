#include "platform/X11Taskbar.h"

#include "platform/X11Connection.h"

#include <QWidget>

namespace pvstim {

void X11Taskbar::keepOut(QWidget& window)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = x11Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip[] = { x11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"), x11Atom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    // Qt merges its own states into what the property already holds when it maps
    // the window, so these survive the showing that follows.
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, 2, skip);
    xcb_flush(connection);
}

}  // namespace pvstim
