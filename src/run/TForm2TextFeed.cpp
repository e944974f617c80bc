// The reading-text feed: one line of the reading text per tick of the text timer.
#include "run/TForm2.h"

#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "windows/Forms.h"

namespace pvstim {

// The timer's Tag holds the index of the next line to show; 0 means the title line
// has not been shown yet. After the title the feed steps through lines 1 .. n-1,
// the file's last line included, and then turns back to line 1, never to the title.
void TForm2::Timer2Timer()
{
    // A marker bitmap stays on show for at most one line interval. Taking the
    // picture as a bitmap replaces a mandala by an empty bitmap as well.
    TPicture& picture = Image1->Picture();
    if (picture.takeAsBitmap())
        picture.releaseBitmap();

    int& next = Timer2->Tag;
    if (next == 0) {
        Label1->setCaption(text.line(0));
        next = 1;
        if (Form1 && Form1->CheckBox1->isChecked())
            Timer1->setEnabled(true);
        return;
    }
    // A text loaded during the run may be shorter than the count already reached.
    if (next < 1 || next >= text.Count())
        next = 1;
    Label1->setCaption(text.line(next));
    ++next;
}

}  // namespace pvstim
