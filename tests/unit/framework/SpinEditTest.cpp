#include "framework/SpinEdit.h"

#include "FakePlatform.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace pvstim;

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NumberFormat format;
        format.decimalSeparator = QStringLiteral(",");
        fake.setNumberFormat(format);
        Platform::install(&fake);
        spin = std::make_unique<TSpinEdit>(nullptr, QStringLiteral("SpinEdit2"), 10, 1000, 60);
        spin->OnChange = [this] { seen.push_back(spin->Value()); };
    }
    void TearDown() override
    {
        spin.reset();
        Platform::install(nullptr);
    }

    void type(const QString& keys)
    {
        for (QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(spin->editor(), &press);
        }
    }
    void key(int code)
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(spin->editor(), &press);
    }
    void loseFocus()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(spin->editor(), &out);
    }

    FakePlatform fake;
    std::unique_ptr<TSpinEdit> spin;
    std::vector<int> seen;
};

struct TextCase {
    const char* text;
    int value;
};

class SpinEditValue : public SpinEditTest, public ::testing::WithParamInterface<TextCase> { };

TEST_P(SpinEditValue, IsTheIntegerInTheFieldOrTheMinimum)
{
    spin->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(spin->Value(), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, SpinEditValue, ::testing::Values(
    TextCase { "60", 60 }, TextCase { "5000", 5000 }, TextCase { "3", 3 }, TextCase { "-7", -7 },
    TextCase { "+7", 7 }, TextCase { "007", 7 }, TextCase { "", 10 }, TextCase { "-", 10 },
    TextCase { "1,5", 10 }, TextCase { "99999999999", 10 }, TextCase { "2147483647", 2147483647 }));

struct SetCase {
    int set;
    const char* shown;
};

class SpinEditSetFromCode : public SpinEditTest, public ::testing::WithParamInterface<SetCase> { };

TEST_P(SpinEditSetFromCode, IsBroughtIntoTheBounds)
{
    spin->setValue(GetParam().set);
    EXPECT_EQ(spin->text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Table, SpinEditSetFromCode, ::testing::Values(
    SetCase { 5, "10" }, SetCase { 10, "10" }, SetCase { 500, "500" }, SetCase { 1000, "1000" },
    SetCase { 1001, "1000" }, SetCase { -2147483647 - 1, "10" }, SetCase { 2147483647, "1000" }));

TEST_F(SpinEditTest, SettingTheValueItShowsRunsNothingAnyOtherRunsOnce)
{
    spin->setValue(60);
    spin->setValue(2000);  // shows 1000
    spin->setValue(1000);
    EXPECT_EQ(seen, std::vector<int>({ 1000 }));
}

TEST_F(SpinEditTest, EveryKeystrokeThatChangesTheTextRunsTheRuleUnclamped)
{
    spin->editor()->selectAll();
    type(QStringLiteral("1"));
    type(QStringLiteral("0"));
    type(QStringLiteral("0"));
    type(QStringLiteral("0"));
    type(QStringLiteral("0"));
    EXPECT_EQ(seen, std::vector<int>({ 1, 10, 100, 1000, 10000 }));
    EXPECT_EQ(spin->text(), QStringLiteral("10000"));
}

TEST_F(SpinEditTest, TypingTakesOnlyDigitsSignsAndTheLocaleSeparator)
{
    spin->editor()->setText(QString());
    seen.clear();
    type(QStringLiteral("a.x 1+-,"));
    key(Qt::Key_Return);
    key(Qt::Key_Enter);
    EXPECT_EQ(spin->text(), QStringLiteral("1+-,"));
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(SpinEditTest, BackspaceStillEditsAndRunsTheRule)
{
    spin->editor()->end(false);
    key(Qt::Key_Backspace);
    EXPECT_EQ(spin->text(), QStringLiteral("6"));
    EXPECT_EQ(seen, std::vector<int>({ 6 }));
}

struct FocusCase {
    const char* typed;
    const char* after;
    std::vector<int> seenOnLeaving;
};

class SpinEditLosingFocus : public SpinEditTest, public ::testing::WithParamInterface<FocusCase> { };

TEST_P(SpinEditLosingFocus, BringsTheValueIntoTheBoundsAndRunsTheRuleIfTheTextChanged)
{
    spin->editor()->setText(QString::fromUtf8(GetParam().typed));
    seen.clear();
    loseFocus();
    EXPECT_EQ(spin->text(), QString::fromUtf8(GetParam().after));
    EXPECT_EQ(seen, GetParam().seenOnLeaving);
}

INSTANTIATE_TEST_SUITE_P(Table, SpinEditLosingFocus, ::testing::Values(
    FocusCase { "5000", "1000", { 1000 } }, FocusCase { "3", "10", { 10 } }, FocusCase { "", "10", { 10 } },
    FocusCase { "1,5", "10", { 10 } }, FocusCase { "250", "250", {} }, FocusCase { "0250", "250", { 250 } }));

// Only the user moving the focus to another control of the window applies the
// bounds; the window losing activation or being hidden is no choice of a value.
struct LeaveCase {
    const char* name;
    Qt::FocusReason reason;
    bool hidden;
    const char* after;
};

class SpinEditFocusLeaving : public SpinEditTest, public ::testing::WithParamInterface<LeaveCase> { };

TEST_P(SpinEditFocusLeaving, AppliesTheBoundsOnlyWhenTheFocusMovesWithinTheWindow)
{
    spin->editor()->setText(QStringLiteral("5000"));
    if (GetParam().hidden)
        spin->hide();
    QFocusEvent out(QEvent::FocusOut, GetParam().reason);
    QCoreApplication::sendEvent(spin->editor(), &out);
    EXPECT_EQ(spin->text(), QString::fromUtf8(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Table, SpinEditFocusLeaving, ::testing::Values(
    LeaveCase { "Tab", Qt::TabFocusReason, false, "1000" }, LeaveCase { "ShiftTab", Qt::BacktabFocusReason, false, "1000" },
    LeaveCase { "Click", Qt::MouseFocusReason, false, "1000" },
    LeaveCase { "WindowDeactivated", Qt::ActiveWindowFocusReason, false, "5000" },
    LeaveCase { "MenuOpened", Qt::PopupFocusReason, false, "5000" },
    LeaveCase { "FieldHidden", Qt::OtherFocusReason, true, "5000" }),
    [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* from;
    int key;
    const char* to;
};

class SpinEditArrows : public SpinEditTest, public ::testing::WithParamInterface<StepCase> { };

TEST_P(SpinEditArrows, StepByOneWithinTheBounds)
{
    spin->editor()->setText(QString::fromUtf8(GetParam().from));
    key(GetParam().key);
    EXPECT_EQ(spin->text(), QString::fromUtf8(GetParam().to));
}

INSTANTIATE_TEST_SUITE_P(Table, SpinEditArrows, ::testing::Values(
    StepCase { "60", Qt::Key_Up, "61" }, StepCase { "60", Qt::Key_Down, "59" }, StepCase { "1000", Qt::Key_Up, "1000" },
    StepCase { "10", Qt::Key_Down, "10" }, StepCase { "5000", Qt::Key_Down, "1000" }, StepCase { "", Qt::Key_Up, "11" },
    StepCase { "3", Qt::Key_Up, "10" }, StepCase { "2147483647", Qt::Key_Up, "1000" }));

TEST_F(SpinEditTest, ArrowAtTheBoundRunsNothing)
{
    spin->setValue(1000);
    seen.clear();
    spin->stepUp();
    EXPECT_TRUE(seen.empty());
}

}  // namespace
