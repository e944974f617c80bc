#pragma once

#include "platform/Platform.h"

#include <QStringList>

#include <deque>
#include <map>
#include <random>
#include <vector>

namespace pvstim {

// A deterministic platform for tests.
//
// Simulated:
//  - a virtual monotonic clock that starts at 0 and moves only through advance();
//    advancing fires every due timer in deadline order (ties in arming order), each
//    callback completing before the next, and the clock reads the deadline while a
//    callback runs, plus whatever time the callback spends (spendMs);
//  - a fixed screen (1024 x 768 unless set), a pointer that stays where the test or
//    the program puts it, a foreground window the test chooses; moving the pointer
//    (but for a warp, warpCursor) and changing the foreground window give their
//    notices as the event loop would: at the next advance, before any timer;
//  - local time of day that follows the virtual clock from a settable start, and a
//    settable long time format and number format (24-hour ":" and "." by default);
//  - random draws from a scripted queue, falling back to a generator with a fixed seed;
//  - the portable layout: every file of the program lies in the executable folder;
//  - flags kept per user, in memory: the user has confirmed the run warning unless
//    a test clears it, so Start goes straight on;
//  - the screen kept awake or allowed to idle, as a state the test reads;
//  - background work that runs only when the test says so: jobs wait in a queue
//    (forever, if the test never finishes them), or, when the test asks for it,
//    are finished right after the timer callback that queued them, as if the
//    worker took no time;
//  - a frame clock (frameClock): a frame surface whose swaps complete at the virtual
//    refreshes of a display (refresh rate, jitter, refreshes a swap misses), or at
//    irregular times as when nothing paces the swaps; or no OpenGL at all.
// Not simulated: the real platform's check of the position for a warp.
// Recorded: documents opened, power-off requests, error-box texts, dialogs run,
// windows kept out of the taskbar.
// Not simulated: real windows' placement by a window manager, real input.
class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    // --- Platform ---
    std::int64_t monotonicNs() const override { return now_; }
    // Every precision keeps its deadlines exactly in virtual time.
    std::unique_ptr<TimerSource> createTimer(std::function<void()> onFire, TimerPrecision precision) override;
    void runInBackground(std::function<void()> work, std::function<void()> done) override;
    QSize screenSize() const override { return screen_; }
    QPoint cursorPos() const override { return cursor_; }
    void setCursorPos(QPoint p) override
    {
        setCursor(p);
        cursorMoves.push_back(p);
    }
    QWidget* foregroundWindow() const override { return foreground_; }
    QTime localTime() const override;
    LongTimeFormat longTimeFormat() const override { return timeFormat_; }
    NumberFormat numberFormat() const override { return numberFormat_; }
    int randomInRange(int low, int highExclusive) override;
    void openDocument(const QString& path) override { openedDocuments.push_back(path); }
    bool requestPowerOff() override
    {
        ++powerOffRequests;
        if (onPowerOff)
            onPowerOff();
        return powerOffAccepted;
    }
    void showError(const QString& text) override;
    int execDialog(QDialog& dialog) override;
    void keepOutOfTaskbar(QWidget& window) override { outOfTaskbar.push_back(&window); }
    void keepKeyboardOn(QWidget* window) override { keyboardKeptOn = window; }
    QString dataDir() const override { return exeDir_; }
    QString settingsDir() const override { return exeDir_; }
    QString userDataDir() const override { return exeDir_; }
    bool userFlag(UserFlag flag) const override;
    void setUserFlag(UserFlag flag, bool on) override { userFlags[flag] = on; }
    void keepScreenAwake() override { screenKeptAwake = true; }
    void allowScreenIdle() override { screenKeptAwake = false; }
    std::unique_ptr<FrameSurface> createFrameSurface(QWidget& window) override;
    // Nullptr (the window repaints its phases) unless a test sets makePhaseBand.
    std::unique_ptr<PhaseBand> createPhaseBand(QWidget& window) override
    {
        return makePhaseBand ? makePhaseBand(window) : nullptr;
    }
    std::function<std::unique_ptr<PhaseBand>(QWidget&)> makePhaseBand;

    // --- Virtual time ---
    void advanceMs(std::int64_t ms) { advanceNs(ms * 1000000); }
    void advanceNs(std::int64_t ns);
    // Fires only the timers due at the current time (deadline <= now).
    void runDue() { advanceNs(0); }
    // Called from a callback: the callback takes this long, so the clock reads later
    // from now on and timers due meanwhile fire late, after it returns.
    void spendMs(std::int64_t ms) { now_ += ms * 1000000; }
    // Deadline of the earliest armed timer, or -1.
    std::int64_t nextDeadlineNs() const;

