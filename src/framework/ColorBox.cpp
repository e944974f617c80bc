#include "framework/ColorBox.h"

#include "framework/Handler.h"
#include "platform/Platform.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace pvstim {

namespace {

constexpr std::array<NamedColor, 46> kColors { {
    { "Black", clBlack },
    { "Maroon", clMaroon },
    { "Green", clGreen },
    { "Olive", clOlive },
    { "Navy", clNavy },
    { "Purple", clPurple },
    { "Teal", clTeal },
    { "Gray", clGray },
    { "Silver", clSilver },
    { "Red", clRed },
    { "Lime", clLime },
    { "Yellow", clYellow },
    { "Blue", clBlue },
    { "Fuchsia", clFuchsia },
    { "Aqua", clAqua },
    { "White", clWhite },
    { "Active Border", clActiveBorder },
    { "Active Caption", clActiveCaption },
    { "Application Workspace", clAppWorkSpace },
    { "Background", clBackground },
    { "Button Face", clBtnFace },
    { "Button Highlight", clBtnHighlight },
    { "Button Shadow", clBtnShadow },
    { "Button Text", clBtnText },
    { "Caption Text", clCaptionText },
    { "Gradient Active Caption", clGradientActiveCaption },
    { "Gradient Inactive Caption", clGradientInactiveCaption },
    { "Gray Text", clGrayText },
    { "Highlight Background", clHighlight },
    { "Highlight Text", clHighlightText },
    { "Hot Light", clHotLight },
    { "Inactive Border", clInactiveBorder },
    { "Inactive Caption", clInactiveCaption },
    { "Inactive Caption Text", clInactiveCaptionText },
    { "Info Background", clInfoBk },
    { "Info Text", clInfoText },
    { "Menu Background", clMenu },
    { "Menu Bar", clMenuBar },
    { "Menu Highlight", clMenuHighlight },
    { "Menu Text", clMenuText },
    { "Scroll Bar", clScrollBar },
    { "3D Dark Shadow", cl3DDkShadow },
    { "3D Light", cl3DLight },
    { "Window Background", clWindow },
    { "Window Frame", clWindowFrame },
    { "Window Text", clWindowText },
} };

const QSize kSwatchSize(16, 12);

}  // namespace

std::span<const NamedColor> colorBoxColors() { return kColors; }

QIcon colorSwatch(TColor color, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(toQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

TColorBox::TColorBox(QWidget* parent, const QString& name)
    : QComboBox(parent)
{
    setObjectName(name);
    setIconSize(kSwatchSize);
    setMaxVisibleItems(16);
    addItem(QStringLiteral("Custom..."), QVariant::fromValue<int>(clBlack));
    for (const NamedColor& entry : kColors)
        addItem(QString::fromLatin1(entry.name), QVariant::fromValue<int>(entry.color));
    refreshSwatches();
    setCurrentIndex(kCustomIndex);
    lastIndex_ = kCustomIndex;
    connect(this, &QComboBox::activated, this, [this](int index) { entryPicked(index); });
}

TColor TColorBox::Selected() const { return currentData().toInt(); }

TColor TColorBox::customColor() const { return itemData(kCustomIndex).toInt(); }

void TColorBox::setSelected(TColor color)
{
    // The named entries come first, so black selects "Black", not "Custom...".
    int index = -1;
    for (int i = kCustomIndex + 1; i < count() && index < 0; ++i) {
        if (itemData(i).toInt() == color)
            index = i;
    }
    if (index < 0) {
        setCustomColor(color);
        index = kCustomIndex;
    }
    setCurrentIndex(index);
    lastIndex_ = index;
}

void TColorBox::setCustomColor(TColor color)
{
    setItemData(kCustomIndex, QVariant::fromValue<int>(color));
    setItemIcon(kCustomIndex, colorSwatch(color, kSwatchSize));
}

void TColorBox::entryPicked(int index)
{
    // Stepping passes over "Custom..." with the colour it holds: a dialog in the
    // middle of stepping would stop the user at an entry they only passed.
    if (index == kCustomIndex && !stepping_) {
        QColorDialog dialog(toQColor(customColor()), this);
        if (platform().execDialog(dialog) != QDialog::Accepted) {
            setCurrentIndex(lastIndex_);
            return;
        }
        setCustomColor(fromQColor(dialog.currentColor()));
        setCurrentIndex(kCustomIndex);
    }
    lastIndex_ = index;
    runHandler(OnChange);
}

void TColorBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!view()->isVisible() && typed.size() == 1 && typed[0].isLetter()) {
        showPopup();
        // The open list jumps to the first entry that starts with the letter.
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), typed);
        QCoreApplication::sendEvent(view(), &copy);
        return;
    }
    stepping_ = !view()->isVisible();
    QComboBox::keyPressEvent(event);
    stepping_ = false;
}

void TColorBox::wheelEvent(QWheelEvent* event)
{
    stepping_ = true;
    QComboBox::wheelEvent(event);
    stepping_ = false;
}

void TColorBox::changeEvent(QEvent* event)
{
    // System colours follow the desktop's palette.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        refreshSwatches();
    QComboBox::changeEvent(event);
}

void TColorBox::refreshSwatches()
{
    for (int i = 0; i < count(); ++i)
        setItemIcon(i, colorSwatch(itemData(i).toInt(), kSwatchSize));
}

}  // namespace pvstim
