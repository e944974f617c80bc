#pragma once

#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QImage;
class QObject;
class QRegion;
class QWidget;

namespace pvstim {

// A one-shot timer owned by the platform: armed for an absolute deadline on the
// platform's monotonic clock, it calls its callback once from the event loop.
// Periodic behaviour, intervals and "restart on change" live in TTimer above it.
class TimerSource {
public:
    virtual ~TimerSource() = default;
    // Replaces any earlier arming.
    virtual void armAt(std::int64_t deadlineNs) = 0;
    virtual void disarm() = 0;
    virtual bool isArmed() const = 0;
};

// How closely a timer keeps its deadlines.
enum class TimerPrecision {
    Millisecond,  // to the nearest millisecond of the event loop: polls and waits
    Microsecond,  // within tens of microseconds where the system allows: the flicker
    Poll,         // a steady short poll: polls due together wake the program once
};

// A surface over a window that shows one of two whole pictures at every refresh of
// the display, swapping once a refresh. After each swap it reports the monotonic
// time the swap completed, which is the display's frame clock.
class FrameSurface {
public:
    enum class Picture { Lit, Blank };

    virtual ~FrameSurface() = default;
    // The two pictures, each the size of the window. They are kept until replaced,
    // so showing one costs a draw and a swap.
    virtual void setPictures(const QImage& lit, const QImage& blank) = 0;
    // Shown from the next frame drawn on.
    virtual void show(Picture picture) = 0;
    // Covers the window and swaps at every refresh; stop() uncovers it again.
    virtual void start() = 0;
    virtual void stop() = 0;
    // The refresh rate the system reports for the window's screen (0: unknown).
    virtual double reportedRefreshHz() const = 0;
    // A short name of the renderer, for logs.
    virtual QString rendererName() const = 0;

    // Called after every swap with the time it completed.
    std::function<void(std::int64_t swapNs)> onFrame;
};

// Two prepared pictures of a band of a window, lit and blank, shown straight on the
// screen: showing one is a copy, and the window paints nothing for it. The window
// stays in charge of all its other painting; what the band shows must be what a
// repaint of the window would paint there.
class PhaseBand {
public:
    enum class Picture { Lit, Blank };

    virtual ~PhaseBand() = default;
    // The band in window coordinates and its two pictures, each the size of the
    // band's bounding rectangle. False when they cannot be held.
    virtual bool setPictures(const QRegion& band, const QImage& lit, const QImage& blank) = 0;
    // Copies the picture over the band; false when it cannot.
    virtual bool show(Picture picture) = 0;
};

// How the user's locale writes the long time of day (hours, minutes, seconds).
// Minutes and seconds always have two digits; the fields are joined by one separator.
struct LongTimeFormat {
    enum class Field { Hour, Minute, Second };

    bool twelveHour = false;      // hours 1..12 with an AM/PM designator
    bool leadingZeroHour = true;  // "09:05:07" rather than "9:05:07"
    QString separator = QStringLiteral(":");
    std::array<Field, 3> order { Field::Hour, Field::Minute, Field::Second };
    QString amDesignator;
    QString pmDesignator;
    bool designatorFirst = false; // designator before the time (as in some East Asian locales)
    QString designatorGap = QStringLiteral(" ");  // between the designator and the time

    QString format(const QTime& t) const;
};

// How the user's locale writes a decimal number.
struct NumberFormat {
    QString decimalSeparator = QStringLiteral(".");
    QString groupSeparator = QStringLiteral(",");
    int groupSize = 3;            // 0: no digit grouping

    // Fixed-point text with exactly `decimals` digits after the separator.
    QString fixed(double value, int decimals) const;
};

// Flags the program keeps for the user in the user's own configuration folder,
// apart from the settings file.
enum class UserFlag {
    RunWarningConfirmed,  // the user has read the warning shown before the first run
};

// Everything the program needs from the operating system. The windows reach the OS
// only through this interface; tests install FakePlatform instead of QtPlatform.
class Platform {
public:
    virtual ~Platform() = default;

    // Clock and timers.
    virtual std::int64_t monotonicNs() const = 0;
    virtual std::unique_ptr<TimerSource> createTimer(std::function<void()> onFire, TimerPrecision precision) = 0;

    // Work that must not hold up the interface thread. `work` runs on a worker
    // thread and touches no window; `done` then runs on the interface thread from
    // the event loop. Neither may throw. Nothing on the interface thread waits for
    // `work`; a job still queued when the platform goes away is dropped unrun.
    virtual void runInBackground(std::function<void()> work, std::function<void()> done) = 0;

