// The control window's own chrome: the title strip that drags the window and shows
// whether it is active, the minimize and close images with their hover pictures.
#include "control/ControlWindow.h"

#include "control/TitleStripSource.h"
#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "platform/Platform.h"

namespace pvstim {

namespace {

using Title = TitleStripSource::Title;

const QString kMinimizeNormal = QStringLiteral(":/art/M0.bmp");
const QString kMinimizeHot = QStringLiteral(":/art/M1.bmp");
const QString kCloseNormal = QStringLiteral(":/art/C0.bmp");
const QString kCloseHot = QStringLiteral(":/art/C1.bmp");

// The window is moved this far down to take it out of sight while minimized.
constexpr int kMinimizedTop = 200000;

}  // namespace

void ControlWindow::wireChrome()
{
    OnActivate = [this] { onActivated(); };
    OnDeactivate = [this] { onDeactivated(); };
    platform().watchForeground(this, [this] { showForegroundTitle(); });
    titleSource_->onChange = [this] { showForegroundTitle(); };
    minimizeButton->OnClick = [this] { minimizeToBar(); };
    closeButton->OnClick = [this] { closeProgram(); };
    chromePictures = std::make_unique<HoverPictures>(
        [](TImage& image, const QString& picture) { image.Picture().LoadFromResource(picture); });
    chromePictures->addButton(*minimizeButton, kMinimizeNormal, kMinimizeHot);
    chromePictures->addButton(*closeButton, kCloseNormal, kCloseHot);
    chromePictures->addRest(*face);
    titleDrag = std::make_unique<WindowDrag>(*this, *titleStrip);
}

void ControlWindow::onActivated()
{
    if (titleSource_->exists(Title::Active))
        titleSource_->show(*titleStrip, Title::Active);
}

void ControlWindow::onDeactivated()
{
    if (titleSource_->exists(Title::Inactive))
        titleSource_->show(*titleStrip, Title::Inactive);
}

void ControlWindow::showForegroundTitle()
{
    // At every change of the foreground window, not only at the window's own
    // activation: the foreground may go to the mini bar or to another program;
    // and at every change of the title files on disk.
    if (!titleSource_->exists(Title::Active) || !titleSource_->exists(Title::Inactive))
        return;
    const bool foreground = platform().foregroundWindow() == this;
    titleSource_->show(*titleStrip, foreground ? Title::Active : Title::Inactive);
}

void ControlWindow::minimizeToBar()
{
    topBeforeMinimize = Top();
    setTop(kMinimizedTop);
    links_.showMiniBar();
}

void ControlWindow::closeProgram() { Close(); }

void ControlWindow::restoreFromBar() { setTop(topBeforeMinimize); }

}  // namespace pvstim
