#include "framework/Control.h"

#include "framework/Handler.h"

#include <QMouseEvent>

namespace pvstim {

namespace {

bool toButton(Qt::MouseButton b, MouseButton& out)
{
    switch (b) {
    case Qt::LeftButton: out = MouseButton::Left; return true;
    case Qt::RightButton: out = MouseButton::Right; return true;
    case Qt::MiddleButton: out = MouseButton::Middle; return true;
    default: return false;
    }
}

}  // namespace

TGraphicControl::TGraphicControl(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void TGraphicControl::mousePressEvent(QMouseEvent* event)
{
    MouseButton button;
    if (!toButton(event->button(), button))
        return;
    if (button == MouseButton::Left)
        leftPressed_ = true;
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        runHandler([&] { OnMouseDown(button, p); });
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent* event)
{
    MouseButton button;
    if (!toButton(event->button(), button))
        return;
    const QPoint p = event->position().toPoint();
    // A click is a left press and release over the control; it runs before the
    // button-up handler, so a handler of the release sees the click's effects.
    if (button == MouseButton::Left && leftPressed_) {
        leftPressed_ = false;
        if (rect().contains(p) && OnClick)
            runHandler(OnClick);
    }
    if (OnMouseUp)
        runHandler([&] { OnMouseUp(button, p); });
}

void TGraphicControl::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove) {
        const QPoint p = event->position().toPoint();
        runHandler([&] { OnMouseMove(p); });
    }
}

void TGraphicControl::enterEvent(QEnterEvent*)
{
    hot_ = true;
    if (OnMouseEnter)
        runHandler(OnMouseEnter);
}

void TGraphicControl::leaveEvent(QEvent*)
{
    hot_ = false;
    if (OnMouseLeave)
        runHandler(OnMouseLeave);
}

}  // namespace pvstim
