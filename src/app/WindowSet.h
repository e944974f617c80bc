#pragma once

#include <memory>

namespace pvstim {

class ClockPlate;
class ControlWindow;
class MiniBar;
class OverlayWindow;
class StimulationWindow;

// The program's five windows, owned here and connected here: each window is given,
// when it is made, only what it uses of the others.
//
// Making the set runs the windows' create steps in their order (control,
// stimulation, overlay, mini bar, clock): an error in a step shows the error box and
// skips the rest of that step; where its design says so, the window is then shown.
// The control window is the main window. The windows go in the reverse order.
class WindowSet {
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    ControlWindow& control() const { return *control_; }
    StimulationWindow& stimulation() const { return *stimulation_; }
    OverlayWindow& overlay() const { return *overlay_; }
    MiniBar& miniBar() const { return *miniBar_; }
    ClockPlate& clock() const { return *clock_; }

private:
    // In the order they go: the control window first, since it acts on the others.
    std::unique_ptr<ClockPlate> clock_;
    std::unique_ptr<MiniBar> miniBar_;
    std::unique_ptr<OverlayWindow> overlay_;
    std::unique_ptr<StimulationWindow> stimulation_;
    std::unique_ptr<ControlWindow> control_;
};

}  // namespace pvstim
