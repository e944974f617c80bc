#include "framework/Form.h"

#include "framework/Handler.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

namespace pvstim {

TForm::TForm(const QString& name, WindowPlacement placement)
    : QWidget(nullptr)
    , placement_(placement)
{
    setObjectName(name);
    setWindowRole(name);
    applyFlags();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TForm::applyFlags()
{
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (placement_ == WindowPlacement::Unmanaged)
        flags |= Qt::X11BypassWindowManagerHint | Qt::Tool;
    if (stayOnTop_)
        flags |= Qt::WindowStaysOnTopHint;
    const bool wasShown = isVisible();
    setWindowFlags(flags);
    if (wasShown)
        applyVisibility();
}

void TForm::setLeft(int v) { left_ = v; applyGeometry(); }
void TForm::setTop(int v) { top_ = v; applyGeometry(); }
void TForm::setWidth(int v) { width_ = std::max(0, v); applyGeometry(); }
void TForm::setHeight(int v) { height_ = std::max(0, v); applyGeometry(); }

void TForm::setBounds(int left, int top, int w, int h)
{
    left_ = left;
    top_ = top;
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    applyGeometry();
}

void TForm::centerOnScreen()
{
    const QSize screen = platform().screenSize();
    setBounds((screen.width() - width_) / 2, (screen.height() - height_) / 2, width_, height_);
}

void TForm::sizeToControls()
{
    QRect bounds;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && !w->isHidden())
            bounds = bounds.united(w->geometry());
    }
    if (!bounds.isEmpty()) {
        width_ = bounds.right() + 1;
        height_ = bounds.bottom() + 1;
        applyGeometry();
    }
}

void TForm::applyGeometry()
{
    // Qt refuses empty top-level sizes; the logical size is kept regardless.
    setGeometry(left_, top_, std::max(1, width_), std::max(1, height_));
    applyVisibility();
}

void TForm::applyVisibility()
{
    const QRect screen(QPoint(0, 0), platform().screenSize());
    const bool onScreen = QRect(left_, top_, width_, height_).intersects(screen);
    const bool wantMapped = visible_ && !closed_ && onScreen;
    if (wantMapped && !isVisible()) {
        if (taskbar_ == TaskbarEntry::Hidden)
            platform().keepOutOfTaskbar(*this);
        QWidget::show();
    }
    else if (!wantMapped && isVisible())
        QWidget::hide();
}

void TForm::Show()
{
    if (state_ == WindowState::Maximized) {
        const QSize screen = platform().screenSize();
        left_ = 0;
        top_ = 0;
        width_ = screen.width();
        height_ = screen.height();
    }
    visible_ = true;
    // A window the window manager iconified comes back with it.
    if (isMinimized())
        setWindowState(QWidget::windowState() & ~Qt::WindowMinimized);
    applyGeometry();
}

void TForm::Hide()
{
    visible_ = false;
    applyVisibility();
}

void TForm::setWindowStateTo(WindowState s)
{
    state_ = s;
    if (visible_ && s == WindowState::Maximized)
        Show();
}

void TForm::setStayOnTop(bool on)
{
    if (on == stayOnTop_)
        return;
    stayOnTop_ = on;
    applyFlags();
}

void TForm::BringToFront()
{
    if (isVisible())
        raise();
}

void TForm::SendToBack()
{
    if (isVisible())
        lower();
}

void TForm::setColor(TColor c)
{
    if (c == color_)
        return;
    color_ = c;
    update();
}

void TForm::setAlphaBlend(bool on)
{
    alphaBlend_ = on;
    setWindowOpacity(on ? alpha_ / 255.0 : 1.0);
}

void TForm::setAlphaBlendValue(int alpha)
{
    alpha_ = std::clamp(alpha, 0, 255);
    if (alphaBlend_)
        setWindowOpacity(alpha_ / 255.0);
}

void TForm::Close()
{
    if (closed_ || closing_)
        return;
    closing_ = true;
    runHandler(OnClose);
    closing_ = false;
    closed_ = true;
    applyVisibility();
    if (mainForm_)
        QCoreApplication::exit(0);
}

void TForm::setMainForm(bool on)
{
    mainForm_ = on;
    if (on)
        platform().setMainWindow(this);
    else if (platform().mainWindow() == this)
        platform().setMainWindow(nullptr);
}

void TForm::runCreateStep()
{
    runHandler([this] { FormCreate(); });
}

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(color_));
}

void TForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            runHandler(OnActivate);
        else
            runHandler(OnDeactivate);
    }
    QWidget::changeEvent(event);
}

void TForm::closeEvent(QCloseEvent* event)
{
    // A close asked for by the window manager (for example Alt+F4) ends the program
    // on the main window. Any other window is only hidden: only the end of the
    // program closes a window for good, so the program can always show it again.
    event->ignore();
    if (mainForm_)
        Close();
    else
        Hide();
}

}  // namespace pvstim
