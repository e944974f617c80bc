// The rules that tie the control window's settings together: the check-box
// cascades, the rhythm labels, the spin edits and the preview label's editors.
#include "control/ControlLook.h"
#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/TForm2.h"
#include "run/TForm3.h"
#include "windows/Forms.h"

#include <algorithm>

namespace pvstim {

void TForm1::wireSettingsRules()
{
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox2->OnClick = [this] { CheckBox2Click(); };
    CheckBox3->OnClick = [this] { CheckBox3Click(); };
    CheckBox4->OnClick = [this] { CheckBox4Click(); };
    CheckBox5->OnClick = [this] { CheckBox5Click(); };
    CheckBox9->OnClick = [this] { CheckBox9Click(); };
    CheckBox10->OnClick = [this] { CheckBox10Click(); };
    Label5->OnClick = [this] { Label5Click(); };
    Label6->OnClick = [this] { Label6Click(); };
    Label7->OnClick = [this] { Label7Click(); };
    Label8->OnClick = [this] { Label8Click(); };
    Label9->OnClick = [this] { Label9Click(); };
    SpinEdit1->OnChange = [this] { SpinEdit1Change(); };
    SpinEdit2->OnChange = [this] { SpinEdit2Change(); };
    SpinEdit3->OnChange = [this] { SpinEdit3Change(); };
    ColorBox1->OnChange = [this] { ColorBox1Change(); };
    Label3->OnClick = [this] { Label3Click(); };
    FontDialog1->OnApply = [this] { FontDialog1Apply(); };
    FontDialog1->OnClose = [this] { FontDialog1Close(); };
}

// The stimulation switch enables or disables the same twelve controls, whatever
// Manual or Auto says; the next Manual/Auto change sorts them out again.
void TForm1::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6,
             Label5, Label6, Label7, Label8, Label9, Label2, SpinEdit1 })
        control->setEnabled(on);
}

void TForm1::CheckBox2Click()
{
    const bool manual = CheckBox2->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { Label5, Label6, Label7, Label8, Label9, SpinEdit1 })
        control->setEnabled(manual);
    CheckBox3->setChecked(!manual);
    for (QWidget* control : std::initializer_list<QWidget*> { CheckBox4, CheckBox5, Label2, CheckBox6 })
        control->setEnabled(!manual);
    // Start needs a rhythm in Manual; leaving Manual does not touch it.
    if (manual)
        Label12->setEnabled(rhythmMode != kNoRhythm);
}

void TForm1::CheckBox3Click()
{
    const bool automatic = CheckBox3->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { Label5, Label6, Label7, Label8, Label9, SpinEdit1 })
        control->setEnabled(!automatic);
    CheckBox2->setChecked(!automatic);
    for (QWidget* control : std::initializer_list<QWidget*> { CheckBox4, CheckBox5, Label2, CheckBox6 })
        control->setEnabled(automatic);
}

void TForm1::CheckBox4Click() { CheckBox5->setChecked(!CheckBox4->isChecked()); }

void TForm1::CheckBox5Click() { CheckBox4->setChecked(!CheckBox5->isChecked()); }

void TForm1::CheckBox9Click()
{
    CheckBox10->setChecked(!CheckBox9->isChecked());
    Label14->setVisible(Label14->isHidden());
}

void TForm1::CheckBox10Click() { CheckBox9->setChecked(!CheckBox10->isChecked()); }

void TForm1::rhythmLabelClick(TLabel* label, std::uint8_t mode)
{
    Label12->setEnabled(true);
    if (Form2)
        Form2->SelectRhythm(mode);
    for (TLabel* rhythm : { Label5, Label6, Label7, Label8, Label9 })
        rhythm->setColor(rhythm == label ? kSelectedRhythmColor : kLabelFaceColor);
}

void TForm1::Label5Click() { rhythmLabelClick(Label5, 0); }
void TForm1::Label6Click() { rhythmLabelClick(Label6, 1); }
void TForm1::Label7Click() { rhythmLabelClick(Label7, 2); }
void TForm1::Label8Click() { rhythmLabelClick(Label8, 3); }
void TForm1::Label9Click() { rhythmLabelClick(Label9, 4); }

// A typed value reaches the rules unchanged, also outside the bounds; the results
// are held to what the overlay and the timer can take.
void TForm1::SpinEdit1Change()
{
    if (!Form3)
        return;
    Form3->setAlphaBlendValue(overlayAlpha(SpinEdit1->Value()));
}

void TForm1::SpinEdit2Change()
{
    if (!Form2)
        return;
    Form2->Timer2->setInterval(textIntervalMs(SpinEdit2->Value()));
}

void TForm1::SpinEdit3Change() { Label2->setCaption(QString::number(SpinEdit3->Value())); }

void TForm1::ColorBox1Change() { example->setColor(ColorBox1->Selected()); }

void TForm1::Label3Click() { FontDialog1->Execute(); }

void TForm1::FontDialog1Apply() { example->setFont(FontDialog1->Font); }

void TForm1::FontDialog1Close() { example->setFont(FontDialog1->Font); }

}  // namespace pvstim
