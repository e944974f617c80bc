// The Start command with the warning before a user's first run, the run timer that
// counts a run down to its end, the power-off request at the end of a run, and
// taking a run off the screen when the program closes.
#include "control/ControlWindow.h"

#include "control/RunRules.h"
#include "control/RunWarningDialog.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "platform/Platform.h"
#include "widgets/TGauge.h"

#include <algorithm>

namespace pvstim {

namespace {

constexpr double kSleepStartHz = 10.0;
constexpr double kWakeStartHz = 8.0;

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
        links_.loadRandomText();

    const int length = runLength(*this);
    runMinutesSpin->setValue(length);
    minutesLabel->setCaption(QString::number(length));

    minutesLeft = length;
    secondsLeft = 0;
    links_.setOverlayAlpha(overlayAlpha(intensitySpin->Value()));
    // Typed values reach Start unclamped, as for the run length: an interval of
    // 0 or less would never show a line.
    const int lineInterval = std::clamp(lineIntervalSpin->Value(), kMinLineInterval, kMaxLineInterval);
    lineIntervalSpin->setValue(lineInterval);
    links_.setLineIntervalMs(textIntervalMs(lineInterval));

    minimizeToBar();
    platform().keepScreenAwake();
    runMinutesSpin->setEnabled(false);

    RunSettings run;
    run.font = textPreview->Font();
    run.background = textPreview->Color();
    if (sleepBox->isChecked())
        run.startHz = kSleepStartHz;
    else if (wakeBox->isChecked())
        run.startHz = kWakeStartHz;
    if (autoBox->isChecked()) {
        if (sleepBox->isChecked())
            run.autoDrift = AutoDrift::Falling;
        else if (wakeBox->isChecked())
            run.autoDrift = AutoDrift::Rising;
    }
    run.markers = markersBox->isChecked();
    run.mandalas = mandalasBox->isChecked();

    // The needle starts full, also when Start is used again during a run.
    progressNeedle->setProgress(100);
    links_.startRun(run);
    // Restarting the run timer gives a countdown started again the same length
    // as the first one.
    countdownTimer->setEnabled(false);
    countdownTimer->setEnabled(true);

    for (QWidget* fixed : std::initializer_list<QWidget*> { stimulationBox, manualBox, autoBox, sleepBox, wakeBox,
             markersBox, mandalasBox, randomTextBox, chosenTextBox, previewColorBox, fontButton, resetButton })
        fixed->setEnabled(false);
    browseButton->hide();
}

void ControlWindow::onSecondElapsed()
{
    const int length = runLength(*this);
    const int progress = progressPercent(minutesLeft, secondsLeft, length);
    links_.showProgress(progress);
    progressNeedle->setProgress(progress);

    if (minutesLeft * 60 + secondsLeft <= 0) {
        const bool thenPowerOff = powerOffBox->isChecked();
        countdownTimer->setEnabled(false);
        // Closing the main window saves the settings and ends the program. The
        // power-off is asked for after the save, in this same tick, so that a quick
        // shutdown cannot cut the save short.
        Close();
        if (thenPowerOff)
            powerOff();
        return;
    }

    if (--secondsLeft < 0) {
        secondsLeft = 59;
        --minutesLeft;
    }
    minutesLabel->setCaption(QString::number(minutesLeft));
    links_.runSecond(countdownTimer->Interval() / double(length) / 1000.0);
}

bool ControlWindow::powerOff() { return platform().requestPowerOff(); }

void ControlWindow::endRun()
{
    // The flicker stops first. No timer of the run may tick again: an error box
    // of the save that follows runs its own event loop, in which the run timer
    // could otherwise reach 0:00 and ask for a power-off.
    links_.endRun();
    countdownTimer->setEnabled(false);
    platform().allowScreenIdle();
}

}  // namespace pvstim
