// The mini bar's behaviour: its place in the screen's bottom-left corner, the hover
// pictures of its close and restore images, and what those two images do.
#include "control/TForm4.h"

#include "control/TForm1.h"
#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "windows/Forms.h"

namespace pvstim {

namespace {

const QString kCloseNormal = QStringLiteral("fone\\close0.bmp");
const QString kCloseHot = QStringLiteral("fone\\close1.bmp");
const QString kRestoreNormal = QStringLiteral("fone\\max0.bmp");
const QString kRestoreHot = QStringLiteral("fone\\max1.bmp");

// A hover picture that cannot be read is skipped and the image keeps what it
// shows: an error box here would come back on every pointer move over the bar and
// leave no way to reach its images. The picture is decoded off the interface
// thread the first time, and shown from the picture cache after that.
void showHoverPicture(TImage& image, const QString& file)
{
    try {
        image.Picture().LoadFromFileInBackground(inDataDir(file), {}, TPicture::Refusal::Ignore);
    } catch (const Exception&) {
    }
}

}  // namespace

void TForm4::FormCreate()
{
    DoubleBuffered = true;
    // Placed once, flush with the bottom of the whole screen rather than of the
    // work area, so it sits over any panel there.
    setLeft(0);
    setTop(platform().screenSize().height() - Height());
}

void TForm4::wireChrome()
{
    Image1->OnMouseMove = [this](QPoint) { Image1MouseMove(); };
    Image2->OnMouseMove = [this](QPoint) { Image2MouseMove(); };
    Image3->OnMouseMove = [this](QPoint) { Image3MouseMove(); };
    Image2->OnClick = [this] { Image2Click(); };
    Image3->OnClick = [this] { Image3Click(); };
}

void TForm4::Image1MouseMove()
{
    showHoverPicture(*Image2, kCloseNormal);
    showHoverPicture(*Image3, kRestoreNormal);
}

void TForm4::Image2MouseMove()
{
    showHoverPicture(*Image2, kCloseHot);
    showHoverPicture(*Image3, kRestoreNormal);
}

void TForm4::Image3MouseMove()
{
    showHoverPicture(*Image2, kCloseNormal);
    showHoverPicture(*Image3, kRestoreHot);
}

void TForm4::Image2Click() { Form1->BCloseClick(); }

void TForm4::Image3Click()
{
    Form1->setTop(Form1->savedTop);
    Hide();
}

}  // namespace pvstim
