// The stimulation window's create step and its flicker clock, which turns the
// phases of the flicker at the frequency the Flicker gives.
#include "run/StimulationWindow.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <optional>

namespace pvstim {

void StimulationWindow::FormCreate()
{
    // The window still has its designed size here; Start places the label again
    // on the maximized window.
    textLine->setLeft(60);
    textLine->setWidth(Width() - 120);
    textLine->setTop(Height() / 2 - 40);

    // Throws when to_read/ is missing, which skips the line interval below.
    textFiles.ApplyFilePath(readingTextFolder());

    links_.restoreLineInterval();
}

// Each phase, lit or blank, lasts half a period; the clock ticks once per phase.
void StimulationWindow::selectRhythm(std::optional<Rhythm> chosen)
{
    if (flicker.selectRhythm(chosen))
        flipTimer->setInterval(flicker.phaseMs());
}

void StimulationWindow::setFrequency(double frequency)
{
    if (flicker.setFrequency(frequency))
        flipTimer->setInterval(flicker.phaseMs());
}

void StimulationWindow::onFlipDue()
{
    // Read before anything can restart the count: the moment this flip was due.
    const std::int64_t thisFlipNs = flipTimer->deadlineNs();
    if (framesPace())
        return;
    const bool flipped = nextPhase();
    scheduleNextFlip(thisFlipNs);
    if (flipped)
        phaseFlipped(thisFlipNs);
}

bool StimulationWindow::nextPhase()
{
    if (flicker.flip(links_.manualDrift()))
        flipTimer->setInterval(flicker.phaseMs());

    // The alternation goes on whatever a picture shows, so a picture never shifts
    // the flicker by half a period.
    flickerLit_ = !flickerLit_;
    // Taking the picture as a bitmap drops a mandala; a marker stays, and so does
    // the lit phase that shows it.
    if (pictureArea->Picture().dropUnlessBitmap())
        return false;
    // A picture that lit the blank phase has shown this lit phase already.
    if (lit_ == flickerLit_)
        return false;
    showPhase(flickerLit_);
    return true;
}

void StimulationWindow::scheduleNextFlip(std::int64_t thisFlipNs)
{
    if (const std::optional<std::int64_t> next = flicker.nextFlipNs(thisFlipNs, platform().monotonicNs()))
        flipTimer->setNextDeadlineNs(*next);
}

void StimulationWindow::pictureChanged()
{
    placeCovers();
    // A picture that arrives during the blank phase is shown at once: a marker
    // holds the lit phase while it is on show, a mandala until the next tick.
    // The flicker's alternation is left as it is: its next flip shows the lit phase.
    if (!pictureArea->Picture().isEmpty() && !lit_) {
        lit_ = true;
        coversBlank_ = false;
        update(phaseBand());
        litByPicture();
    }
}

void StimulationWindow::showPhase(bool lit)
{
    lit_ = lit;
    // Whatever paints the window next paints this phase; a flip schedules no repaint.
    coversBlank_ = !lit;
    if (showPhaseOnFrames(lit))
        return;
    if (!isVisible())
        return;
    // The phase as prepared, copied to the screen; where there is no phase band, a
    // synchronous repaint of what differs between the phases: the frame is composed
    // off-screen and shown at the moment the phase is due rather than whenever the
    // event loop comes to it.
    if (!showPhaseOnBand(lit))
        repaint(phaseBand());
}

}  // namespace pvstim
