#pragma once

#include <QPoint>

namespace pvstim {

class TForm;
class TGraphicControl;

// Drags a window by one of its controls, such as a title strip. A press of any
// button on the handle grabs the window; moves then follow the pointer's screen
// position, never the event's own coordinates, which shift as the window moves
// under the pointer. The handle keeps the pointer from the press to the release,
// so a drag always ends with the release, wherever the pointer is then.
class WindowDrag {
public:
    // Wires the handle's press, move and release handlers.
    WindowDrag(TForm& window, TGraphicControl& handle);
    WindowDrag(const WindowDrag&) = delete;
    WindowDrag& operator=(const WindowDrag&) = delete;

    void press();
    void move();
    void release() { dragging_ = false; }

    bool dragging() const { return dragging_; }
    // The pointer's place in the window when it was grabbed.
    QPoint grabOffset() const { return grabOffset_; }

private:
    TForm& window_;
    bool dragging_ = false;
    QPoint grabOffset_;
};

}  // namespace pvstim
