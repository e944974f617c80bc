#include "framework/CheckBox.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

using namespace pvstim;

namespace {

void clickAt(QWidget& widget, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, p, widget.mapToGlobal(p), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, widget.mapToGlobal(p), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
}

class CheckBoxTest : public ::testing::Test {
protected:
    QWidget parent;
    TCheckBox* box = new TCheckBox(&parent, QStringLiteral("Box"), QStringLiteral("Manual"));
};

struct StateStep {
    bool set;
    int clicksAfter;
};

TEST_F(CheckBoxTest, OnClickRunsOnEveryChangeAndOnlyOnChange)
{
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    const StateStep steps[] = { { false, 0 }, { true, 1 }, { true, 1 }, { false, 2 }, { false, 2 }, { true, 3 } };
    for (const StateStep& step : steps) {
        box->setChecked(step.set);
        EXPECT_EQ(clicks, step.clicksAfter) << "after setChecked(" << step.set << ")";
        EXPECT_EQ(box->isChecked(), step.set);
    }
}

TEST_F(CheckBoxTest, ACascadeRunsNestedAndToCompletionBeforeTheOuterRuleGoesOn)
{
    auto* partner = new TCheckBox(&parent, QStringLiteral("Partner"), QStringLiteral("Auto"));
    partner->setChecked(true);
    std::vector<std::string> log;
    box->OnClick = [&] {
        log.push_back("box begins");
        partner->setChecked(!box->isChecked());
        log.push_back("box ends");
    };
    partner->OnClick = [&] {
        log.push_back("partner begins");
        box->setChecked(!partner->isChecked());
        log.push_back("partner ends");
    };

    box->click();

    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(partner->isChecked());
    const std::vector<std::string> expected { "box begins", "partner begins", "partner ends", "box ends" };
    EXPECT_EQ(log, expected);
}

TEST_F(CheckBoxTest, AClickAnywhereInTheControlTogglesItButOnlyWithTheLeftButton)
{
    box->setGeometry(0, 0, 120, 21);
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    const QPoint points[] = { { 2, 10 }, { 60, 3 }, { box->boxRect().center() }, { 119, 20 } };
    bool expected = false;
    for (QPoint p : points) {
        clickAt(*box, p);
        expected = !expected;
        EXPECT_EQ(box->isChecked(), expected) << p.x() << "," << p.y();
    }
    EXPECT_EQ(clicks, 4);
    clickAt(*box, { 60, 10 }, Qt::RightButton);
    EXPECT_EQ(clicks, 4);
}

TEST_F(CheckBoxTest, NeverReachesAThirdStateByClicking)
{
    box->setCheckState(Qt::PartiallyChecked);
    for (int i = 0; i < 3; ++i) {
        box->click();
        EXPECT_NE(box->checkState(), Qt::PartiallyChecked) << "click " << i;
    }
}

// Where the caption's ink lies in a painted box: [minX, maxX] of pixels in `ink`.
std::pair<int, int> inkColumns(const QImage& image, QColor ink)
{
    int minX = image.width(), maxX = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == ink) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    }
    return { minX, maxX };
}

TEST_F(CheckBoxTest, CaptionIsDrawnFromTheLeftEdgeAndTheBoxSitsAtTheRightEnd)
{
    box->setGeometry(0, 0, 140, 21);
    box->setLook(TFont { QStringLiteral("Arial"), 10, TFont::Bold, clRed, 204 }, 0x00EBEAE7);
    const QImage image = box->grab().toImage();

    EXPECT_EQ(image.pixelColor(0, 0), QColor(0xE7, 0xEA, 0xEB)) << "opaque face colour";
    const auto [minX, maxX] = inkColumns(image, QColor(255, 0, 0));
    ASSERT_GE(maxX, 0) << "caption not drawn in its font colour";
    EXPECT_LE(minX, 3);
    EXPECT_LT(maxX, box->boxRect().left());
    EXPECT_GE(box->boxRect().right(), 140 - 3);
}

TEST_F(CheckBoxTest, DisabledCaptionIsGreyedNotInItsFontColour)
{
    box->setGeometry(0, 0, 140, 21);
    box->setLook(TFont { QStringLiteral("Arial"), 10, TFont::Bold, clRed, 204 }, 0x00EBEAE7);
    box->setEnabled(false);
    const auto [minX, maxX] = inkColumns(box->grab().toImage(), QColor(255, 0, 0));
    EXPECT_EQ(maxX, -1);
}

}  // namespace
