#pragma once

#include <cstdint>

namespace pvstim {

// Keeps the screen awake on a Linux desktop.
//
// Implemented features:
//  - the session bus's org.freedesktop.ScreenSaver inhibition (desktops that run a
//    screen saver or power manager answer it), released with UnInhibit;
//  - where no such service answers, the X server's own screen saver suspended
//    through the MIT-SCREEN-SAVER extension (XScreenSaverSuspend).
// Not supported: Wayland-only sessions without the session-bus service. Both holds
// also end by themselves when the process ends, since they belong to its
// connections.
class ScreenAwake {
public:
    ScreenAwake() = default;
    ~ScreenAwake();
    ScreenAwake(const ScreenAwake&) = delete;
    ScreenAwake& operator=(const ScreenAwake&) = delete;

    void hold();
    void release();
    bool isHeld() const { return how_ != How::NotHeld; }

private:
    enum class How { NotHeld, SessionBus, XServer };
    bool holdOnSessionBus();
    bool holdOnXServer(bool suspend);

    How how_ = How::NotHeld;
    std::uint32_t cookie_ = 0;
};

}  // namespace pvstim
