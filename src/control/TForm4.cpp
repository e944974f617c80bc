#include "control/TForm4.h"

#include "framework/Image.h"

namespace pvstim {

TForm4::TForm4()
    : TForm(QStringLiteral("Form4"), WindowPlacement::Unmanaged)
{
    setStayOnTop(true);
    setBounds(0, 0, 104, 25);
    Image1 = TImage::fromResource(this, QStringLiteral("Image1"), { 0, 0 }, QStringLiteral(":/art/clock.bmp"), {});
    Image2 = TImage::fromResource(this, QStringLiteral("Image2"), { 35, 0 }, QStringLiteral(":/art/C0.bmp"), QStringLiteral("Закрыть"));
    Image3 = TImage::fromResource(this, QStringLiteral("Image3"), { 8, 0 }, QStringLiteral(":/art/minibar_restore.bmp"),
        QStringLiteral("Восстановить"));
    sizeToControls();
    wireChrome();
}

}  // namespace pvstim
