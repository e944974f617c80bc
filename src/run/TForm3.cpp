#include "run/TForm3.h"

#include "framework/Image.h"

namespace pvstim {

TForm3::TForm3()
    : TForm(QStringLiteral("Form3"), WindowPlacement::Managed)
{
    setBounds(0, 0, 458, 351);
    centerOnScreen();
    setAlphaBlendValue(25);
    setAlphaBlend(true);
    Image1 = new TImage(this, QStringLiteral("Image1"));
    Image1->Proportional = true;
    Image1->setGeometry(rect());
}

void TForm3::FormCreate() { }

}  // namespace pvstim
