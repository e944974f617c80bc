#pragma once

#include "control/RunRules.h"
#include "framework/Form.h"

#include <cstdint>
#include <memory>

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
// Construction and layout are in TForm1.cpp; each group of handlers below names
// the file that holds it.
class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

    // --- Chrome (bottom to top: Image1, DragObj, BMin, BClose) ---
    TImage* Image1;     // face picture
    TImage* DragObj;    // title strip
    TImage* BMin;       // minimize image
    TImage* BClose;     // close image
    TTimer* Timer1;     // title poll, 20 ms
    TTimer* Timer2;     // run timer, 1000 ms

    // --- Settings controls ---
    TCheckBox* CheckBox1;   // "Психовизуальная стимуляция"
    TCheckBox* CheckBox2;   // "Manual"
    TCheckBox* CheckBox3;   // "Auto"
    TCheckBox* CheckBox4;   // "1. Сон"
    TCheckBox* CheckBox5;   // "2. Бодрствование"
    TCheckBox* CheckBox6;   // "В конце выкл. ПК"
    TCheckBox* CheckBox7;   // "1. Маркеры поля зрения"
    TCheckBox* CheckBox8;   // "2. Психоконтрастные изображения"
    TCheckBox* CheckBox9;   // "1. Случайно"
    TCheckBox* CheckBox10;  // "2. Вручную"
    TLabel* Label1;         // "Использовать:"
    TLabel* Label2;         // run length / minutes left
    TLabel* Label3;         // "Шрифт"
    TLabel* Label4;         // "Сброс по умолчанию"
    TLabel* Label5;         // "Низкий Бета"
    TLabel* Label6;         // "Высокий Альфа"
    TLabel* Label7;         // "Низкий Альфа"
    TLabel* Label8;         // "Тета"
    TLabel* Label9;         // "Дельта"
    TLabel* Label10;        // "Справка"
    TLabel* Label11;        // "Книга"
    TLabel* Label12;        // "Старт"
    TLabel* Label13;        // stimulation frequency text
    TLabel* Label14;        // "Обзор..."
    TLabel* Label15;        // "Интенсивность:"
    TLabel* example;        // preview of the reading text's font and background
    TSpinEdit* SpinEdit1;   // intensity, 10..100 %
    TSpinEdit* SpinEdit2;   // line interval, 10..1000 (x 10 ms)
    TSpinEdit* SpinEdit3;   // run length, 10..60 min
    TGauge* Gauge1;         // needle gauge
    TColorBox* ColorBox1;   // background colour of the reading text
    std::unique_ptr<TFontDialog> FontDialog1;

    // --- Shared run state ---
    std::uint8_t rhythmMode = kNoRhythm; // 0..4 a preset, kNoRhythm none chosen
    double stimulationFrequency = 0.0;  // Hz
    int minutesLeft = 0;
    int secondsLeft = 0;
    AutoDrift autoDrift = AutoDrift::None;

    // --- Chrome state ---
    bool dragging = false;
    int grabOffsetX = 0;
    int grabOffsetY = 0;
    int savedTop = 0;

    // --- Settings file ---
    std::unique_ptr<IniFile> settingsFile;

    // Settings: load, save, reset (TForm1Settings.cpp).
    void FormClose();
    void Label4Click();
    void applyTimeOfDayDefault();

    // Settings controls and their rules (TForm1Rules.cpp).
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox9Click();
    void CheckBox10Click();
    void rhythmLabelClick(TLabel* label, std::uint8_t mode);
    void Label5Click();
    void Label6Click();
    void Label7Click();
    void Label8Click();
    void Label9Click();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void ColorBox1Change();
    void Label3Click();
    void FontDialog1Apply();
    void FontDialog1Close();

    // Start, the run timer and the power-off request (TForm1Run.cpp).
    void Label12Click();
    void Timer2Timer();
    bool PowerOff();
    // Takes a run off the screen: stimulation window hidden, the run's timers
    // stopped, the screen allowed to idle. The close step runs it first.
    void endRun();

    // Chrome: title strip, minimize and close (TForm1Chrome.cpp).
    void FormActivate();
    void FormDeactivate();
    void Timer1Timer();
    void BMinClick();
    void BCloseClick();
    void BMinMouseMove();
    void BCloseMouseMove();
    void Image1MouseMove();
    void DragObjMouseDown();
    void DragObjMouseMove();
    void DragObjMouseUp();

    // Help, book and text choice (TForm1Documents.cpp).
    void Label10Click();
    void Label11Click();
    void Label14Click();
    void OpenDialog1CanClose(const QString& path);

protected:
    void FormCreate() override;

private:
    void createControls();
    std::unique_ptr<TitleStripSource> titleSource_;
    // Each subsystem connects the events it handles.
    void wireSettingsRules();
    void wireRunControl();
    void wireChrome();
    void wireDocuments();
};

}  // namespace pvstim
