// The reading-text feed: one line of the reading text per tick of the text timer.
#include "run/StimulationWindow.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"

namespace pvstim {

// nextLine_ holds the index of the next line to show; 0 means the title line
// has not been shown yet. After the title the feed steps through lines 1 .. n-1,
// the file's last line included, and then turns back to line 1, never to the title.
void StimulationWindow::onLineDue()
{
    // A marker bitmap stays on show for at most one line interval; a mandala is
    // dropped as well.
    TPicture& picture = pictureArea->Picture();
    if (picture.dropUnlessBitmap())
        picture.releaseBitmap();

    int& next = nextLine_;
    if (next == 0) {
        textLine->setCaption(readingText.line(0));
        next = 1;
        if (links_.flickerSwitchedOn())
            flipTimer->setEnabled(true);
        return;
    }
    // A text loaded during the run may be shorter than the count already reached.
    if (next < 1 || next >= readingText.Count())
        next = 1;
    textLine->setCaption(readingText.line(next));
    ++next;
}

}  // namespace pvstim
