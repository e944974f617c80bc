// The mini bar's behaviour: its place in the screen's bottom-left corner, the hover
// pictures of its close and restore images, and what those two images do.
#include "control/MiniBar.h"

#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

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

void MiniBar::FormCreate()
{
    DoubleBuffered = true;
    // Placed once, flush with the bottom of the whole screen rather than of the
    // work area, so it sits over any panel there.
    setLeft(0);
    setTop(platform().screenSize().height() - Height());
}

void MiniBar::wireChrome()
{
    pictures_ = std::make_unique<HoverPictures>(showHoverPicture);
    pictures_->addButton(*closeButton, kCloseNormal, kCloseHot);
    pictures_->addButton(*restoreButton, kRestoreNormal, kRestoreHot);
    pictures_->addRest(*background);
    closeButton->OnClick = [this] { onCloseClicked(); };
    restoreButton->OnClick = [this] { restoreControlWindow(); };
}

void MiniBar::onCloseClicked() { links_.closeProgram(); }

void MiniBar::restoreControlWindow()
{
    links_.restoreControlWindow();
    Hide();
}

}  // namespace pvstim
