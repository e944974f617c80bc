#include "framework/ColorBox.h"

#include "framework/Handler.h"

namespace pvstim {

TColorBox::TColorBox(QWidget* parent, const QString& name)
    : QComboBox(parent)
{
    setObjectName(name);
    addItem(QStringLiteral("Custom..."), QVariant::fromValue<int>(clBlack));
    connect(this, &QComboBox::activated, this, [this](int) { runHandler(OnChange); });
}

TColor TColorBox::Selected() const { return currentData().toInt(); }

void TColorBox::setSelected(TColor color)
{
    int index = findData(QVariant::fromValue<int>(color));
    if (index < 0) {
        setItemData(0, QVariant::fromValue<int>(color));
        index = 0;
    }
    setCurrentIndex(index);
}

}  // namespace pvstim
