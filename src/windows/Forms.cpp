#include "windows/Forms.h"

namespace pvstim {

ControlWindow* controlWindow = nullptr;
StimulationWindow* stimulationWindow = nullptr;
OverlayWindow* overlayWindow = nullptr;
MiniBar* miniBar = nullptr;
ClockPlate* clockPlate = nullptr;

}  // namespace pvstim
