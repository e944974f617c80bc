#include "framework/ColorBox.h"

#include "FakePlatform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace pvstim;

namespace {

class ColorBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::install(&fake);
        box = std::make_unique<TColorBox>(nullptr, QStringLiteral("ColorBox1"));
        box->OnChange = [this] { ++changes; };
    }
    void TearDown() override
    {
        box.reset();
        Platform::install(nullptr);
    }

    void pressKey(int code, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QCoreApplication::sendEvent(box.get(), &press);
    }
    // Picks an entry as the user does, which runs what a pick runs.
    void pick(int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    FakePlatform fake;
    std::unique_ptr<TColorBox> box;
    int changes = 0;
};

TEST_F(ColorBoxTest, HoldsCustomThenSixteenStandardThenThirtySystemColours)
{
    ASSERT_EQ(box->count(), 47);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Custom..."));
    struct Entry {
        int index;
        const char* name;
        TColor color;
    };
    const Entry spots[] = { { 1, "Black", 0x00000000 }, { 4, "Olive", 0x00008080 }, { 13, "Blue", 0x00FF0000 },
        { 16, "White", 0x00FFFFFF }, { 17, "Active Border", TColor(0xFF00000A) },
        { 21, "Button Face", TColor(0xFF00000F) }, { 41, "Scroll Bar", TColor(0xFF000000) },
        { 42, "3D Dark Shadow", TColor(0xFF000015) }, { 46, "Window Text", TColor(0xFF000008) } };
    for (const Entry& e : spots) {
        EXPECT_EQ(box->itemText(e.index), QString::fromLatin1(e.name)) << e.index;
        EXPECT_EQ(box->itemData(e.index).toInt(), e.color) << e.name;
    }
    // Every named entry holds its own colour; the system ones are 0xFF0000nn with
    // the indices the desktop defines (25 is not one of them).
    std::set<TColor> colors;
    std::set<int> systemIndices;
    for (int i = 1; i < box->count(); ++i) {
        const TColor c = box->itemData(i).toInt();
        colors.insert(c);
        if (i > kStandardColorCount) {
            ASSERT_TRUE(isSystemColor(c)) << i;
            systemIndices.insert(c & 0xFF);
        }
    }
    EXPECT_EQ(colors.size(), 46u);
    EXPECT_EQ(systemIndices.size(), 30u);
    EXPECT_EQ(*systemIndices.rbegin(), 30);
    EXPECT_EQ(systemIndices.count(25), 0u);
}

struct SelectCase {
    TColor color;
    int index;
};

class ColorBoxSelect : public ColorBoxTest, public ::testing::WithParamInterface<SelectCase> { };

TEST_P(ColorBoxSelect, FromCodeFindsTheNamedEntryOrBecomesTheCustomColourAndRunsNothing)
{
    box->setSelected(GetParam().color);
    EXPECT_EQ(box->currentIndex(), GetParam().index);
    EXPECT_EQ(box->Selected(), GetParam().color);
    EXPECT_EQ(changes, 0);
    if (GetParam().index == TColorBox::kCustomIndex)
        EXPECT_EQ(box->customColor(), GetParam().color);
    else
        EXPECT_EQ(box->customColor(), clBlack);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorBoxSelect, ::testing::Values(
    SelectCase { clBlack, 1 }, SelectCase { clWhite, 16 }, SelectCase { clBtnFace, 21 },
    SelectCase { clWindowText, 46 }, SelectCase { 0x00DEF2F5, 0 }, SelectCase { TColor(0xFF000019), 0 }));

TEST_F(ColorBoxTest, SystemColourKeepsItsValueAndIsDrawnFromTheDesktopPalette)
{
    box->setSelected(clBtnFace);
    EXPECT_EQ(box->Selected(), -16777201);
    const QImage swatch = box->itemIcon(21).pixmap(QSize(16, 12)).toImage();
    EXPECT_EQ(swatch.pixelColor(8, 6).rgb(), QApplication::palette().color(QPalette::Button).rgb());
    const QImage olive = box->itemIcon(4).pixmap(QSize(16, 12)).toImage();
    EXPECT_EQ(olive.pixelColor(8, 6), QColor(0x80, 0x80, 0x00));
    EXPECT_EQ(olive.pixelColor(0, 0), QColor(Qt::black)) << "swatch frame";
}

