#include "control/TForm1.h"

#include "control/ControlLook.h"
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

TLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect place, const TFont& font,
    TColor background)
{
    auto* label = new TLabel(parent, name);
    label->setFont(font);
    label->setColor(background);
    label->move(place.topLeft());
    label->resize(place.size());
    label->setCaption(caption);
    return label;
}

TCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, QRect place, bool checked)
{
    auto* box = new TCheckBox(parent, name, caption);
    box->setLook(headingFont(), kLabelFaceColor);
    box->setGeometry(place);
    box->setChecked(checked);
    return box;
}

TSpinEdit* makeSpinEdit(QWidget* parent, const QString& name, QRect place, int minValue, int maxValue, int value)
{
    auto* spin = new TSpinEdit(parent, name, minValue, maxValue, value);
    spin->setLook(TFont { QStringLiteral("MS Sans Serif"), 8, TFont::Bold, clWindowText, 1 });
    spin->setGeometry(place);
    return spin;
}

}  // namespace

TForm1::TForm1()
    : TForm(QStringLiteral("Form1"), WindowPlacement::Managed)
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

TForm1::~TForm1()
{
    // The label buttons' pointer watch looks at the labels on every pointer event;
    // it goes before them, since deleting a control under the pointer sends one.
    delete findChild<QObject*>(kLabelButtonsName, Qt::FindDirectChildrenOnly);
}

