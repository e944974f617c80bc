// The control window's settings: read while the window is created, written when it
// closes, and put back to their defaults by "Сброс по умолчанию".
#include "control/ControlLook.h"
#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

namespace pvstim {

using namespace settings;

void ControlWindow::FormCreate()
{
    restoreSettings();
    showForegroundTitle();
}

void ControlWindow::restoreSettings()
{
    settingsFile = std::make_unique<IniFile>(inSettingsDir(kFileName));
    const IniFile& ini = *settingsFile;

    TFont font = textPreview->Font();
    font.size = std::clamp(ini.readInteger(kFont, kFontSize, kDefaultPreviewFontSize), kMinFontSize, kMaxFontSize);
    textPreview->setFont(font);

    markersBox->setChecked(ini.readBool(kUses, kMarkers, kDefaultMarkers));
    mandalasBox->setChecked(ini.readBool(kUses, kImages, kDefaultImages));

    textPreview->setColor(ini.readInteger(kFont, kBackgroundColor, kDefaultPreviewBackground));
    font = textPreview->Font();
    font.color = ini.readInteger(kFont, kFontColor, kDefaultPreviewFontColor);
    // An empty name leaves the design font.
    const QString name = ini.readString(kFont, kFontName, kDefaultPreviewFontName);
    if (!name.trimmed().isEmpty())
        font.setName(name);
    unsigned style = 0;
    if (fontStyleFromCode(ini.readInteger(kFont, kFontStyle, kDefaultFontStyleCode), style))
        font.style = style;
    textPreview->setFont(font);

    previewColorBox->setSelected(textPreview->Color());
    DoubleBuffered = true;
    fontDialog->Font = textPreview->Font();
    minutesLeft = kDefaultRunMinutes;
    secondsLeft = 0;
    applyTimeOfDayDefault();
}

void ControlWindow::applyTimeOfDayDefault()
{
    // The hour of the day 0..23, whatever the user's time format writes.
    const int hour = platform().localTime().hour();
    if (hour >= 6 && hour <= 20) {
        sleepBox->setChecked(false);
        wakeBox->setChecked(true);
    } else {
        sleepBox->setChecked(true);
        wakeBox->setChecked(false);
    }
}

void ControlWindow::saveSettings()
{
    if (!settingsFile)
        return;
    IniFile& ini = *settingsFile;
    // A failed write throws and ends the save at that key.
    ini.writeInteger(kManual, kOpacity, intensitySpin->Value());
    ini.writeBool(kUses, kMarkers, markersBox->isChecked());
    ini.writeBool(kUses, kImages, mandalasBox->isChecked());
    const TFont& font = textPreview->Font();
    ini.writeInteger(kFont, kBackgroundColor, textPreview->Color());
    ini.writeInteger(kFont, kFontColor, font.color);
    ini.writeInteger(kFont, kFontSize, font.size);
    ini.writeString(kFont, kFontName, font.name);
    const int styleCode = fontStyleCode(font.style);
    if (styleCode >= 0)
        ini.writeInteger(kFont, kFontStyle, styleCode);
    ini.writeInteger(kGeneral, kLineInterval, lineIntervalSpin->Value());
}

void ControlWindow::restoreIntensity()
{
    intensitySpin->setValue(settingsFile->readInteger(kManual, kOpacity, kDefaultOpacity));
}

void ControlWindow::restoreLineInterval()
{
    lineIntervalSpin->setValue(settingsFile->readInteger(kGeneral, kLineInterval, kDefaultLineInterval));
}

void ControlWindow::resetToDefaults()
{
    textPreview->setFont(defaultPreviewFont());
    textPreview->setColor(kDefaultPreviewBackground);
    previewColorBox->setSelected(kDefaultPreviewBackground);
    stimulationBox->setChecked(true);
    manualBox->setChecked(false);
    autoBox->setChecked(true);
    fontDialog->Font = textPreview->Font();
    applyTimeOfDayDefault();
    powerOffBox->setChecked(false);
    markersBox->setChecked(true);
    mandalasBox->setChecked(true);
    randomTextBox->setChecked(true);
    chosenTextBox->setChecked(false);
    links_.chooseRhythm(std::nullopt);
    for (TLabel* button : rhythmButtons)
        button->setColor(kLabelFaceColor);
    intensitySpin->setValue(kDefaultOpacity);
    runMinutesSpin->setValue(kDefaultRunMinutes);
    minutesLabel->setCaption(QString::number(kDefaultRunMinutes));
    lineIntervalSpin->setValue(kDefaultLineInterval);
}

}  // namespace pvstim