TEST_F(ColorBoxTest, PickingANamedEntryRunsTheRule)
{
    box->setSelected(clBlack);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(box->Selected(), clMaroon);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(fake.dialogScript == nullptr);
}

TEST_F(ColorBoxTest, CustomOpensTheColourDialogOnTheEntrysColourAndAcceptingSelectsTheChoice)
{
    box->setSelected(0x00123456);
    box->setSelected(clGreen);
    QColor openedOn;
    fake.dialogScript = [&](QDialog& dialog) {
        auto& colors = dynamic_cast<QColorDialog&>(dialog);
        openedOn = colors.currentColor();
        colors.setCurrentColor(QColor(10, 20, 30));
        return int(QDialog::Accepted);
    };
    pick(TColorBox::kCustomIndex);
    EXPECT_EQ(openedOn, QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(box->Selected(), rgbColor(10, 20, 30));
    EXPECT_EQ(box->currentIndex(), TColorBox::kCustomIndex);
    EXPECT_EQ(box->customColor(), rgbColor(10, 20, 30));
    EXPECT_EQ(changes, 1);
}

TEST_F(ColorBoxTest, CancellingTheColourDialogChangesNothing)
{
    box->setSelected(0x00123456);
    box->setSelected(clGreen);
    fake.dialogScript = [&](QDialog& dialog) {
        dynamic_cast<QColorDialog&>(dialog).setCurrentColor(QColor(10, 20, 30));
        return int(QDialog::Rejected);
    };
    pick(TColorBox::kCustomIndex);
    EXPECT_EQ(box->Selected(), clGreen);
    EXPECT_EQ(box->currentIndex(), 3);
    EXPECT_EQ(box->customColor(), 0x00123456);
    EXPECT_EQ(changes, 0);
}

// Stepping through the closed list passes over "Custom..." like any other entry;
// only a pick from the open list asks for a colour.
enum class Reach { ArrowUp, HomeKey, WheelUp, EnterInOpenList };

struct ReachCase {
    const char* name;
    Reach how;
    bool opensDialog;
};

class ColorBoxReachingCustom : public ColorBoxTest, public ::testing::WithParamInterface<ReachCase> { };

TEST_P(ColorBoxReachingCustom, OpensTheColourDialogOnlyWhenPickedFromTheOpenList)
{
    box->setSelected(0x00123456);
    box->setSelected(clBlack);
    int dialogs = 0;
    fake.dialogScript = [&](QDialog&) {
        ++dialogs;
        return int(QDialog::Rejected);
    };
    box->show();
    switch (GetParam().how) {
    case Reach::ArrowUp: pressKey(Qt::Key_Up); break;
    case Reach::HomeKey: pressKey(Qt::Key_Home); break;
    case Reach::WheelUp: {
        QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box.get(), &wheel);
        break;
    }
    case Reach::EnterInOpenList: {
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(TColorBox::kCustomIndex, 0));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(box->view(), &enter);
        break;
    }
    }
    box->hide();
    EXPECT_EQ(dialogs, GetParam().opensDialog ? 1 : 0);
    if (GetParam().opensDialog) {
        // Cancelled: the selection stays where it was.
        EXPECT_EQ(box->Selected(), clBlack);
        EXPECT_EQ(changes, 0);
    } else {
        EXPECT_EQ(box->currentIndex(), TColorBox::kCustomIndex);
        EXPECT_EQ(box->Selected(), 0x00123456);
        EXPECT_EQ(changes, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ColorBoxReachingCustom, ::testing::Values(
    ReachCase { "ArrowUp", Reach::ArrowUp, false }, ReachCase { "HomeKey", Reach::HomeKey, false },
    ReachCase { "WheelUp", Reach::WheelUp, false }, ReachCase { "EnterInOpenList", Reach::EnterInOpenList, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColorBoxTest, TypingALetterOpensTheList)
{
    box->show();
    ASSERT_FALSE(box->view()->isVisible());
    pressKey(Qt::Key_R, QStringLiteral("r"));
    EXPECT_TRUE(box->view()->isVisible());
    box->hidePopup();
    box->hide();
}

}  // namespace
