#pragma once

class QWidget;

namespace pvstim {

// Keeps a window out of the taskbar and the pager on X11, by asking the window
// manager for _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER. On any other
// Qt platform (Wayland without XWayland, offscreen) it does nothing.
class X11Taskbar {
public:
    // Window managers drop the request for a hidden window: call before each showing.
    static void keepOut(QWidget& window);
};

}  // namespace pvstim
