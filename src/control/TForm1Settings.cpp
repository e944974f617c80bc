// The control window's settings: read while the window is created, written when it
// closes, and put back to their defaults by "Сброс по умолчанию".
#include "control/ControlLook.h"
#include "control/TForm1.h"
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

void TForm1::FormCreate()
{
    settingsFile = std::make_unique<IniFile>(inSettingsDir(kFileName));
    const IniFile& ini = *settingsFile;

    TFont font = example->Font();
    font.size = std::clamp(ini.readInteger(kFont, kFontSize, kDefaultPreviewFontSize), kMinFontSize, kMaxFontSize);
    example->setFont(font);

    CheckBox7->setChecked(ini.readBool(kUses, kMarkers, kDefaultMarkers));
    CheckBox8->setChecked(ini.readBool(kUses, kImages, kDefaultImages));

    example->setColor(ini.readInteger(kFont, kBackgroundColor, kDefaultPreviewBackground));
    font = example->Font();
    font.color = ini.readInteger(kFont, kFontColor, kDefaultPreviewFontColor);
    // An empty name leaves the design font.
    const QString name = ini.readString(kFont, kFontName, kDefaultPreviewFontName);
    if (!name.trimmed().isEmpty())
        font.setName(name);
    unsigned style = 0;
    if (fontStyleFromCode(ini.readInteger(kFont, kFontStyle, kDefaultFontStyleCode), style))
        font.style = style;
    example->setFont(font);

    ColorBox1->setSelected(example->Color());
    DoubleBuffered = true;
    rhythmMode = kNoRhythm;
    FontDialog1->Font = example->Font();
    minutesLeft = kDefaultRunMinutes;
    secondsLeft = 0;
    applyTimeOfDayDefault();
}

void TForm1::applyTimeOfDayDefault()
{
    // The hour is read from the first characters of the long time text, so it
    // follows the user's time format ("9:15:00" reads as 9).
    const QString timeText = platform().longTimeText();
    QString hourText = timeText.left(2);
    if (hourText.size() == 2 && hourText[1] == QLatin1Char(':'))
        hourText = QLatin1Char('0') + hourText.left(1);
    const int hour = hourText.toInt();
    if (hour >= 6 && hour <= 20) {
        CheckBox4->setChecked(false);
        CheckBox5->setChecked(true);
    } else {
        CheckBox4->setChecked(true);
        CheckBox5->setChecked(false);
    }
}

void TForm1::FormClose()
{
    // Before the save, which may fail and show an error box.
    endRun();
    if (!settingsFile)
        return;
    IniFile& ini = *settingsFile;
    // A failed write throws and ends the save at that key.
    ini.writeInteger(kManual, kOpacity, SpinEdit1->Value());
    ini.writeBool(kUses, kMarkers, CheckBox7->isChecked());
    ini.writeBool(kUses, kImages, CheckBox8->isChecked());
    const TFont& font = example->Font();
    ini.writeInteger(kFont, kBackgroundColor, example->Color());
    ini.writeInteger(kFont, kFontColor, font.color);
    ini.writeInteger(kFont, kFontSize, font.size);
    ini.writeString(kFont, kFontName, font.name);
    const int styleCode = fontStyleCode(font.style);
    if (styleCode >= 0)
        ini.writeInteger(kFont, kFontStyle, styleCode);
    ini.writeInteger(kGeneral, kLineInterval, SpinEdit2->Value());
}

void TForm1::Label4Click()
{
    example->setFont(defaultPreviewFont());
    example->setColor(kDefaultPreviewBackground);
    ColorBox1->setSelected(kDefaultPreviewBackground);
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(true);
    FontDialog1->Font = example->Font();
    applyTimeOfDayDefault();
    CheckBox6->setChecked(false);
    CheckBox7->setChecked(true);
    CheckBox8->setChecked(true);
    CheckBox9->setChecked(true);
    CheckBox10->setChecked(false);
    rhythmMode = kNoRhythm;
    for (TLabel* rhythm : { Label5, Label6, Label7, Label8, Label9 })
        rhythm->setColor(kLabelFaceColor);
    SpinEdit1->setValue(kDefaultOpacity);
    SpinEdit3->setValue(kDefaultRunMinutes);
    Label2->setCaption(QString::number(kDefaultRunMinutes));
    SpinEdit2->setValue(kDefaultLineInterval);
}

}  // namespace pvstim
