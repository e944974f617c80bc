#pragma once

#include "control/RunRules.h"
#include "framework/Form.h"
#include "run/Rhythm.h"
#include "run/RunSettings.h"
#include "widgets/HoverPictures.h"
#include "widgets/WindowDrag.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace pvstim {

class IniFile;
class TCheckBox;
class TColorBox;
class TFontDialog;
class TGauge;
class TImage;
class TLabel;
class TitleStripSource;
class TSpinEdit;
class TTimer;

// The control window: every setting of a run, the Start command, the needle gauge,
// and its own chrome (face picture, title strip, minimize and close images).
// Construction and layout are in ControlWindow.cpp; each group of handlers below names
// the file that holds it.
class ControlWindow : public TForm {
public:
    // What the control window's settings and commands do to the rest of the program.
    struct Links {
        std::function<void()> loadRandomText;                     // throws when none can be loaded
        std::function<void(const QString&)> loadText;             // the text chosen by hand; throws
        std::function<void(int)> setOverlayAlpha;                 // the intensity, 0..255
        std::function<void(int)> setLineIntervalMs;
        std::function<void(std::optional<Rhythm>)> chooseRhythm;
        std::function<bool()> rhythmChosen;
        std::function<void()> showMiniBar;
        std::function<void(const RunSettings&)> startRun;
        std::function<void(int)> showProgress;                    // per cent of the run still to go
        std::function<void(double)> runSecond;                    // the Auto drift's step
        std::function<void()> endRun;
    };
    explicit ControlWindow(Links links);
    ~ControlWindow() override;

    // --- Chrome (bottom to top: face, titleStrip, minimizeButton, closeButton) ---
    TImage* face;            // face picture
    TImage* titleStrip;      // title strip
    TImage* minimizeButton;  // minimize image
    TImage* closeButton;     // close image
    TTimer* countdownTimer;  // run timer, 1000 ms

    // --- Settings controls ---
    TCheckBox* stimulationBox;  // "Психовизуальная стимуляция"
    TCheckBox* manualBox;       // "Manual"
    TCheckBox* autoBox;         // "Auto"
    TCheckBox* sleepBox;        // "1. Сон"
    TCheckBox* wakeBox;         // "2. Бодрствование"
    TCheckBox* powerOffBox;     // "В конце выкл. ПК"
    TCheckBox* markersBox;      // "1. Маркеры поля зрения"
    TCheckBox* mandalasBox;     // "2. Психоконтрастные изображения"
    TCheckBox* randomTextBox;   // "1. Случайно"
    TCheckBox* chosenTextBox;   // "2. Вручную"
    TLabel* picturesHeading;    // "Использовать:"
    TLabel* minutesLabel;       // run length / minutes left
    TLabel* fontButton;         // "Шрифт"
    TLabel* resetButton;        // "Сброс по умолчанию"
    // "Низкий Бета", "Высокий Альфа", "Низкий Альфа", "Тета", "Дельта"
    std::array<TLabel*, kRhythmCount> rhythmButtons {};
    TLabel* rhythmButton(Rhythm rhythm) const { return rhythmButtons[indexOf(rhythm)]; }
    TLabel* helpButton;           // "Справка"
    TLabel* bookButton;           // "Книга"
    TLabel* startButton;          // "Старт"
    TLabel* frequencyLabel;       // stimulation frequency text
    TLabel* browseButton;         // "Обзор..."
    TLabel* intensityCaption;     // "Интенсивность:"
    TLabel* textPreview;          // preview of the reading text's font and background
    TSpinEdit* intensitySpin;     // intensity, 10..100 %
    TSpinEdit* lineIntervalSpin;  // line interval, 10..1000 (x 10 ms)
    TSpinEdit* runMinutesSpin;    // run length, 10..60 min
    TGauge* progressNeedle;       // needle gauge
    TColorBox* previewColorBox;   // background colour of the reading text
    std::unique_ptr<TFontDialog> fontDialog;

    // --- Shared run state ---
    int minutesLeft = 0;
    int secondsLeft = 0;

    // --- Chrome state ---
    std::unique_ptr<WindowDrag> titleDrag;          // the title strip drags the window
    std::unique_ptr<HoverPictures> chromePictures;  // minimize and close images
    int topBeforeMinimize = 0;

    // --- Settings file ---
    std::unique_ptr<IniFile> settingsFile;

    // Settings: load, save, reset (ControlWindowSettings.cpp).
    // Reads the stored settings into the controls (the create step).
    void restoreSettings();
    // Writes the settings; a failed write throws.
    void saveSettings();
    // The stored intensity and line interval, set by the overlay's and the
    // stimulation window's create steps.
    void restoreIntensity();
    void restoreLineInterval();
    void resetToDefaults();
    void applyTimeOfDayDefault();

    // Settings controls and their rules (ControlWindowRules.cpp).
    void onStimulationToggled();
    void onManualToggled();
    void onAutoToggled();
    void onSleepToggled();
    void onWakeToggled();
    void onRandomTextToggled();
    void onChosenTextToggled();
    // Enables Start, selects the rhythm's preset and marks its button as chosen.
    void chooseRhythm(Rhythm rhythm);
    void onIntensityChanged();
    void onLineIntervalChanged();
    void onRunMinutesChanged();
    void onPreviewColorChanged();
    void onFontClicked();
    void onFontApplied();
    void onFontDialogClosed();

    // Start, the run timer and the power-off request (ControlWindowRun.cpp).
    void startRun();
    void onSecondElapsed();
    bool powerOff();
    // Takes a run off the screen: stimulation window hidden, the run's timers
    // stopped, the screen allowed to idle. The close step runs it first.
    void endRun();

    // Chrome: title strip, minimize and close (ControlWindowChrome.cpp).
    void onActivated();
    void onDeactivated();
    // The title for whether the window is the foreground window.
    void showForegroundTitle();
    void minimizeToBar();
    void closeProgram();
    // Puts the window back where it was before it was minimized to the bar.
    void restoreFromBar();

    // Help, book and text choice (ControlWindowDocuments.cpp).
    void onHelpClicked();
    void onBookClicked();
    void browseForText();
    void onTextFileChosen(const QString& path);

protected:
    void FormCreate() override;

private:
    Links links_;

    void createControls();
    std::unique_ptr<TitleStripSource> titleSource_;
    // Each subsystem connects the events it handles.
    void wireSettingsRules();
    void wireRunControl();
    void wireChrome();
    void wireDocuments();
};

}  // namespace pvstim
