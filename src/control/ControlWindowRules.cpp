// The rules that tie the control window's settings together: the check-box
// cascades, the rhythm labels, the spin edits and the preview label's editors.
#include "control/ControlLook.h"
#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"

#include <algorithm>

namespace pvstim {

void ControlWindow::wireSettingsRules()
{
    stimulationBox->OnClick = [this] { onStimulationToggled(); };
    manualBox->OnClick = [this] { onManualToggled(); };
    autoBox->OnClick = [this] { onAutoToggled(); };
    sleepBox->OnClick = [this] { onSleepToggled(); };
    wakeBox->OnClick = [this] { onWakeToggled(); };
    randomTextBox->OnClick = [this] { onRandomTextToggled(); };
    chosenTextBox->OnClick = [this] { onChosenTextToggled(); };
    for (const Rhythm rhythm : kAllRhythms)
        rhythmButton(rhythm)->OnClick = [this, rhythm] { chooseRhythm(rhythm); };
    intensitySpin->OnChange = [this] { onIntensityChanged(); };
    lineIntervalSpin->OnChange = [this] { onLineIntervalChanged(); };
    runMinutesSpin->OnChange = [this] { onRunMinutesChanged(); };
    previewColorBox->OnChange = [this] { onPreviewColorChanged(); };
    fontButton->OnClick = [this] { onFontClicked(); };
    fontDialog->OnApply = [this] { onFontApplied(); };
    fontDialog->OnClose = [this] { onFontDialogClosed(); };
}

// The stimulation switch enables or disables the same twelve controls, whatever
// Manual or Auto says; the next Manual/Auto change sorts them out again.
void ControlWindow::onStimulationToggled()
{
    const bool on = stimulationBox->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { manualBox, autoBox, sleepBox, wakeBox, powerOffBox })
        control->setEnabled(on);
    for (TLabel* button : rhythmButtons)
        button->setEnabled(on);
    minutesLabel->setEnabled(on);
    intensitySpin->setEnabled(on);
}

void ControlWindow::onManualToggled()
{
    const bool manual = manualBox->isChecked();
    for (TLabel* button : rhythmButtons)
        button->setEnabled(manual);
    intensitySpin->setEnabled(manual);
    autoBox->setChecked(!manual);
    for (QWidget* control : std::initializer_list<QWidget*> { sleepBox, wakeBox, minutesLabel, powerOffBox })
        control->setEnabled(!manual);
    // Start needs a rhythm in Manual; leaving Manual does not touch it.
    if (manual)
        startButton->setEnabled(links_.rhythmChosen());
}

void ControlWindow::onAutoToggled()
{
    const bool automatic = autoBox->isChecked();
    for (TLabel* button : rhythmButtons)
        button->setEnabled(!automatic);
    intensitySpin->setEnabled(!automatic);
    manualBox->setChecked(!automatic);
    for (QWidget* control : std::initializer_list<QWidget*> { sleepBox, wakeBox, minutesLabel, powerOffBox })
        control->setEnabled(automatic);
}

void ControlWindow::onSleepToggled() { wakeBox->setChecked(!sleepBox->isChecked()); }

void ControlWindow::onWakeToggled() { sleepBox->setChecked(!wakeBox->isChecked()); }

void ControlWindow::onRandomTextToggled()
{
    chosenTextBox->setChecked(!randomTextBox->isChecked());
    browseButton->setVisible(browseButton->isHidden());
}

void ControlWindow::onChosenTextToggled() { randomTextBox->setChecked(!chosenTextBox->isChecked()); }

void ControlWindow::chooseRhythm(Rhythm chosen)
{
    startButton->setEnabled(true);
    links_.chooseRhythm(chosen);
    for (const Rhythm rhythm : kAllRhythms)
        rhythmButton(rhythm)->setColor(rhythm == chosen ? kSelectedRhythmColor : kLabelFaceColor);
}

// A typed value reaches the rules unchanged, also outside the bounds; the results
// are held to what the overlay and the timer can take.
void ControlWindow::onIntensityChanged()
{
    links_.setOverlayAlpha(overlayAlpha(intensitySpin->Value()));
}

void ControlWindow::onLineIntervalChanged()
{
    // A typed value reaches here unclamped, also during a run; 0 or less would
    // stop the text feed, and with it the release of a marker.
    links_.setLineIntervalMs(textIntervalMs(std::clamp(lineIntervalSpin->Value(), kMinLineInterval, kMaxLineInterval)));
}

void ControlWindow::onRunMinutesChanged() { minutesLabel->setCaption(QString::number(runMinutesSpin->Value())); }

void ControlWindow::onPreviewColorChanged() { textPreview->setColor(previewColorBox->Selected()); }

void ControlWindow::onFontClicked() { fontDialog->Execute(); }

void ControlWindow::onFontApplied() { textPreview->setFont(fontDialog->Font); }

void ControlWindow::onFontDialogClosed() { textPreview->setFont(fontDialog->Font); }

}  // namespace pvstim
