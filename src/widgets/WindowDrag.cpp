#include "widgets/WindowDrag.h"

#include "framework/Control.h"
#include "framework/Form.h"
#include "platform/Platform.h"

namespace pvstim {

WindowDrag::WindowDrag(TForm& window, TGraphicControl& handle)
    : window_(window)
{
    handle.OnMouseDown = [this](MouseButton, QPoint) { press(); };
    handle.OnMouseMove = [this](QPoint) { move(); };
    handle.OnMouseUp = [this](MouseButton, QPoint) { release(); };
}

void WindowDrag::press()
{
    dragging_ = true;
    grabOffset_ = platform().cursorPos() - QPoint(window_.Left(), window_.Top());
}

void WindowDrag::move()
{
    if (!dragging_)
        return;
    const QPoint place = platform().cursorPos() - grabOffset_;
    window_.setLeft(place.x());
    window_.setTop(place.y());
}

}  // namespace pvstim
