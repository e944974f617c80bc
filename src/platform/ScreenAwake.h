#pragma once

#include <cstdint>

namespace pvstim {

// Keeps the screen awake on a Linux desktop.
//
// Implemented features, both held together for as long as the hold lasts:
//  - the session bus's org.freedesktop.ScreenSaver inhibition (desktops that run a
//    screen saver or power manager answer it), released with UnInhibit;
//  - on X11, the X server's own screen saver suspended through the MIT-SCREEN-SAVER
//    extension (XScreenSaverSuspend), whatever the session bus answered: a desktop
//    service that takes the inhibition need not tell the X server.
// Either is simply skipped where it is missing (no session bus, no X connection as
// on Wayland or the offscreen platform). Both holds also end by themselves when the
// process ends, since they belong to its connections.
class ScreenAwake {
public:
    ScreenAwake() = default;
    ~ScreenAwake();
    ScreenAwake(const ScreenAwake&) = delete;
    ScreenAwake& operator=(const ScreenAwake&) = delete;

    void hold();
    void release();
    bool isHeld() const { return sessionBusHeld_ || xServerHeld_; }

private:
    bool holdOnSessionBus();
    bool holdOnXServer(bool suspend);

    bool sessionBusHeld_ = false;
    bool xServerHeld_ = false;
    std::uint32_t cookie_ = 0;
};

}  // namespace pvstim
