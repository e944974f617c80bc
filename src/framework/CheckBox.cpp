#include "framework/CheckBox.h"

#include "framework/Handler.h"

namespace pvstim {

TCheckBox::TCheckBox(QWidget* parent, const QString& name, const QString& caption)
    : QCheckBox(caption, parent)
{
    setObjectName(name);
    setTristate(false);
    // The box sits at the right end, the caption on its left.
    setLayoutDirection(Qt::RightToLeft);
    connect(this, &QCheckBox::toggled, this, [this](bool) { runHandler(OnClick); });
}

void TCheckBox::setLook(const TFont& font, TColor background)
{
    QWidget::setFont(font.toQFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(background));
    p.setColor(QPalette::Button, toQColor(background));
    p.setColor(QPalette::WindowText, toQColor(font.color));
    setPalette(p);
    setAutoFillBackground(true);
}

}  // namespace pvstim
