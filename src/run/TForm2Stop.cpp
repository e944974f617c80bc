// Stopping a run from the stimulation window: Escape and a window manager's close
// request end it at once, as the mini bar's close picture does.
#include "run/TForm2.h"

#include "control/TForm1.h"
#include "framework/Handler.h"
#include "run/StopKey.h"
#include "windows/Forms.h"

#include <QCloseEvent>

namespace pvstim {

void TForm2::wireStop()
{
    stopKey = new StopKey(this, [this] { stopRun(); });
}

// The control window's close step hides this window before it does anything else,
// so the flicker stops first.
void TForm2::stopRun() { Form1->BCloseClick(); }

void TForm2::closeEvent(QCloseEvent* event)
{
    event->ignore();
    runHandler([this] { stopRun(); });
}

}  // namespace pvstim
