// The control window's label buttons (hover and press looks), the preview label's
// editors, and the places and looks of the settings controls.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/ControlWindowLayout.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "widgets/TGauge.h"

#include <QColorDialog>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::AppTest;

namespace {

void mouseButton(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint p = { 3, 3 })
{
    QMouseEvent event(type, p, widget->mapToGlobal(p), button,
        type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void enter(TLabel* label)
{
    const QPointF p(2, 2);
    QEnterEvent event(p, p, label->mapToGlobal(p));
    QCoreApplication::sendEvent(label, &event);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

// True when some pixel of the label as drawn has exactly this colour.
bool drawsColor(TLabel* label, QColor color)
{
    const QImage image = label->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

class SettingsButtonsTest : public AppTest { };

// ---- Hover ------------------------------------------------------------------------

struct HoverCase {
    TLabel* ControlWindow::*label;
    TColor rest;
    TColor hot;
    unsigned hotStyle;
};

class Hover : public AppTest, public ::testing::WithParamInterface<HoverCase> { };

TEST_P(Hover, EnterAndLeaveChangeTheFont)
{
    const HoverCase& c = GetParam();
    TLabel* label = controlWindow()->*c.label;
    label->show();
    EXPECT_EQ(label->Font().color, c.rest);
    enter(label);
    EXPECT_EQ(label->Font().color, c.hot) << label->objectName().toStdString();
    EXPECT_EQ(label->Font().style, c.hotStyle);
    leave(label);
    EXPECT_EQ(label->Font().color, c.rest);
    EXPECT_EQ(label->Font().style, unsigned(TFont::Bold));
}

INSTANTIATE_TEST_SUITE_P(Labels, Hover, ::testing::Values(
    HoverCase { &ControlWindow::fontButton, TColor(0x00804000), TColor(0x00FF0000), TFont::Bold },
    HoverCase { &ControlWindow::resetButton, TColor(0x00804000), TColor(0x00FF0000), TFont::Bold },
    HoverCase { &ControlWindow::helpButton, TColor(0x000000FF), TColor(0x00000080), TFont::Bold },
    HoverCase { &ControlWindow::bookButton, TColor(0x000000FF), TColor(0x00000080), TFont::Bold },
    HoverCase { &ControlWindow::startButton, TColor(0x000000FF), TColor(0x00000080), TFont::Bold },
    HoverCase { &ControlWindow::browseButton, TColor(0x00008000), TColor(0x0000FF00), TFont::Bold | TFont::Underline }));

TEST_F(SettingsButtonsTest, HoverFollowsThePointerOverADisabledLabelAndShowsOnceEnabled)
{
    TLabel* label = controlWindow()->rhythmButton(Rhythm::LowBeta);
    ASSERT_FALSE(label->isEnabled());
    const QColor hotInk = toQColor(TColor(0x00FF0000));

    enter(label);
    EXPECT_EQ(label->Font().color, TColor(0x00FF0000));
    EXPECT_FALSE(drawsColor(label, hotInk)) << "a disabled label is drawn greyed";
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::HighAlpha)->Font().color, TColor(0x00804000));

    leave(label);
    enter(controlWindow()->rhythmButton(Rhythm::HighAlpha));
    EXPECT_EQ(label->Font().color, TColor(0x00804000));
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::HighAlpha)->Font().color, TColor(0x00FF0000));

    leave(controlWindow()->rhythmButton(Rhythm::HighAlpha));
    enter(label);
    controlWindow()->manualBox->click();  // Manual enables the rhythm labels
    ASSERT_TRUE(label->isEnabled());
    EXPECT_TRUE(drawsColor(label, hotInk));

    leave(label);
    EXPECT_EQ(label->Font().color, TColor(0x00804000));
    EXPECT_FALSE(drawsColor(label, hotInk));
}

// ---- Press ------------------------------------------------------------------------

TEST_F(SettingsButtonsTest, LeftPressShiftsStartAndMarksItReleaseRestores)
{
    TLabel* start = controlWindow()->startButton;
    const QRect home = start->geometry();
    mouseButton(start, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(start->pos(), home.topLeft() + QPoint(2, 2));
    EXPECT_EQ(start->Caption(), QStringLiteral("Старт !"));
    // Released away from the label, so no run starts; the release still comes back.
    mouseButton(start, QEvent::MouseButtonRelease, Qt::LeftButton, { -20, -20 });
    EXPECT_EQ(start->pos(), home.topLeft());
    EXPECT_EQ(start->Caption(), QStringLiteral("Старт"));
}

// The label is named by its object name: a rhythm button has no member of its own.
struct PressCase {
    const char* label;
    Qt::MouseButton button;
    QPoint shift;
};

class Press : public AppTest, public ::testing::WithParamInterface<PressCase> { };

TEST_P(Press, OnlyTheLeftButtonShiftsAndCaptionsOtherThanStartStay)
{
    auto* label = controlWindow()->findChild<TLabel*>(QLatin1String(GetParam().label), Qt::FindDirectChildrenOnly);
    ASSERT_NE(label, nullptr) << GetParam().label;
    const QPoint home = label->pos();
    const QString caption = label->Caption();
    mouseButton(label, QEvent::MouseButtonPress, GetParam().button);
    EXPECT_EQ(label->pos(), home + GetParam().shift);
    EXPECT_EQ(label->Caption(), caption);
    mouseButton(label, QEvent::MouseButtonRelease, GetParam().button, { -20, -20 });
    EXPECT_EQ(label->pos(), home);
}

INSTANTIATE_TEST_SUITE_P(Labels, Press, ::testing::Values(
    PressCase { "fontButton", Qt::LeftButton, { 2, 2 } }, PressCase { "resetButton", Qt::LeftButton, { 2, 2 } },
    PressCase { "helpButton", Qt::LeftButton, { 2, 2 } }, PressCase { "bookButton", Qt::LeftButton, { 2, 2 } },
    PressCase { "startButton", Qt::RightButton, { 0, 0 } }, PressCase { "startButton", Qt::MiddleButton, { 0, 0 } },
    PressCase { "frequencyLabel", Qt::LeftButton, { 0, 0 } }, PressCase { "lowBetaButton", Qt::LeftButton, { 0, 0 } }));

TEST_F(SettingsButtonsTest, ALabelDisabledWhileHeldIsStillRestoredOnRelease)
{
    controlWindow()->manualBox->click();
    TLabel* label = controlWindow()->rhythmButton(Rhythm::LowAlpha);
    const QPoint home = label->pos();
    mouseButton(label, QEvent::MouseButtonPress, Qt::LeftButton);
    ASSERT_EQ(label->pos(), home + QPoint(2, 2));
    controlWindow()->autoBox->click();  // Auto disables the rhythm labels
    ASSERT_FALSE(label->isEnabled());
    mouseButton(label, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(label->pos(), home);
    EXPECT_EQ(label->Color(), TColor(0x00EBEAE7)) << "a disabled label takes no click";
}

// ---- Preview label editors ----------------------------------------------------------

TEST_F(SettingsButtonsTest, FontDialogApplyShowsAtOnceAndSurvivesACancel)
{
    const TFont before = controlWindow()->textPreview->Font();
    const TFont applied { QStringLiteral("Arial"), 20, TFont::Italic | TFont::Underline, clRed, 204 };
    TFont shownDuringDialog;
    fake.dialogScript = [&](QDialog& dialog) {
        auto& chooser = dynamic_cast<TFontChooserDialog&>(dialog);
        EXPECT_EQ(chooser.currentFont(), before);
        chooser.setCurrentFont(applied);
        chooser.pressApply();
        shownDuringDialog = controlWindow()->textPreview->Font();
        chooser.setCurrentFont(TFont { QStringLiteral("Courier New"), 8, 0, clBlack, 204 });
        return int(QDialog::Rejected);
    };
    mouseButton(controlWindow()->fontButton, QEvent::MouseButtonPress, Qt::LeftButton);
    mouseButton(controlWindow()->fontButton, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(shownDuringDialog, applied);
    EXPECT_EQ(controlWindow()->textPreview->Font(), applied);
}

TEST_F(SettingsButtonsTest, FontDialogCancelWithoutApplyKeepsTheFontAndOkTakesTheChoice)
{
    const TFont before = controlWindow()->textPreview->Font();
    const TFont chosen { QStringLiteral("Arial"), 20, TFont::Bold | TFont::StrikeOut, clGreen, 204 };
    int result = QDialog::Rejected;
    fake.dialogScript = [&](QDialog& dialog) {
        dynamic_cast<TFontChooserDialog&>(dialog).setCurrentFont(chosen);
        return result;
    };
    controlWindow()->onFontClicked();
    EXPECT_EQ(controlWindow()->textPreview->Font(), before);
    result = QDialog::Accepted;
    controlWindow()->onFontClicked();
    EXPECT_EQ(controlWindow()->textPreview->Font(), chosen);
}

struct CustomCase {
    int result;
    TColor background;
};

class CustomColour : public AppTest, public ::testing::WithParamInterface<CustomCase> { };

TEST_P(CustomColour, AcceptSetsThePreviewBackgroundCancelLeavesIt)
{
    const int result = GetParam().result;
    fake.dialogScript = [result](QDialog& dialog) {
        dynamic_cast<QColorDialog&>(dialog).setCurrentColor(QColor(1, 2, 3));
        return result;
    };
    controlWindow()->previewColorBox->setCurrentIndex(TColorBox::kCustomIndex);
    emit controlWindow()->previewColorBox->activated(TColorBox::kCustomIndex);
    EXPECT_EQ(controlWindow()->textPreview->Color(), GetParam().background);
    EXPECT_EQ(controlWindow()->previewColorBox->Selected(), GetParam().background);
}

INSTANTIATE_TEST_SUITE_P(Results, CustomColour, ::testing::Values(
    CustomCase { QDialog::Accepted, rgbColor(1, 2, 3) }, CustomCase { QDialog::Rejected, TColor(0x00DEF2F5) }));

TEST_F(SettingsButtonsTest, PickingASystemColourPaintsThePreviewWithIt)
{
    controlWindow()->previewColorBox->setSelected(clBlack);
    controlWindow()->previewColorBox->setCurrentIndex(21);
    emit controlWindow()->previewColorBox->activated(21);
    EXPECT_EQ(controlWindow()->textPreview->Color(), clBtnFace);
}

// ---- Places and looks ---------------------------------------------------------------

TEST_F(SettingsButtonsTest, ControlsOfFixedSizeSitExactlyAtTheirPlaces)
{
    for (const ControlPlace& p : kControlWindowLayout) {
        if (p.sizing != Sizing::Fixed)
            continue;
        const QString name = p.name.toString();
        auto* widget = controlWindow()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(widget->geometry(), p.rect) << name.toStdString();
    }
}

TEST_F(SettingsButtonsTest, SelfSizingLabelsStartAtTheirPlaceAndGrowToTheRight)
{
    for (const ControlPlace& p : kControlWindowLayout) {
        if (p.sizing != Sizing::Caption)
            continue;
        const QString name = p.name.toString();
        auto* label = controlWindow()->findChild<TLabel*>(name, Qt::FindDirectChildrenOnly);
        ASSERT_NE(label, nullptr) << name.toStdString();
        EXPECT_EQ(label->pos(), p.rect.topLeft()) << name.toStdString();
        EXPECT_NEAR(label->width(), p.rect.width(), 4) << name.toStdString();
        EXPECT_NEAR(label->height(), p.rect.height(), 2) << name.toStdString();
    }
    const QRect before = controlWindow()->frequencyLabel->geometry();
    controlWindow()->frequencyLabel->setCaption(QStringLiteral(" Частота стимуляции ГМ: 12,345 Hz"));
    EXPECT_EQ(controlWindow()->frequencyLabel->pos(), before.topLeft());
    EXPECT_GT(controlWindow()->frequencyLabel->width(), before.width());
    for (TLabel* fixed : { controlWindow()->minutesLabel, controlWindow()->rhythmButton(Rhythm::Theta), controlWindow()->rhythmButton(Rhythm::Delta), controlWindow()->intensityCaption, controlWindow()->textPreview }) {
        const QRect designed = fixed->geometry();
        fixed->setCaption(QStringLiteral("a much longer caption than designed"));
        EXPECT_EQ(fixed->geometry(), designed) << fixed->objectName().toStdString();
    }
    EXPECT_EQ(controlWindow()->minutesLabel->Alignment(), TextAlignment::Center);
    EXPECT_EQ(controlWindow()->textPreview->Alignment(), TextAlignment::Center);
}

TEST_F(SettingsButtonsTest, NoControlCoversAPaintedHeading)
{
    const QRect headings[] = { QRect(QPoint(311, 38), QPoint(526, 50)), QRect(QPoint(14, 83), QPoint(132, 106)),
        QRect(QPoint(154, 84), QPoint(257, 95)), QRect(QPoint(174, 148), QPoint(266, 157)),
        QRect(QPoint(164, 188), QPoint(282, 199)), QRect(QPoint(311, 73), QPoint(384, 85)),
        QRect(QPoint(306, 209), QPoint(481, 221)), QRect(QPoint(370, 238), QPoint(461, 250)) };
    controlWindow()->chosenTextBox->click();  // shows "Обзор..."
    for (QWidget* child : controlWindow()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden() || child == controlWindow()->face || child == controlWindow()->titleStrip)
            continue;
        for (const QRect& heading : headings)
            EXPECT_FALSE(child->geometry().intersects(heading))
                << child->objectName().toStdString() << " covers the heading at " << heading.x() << "," << heading.y();
    }
}

TEST_F(SettingsButtonsTest, TabMovesThroughTheSettingsInOrderAndSkipsTheLabels)
{
    const std::vector<QWidget*> order { controlWindow()->stimulationBox, controlWindow()->manualBox, controlWindow()->autoBox, controlWindow()->sleepBox,
        controlWindow()->wakeBox, controlWindow()->powerOffBox, controlWindow()->markersBox, controlWindow()->mandalasBox, controlWindow()->randomTextBox, controlWindow()->chosenTextBox,
        controlWindow()->intensitySpin, controlWindow()->lineIntervalSpin, controlWindow()->previewColorBox, controlWindow()->runMinutesSpin };
    std::vector<QWidget*> seen;
    QWidget* w = controlWindow()->stimulationBox;
    do {
        // A spin edit takes the focus in its field.
        QWidget* control = w;
        while (control->parentWidget() && control->parentWidget() != controlWindow())
            control = control->parentWidget();
        if (std::find(order.begin(), order.end(), control) != order.end()
            && std::find(seen.begin(), seen.end(), control) == seen.end())
            seen.push_back(control);
        if (dynamic_cast<TGraphicControl*>(w)) {
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->objectName().toStdString();
        }
        w = w->nextInFocusChain();
    } while (w != controlWindow()->stimulationBox);
    EXPECT_EQ(seen, order);
}

}  // namespace
