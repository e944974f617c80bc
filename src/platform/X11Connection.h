#pragma once

#include <xcb/xcb.h>

namespace pvstim {

// Qt's own connection to the X server, or null on any other Qt platform (offscreen
// among them, which may offer the X11 interface without a connection).
xcb_connection_t* qtX11Connection();

// The atom of `name`, or XCB_ATOM_NONE.
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name);

}  // namespace pvstim