void TForm1::createControls()
{
    // Chrome, bottom to top.
    Image1 = TImage::fromResource(this, QStringLiteral("Image1"), { 0, 0 }, QStringLiteral(":/art/face.bmp"));
    DragObj = TImage::fromResource(this, QStringLiteral("DragObj"), { 0, 0 }, QStringLiteral(":/art/title.bmp"));
    BMin = TImage::fromResource(this, QStringLiteral("BMin"), { 480, 1 }, QStringLiteral(":/art/M0.bmp"),
        QStringLiteral("Свернуть"));
    BClose = TImage::fromResource(this, QStringLiteral("BClose"), { 508, 1 }, QStringLiteral(":/art/C0.bmp"),
        QStringLiteral("Закрыть"));
    Timer1 = new TTimer(this, 20, true);
    Timer2 = new TTimer(this, 1000, false);

    // Settings controls, in the order that stacks them above the chrome.
    CheckBox1 = makeCheckBox(this, QStringLiteral("CheckBox1"), QStringLiteral("Психовизуальная стимуляция"), { 39, 34, 233, 19 }, true);
    CheckBox2 = makeCheckBox(this, QStringLiteral("CheckBox2"), QStringLiteral("Manual"), { 39, 59, 82, 21 }, false);
    CheckBox3 = makeCheckBox(this, QStringLiteral("CheckBox3"), QStringLiteral("Auto"), { 198, 59, 58, 21 }, true);
    CheckBox4 = makeCheckBox(this, QStringLiteral("CheckBox4"), QStringLiteral("1. Сон"), { 152, 101, 137, 21 }, false);
    CheckBox5 = makeCheckBox(this, QStringLiteral("CheckBox5"), QStringLiteral("2. Бодрствование"), { 152, 121, 137, 21 }, false);
    CheckBox6 = makeCheckBox(this, QStringLiteral("CheckBox6"), QStringLiteral("В конце выкл. ПК"), { 149, 297, 140, 21 }, false);
    CheckBox7 = makeCheckBox(this, QStringLiteral("CheckBox7"), QStringLiteral("1. Маркеры поля зрения"), { 12, 332, 279, 21 }, true);
    CheckBox8 = makeCheckBox(this, QStringLiteral("CheckBox8"), QStringLiteral("2. Психоконтрастные изображения"), { 12, 349, 279, 21 }, true);
    CheckBox9 = makeCheckBox(this, QStringLiteral("CheckBox9"), QStringLiteral("1. Случайно"), { 309, 252, 115, 21 }, true);
    CheckBox10 = makeCheckBox(this, QStringLiteral("CheckBox10"), QStringLiteral("2. Вручную"), { 309, 276, 115, 21 }, false);

    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Использовать:"), { 12, 314, 0, 0 }, headingFont(), kLabelFaceColor);
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("27"), { 206, 164, 34, 18 },
        TFont { QStringLiteral("MS Sans Serif"), 12, TFont::Bold, clWindowText, 1 }, clWindow);
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("Шрифт"), { 325, 107, 46, 16 }, headingFont(), kLabelFaceColor);
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("Сброс по умолчанию"), { 391, 107, 139, 16 }, headingFont(), kLabelFaceColor);
    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("Низкий Бета"), { 35, 116, 82, 16 }, headingFont(), kLabelFaceColor);
    Label6 = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Высокий Альфа"), { 24, 146, 107, 16 }, headingFont(), kLabelFaceColor);
    Label7 = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("Низкий Альфа"), { 29, 178, 96, 16 }, headingFont(), kLabelFaceColor);
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("Тета"), { 57, 210, 32, 16 }, headingFont(), kLabelFaceColor);
    Label9 = makeLabel(this, QStringLiteral("Label9"), QStringLiteral("Дельта"), { 49, 242, 56, 16 }, headingFont(), kLabelFaceColor);
    Label10 = makeLabel(this, QStringLiteral("Label10"), QStringLiteral("Справка"), { 315, 340, 0, 0 }, buttonFont(), kLabelFaceColor);
    Label11 = makeLabel(this, QStringLiteral("Label11"), QStringLiteral("Книга"), { 405, 340, 0, 0 }, buttonFont(), kLabelFaceColor);
    Label12 = makeLabel(this, QStringLiteral("Label12"), QStringLiteral("Старт"), { 481, 340, 47, 19 }, buttonFont(), kLabelFaceColor);
    Label13 = makeLabel(this, QStringLiteral("Label13"), QStringLiteral(" Частота стимуляции ГМ: 0 Hz"), { 307, 309, 194, 16 }, headingFont(), kLabelFaceColor);
    Label14 = makeLabel(this, QStringLiteral("Label14"), QStringLiteral("Обзор..."), { 436, 278, 53, 16 }, browseFont(), kLabelFaceColor);
    Label15 = makeLabel(this, QStringLiteral("Label15"), QStringLiteral("Интенсивность:"), { 14, 270, 129, 16 }, headingFont(), kLabelFaceColor);
    example = makeLabel(this, QStringLiteral("example"), QStringLiteral("Пример"), { 324, 136, 203, 54 }, defaultPreviewFont(), kDefaultPreviewBackground);

    // Labels that keep their designed size; the two centred ones.
    for (TLabel* fixed : { Label2, Label8, Label9, Label15, example })
        fixed->setAutoSize(false);
    Label2->setAlignment(TextAlignment::Center);
    example->setAlignment(TextAlignment::Center);
    Label2->setGeometry(206, 164, 34, 18);
    Label8->setGeometry(57, 210, 32, 16);
    Label9->setGeometry(49, 242, 56, 16);
    Label15->setGeometry(14, 270, 129, 16);
    example->setGeometry(324, 136, 203, 54);

    for (TLabel* rhythm : { Label5, Label6, Label7, Label8, Label9 })
        rhythm->setEnabled(false);
    Label14->hide();

    SpinEdit1 = makeSpinEdit(this, QStringLiteral("SpinEdit1"), { 51, 290, 54, 22 }, 10, 100, 20);
    SpinEdit1->setEnabled(false);
    SpinEdit2 = makeSpinEdit(this, QStringLiteral("SpinEdit2"), { 489, 204, 54, 22 }, 10, 1000, 60);
    SpinEdit3 = makeSpinEdit(this, QStringLiteral("SpinEdit3"), { 200, 259, 54, 22 }, 10, 60, 27);

    Gauge1 = new TGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    configureNeedleGauge(*Gauge1);

    ColorBox1 = new TColorBox(this, QStringLiteral("ColorBox1"));
    ColorBox1->setGeometry(404, 67, 113, 22);
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
