#include "app/WindowSet.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "run/ClockPlate.h"
#include "run/OverlayWindow.h"
#include "run/StimulationWindow.h"
#include "windows/Forms.h"

namespace pvstim {

namespace {

enum class VisibleAtStart { No, Yes };

// Sets the reference, then runs the create step, then shows the window if its
// design says so. The reference must be set first: create steps of later windows
// write into the control window, whose rules act back on the window being created.
template<typename Form>
void createWindow(Form*& reference, VisibleAtStart visible)
{
    reference = new Form();
    reference->runCreateStep();
    if (visible == VisibleAtStart::Yes)
        reference->Show();
}

}  // namespace

void createWindowSet()
{
    createWindow(controlWindow, VisibleAtStart::Yes);
    controlWindow->setMainForm(true);
    createWindow(stimulationWindow, VisibleAtStart::No);
    createWindow(overlayWindow, VisibleAtStart::No);
    createWindow(miniBar, VisibleAtStart::No);
    createWindow(clockPlate, VisibleAtStart::Yes);
}

void destroyWindowSet()
{
    // In reverse order; every window may still reach the others while it goes.
    delete clockPlate;
    clockPlate = nullptr;
    delete miniBar;
    miniBar = nullptr;
    delete overlayWindow;
    overlayWindow = nullptr;
    delete stimulationWindow;
    stimulationWindow = nullptr;
    delete controlWindow;
    controlWindow = nullptr;
}

}  // namespace pvstim
