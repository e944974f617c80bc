#include "run/OverlayWindow.h"

#include "framework/Image.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QFileInfo>

namespace pvstim {

OverlayWindow::OverlayWindow(std::function<void()> restoreIntensity)
    : TForm(QStringLiteral("overlay"), WindowPlacement::Managed)
    , restoreIntensity_(std::move(restoreIntensity))
{
    setBounds(0, 0, 458, 351);
    setTaskbarEntry(TaskbarEntry::Hidden);
    centerOnScreen();
    setAlphaBlendValue(25);
    setAlphaBlend(true);
    mandalaImage = new TImage(this, QStringLiteral("mandalaImage"));
    mandalaImage->Proportional = true;
    alignPicture();
}

void OverlayWindow::alignPicture() { mandalaImage->setGeometry(0, 0, Width(), Height()); }

void OverlayWindow::resizeEvent(QResizeEvent* event)
{
    alignPicture();
    TForm::resizeEvent(event);
}

void OverlayWindow::FormCreate()
{
    // The intensity's change rule sets this window's alpha when the stored value
    // differs from the one shown.
    restoreIntensity_();
    // The window is about to cover the screen: the picture is decoded for that size.
    const QString picture = inDataDir(QStringLiteral("Mandals/3.jpg"));
    if (QFileInfo(picture).isFile())
        mandalaImage->Picture().LoadFromFile(picture, platform().screenSize());
    DoubleBuffered = true;
    const QSize screen = platform().screenSize();
    setBounds(0, 0, screen.width(), screen.height());
    alignPicture();
}

}  // namespace pvstim
