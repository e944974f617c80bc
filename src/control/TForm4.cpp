#include "control/TForm4.h"

#include "framework/Image.h"

namespace pvstim {

TForm4::TForm4()
    : TForm(QStringLiteral("Form4"), WindowPlacement::Unmanaged)
{
    setStayOnTop(true);
    setBounds(0, 0, 104, 25);
    auto picture = [this](const QString& name, QPoint place, const QString& resource, const QString& hint) {
        auto* image = new TImage(this, name);
        image->AutoSize = true;
        image->move(place);
        image->Picture().LoadFromResource(resource);
        image->setHint(hint);
        return image;
    };
    Image1 = picture(QStringLiteral("Image1"), { 0, 0 }, QStringLiteral(":/art/clock.bmp"), {});
    Image2 = picture(QStringLiteral("Image2"), { 35, 0 }, QStringLiteral(":/art/C0.bmp"), QStringLiteral("Закрыть"));
    Image3 = picture(QStringLiteral("Image3"), { 8, 0 }, QStringLiteral(":/art/minibar_restore.bmp"),
        QStringLiteral("Восстановить"));
    sizeToControls();
    wireChrome();
}

}  // namespace pvstim