    // --- Background work ---
    // Runs every queued job, work then completion, in the order queued, including
    // jobs queued meanwhile. Returns how many ran.
    int finishBackgroundJobs();
    std::size_t pendingBackgroundJobs() const { return jobs_.size(); }
    // When set, advancing finishes the jobs each timer callback queued before the
    // next callback runs.
    bool finishJobsAfterEachCallback = false;

    // --- Scripting ---
    void setScreenSize(QSize s) { screen_ = s; }
    // A move, as a device makes it: told as motion.
    void setCursor(QPoint p)
    {
        cursor_ = p;
        pointerNotice_ = true;
    }
    // Another program's warp: not told.
    void warpCursor(QPoint p) { cursor_ = p; }
    // Told as a change when it is one.
    void setForegroundWindow(QWidget* w)
    {
        foregroundNotice_ = foregroundNotice_ || w != foreground_;
        foreground_ = w;
    }
    // Local time at virtual time 0; the time of day then follows the clock.
    void setLocalTime(QTime t) { startOfDay_ = t; startNs_ = now_; }
    void setLongTimeFormat(const LongTimeFormat& f) { timeFormat_ = f; }
    void setNumberFormat(const NumberFormat& f) { numberFormat_ = f; }
    void setExecutableDir(const QString& dir) { exeDir_ = dir; }
    // Draws queued here are returned first, one per call, whatever the range
    // (the caller's range is asserted); then the seeded generator takes over.
    void queueRandom(int value) { scriptedRandom_.push_back(value); }
    // Called by execDialog with the dialog; returns the dialog's result code.
    // Without a script, execDialog rejects the dialog.
    std::function<int(QDialog&)> dialogScript;

    // The display the frame surfaces swap on. Refresh n falls at n / refreshHz
    // seconds of virtual time; a swap completes at its refresh plus a seeded draw in
    // [0, jitterNs], or skips the refreshes listed in `missed`.
    struct FrameClock {
        // Without it createFrameSurface gives nullptr, so the flicker clock flips
        // the phases as it does on a system without OpenGL; off unless a test
        // asks for frames.
        bool openGl = false;
        double refreshHz = 60.0;
        double reportedHz = -1;         // the rate the system reports; < 0: refreshHz
        std::int64_t jitterNs = 0;
        std::vector<std::int64_t> missed;  // refresh numbers no swap completes at
        // No swap interval: each swap completes 2 to 12 ms after the last.
        bool unpaced = false;
    };
    FrameClock frameClock;
    // Every frame the surfaces swapped: completion time and whether it showed the
    // lit picture.
    struct Frame {
        std::int64_t ns;
        bool lit;
    };
    std::vector<Frame> frames;
    int frameSurfacesStarted = 0;

    // --- Records ---
    std::map<UserFlag, bool> userFlags { { UserFlag::RunWarningConfirmed, true } };
    bool screenKeptAwake = false;
    QStringList openedDocuments;
    QStringList errors;
    int powerOffRequests = 0;
    bool powerOffAccepted = true;
    // Called at each power-off request, before it is answered: what the machine
    // would still find on disk when it goes down.
    std::function<void()> onPowerOff;
    std::vector<QPoint> cursorMoves;
    std::vector<std::pair<int, int>> randomRanges;  // (low, high) of every draw
    std::vector<QWidget*> outOfTaskbar;             // every request, in order
    QWidget* keyboardKeptOn = nullptr;
    std::uint64_t timersFired = 0;                  // callbacks of every timer

private:
    friend class FakeTimerSource;
    struct Arming {
        std::int64_t deadline;
        std::uint64_t sequence;
    };
    void arm(class FakeTimerSource* t, std::int64_t deadline);
    void disarm(class FakeTimerSource* t);
    void giveNotices();

    std::int64_t now_ = 0;
    std::uint64_t sequence_ = 0;
    std::map<class FakeTimerSource*, Arming> armed_;
    QSize screen_{1024, 768};
    QPoint cursor_{512, 384};
    QWidget* foreground_ = nullptr;
    bool pointerNotice_ = false;
    bool foregroundNotice_ = false;
    QTime startOfDay_{12, 0, 0};
    std::int64_t startNs_ = 0;
    LongTimeFormat timeFormat_;
    NumberFormat numberFormat_;
    QString exeDir_;
    std::deque<int> scriptedRandom_;
    std::deque<std::pair<std::function<void()>, std::function<void()>>> jobs_;
    std::mt19937 rng_{12345};
};

}  // namespace pvstim