    // Screen, pointer and focus.
    virtual QSize screenSize() const = 0;
    virtual QPoint cursorPos() const = 0;
    virtual void setCursorPos(QPoint p) = 0;
    // The top-level window that has the user's input, or nullptr when another
    // program has it.
    virtual QWidget* foregroundWindow() const = 0;

    // Notices, so that nothing needs to poll: each calls `onNotice` from the event
    // loop (never from inside a call into the platform) until `watcher` is gone.
    // A notice only says that something may have changed; several changes may
    // come as one notice.
    //  - The pointer may have moved: any motion of a device, a pointer event in one
    //    of the program's windows, setCursorPos, or a pointer another program
    //    warped (a warp makes no motion: the platform finds it by a check of its
    //    own, a second late at most).
    void watchPointer(QObject* watcher, std::function<void()> onNotice);
    //  - The foreground window (foregroundWindow()) may have changed.
    void watchForeground(QObject* watcher, std::function<void()> onNotice);

    // Local time and locale.
    virtual QTime localTime() const = 0;
    virtual LongTimeFormat longTimeFormat() const = 0;
    virtual NumberFormat numberFormat() const = 0;
    QString longTimeText() const { return longTimeFormat().format(localTime()); }

    // Random numbers: the generator is seeded anew from a fast clock before each
    // draw. Returns a uniform integer in [low, highExclusive).
    virtual int randomInRange(int low, int highExclusive) = 0;

    // Shell, power and the error box.
    virtual void openDocument(const QString& path) = 0;   // does not wait; result ignored
    virtual bool requestPowerOff() = 0;                    // does not wait
    virtual void showError(const QString& text) = 0;       // modal, the error's own text
    // The program's main window: the error box is centred on it while it is on screen.
    void setMainWindow(QWidget* window);
    QWidget* mainWindow() const;

    // Keeps a managed top-level window out of the taskbar and the window switcher.
    // Called before each showing: window managers drop the request when a window
    // is hidden.
    virtual void keepOutOfTaskbar(QWidget& window) = 0;

    // While a window is given (null lets go), the keyboard is given back to it
    // whenever the program loses it to no other program's window.
    virtual void keepKeyboardOn(QWidget* window) = 0;

    // Runs a modal dialog and returns its result code. Tests script the dialog here.
    virtual int execDialog(QDialog& dialog) = 0;

    // The folders the program's files live in, without a trailing separator. The
    // platform decides them once; the windows only name files inside them.
    virtual QString dataDir() const = 0;      // pictures and documents shipped with the program
    virtual QString settingsDir() const = 0;  // Config.ini
    virtual QString userDataDir() const = 0;  // to_read/, the texts a user may add to

    // Flags kept per user; false until set.
    virtual bool userFlag(UserFlag flag) const = 0;
    virtual void setUserFlag(UserFlag flag, bool on) = 0;

    // Holds off the desktop's idle action (screen saver, blanking, lock, sleep)
    // until allowScreenIdle(). Holding while held changes nothing.
    virtual void keepScreenAwake() = 0;
    virtual void allowScreenIdle() = 0;

    // A frame surface over `window`, or nullptr when the system has no OpenGL.
    virtual std::unique_ptr<FrameSurface> createFrameSurface(QWidget& window);
    // A phase band over `window` (shown, with its native window), or nullptr when
    // the system has none: the window then repaints itself at every flip.
    virtual std::unique_ptr<PhaseBand> createPhaseBand(QWidget& window);

    // The one instance the program runs on.
    static Platform& instance();
    static void install(Platform* platform);  // nullptr uninstalls

protected:
    // Called by the platform from its event loop.
    void notifyPointerMoved() { notify(pointerWatchers_); }
    void notifyForegroundChanged() { notify(foregroundWatchers_); }
    // Called at the first watch of the pointer: the platform starts watching it then.
    virtual void pointerWatched() { }

private:
    struct Watch {
        QPointer<QObject> watcher;
        std::function<void()> onNotice;
    };
    static void notify(std::vector<Watch>& watches);

    QPointer<QWidget> mainWindow_;
    std::vector<Watch> pointerWatchers_;
    std::vector<Watch> foregroundWatchers_;
};

inline Platform& platform() { return Platform::instance(); }

}  // namespace pvstim
