#include "control/ControlWindow.h"

#include "control/ControlLook.h"
#include "control/ControlWindowLayout.h"
#include "control/RunRules.h"
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
    for (const ControlPlace& p : kControlWindowLayout) {
        if (p.name == name)
            return p;
    }
    Q_ASSERT_X(false, "placeOf", "a control missing from the layout table");
    return kControlWindowLayout[0];
}

ControlWindow::ControlWindow(Links links)
    : TForm(QStringLiteral("control"), WindowPlacement::Managed)
    , links_(std::move(links))
    , titleSource_(std::make_unique<TitleStripSource>())
{
    setStayOnTop(true);
    setBounds(0, 0, 554, 381);
    createControls();
    sizeToControls();
    centerOnScreen();
    // The run is taken off the screen before the save, which may fail and show an
    // error box.
    OnClose = [this] {
        endRun();
        saveSettings();
    };
    resetButton->OnClick = [this] { resetToDefaults(); };
    wireSettingsRules();
    wireRunControl();
    wireChrome();
    wireDocuments();
}

ControlWindow::~ControlWindow() = default;

void ControlWindow::createControls()
{
    // Chrome, bottom to top.
    face = TImage::fromResource(this, QStringLiteral("face"), { 0, 0 }, QStringLiteral(":/art/face.bmp"));
    titleStrip = TImage::fromResource(this, QStringLiteral("titleStrip"), { 0, 0 }, QStringLiteral(":/art/title.bmp"));
    minimizeButton = TImage::fromResource(this, QStringLiteral("minimizeButton"), { 480, 1 }, QStringLiteral(":/art/M0.bmp"),
        QStringLiteral("Свернуть"));
    closeButton = TImage::fromResource(this, QStringLiteral("closeButton"), { 508, 1 }, QStringLiteral(":/art/C0.bmp"),
        QStringLiteral("Закрыть"));
    countdownTimer = new TTimer(this, 1000, false);

    // Settings controls, in the order that stacks them above the chrome.
    stimulationBox = makeCheckBox(this, QStringLiteral("stimulationBox"), QStringLiteral("Психовизуальная стимуляция"), true);
    manualBox = makeCheckBox(this, QStringLiteral("manualBox"), QStringLiteral("Manual"), false);
    autoBox = makeCheckBox(this, QStringLiteral("autoBox"), QStringLiteral("Auto"), true);
    sleepBox = makeCheckBox(this, QStringLiteral("sleepBox"), QStringLiteral("1. Сон"), false);
    wakeBox = makeCheckBox(this, QStringLiteral("wakeBox"), QStringLiteral("2. Бодрствование"), false);
    powerOffBox = makeCheckBox(this, QStringLiteral("powerOffBox"), QStringLiteral("В конце выкл. ПК"), false);
    markersBox = makeCheckBox(this, QStringLiteral("markersBox"), QStringLiteral("1. Маркеры поля зрения"), true);
    mandalasBox = makeCheckBox(this, QStringLiteral("mandalasBox"), QStringLiteral("2. Психоконтрастные изображения"), true);
    randomTextBox = makeCheckBox(this, QStringLiteral("randomTextBox"), QStringLiteral("1. Случайно"), true);
    chosenTextBox = makeCheckBox(this, QStringLiteral("chosenTextBox"), QStringLiteral("2. Вручную"), false);

    picturesHeading = makeLabel(this, QStringLiteral("picturesHeading"), QStringLiteral("Использовать:"), headingFont(), kLabelFaceColor);
    minutesLabel = makeLabel(this, QStringLiteral("minutesLabel"), QString::number(kDefaultRunMinutes),
        TFont { QStringLiteral("MS Sans Serif"), 12, TFont::Bold, clWindowText, 1 }, clWindow);
    fontButton = makeLabel(this, QStringLiteral("fontButton"), QStringLiteral("Шрифт"), headingFont(), kLabelFaceColor);
    resetButton = makeLabel(this, QStringLiteral("resetButton"), QStringLiteral("Сброс по умолчанию"), headingFont(), kLabelFaceColor);
    rhythmButtons[indexOf(Rhythm::LowBeta)] = makeLabel(this, QStringLiteral("lowBetaButton"), QStringLiteral("Низкий Бета"), headingFont(), kLabelFaceColor);
    rhythmButtons[indexOf(Rhythm::HighAlpha)] = makeLabel(this, QStringLiteral("highAlphaButton"), QStringLiteral("Высокий Альфа"), headingFont(), kLabelFaceColor);
    rhythmButtons[indexOf(Rhythm::LowAlpha)] = makeLabel(this, QStringLiteral("lowAlphaButton"), QStringLiteral("Низкий Альфа"), headingFont(), kLabelFaceColor);
    rhythmButtons[indexOf(Rhythm::Theta)] = makeLabel(this, QStringLiteral("thetaButton"), QStringLiteral("Тета"), headingFont(), kLabelFaceColor);
    rhythmButtons[indexOf(Rhythm::Delta)] = makeLabel(this, QStringLiteral("deltaButton"), QStringLiteral("Дельта"), headingFont(), kLabelFaceColor);
    helpButton = makeLabel(this, QStringLiteral("helpButton"), QStringLiteral("Справка"), buttonFont(), kLabelFaceColor);
    bookButton = makeLabel(this, QStringLiteral("bookButton"), QStringLiteral("Книга"), buttonFont(), kLabelFaceColor);
    startButton = makeLabel(this, QStringLiteral("startButton"), QStringLiteral("Старт"), buttonFont(), kLabelFaceColor);
    frequencyLabel = makeLabel(this, QStringLiteral("frequencyLabel"), QStringLiteral(" Частота стимуляции ГМ: 0 Hz"), headingFont(), kLabelFaceColor);
    browseButton = makeLabel(this, QStringLiteral("browseButton"), QStringLiteral("Обзор..."), browseFont(), kLabelFaceColor);
    intensityCaption = makeLabel(this, QStringLiteral("intensityCaption"), QStringLiteral("Интенсивность:"), headingFont(), kLabelFaceColor);
    textPreview = makeLabel(this, QStringLiteral("textPreview"), QStringLiteral("Пример"), defaultPreviewFont(), kDefaultPreviewBackground);
    minutesLabel->setAlignment(TextAlignment::Center);
    textPreview->setAlignment(TextAlignment::Center);

    // The labels that serve as buttons.
    for (TLabel* setting : { fontButton, resetButton })
        setting->setButtonLook(settingLook());
    for (TLabel* rhythm : rhythmButtons)
        rhythm->setButtonLook(settingLook());
    for (TLabel* command : { helpButton, bookButton })
        command->setButtonLook(commandLook());
    TLabelButtonLook start = commandLook();
    start.pressedCaption = QStringLiteral("Старт !");
    startButton->setButtonLook(start);
    browseButton->setButtonLook({ kBrowseFontColor, kBrowseHotColor, TFont::Underline, kPressShift, {} });

    for (TLabel* rhythm : rhythmButtons)
        rhythm->setEnabled(false);
    browseButton->hide();

    intensitySpin = makeSpinEdit(this, QStringLiteral("intensitySpin"), 10, 100, 20);
    intensitySpin->setEnabled(false);
    lineIntervalSpin = makeSpinEdit(this, QStringLiteral("lineIntervalSpin"), kMinLineInterval, kMaxLineInterval, 60);
    runMinutesSpin = makeSpinEdit(this, QStringLiteral("runMinutesSpin"), kMinRunMinutes, kMaxRunMinutes, kDefaultRunMinutes);

    progressNeedle = new TGauge(this);
    progressNeedle->setObjectName(QStringLiteral("progressNeedle"));
    configureNeedleGauge(*progressNeedle);
    place(progressNeedle);

    previewColorBox = new TColorBox(this, QStringLiteral("previewColorBox"));
    place(previewColorBox);
    previewColorBox->setSelected(textPreview->Color());

    fontDialog = std::make_unique<TFontDialog>(this);
    fontDialog->Font = textPreview->Font();

    // Keyboard focus order; the labels take no focus.
    QWidget* order[] = { stimulationBox, manualBox, autoBox, sleepBox, wakeBox, powerOffBox, markersBox, mandalasBox,
        randomTextBox, chosenTextBox, intensitySpin, lineIntervalSpin, previewColorBox, runMinutesSpin };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace pvstim
