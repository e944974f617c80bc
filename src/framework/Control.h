#pragma once

#include "base/Color.h"

#include <QWidget>

#include <functional>

namespace pvstim {

enum class MouseButton { Left, Right, Middle };

// Mouse events of a control, as the windows' handlers receive them. Each handler
// runs through runHandler, so an exception shows the error box and goes no further.
struct MouseEvents {
    std::function<void()> OnClick;              // left press and release over the control
    std::function<void(MouseButton, QPoint)> OnMouseDown;
    std::function<void(MouseButton, QPoint)> OnMouseUp;
    std::function<void(QPoint)> OnMouseMove;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
};

// A control without keyboard focus that paints itself on its parent window
// (labels, pictures, the gauge). Geometry is the widget's own, in client pixels of
// the parent, and reads back exactly as set.
class TGraphicControl : public QWidget, public MouseEvents {
public:
    explicit TGraphicControl(QWidget* parent);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void setLeft(int v) { move(v, y()); }
    void setTop(int v) { move(x(), v); }
    void setWidth(int v) { resize(v, height()); }
    void setHeight(int v) { resize(width(), v); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }

    bool Enabled() const { return isEnabled(); }
    bool Visible() const { return !isHidden(); }
    void setHint(const QString& hint) { setToolTip(hint); }

    // True when the control sits under the pointer (between enter and leave).
    bool isHot() const { return hot_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hot_ = false;
    bool leftPressed_ = false;
};

}  // namespace pvstim
