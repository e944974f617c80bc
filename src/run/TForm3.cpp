#include "run/TForm3.h"

#include "control/TForm1.h"
#include "framework/Image.h"
#include "framework/SpinEdit.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "windows/Forms.h"

#include <QFileInfo>

namespace pvstim {

TForm3::TForm3()
    : TForm(QStringLiteral("Form3"), WindowPlacement::Managed)
{
    setBounds(0, 0, 458, 351);
    setTaskbarEntry(TaskbarEntry::Hidden);
    centerOnScreen();
    setAlphaBlendValue(25);
    setAlphaBlend(true);
    Image1 = new TImage(this, QStringLiteral("Image1"));
    Image1->Proportional = true;
    alignPicture();
}

void TForm3::alignPicture() { Image1->setGeometry(0, 0, Width(), Height()); }

void TForm3::resizeEvent(QResizeEvent* event)
{
    alignPicture();
    TForm::resizeEvent(event);
}

void TForm3::FormCreate()
{
    // The intensity's change rule sets this window's alpha when the stored value
    // differs from the one shown.
    Form1->SpinEdit1->setValue(
        Form1->settingsFile->readInteger(settings::kManual, settings::kOpacity, settings::kDefaultOpacity));
    // The window is about to cover the screen: the picture is decoded for that size.
    const QString picture = inDataDir(QStringLiteral("Mandals/3.jpg"));
    if (QFileInfo(picture).isFile())
        Image1->Picture().LoadFromFile(picture, platform().screenSize());
    DoubleBuffered = true;
    const QSize screen = platform().screenSize();
    setBounds(0, 0, screen.width(), screen.height());
    alignPicture();
}

}  // namespace pvstim
