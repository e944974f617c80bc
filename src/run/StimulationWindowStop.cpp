// Stopping a run from the stimulation window: Escape and a window manager's close
// request end it at once, as the mini bar's close picture does.
#include "run/StimulationWindow.h"

#include "framework/Handler.h"
#include "run/StopKey.h"

#include <QCloseEvent>

namespace pvstim {

void StimulationWindow::wireStop()
{
    stopKey = new StopKey(this, [this] { stopRun(); });
}

// The control window's close step hides this window before it does anything else,
// so the flicker stops first.
void StimulationWindow::stopRun() { links_.closeProgram(); }

void StimulationWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    runHandler([this] { stopRun(); });
}

}  // namespace pvstim
