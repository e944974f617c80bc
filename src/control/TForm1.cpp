#include "control/TForm1.h"

#include "control/ControlLook.h"
#include "control/RunRules.h"
#include "control/TForm1Layout.h"
#include "control/TitleStripSource.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "settings/IniFile.h"
#include "widgets/TGauge.h"

namespace pvstim {

namespace {

constexpr int kPressShift = 2;

void place(QWidget* control)
{
    control->setGeometry(placeOf(control->objectName()).rect);
}

TLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const TFont& font, TColor background)
{
    const ControlPlace& where = placeOf(name);
    auto* label = new TLabel(parent, name);
    label->setAutoSize(where.sizing == Sizing::Caption);
    label->setFont(font);
    label->setColor(background);
    label->setCaption(caption);
    if (where.sizing == Sizing::Caption)
        label->move(where.rect.topLeft());
    else
        label->setGeometry(where.rect);
    return label;
}

TCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, bool checked)
{
    auto* box = new TCheckBox(parent, name, caption);
    box->setLook(headingFont(), kLabelFaceColor);
    place(box);
    box->setChecked(checked);
    return box;
}

TSpinEdit* makeSpinEdit(QWidget* parent, const QString& name, int minValue, int maxValue, int value)
{
    auto* spin = new TSpinEdit(parent, name, minValue, maxValue, value);
    spin->setLook(TFont { QStringLiteral("MS Sans Serif"), 8, TFont::Bold, clWindowText, 1 });
    place(spin);
    return spin;
}

TLabelButtonLook settingLook() { return { kHeadingFontColor, kHeadingHotColor, 0, kPressShift, {} }; }
TLabelButtonLook commandLook() { return { kButtonFontColor, kButtonHotColor, 0, kPressShift, {} }; }

}  // namespace

const ControlPlace& placeOf(QStringView name)
{
    for (const ControlPlace& p : kTForm1Layout) {
        if (p.name == name)
            return p;
    }
    Q_ASSERT_X(false, "placeOf", "a control missing from the layout table");
    return kTForm1Layout[0];
}

TForm1::TForm1()
    : TForm(QStringLiteral("Form1"), WindowPlacement::Managed)
    , titleSource_(std::make_unique<TitleStripSource>())
{
    setStayOnTop(true);
    setBounds(0, 0, 554, 381);
    createControls();
    sizeToControls();
    centerOnScreen();
    OnClose = [this] { FormClose(); };
    Label4->OnClick = [this] { Label4Click(); };
    wireSettingsRules();
    wireRunControl();
    wireChrome();
    wireDocuments();
}

TForm1::~TForm1() = default;

