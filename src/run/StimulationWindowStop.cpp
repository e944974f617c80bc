// Stopping a run from the stimulation window: Escape and a window manager's close
// request end it at once, as the mini bar's close picture does.
#include "run/StimulationWindow.h"

#include "control/ControlWindow.h"
#include "framework/Handler.h"
#include "run/StopKey.h"
#include "windows/Forms.h"

#include <QCloseEvent>

namespace pvstim {

void StimulationWindow::wireStop()
{
    stopKey = new StopKey(this, [this] { stopRun(); });
}

// The control window's close step hides this window before it does anything else,
// so the flicker stops first.
void StimulationWindow::stopRun() { controlWindow->closeProgram(); }

void StimulationWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    runHandler([this] { stopRun(); });
}

}  // namespace pvstim
