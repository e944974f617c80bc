#include "app/WindowSet.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/Platform.h"
#include "run/ClockPlate.h"
#include "run/OverlayWindow.h"
#include "run/ReadingTextLoad.h"
#include "run/StimulationWindow.h"

namespace pvstim {

WindowSet::WindowSet()
{
    // The windows the control window acts on are made first; what they ask of the
    // control window is reached through it once it is there.
    clock_ = std::make_unique<ClockPlate>();
    miniBar_ = std::make_unique<MiniBar>(MiniBar::Links {
        .closeProgram = [this] { control_->closeProgram(); },
        .restoreControlWindow = [this] { control_->restoreFromBar(); },
    });
    overlay_ = std::make_unique<OverlayWindow>([this] { control_->restoreIntensity(); });
    stimulation_ = std::make_unique<StimulationWindow>(StimulationWindow::Links {
        .restoreLineInterval = [this] { control_->restoreLineInterval(); },
        .flickerSwitchedOn = [this] { return control_->stimulationBox->isChecked(); },
        .manualDrift = [this] { return control_->manualBox->isChecked(); },
        .showFrequency = [this](const QString& text) { control_->frequencyLabel->setCaption(text); },
        .closeProgram = [this] { control_->closeProgram(); },
    });
    control_ = std::make_unique<ControlWindow>(ControlWindow::Links {
        .loadRandomText = [this] { stimulation_->loadRandomReadingText(); },
        .loadText = [this](const QString& path) { setReadingTextFromFile(*stimulation_, path); },
        .setOverlayAlpha = [this](int alpha) { overlay_->setAlphaBlendValue(alpha); },
        .setLineIntervalMs = [this](int ms) { stimulation_->lineTimer->setInterval(ms); },
        .chooseRhythm = [this](std::optional<Rhythm> rhythm) { stimulation_->selectRhythm(rhythm); },
        .rhythmChosen = [this] { return stimulation_->flicker.rhythm.has_value(); },
        .showMiniBar = [this] { miniBar_->Show(); },
        .startRun = [this](const RunSettings& run) {
            stimulation_->startRun(run);
            miniBar_->BringToFront();
            clock_->BringToFront();
            // The keyboard goes to the mini bar, and stays there for the run, so
            // that Escape reaches the program: the control window is out of sight
            // and the stimulation window takes no input. The pointer goes to the
            // bar's restore image.
            platform().keepKeyboardOn(miniBar_.get());
            miniBar_->activateWindow();
            platform().setCursorPos(QPoint(miniBar_->Left() + 10, miniBar_->Top() + 10));
        },
        .showProgress = [this](int percent) { stimulation_->showProgress(percent); },
        .runSecond = [this](double driftStep) { stimulation_->onRunSecond(driftStep); },
        .endRun = [this] {
            platform().keepKeyboardOn(nullptr);
            stimulation_->endRun();
        },
    });

    // The create steps in the designed order. Later steps write into the control
    // window, whose rules act back on the window being created.
    control_->runCreateStep();
    control_->Show();
    control_->setMainForm(true);
    stimulation_->runCreateStep();
    overlay_->runCreateStep();
    miniBar_->runCreateStep();
    clock_->runCreateStep();
    clock_->Show();
}

WindowSet::~WindowSet() = default;

}  // namespace pvstim
