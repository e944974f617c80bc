#include "framework/FontDialog.h"

#include "FakePlatform.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using namespace pvstim;

namespace {

const TFont kStart { QStringLiteral("Times New Roman"), 36, TFont::Bold, 0x00808080, 204 };
const TFont kApplied { QStringLiteral("Arial"), 20, TFont::Italic | TFont::Underline, clRed, 204 };
const TFont kChosen { QStringLiteral("Courier New"), 12, TFont::Bold | TFont::Italic | TFont::StrikeOut, clNavy, 204 };

class FontDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::install(&fake);
        dialog.Font = kStart;
        dialog.OnApply = [this] { applied.push_back(dialog.Font); };
        dialog.OnClose = [this] { closedWith.push_back(dialog.Font); };
    }
    void TearDown() override { Platform::install(nullptr); }

    // Scripts the user: runs `act` on the open dialog, then closes it with `result`.
    void script(std::function<void(TFontChooserDialog&)> act, int result)
    {
        fake.dialogScript = [act, result](QDialog& d) {
            auto& chooser = dynamic_cast<TFontChooserDialog&>(d);
            act(chooser);
            return result;
        };
    }

    FakePlatform fake;
    TFontDialog dialog { nullptr };
    std::vector<TFont> applied;
    std::vector<TFont> closedWith;
};

TEST_F(FontDialogTest, OpensOnItsFontAndReadsItBackUnchanged)
{
    const TFont odd { QStringLiteral("No Such Face"), 1638, TFont::Bold | TFont::Underline, clWindowText, 204 };
    for (const TFont& font : { kStart, kApplied, kChosen, odd }) {
        TFontChooserDialog chooser(font, nullptr);
        EXPECT_EQ(chooser.currentFont(), font) << font.name.toStdString();
    }
}

TEST_F(FontDialogTest, AcceptingMakesTheChoiceTheFont)
{
    script([](TFontChooserDialog& d) { d.setCurrentFont(kChosen); }, QDialog::Accepted);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Font, kChosen);
    EXPECT_TRUE(applied.empty());
    ASSERT_EQ(closedWith.size(), 1u);
    EXPECT_EQ(closedWith[0], kChosen);
}

TEST_F(FontDialogTest, CancelWithoutApplyKeepsTheFontFromBefore)
{
    script([](TFontChooserDialog& d) { d.setCurrentFont(kChosen); }, QDialog::Rejected);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font, kStart);
    ASSERT_EQ(closedWith.size(), 1u);
    EXPECT_EQ(closedWith[0], kStart);
}

TEST_F(FontDialogTest, ApplyRunsWithTheChoiceAtOnceAndSurvivesACancel)
{
    script(
        [](TFontChooserDialog& d) {
            d.setCurrentFont(kApplied);
            d.pressApply();
            d.setCurrentFont(kChosen);
        },
        QDialog::Rejected);
    dialog.Execute();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], kApplied);
    EXPECT_EQ(dialog.Font, kApplied);
    EXPECT_EQ(closedWith, std::vector<TFont>({ kApplied }));
}

TEST_F(FontDialogTest, TheApplyButtonAppliesAndLeavesTheDialogOpen)
{
    bool finished = false;
    script(
        [&](TFontChooserDialog& d) {
            QObject::connect(&d, &QDialog::finished, [&] { finished = true; });
            d.setCurrentFont(kApplied);
            QPushButton* apply = nullptr;
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text().remove(QLatin1Char('&')) == QStringLiteral("Применить"))
                    apply = b;
            ASSERT_NE(apply, nullptr);
            apply->click();
        },
        QDialog::Rejected);
    dialog.Execute();
    EXPECT_FALSE(finished);
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_EQ(dialog.Font, kApplied);
}

}  // namespace
