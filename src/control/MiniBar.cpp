#include "control/MiniBar.h"

#include "framework/Image.h"

namespace pvstim {

MiniBar::MiniBar(Links links)
    : TForm(QStringLiteral("minibar"), WindowPlacement::Unmanaged)
    , links_(std::move(links))
{
    setStayOnTop(true);
    setBounds(0, 0, 104, 25);
    background = TImage::fromResource(this, QStringLiteral("background"), { 0, 0 }, QStringLiteral(":/art/clock.bmp"), {});
    closeButton = TImage::fromResource(this, QStringLiteral("closeButton"), { 35, 0 }, QStringLiteral(":/art/C0.bmp"), QStringLiteral("Закрыть"));
    restoreButton = TImage::fromResource(this, QStringLiteral("restoreButton"), { 8, 0 }, QStringLiteral(":/art/minibar_restore.bmp"),
        QStringLiteral("Восстановить"));
    sizeToControls();
    wireChrome();
}

}  // namespace pvstim
