// The Start command with the warning before a user's first run, the run timer that
// counts a run down to its end, the power-off request at the end of a run, and
// taking a run off the screen when the program closes.
#include "control/TForm1.h"

#include "control/RunRules.h"
#include "control/RunWarningDialog.h"
#include "control/TForm4.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "run/ReadingTextLoad.h"
#include "run/StopKey.h"
#include "run/TForm2.h"
#include "run/TForm3.h"
#include "run/TForm5.h"
#include "widgets/TGauge.h"
#include "windows/Forms.h"

#include <QDir>

#include <algorithm>

namespace pvstim {

namespace {

constexpr double kSleepStartHz = 10.0;
constexpr double kWakeStartHz = 8.0;
constexpr double kWakeCeilingHz = 15.0;
// Over a whole run the falling drift lowers the frequency by 60 / 6.2 Hz and the
// rising drift raises it by 60 / 8.5 Hz, whatever the run length.
constexpr double kFallingDivisor = 6.2;
constexpr double kRisingDivisor = 8.5;

// A typed run length reaches Start unclamped, since the spin edit brings a typed
// value into its bounds only when it loses the focus and "Старт" takes no focus.
int runLength(const TForm1& control)
{
    return std::clamp(control.SpinEdit3->Value(), kMinRunMinutes, kMaxRunMinutes);
}

// The share of the run still to go, in whole per cent.
int progressPercent(int minutesLeft, int secondsLeft, int runMinutes)
{
    const int secondsToGo = std::max(0, minutesLeft * 60 + secondsLeft);
    return secondsToGo * 100 / (runMinutes * 60);
}

// Draws a reading text from the user's to_read/ and makes it the reading
// text. Throws, naming the folder, when there is no text that can be loaded; the
// reading text is unchanged then.
void loadRandomReadingText(TForm2& stimulation)
{
    const QString folder = readingTextFolder();
    const auto noText = [&folder](const QString& reason) {
        return EInOutError(QStringLiteral("No reading text can be loaded from the folder \"%1\": %2")
                               .arg(QDir::toNativeSeparators(folder), reason));
    };

    TFileListBox& list = stimulation.FileListBox1;
    try {
        list.ApplyFilePath(folder);
    } catch (const EInOutError&) {
        throw noText(QStringLiteral("the folder does not exist."));
    }
    if (list.Count() == 0)
        throw noText(QStringLiteral("the folder holds no .txt file."));

    const QString name = list.Items().at(platform().randomInRange(0, list.Count()));
    try {
        setReadingTextFromFile(stimulation, folder + name);
    } catch (const Exception& e) {
        throw noText(e.message());
    }
}

// Asks a user who has not yet confirmed the warning to read it. True when the run
// may go on; the confirmation is remembered for the user.
bool confirmRunWarning(QWidget* parent)
{
    if (platform().userFlag(UserFlag::RunWarningConfirmed))
        return true;
    RunWarningDialog dialog(parent);
    if (platform().execDialog(dialog) != QDialog::Accepted)
        return false;
    platform().setUserFlag(UserFlag::RunWarningConfirmed, true);
    return true;
}

}  // namespace

void TForm1::wireRunControl()
{
    Label12->OnClick = [this] { Label12Click(); };
    Timer2->OnTimer = [this] { Timer2Timer(); };
}

void TForm1::Label12Click()
{
    // Cancelling the warning leaves everything as it was before the click.
    if (!confirmRunWarning(this))
        return;

    // The text is chosen first: when none can be loaded, Start ends here with
    // nothing changed, no window moved and no timer started.
    if (CheckBox9->isChecked())
        loadRandomReadingText(*Form2);

    const int length = runLength(*this);
    SpinEdit3->setValue(length);
    Label2->setCaption(QString::number(length));

    minutesLeft = length;
    secondsLeft = 0;
    Form3->setAlphaBlendValue(overlayAlpha(SpinEdit1->Value()));
    // Typed values reach Start unclamped, as for the run length: an interval of
    // 0 or less would never show a line.
    const int lineInterval = std::clamp(SpinEdit2->Value(), kMinLineInterval, kMaxLineInterval);
    SpinEdit2->setValue(lineInterval);
    Form2->Timer2->setInterval(textIntervalMs(lineInterval));

    BMinClick();
    Form2->Show();
    Form2->SendToBack();
    Form2->stopKey->setActive(true);
    platform().keepScreenAwake();
    Form2->Label1->setFont(example->Font());
    Form2->setColor(example->Color());
    Form4->BringToFront();
    Form5->BringToFront();
    // The keyboard goes to the mini bar, so that Escape reaches the program at once:
    // the control window is out of sight and the stimulation window takes no input.
    Form4->activateWindow();
    TLabel& line = *Form2->Label1;
    line.setBounds(30, Form2->Height() / 2 - 80, Form2->Width() - 60, line.Height());
    SpinEdit3->setEnabled(false);

    if (CheckBox4->isChecked())
        stimulationFrequency = kSleepStartHz;
    else if (CheckBox5->isChecked())
        stimulationFrequency = kWakeStartHz;
    // A point on the mini bar's restore image.
    platform().setCursorPos(QPoint(Form4->Left() + 10, Form4->Top() + 10));

    if (CheckBox3->isChecked()) {
        if (CheckBox4->isChecked())
            autoDrift = AutoDrift::Falling;
        else if (CheckBox5->isChecked())
            autoDrift = AutoDrift::Rising;
    }

    // The gauges start full and the strip shown until the first tick, also when
    // Start is used again during a run.
    Gauge1->setProgress(100);
    Form2->Gauge1->setProgress(100);
    Form2->Gauge1->show();

    Form2->Timer2->setEnabled(true);
    // Restarting the run timer gives a countdown started again the same length
    // as the first one.
    Timer2->setEnabled(false);
    Timer2->setEnabled(true);
    if (CheckBox7->isChecked())
        Form2->Timer3->setEnabled(true);
    if (CheckBox8->isChecked())
        Form2->Timer4->setEnabled(true);

    for (QWidget* fixed : std::initializer_list<QWidget*> { CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5,
             CheckBox7, CheckBox8, CheckBox9, CheckBox10, ColorBox1, Label3, Label4 })
        fixed->setEnabled(false);
    Label14->hide();
}

void TForm1::Timer2Timer()
{
    const int length = runLength(*this);
    const int progress = progressPercent(minutesLeft, secondsLeft, length);
    Form2->Gauge1->setProgress(progress);
    Gauge1->setProgress(progress);

    if (minutesLeft * 60 + secondsLeft <= 0) {
        if (CheckBox6->isChecked())
            PowerOff();
        Timer2->setEnabled(false);
        // Closing the main window saves the settings and ends the program.
        Close();
        return;
    }

    if (--secondsLeft < 0) {
        secondsLeft = 59;
        --minutesLeft;
    }
    Label2->setCaption(QString::number(minutesLeft));
    Form2->Gauge1->setVisible(platform().cursorPos().y() == 0);

    const double step = Timer2->Interval() / double(length) / 1000.0;
    switch (autoDrift) {
    case AutoDrift::Falling:
        stimulationFrequency -= step / kFallingDivisor;
        break;
    case AutoDrift::Rising:
        stimulationFrequency = std::min(stimulationFrequency, kWakeCeilingHz) + step / kRisingDivisor;
        break;
    case AutoDrift::None:
        break;
    }
}

bool TForm1::PowerOff() { return platform().requestPowerOff(); }

void TForm1::endRun()
{
    // The flicker stops first. No timer of the run may tick again: an error box
    // of the save that follows runs its own event loop, in which the run timer
    // could otherwise reach 0:00 and ask for a power-off.
    if (Form2) {
        Form2->stopKey->setActive(false);
        Form2->Hide();
        for (TTimer* timer : { Form2->Timer1, Form2->Timer2, Form2->Timer3, Form2->Timer4 })
            timer->setEnabled(false);
    }
    Timer2->setEnabled(false);
    platform().allowScreenIdle();
}

}  // namespace pvstim
