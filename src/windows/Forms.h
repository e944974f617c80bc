#pragma once

// The program-wide references to the five windows. Each is set before its window's
// create step runs, so every handler can reach every window from then on.
namespace pvstim {

class ControlWindow;
class StimulationWindow;
class OverlayWindow;
class MiniBar;
class ClockPlate;

extern ControlWindow* controlWindow;  // control window (main window)
extern StimulationWindow* stimulationWindow;  // stimulation window
extern OverlayWindow* overlayWindow;  // overlay window
extern MiniBar* miniBar;  // mini bar
extern ClockPlate* clockPlate;  // clock window

}  // namespace pvstim