void TForm1::createControls()
{
    // Chrome, bottom to top.
    Image1 = TImage::fromResource(this, QStringLiteral("Image1"), { 0, 0 }, QStringLiteral(":/art/face.bmp"));
    DragObj = TImage::fromResource(this, QStringLiteral("DragObj"), { 0, 0 }, QStringLiteral(":/art/title.bmp"));
    BMin = TImage::fromResource(this, QStringLiteral("BMin"), { 480, 1 }, QStringLiteral(":/art/M0.bmp"),
        QStringLiteral("Свернуть"));
    BClose = TImage::fromResource(this, QStringLiteral("BClose"), { 508, 1 }, QStringLiteral(":/art/C0.bmp"),
        QStringLiteral("Закрыть"));
    Timer1 = new TTimer(this, 20, true, TimerPrecision::Poll);
    Timer2 = new TTimer(this, 1000, false);

    // Settings controls, in the order that stacks them above the chrome.
    CheckBox1 = makeCheckBox(this, QStringLiteral("CheckBox1"), QStringLiteral("Психовизуальная стимуляция"), true);
    CheckBox2 = makeCheckBox(this, QStringLiteral("CheckBox2"), QStringLiteral("Manual"), false);
    CheckBox3 = makeCheckBox(this, QStringLiteral("CheckBox3"), QStringLiteral("Auto"), true);
    CheckBox4 = makeCheckBox(this, QStringLiteral("CheckBox4"), QStringLiteral("1. Сон"), false);
    CheckBox5 = makeCheckBox(this, QStringLiteral("CheckBox5"), QStringLiteral("2. Бодрствование"), false);
    CheckBox6 = makeCheckBox(this, QStringLiteral("CheckBox6"), QStringLiteral("В конце выкл. ПК"), false);
    CheckBox7 = makeCheckBox(this, QStringLiteral("CheckBox7"), QStringLiteral("1. Маркеры поля зрения"), true);
    CheckBox8 = makeCheckBox(this, QStringLiteral("CheckBox8"), QStringLiteral("2. Психоконтрастные изображения"), true);
    CheckBox9 = makeCheckBox(this, QStringLiteral("CheckBox9"), QStringLiteral("1. Случайно"), true);
    CheckBox10 = makeCheckBox(this, QStringLiteral("CheckBox10"), QStringLiteral("2. Вручную"), false);

    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Использовать:"), headingFont(), kLabelFaceColor);
    Label2 = makeLabel(this, QStringLiteral("Label2"), QString::number(kDefaultRunMinutes),
        TFont { QStringLiteral("MS Sans Serif"), 12, TFont::Bold, clWindowText, 1 }, clWindow);
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("Шрифт"), headingFont(), kLabelFaceColor);
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("Сброс по умолчанию"), headingFont(), kLabelFaceColor);
    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("Низкий Бета"), headingFont(), kLabelFaceColor);
    Label6 = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Высокий Альфа"), headingFont(), kLabelFaceColor);
    Label7 = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("Низкий Альфа"), headingFont(), kLabelFaceColor);
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("Тета"), headingFont(), kLabelFaceColor);
    Label9 = makeLabel(this, QStringLiteral("Label9"), QStringLiteral("Дельта"), headingFont(), kLabelFaceColor);
    Label10 = makeLabel(this, QStringLiteral("Label10"), QStringLiteral("Справка"), buttonFont(), kLabelFaceColor);
    Label11 = makeLabel(this, QStringLiteral("Label11"), QStringLiteral("Книга"), buttonFont(), kLabelFaceColor);
    Label12 = makeLabel(this, QStringLiteral("Label12"), QStringLiteral("Старт"), buttonFont(), kLabelFaceColor);
    Label13 = makeLabel(this, QStringLiteral("Label13"), QStringLiteral(" Частота стимуляции ГМ: 0 Hz"), headingFont(), kLabelFaceColor);
    Label14 = makeLabel(this, QStringLiteral("Label14"), QStringLiteral("Обзор..."), browseFont(), kLabelFaceColor);
    Label15 = makeLabel(this, QStringLiteral("Label15"), QStringLiteral("Интенсивность:"), headingFont(), kLabelFaceColor);
    example = makeLabel(this, QStringLiteral("example"), QStringLiteral("Пример"), defaultPreviewFont(), kDefaultPreviewBackground);
    Label2->setAlignment(TextAlignment::Center);
    example->setAlignment(TextAlignment::Center);

    // The labels that serve as buttons.
    for (TLabel* setting : { Label3, Label4, Label5, Label6, Label7, Label8, Label9 })
        setting->setButtonLook(settingLook());
    for (TLabel* command : { Label10, Label11 })
        command->setButtonLook(commandLook());
    TLabelButtonLook start = commandLook();
    start.pressedCaption = QStringLiteral("Старт !");
    Label12->setButtonLook(start);
    Label14->setButtonLook({ kBrowseFontColor, kBrowseHotColor, TFont::Underline, kPressShift, {} });

    for (TLabel* rhythm : { Label5, Label6, Label7, Label8, Label9 })
        rhythm->setEnabled(false);
    Label14->hide();

    SpinEdit1 = makeSpinEdit(this, QStringLiteral("SpinEdit1"), 10, 100, 20);
    SpinEdit1->setEnabled(false);
    SpinEdit2 = makeSpinEdit(this, QStringLiteral("SpinEdit2"), kMinLineInterval, kMaxLineInterval, 60);
    SpinEdit3 = makeSpinEdit(this, QStringLiteral("SpinEdit3"), kMinRunMinutes, kMaxRunMinutes, kDefaultRunMinutes);

    Gauge1 = new TGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    configureNeedleGauge(*Gauge1);
    place(Gauge1);

    ColorBox1 = new TColorBox(this, QStringLiteral("ColorBox1"));
    place(ColorBox1);
    ColorBox1->setSelected(example->Color());

    FontDialog1 = std::make_unique<TFontDialog>(this);
    FontDialog1->Font = example->Font();

    // Keyboard focus order; the labels take no focus.
    QWidget* order[] = { CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8,
        CheckBox9, CheckBox10, SpinEdit1, SpinEdit2, ColorBox1, SpinEdit3 };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace pvstim
