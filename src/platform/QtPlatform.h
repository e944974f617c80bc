#pragma once

#include "platform/BackgroundWorkers.h"
#include "platform/FolderLayout.h"
#include "platform/KeyboardFocus.h"
#include "platform/LocalClock.h"
#include "platform/MonotonicClock.h"
#include "platform/PollClock.h"
#include "platform/PointerMotion.h"
#include "platform/Platform.h"
#include "platform/ScreenAwake.h"

#include <QObject>
#include <QTimer>

namespace pvstim {

// The platform on Qt and Linux (X11; under Wayland the program asks for XWayland).
//
// Implemented features:
//  - monotonic clock (steady_clock) and one-shot timers from the Qt event loop:
//    Qt's precise timers (QtTimerSource.h), and on Linux a timerfd with the event
//    loop's thread at the least timer slack for microsecond deadlines
//    (TimerFdSource.h); one Qt timer for all polls (PollClock.h);
//  - background work on two worker threads (nice 10 on Linux), its completion
//    posted back to the event loop (BackgroundWorkers.h);
//  - primary screen size, global pointer position (read and set; on X11 asked of
//    the server only when the pointer may have moved, PointerMotion.h), the
//    application's active window as the foreground window;
//  - notices of the pointer's motion (raw motion events, the program's own pointer
//    events and moves; a warp found by asking for the position a second after it
//    was last asked for, or every 100 ms without raw events) and of a change of
//    the focus window, each posted to the event loop, several as one;
//  - local time of day (LocalClock.h), the long time format (LongTimeFormatParser.h)
//    and number format of the system locale;
//  - random draws from a generator reseeded from a nanosecond clock before each draw;
//  - documents opened with the associated program (QDesktopServices, xdg-open);
//  - power-off through logind on the system bus (PowerOff, not interactive);
//  - the error box as a modal critical message box above every window of the
//    program, with the focus, centred on the main window while that is on screen
//    (ErrorBox.h);
//  - windows kept out of the taskbar through _NET_WM_STATE on X11 (elsewhere not;
//    X11Taskbar.h);
//  - the portable or the installed folder layout, decided at construction from the
//    executable's folder and the XDG base folders (QStandardPaths);
//  - flags kept per user in pvstim.conf in the user's configuration folder
//    (QStandardPaths::AppConfigLocation, for example ~/.config/pvstim/; UserFlags.h);
//  - the screen kept awake through both the desktop's screen saver service and the
//    X server's screen saver (ScreenAwake.h);
//  - the keyboard kept with one window during a run (KeyboardFocus.h);
//  - a frame surface drawn with OpenGL at a swap interval of 1 (GlFrameSurface);
//  - a phase band held as two pixmaps in the X server, shown with one copy each
//    (X11PhaseBand.h; on X11 only).
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    std::int64_t monotonicNs() const override;
    std::unique_ptr<TimerSource> createTimer(std::function<void()> onFire, TimerPrecision precision) override;
    void runInBackground(std::function<void()> work, std::function<void()> done) override;
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
    void keepOutOfTaskbar(QWidget& window) override;
    void keepKeyboardOn(QWidget* window) override { keyboard_.keepOn(window); }
    QString dataDir() const override { return folders_.dataDir; }
    QString settingsDir() const override { return folders_.settingsDir; }
    QString userDataDir() const override { return folders_.userDataDir; }
    bool userFlag(UserFlag flag) const override;
    void setUserFlag(UserFlag flag, bool on) override;
    void keepScreenAwake() override { screenAwake_.hold(); }
    void allowScreenIdle() override { screenAwake_.release(); }
    std::unique_ptr<FrameSurface> createFrameSurface(QWidget& window) override;  // GlFrameSurface.cpp
    std::unique_ptr<PhaseBand> createPhaseBand(QWidget& window) override;         // X11PhaseBand.cpp

protected:
    void pointerWatched() override;

private:
    // Posts `notify` to the event loop once, however often asked before it runs.
    void postOnce(bool& posted, std::function<void()> notify);
    void postPointerNotice();
    void checkForWarp();


    MonotonicClock::time_point origin_;
    mutable LocalClock localClock_;
    LongTimeFormat timeFormat_;
    NumberFormat numberFormat_;
    FolderLayout folders_;
    PollClock polls_;
    mutable PointerMotion pointerMotion_;
    mutable QPoint pointerPos_;
    QObject notices_;  // the context the notices are posted in
    bool pointerNoticePosted_ = false;
    bool foregroundNoticePosted_ = false;
    QTimer warpCheck_;
    std::int64_t warpCheckedNs_ = 0;
    ScreenAwake screenAwake_;
    KeyboardFocus keyboard_;
    // Last, so it goes first: no completion runs while the rest of the platform goes.
    BackgroundWorkers workers_;
};

}  // namespace pvstim
