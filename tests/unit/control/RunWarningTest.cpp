// The warning before a user's first run: shown by Start until the user confirms it,
// worked from the keyboard, and leaving everything as it was when cancelled.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "control/RunWarningDialog.h"
#include "framework/Handler.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/StimulationWindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace pvstim;
using namespace pvstim::test;

enum class Act { Space, Enter, Escape, ClickContinue, ClickCancel };

struct WarningCase {
    const char* name;
    std::vector<Act> acts;
    bool started;
};

void sendKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

class RunWarningBase : public test::AppTest {
protected:
    void prepare() override { fake.userFlags[UserFlag::RunWarningConfirmed] = false; }

    // Plays the acts on the dialog as a user would; a dialog still open afterwards
    // is closed by the user (its result then is a rejection).
    void script(const std::vector<Act>& acts)
    {
        fake.dialogScript = [this, acts](QDialog& base) {
            ++dialogsShown;
            auto* dialog = dynamic_cast<RunWarningDialog*>(&base);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->show();
            EXPECT_EQ(dialog->focusWidget(), dialog->readIt) << "the focus starts on the check box";
            for (Act act : acts) {
                QWidget* focus = dialog->focusWidget();
                switch (act) {
                case Act::Space: sendKey(focus, Qt::Key_Space); break;
                case Act::Enter: sendKey(focus, Qt::Key_Return); break;
                case Act::Escape: sendKey(focus, Qt::Key_Escape); break;
                case Act::ClickContinue: dialog->continueButton->click(); break;
                case Act::ClickCancel: dialog->cancelButton->click(); break;
                }
            }
            const int result = dialog->isVisible() ? int(QDialog::Rejected) : dialog->result();
            dialog->hide();
            return result;
        };
    }

    bool clickStart() { return runHandler(controlWindow()->startButton->OnClick); }

    int dialogsShown = 0;
};

class RunWarning : public RunWarningBase, public ::testing::WithParamInterface<WarningCase> { };

TEST_P(RunWarning, StartGoesOnOnlyOnceTheWarningIsConfirmed)
{
    script(GetParam().acts);
    const int top = controlWindow()->Top();

    EXPECT_TRUE(clickStart());

    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join(u'\n').toStdString();
    EXPECT_EQ(fake.userFlag(UserFlag::RunWarningConfirmed), GetParam().started);
    EXPECT_EQ(stimulationWindow()->Visible(), GetParam().started);
    EXPECT_EQ(controlWindow()->countdownTimer->Enabled(), GetParam().started);
    EXPECT_EQ(fake.screenKeptAwake, GetParam().started);
    if (!GetParam().started) {
        // Nothing moved, as for a Start that finds no text.
        EXPECT_EQ(controlWindow()->Top(), top);
        EXPECT_FALSE(miniBar()->Visible());
        for (TTimer* timer : { stimulationWindow()->flipTimer, stimulationWindow()->lineTimer, stimulationWindow()->markerTimer, stimulationWindow()->mandalaTimer })
            EXPECT_FALSE(timer->Enabled());
        EXPECT_TRUE(controlWindow()->runMinutesSpin->isEnabled());
        EXPECT_TRUE(fake.cursorMoves.empty());
        EXPECT_TRUE(fake.randomRanges.empty()) << "no reading text drawn";
        EXPECT_TRUE(stimulationWindow()->readingText.lines().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RunWarning,
    ::testing::Values(WarningCase { "SpaceTicksEnterContinues", { Act::Space, Act::Enter }, true },
        WarningCase { "TickedThenContinueClicked", { Act::Space, Act::ClickContinue }, true },
        WarningCase { "EnterBeforeTickingDoesNothing", { Act::Enter }, false },
        WarningCase { "ContinueDisabledBeforeTicking", { Act::ClickContinue }, false },
        WarningCase { "SpaceTwiceUnticks", { Act::Space, Act::Space, Act::Enter }, false },
        WarningCase { "EscapeCancels", { Act::Escape }, false },
        WarningCase { "EscapeCancelsAfterTicking", { Act::Space, Act::Escape }, false },
        WarningCase { "CancelClicked", { Act::Space, Act::ClickCancel }, false }),
    [](const auto& info) { return std::string(info.param.name); });

class RunWarningOnce : public RunWarningBase { };

TEST_F(RunWarningOnce, IsNotShownAgainOnceConfirmed)
{
    script({ Act::Space, Act::Enter });
    ASSERT_TRUE(clickStart());
    ASSERT_TRUE(stimulationWindow()->Visible());

    // Back from the mini bar, Start again during the run.
    runHandler(miniBar()->restoreButton->OnClick);
    EXPECT_TRUE(clickStart());
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(stimulationWindow()->Visible());
}

}  // namespace
