// The Start command with the warning before a user's first run, the run timer that
// counts a run down to its end, the power-off request at the end of a run, and
// taking a run off the screen when the program closes.
#include "control/ControlWindow.h"

#include "control/MiniBar.h"
#include "control/RunRules.h"
#include "control/RunWarningDialog.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "run/ClockPlate.h"
#include "run/OverlayWindow.h"
#include "run/ReadingTextLoad.h"
#include "run/StimulationWindow.h"
#include "run/StopKey.h"
#include "widgets/TGauge.h"

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
int runLength(const ControlWindow& control)
{
    return std::clamp(control.runMinutesSpin->Value(), kMinRunMinutes, kMaxRunMinutes);
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
void loadRandomReadingText(StimulationWindow& stimulation)
{
    const QString folder = readingTextFolder();
    const auto noText = [&folder](const QString& reason) {
        return EInOutError(QStringLiteral("No reading text can be loaded from the folder \"%1\": %2")
                               .arg(QDir::toNativeSeparators(folder), reason));
    };

    TFileListBox& list = stimulation.textFiles;
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

void ControlWindow::wireRunControl()
{
    startButton->OnClick = [this] { startRun(); };
    countdownTimer->OnTimer = [this] { onSecondElapsed(); };
}

void ControlWindow::startRun()
{
    // Cancelling the warning leaves everything as it was before the click.
    if (!confirmRunWarning(this))
        return;

    // The text is chosen first: when none can be loaded, Start ends here with
    // nothing changed, no window moved and no timer started.
    if (randomTextBox->isChecked())
        loadRandomReadingText(stimulation_);

    const int length = runLength(*this);
    runMinutesSpin->setValue(length);
    minutesLabel->setCaption(QString::number(length));

    minutesLeft = length;
    secondsLeft = 0;
    overlay_.setAlphaBlendValue(overlayAlpha(intensitySpin->Value()));
    // Typed values reach Start unclamped, as for the run length: an interval of
    // 0 or less would never show a line.
    const int lineInterval = std::clamp(lineIntervalSpin->Value(), kMinLineInterval, kMaxLineInterval);
    lineIntervalSpin->setValue(lineInterval);
    stimulation_.lineTimer->setInterval(textIntervalMs(lineInterval));

    minimizeToBar();
    stimulation_.Show();
    stimulation_.SendToBack();
    stimulation_.stopKey->setActive(true);
    platform().keepScreenAwake();
    stimulation_.textLine->setFont(textPreview->Font());
    stimulation_.setColor(textPreview->Color());
    miniBar_.BringToFront();
    clock_.BringToFront();
    // The keyboard goes to the mini bar, so that Escape reaches the program at once:
    // the control window is out of sight and the stimulation window takes no input.
    miniBar_.activateWindow();
    TLabel& line = *stimulation_.textLine;
    line.setBounds(30, stimulation_.Height() / 2 - 80, stimulation_.Width() - 60, line.Height());
    runMinutesSpin->setEnabled(false);

    if (sleepBox->isChecked())
        stimulation_.stimulationFrequency = kSleepStartHz;
    else if (wakeBox->isChecked())
        stimulation_.stimulationFrequency = kWakeStartHz;
    // A point on the mini bar's restore image.
    platform().setCursorPos(QPoint(miniBar_.Left() + 10, miniBar_.Top() + 10));

    if (autoBox->isChecked()) {
        if (sleepBox->isChecked())
            autoDrift = AutoDrift::Falling;
        else if (wakeBox->isChecked())
            autoDrift = AutoDrift::Rising;
    }

    // The gauges start full and the strip shown until the first tick, also when
    // Start is used again during a run.
    progressNeedle->setProgress(100);
    stimulation_.progressStrip->setProgress(100);
    stimulation_.progressStrip->show();

    stimulation_.lineTimer->setEnabled(true);
    // Restarting the run timer gives a countdown started again the same length
    // as the first one.
    countdownTimer->setEnabled(false);
    countdownTimer->setEnabled(true);
    if (markersBox->isChecked())
        stimulation_.markerTimer->setEnabled(true);
    if (mandalasBox->isChecked())
        stimulation_.mandalaTimer->setEnabled(true);

    for (QWidget* fixed : std::initializer_list<QWidget*> { stimulationBox, manualBox, autoBox, sleepBox, wakeBox,
             markersBox, mandalasBox, randomTextBox, chosenTextBox, previewColorBox, fontButton, resetButton })
        fixed->setEnabled(false);
    browseButton->hide();
}

void ControlWindow::onSecondElapsed()
{
    const int length = runLength(*this);
    const int progress = progressPercent(minutesLeft, secondsLeft, length);
    stimulation_.progressStrip->setProgress(progress);
    progressNeedle->setProgress(progress);

    if (minutesLeft * 60 + secondsLeft <= 0) {
        if (powerOffBox->isChecked())
            powerOff();
        countdownTimer->setEnabled(false);
        // Closing the main window saves the settings and ends the program.
        Close();
        return;
    }

    if (--secondsLeft < 0) {
        secondsLeft = 59;
        --minutesLeft;
    }
    minutesLabel->setCaption(QString::number(minutesLeft));
    stimulation_.progressStrip->setVisible(platform().cursorPos().y() == 0);

    const double step = countdownTimer->Interval() / double(length) / 1000.0;
    switch (autoDrift) {
    case AutoDrift::Falling:
        stimulation_.stimulationFrequency -= step / kFallingDivisor;
        break;
    case AutoDrift::Rising:
        stimulation_.stimulationFrequency = std::min(stimulation_.stimulationFrequency, kWakeCeilingHz) + step / kRisingDivisor;
        break;
    case AutoDrift::None:
        break;
    }
}

bool ControlWindow::powerOff() { return platform().requestPowerOff(); }

void ControlWindow::endRun()
{
    // The flicker stops first. No timer of the run may tick again: an error box
    // of the save that follows runs its own event loop, in which the run timer
    // could otherwise reach 0:00 and ask for a power-off.
    stimulation_.stopKey->setActive(false);
    stimulation_.Hide();
    for (TTimer* timer : { stimulation_.flipTimer, stimulation_.lineTimer, stimulation_.markerTimer, stimulation_.mandalaTimer })
        timer->setEnabled(false);
    countdownTimer->setEnabled(false);
    platform().allowScreenIdle();
}

}  // namespace pvstim
