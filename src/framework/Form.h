#pragma once

#include "base/Color.h"
#include "framework/Font.h"

#include <QWidget>

#include <functional>

namespace pvstim {

// How the window manager treats a window.
enum class WindowPlacement {
    Managed,    // placed by the window manager; takes the keyboard
    Unmanaged,  // bypasses the window manager: sits exactly where the program puts it
};

enum class WindowState { Normal, Maximized };

// Whether the taskbar and the window switcher list a window.
enum class TaskbarEntry { Listed, Hidden };

// A top-level window of the program. Its name is the window's role for the window
// system; its title is left to the application, so every window shows the
// program's name.
//
// Left, Top, Width and Height are set one at a time and read back exactly as set,
// negative and very large values included. A window whose bounds lie wholly outside
// the screen is kept out of sight by hiding its native window, while it still counts
// as shown (Visible() stays true), since display servers cannot place a window at
// every coordinate and window managers pull managed windows back on screen.
class TForm : public QWidget {
public:
    TForm(const QString& name, WindowPlacement placement);

    // --- Bounds ---
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void setBounds(int left, int top, int w, int h);
    // Centres the window on the screen.
    void centerOnScreen();
    // Sizes the window to the bounds of its visible controls (right and bottom
    // edges), as an auto-size window does after its design data is loaded.
    void sizeToControls();

    // --- Visibility and state ---
    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    bool Enabled() const { return isEnabled(); }
    WindowState windowState() const { return state_; }
    // A maximized window covers the whole screen whenever it is shown.
    void setWindowStateTo(WindowState s);
    bool stayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool on);
    void BringToFront();
    void SendToBack();
    TaskbarEntry taskbarEntry() const { return taskbar_; }
    void setTaskbarEntry(TaskbarEntry entry) { taskbar_ = entry; }
    // True while the native window is really mapped (not just logically shown).
    bool isOnScreen() const { return isVisible(); }

    // --- Look ---
    TColor Color() const { return color_; }
    void setColor(TColor c);
    bool alphaBlend() const { return alphaBlend_; }
    void setAlphaBlend(bool on);
    int AlphaBlendValue() const { return alpha_; }
    void setAlphaBlendValue(int alpha);  // 0..255, takes effect at once
    bool DoubleBuffered = false;          // painting is always double-buffered; kept as the window's setting
    TFont Font;                            // the window's own font

    // --- Life cycle ---
    // Closes the window for good: runs OnClose, hides it, and ends the program when
    // this is the main window. Runs once; later calls do nothing. The program
    // closes only its main window; a window manager's close request on any other
    // window hides it (closeEvent).
    void Close();
    bool isClosed() const { return closed_; }
    // The main window ends the program when it closes and anchors the error box.
    void setMainForm(bool on);
    bool isMainForm() const { return mainForm_; }

    std::function<void()> OnClose;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;

    // Runs the window's create step (FormCreate) through the error box guard.
    void runCreateStep();

protected:
    virtual void FormCreate() { }
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyGeometry();
    void applyVisibility();
    void applyFlags();

    WindowPlacement placement_;
    WindowState state_ = WindowState::Normal;
    TaskbarEntry taskbar_ = TaskbarEntry::Listed;
    int left_ = 0;
    int top_ = 0;
    int width_ = 100;
    int height_ = 100;
    bool visible_ = false;
    bool stayOnTop_ = false;
    bool alphaBlend_ = false;
    int alpha_ = 255;
    TColor color_ = clBtnFace;
    bool closed_ = false;
    bool closing_ = false;
    bool mainForm_ = false;
};

}  // namespace pvstim
