// The rules that tie the control window's settings together: the check-box
// cascades, the rhythm labels, the spin edits, the preview label's editors, and
// the hover and press looks of the labels that serve as buttons.
#include "app/Forms.h"
#include "control/ControlLook.h"
#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Handler.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/TForm2.h"
#include "run/TForm3.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <climits>
#include <vector>

namespace pvstim {

namespace {

const QString kStartCaption = QStringLiteral("Старт");
const QString kStartPressedCaption = QStringLiteral("Старт !");
constexpr int kPressShift = 2;

// How a label button looks at rest and under the pointer.
enum class ButtonLook {
    Setting,  // "Шрифт", "Сброс по умолчанию", the rhythm labels
    Command,  // "Справка", "Книга", "Старт"
    Browse,   // "Обзор..."
};

enum class Pressable { No, Yes };

void showHover(TLabel& label, ButtonLook look, bool hot)
{
    switch (look) {
    case ButtonLook::Setting:
        label.setFontColor(hot ? kHeadingHotColor : kHeadingFontColor);
        break;
    case ButtonLook::Command:
        label.setFontColor(hot ? kButtonHotColor : kButtonFontColor);
        break;
    case ButtonLook::Browse: {
        TFont font = label.Font();
        font.color = hot ? kBrowseHotColor : kBrowseFontColor;
        font.style = hot ? TFont::Bold | TFont::Underline : TFont::Bold;
        label.setFont(font);
        break;
    }
    }
}

// The hover and press effects of the label buttons. Enter and leave come from the
// labels themselves while they are enabled; a disabled widget gets neither, so
// the pointer is also followed over the whole window, and a disabled label still
// takes its hover colour (drawn greyed until it is enabled again).
class LabelButtons : public QObject {
public:
    explicit LabelButtons(TForm1& form)
        : QObject(&form)
        , form_(form)
    {
        setObjectName(kLabelButtonsName);
        QCoreApplication::instance()->installEventFilter(this);
    }

    ~LabelButtons() override
    {
        for (const Button& button : buttons_) {
            if (button.label) {
                button.label->OnMouseEnter = nullptr;
                button.label->OnMouseLeave = nullptr;
                button.label->OnMouseDown = nullptr;
                button.label->OnMouseUp = nullptr;
            }
        }
    }

    void add(TLabel* label, ButtonLook look, Pressable pressable)
    {
        buttons_.push_back({ label, look, false, false });
        const std::size_t index = buttons_.size() - 1;
        label->OnMouseEnter = [this, index] { setHot(buttons_[index], true); };
        label->OnMouseLeave = [this, index] { setHot(buttons_[index], false); };
        if (pressable == Pressable::Yes) {
            label->OnMouseDown = [this, index](MouseButton b, QPoint) { press(buttons_[index], b); };
            label->OnMouseUp = [this, index](MouseButton b, QPoint) { release(buttons_[index], b); };
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            if (QWidget* widget = inWindow(watched)) {
                if (const auto* pointer = dynamic_cast<const QSinglePointEvent*>(event))
                    pointerAt(widget->mapTo(&form_, pointer->position().toPoint()));
            }
            break;
        case QEvent::Leave:
            if (watched == &form_)
                pointerAt(QPoint(-1, -1));
            break;
        case QEvent::MouseButtonRelease:
            // A label disabled while it was held down gets no release of its own.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                for (Button& button : buttons_) {
                    if (button.label.data() == watched && button.shifted && !button.label->isEnabled())
                        release(button, MouseButton::Left);
                }
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    struct Button {
        QPointer<TLabel> label;
        ButtonLook look;
        bool hot;
        bool shifted;
    };

    QWidget* inWindow(QObject* watched) const
    {
        if (!watched->isWidgetType())
            return nullptr;
        auto* widget = static_cast<QWidget*>(watched);
        return widget == &form_ || form_.isAncestorOf(widget) ? widget : nullptr;
    }

    void pointerAt(QPoint p)
    {
        for (Button& button : buttons_) {
            if (button.label)
                setHot(button, !button.label->isHidden() && button.label->geometry().contains(p));
        }
    }

    void setHot(Button& button, bool hot)
    {
        if (button.hot == hot)
            return;
        button.hot = hot;
        runHandler([&] { showHover(*button.label, button.look, hot); });
    }

    // The label moves 2 pixels right and down while the left button holds it; Qt
    // keeps the pointer with the pressed widget, so the release comes back here.
    static void press(Button& button, MouseButton b)
    {
        if (b != MouseButton::Left || button.shifted)
            return;
        button.shifted = true;
        TLabel& label = *button.label;
        label.move(label.pos() + QPoint(kPressShift, kPressShift));
        if (label.Caption() == kStartCaption)
            label.setCaption(kStartPressedCaption);
    }

    static void release(Button& button, MouseButton b)
    {
        if (b != MouseButton::Left || !button.shifted)
            return;
        button.shifted = false;
        TLabel& label = *button.label;
        label.move(label.pos() - QPoint(kPressShift, kPressShift));
        if (label.Caption() == kStartPressedCaption)
            label.setCaption(kStartCaption);
    }

    TForm1& form_;
    std::vector<Button> buttons_;
};

}  // namespace

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

    auto* buttons = new LabelButtons(*this);
    for (TLabel* label : { Label3, Label4, Label5, Label6, Label7, Label8, Label9 })
        buttons->add(label, ButtonLook::Setting, Pressable::Yes);
    for (TLabel* label : { Label10, Label11, Label12 })
        buttons->add(label, ButtonLook::Command, Pressable::Yes);
    buttons->add(Label14, ButtonLook::Browse, Pressable::Yes);
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
        Label12->setEnabled(rhythmMode != 5);
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
    const long long alpha = static_cast<long long>(SpinEdit1->Value()) * 255 / 100;
    Form3->setAlphaBlendValue(static_cast<int>(std::clamp(alpha, 0LL, 255LL)));
}

void TForm1::SpinEdit2Change()
{
    if (!Form2)
        return;
    const long long interval = static_cast<long long>(SpinEdit2->Value()) * 10;
    Form2->Timer2->setInterval(static_cast<int>(std::clamp(interval, 0LL, static_cast<long long>(INT_MAX))));
}

void TForm1::SpinEdit3Change() { Label2->setCaption(QString::number(SpinEdit3->Value())); }

void TForm1::ColorBox1Change() { example->setColor(ColorBox1->Selected()); }

void TForm1::Label3Click() { FontDialog1->Execute(); }

void TForm1::FontDialog1Apply() { example->setFont(FontDialog1->Font); }

void TForm1::FontDialog1Close() { example->setFont(FontDialog1->Font); }

}  // namespace pvstim
