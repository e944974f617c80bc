#pragma once

#include "platform/Platform.h"

#include <QElapsedTimer>

namespace pvstim {

// The platform on Qt and Linux (X11; under Wayland the program asks for XWayland).
//
// Implemented features:
//  - monotonic clock and one-shot precise timers from the Qt event loop;
//  - primary screen size, global pointer position (read and set), the application's
//    active window as the foreground window;
//  - local time of day, the long time format and number format of the system locale;
//  - random draws from a generator reseeded from a nanosecond clock before each draw;
//  - documents opened with the associated program (QDesktopServices, xdg-open);
//  - power-off through logind on the system bus (PowerOff, not interactive);
//  - the error box as a modal critical message box;
//  - a frame surface drawn with OpenGL at a swap interval of 1 (GlFrameSurface).
class QtPlatform : public Platform {
public:
    QtPlatform();

    std::int64_t monotonicNs() const override { return clock_.nsecsElapsed(); }
    std::unique_ptr<TimerSource> createTimer(std::function<void()> onFire) override;
    QSize screenSize() const override;
    QPoint cursorPos() const override;
    void setCursorPos(QPoint p) override;
    QWidget* foregroundWindow() const override;
    QTime localTime() const override;
    LongTimeFormat longTimeFormat() const override { return timeFormat_; }
    NumberFormat numberFormat() const override { return numberFormat_; }
    int randomInRange(int low, int highExclusive) override;
    void openDocument(const QString& path) override;
    bool requestPowerOff() override;
    void showError(const QString& text) override;
    int execDialog(QDialog& dialog) override;
    QString executableDir() const override;
    std::unique_ptr<FrameSurface> createFrameSurface(QWidget& window) override;  // GlFrameSurface.cpp

    // Exposed for tests of the locale parsing.
    static LongTimeFormat parseLongTimeFormat(const QString& qtFormat, const QString& am, const QString& pm);

private:
    QElapsedTimer clock_;
    LongTimeFormat timeFormat_;
    NumberFormat numberFormat_;
};

}  // namespace pvstim
