// The control window's own chrome: the title strip that drags the window and shows
// whether it is active, the minimize and close images with their hover pictures.
#include "control/TForm1.h"

#include "control/TForm4.h"
#include "control/TitleStripSource.h"
#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "platform/Platform.h"
#include "windows/Forms.h"

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

void TForm1::wireChrome()
{
    OnActivate = [this] { FormActivate(); };
    OnDeactivate = [this] { FormDeactivate(); };
    Timer1->OnTimer = [this] { Timer1Timer(); };
    BMin->OnClick = [this] { BMinClick(); };
    BClose->OnClick = [this] { BCloseClick(); };
    BMin->OnMouseMove = [this](QPoint) { BMinMouseMove(); };
    BClose->OnMouseMove = [this](QPoint) { BCloseMouseMove(); };
    Image1->OnMouseMove = [this](QPoint) { Image1MouseMove(); };
    DragObj->OnMouseDown = [this](MouseButton, QPoint) { DragObjMouseDown(); };
    DragObj->OnMouseMove = [this](QPoint) { DragObjMouseMove(); };
    DragObj->OnMouseUp = [this](MouseButton, QPoint) { DragObjMouseUp(); };
}

void TForm1::FormActivate()
{
    if (titleSource_->exists(Title::Active))
        titleSource_->show(*DragObj, Title::Active);
}

void TForm1::FormDeactivate()
{
    if (titleSource_->exists(Title::Inactive))
        titleSource_->show(*DragObj, Title::Inactive);
}

void TForm1::Timer1Timer()
{
    // Activation events alone are not enough: the window may lose the foreground
    // to the mini bar or to another program without being told.
    if (!titleSource_->exists(Title::Active) || !titleSource_->exists(Title::Inactive))
        return;
    const bool foreground = platform().foregroundWindow() == this;
    titleSource_->show(*DragObj, foreground ? Title::Active : Title::Inactive);
}

void TForm1::BMinClick()
{
    savedTop = Top();
    setTop(kMinimizedTop);
    Form4->Show();
}

void TForm1::BCloseClick() { Close(); }

void TForm1::BMinMouseMove()
{
    BMin->Picture().LoadFromResource(kMinimizeHot);
    BClose->Picture().LoadFromResource(kCloseNormal);
}

void TForm1::BCloseMouseMove()
{
    BClose->Picture().LoadFromResource(kCloseHot);
    BMin->Picture().LoadFromResource(kMinimizeNormal);
}

void TForm1::Image1MouseMove()
{
    BMin->Picture().LoadFromResource(kMinimizeNormal);
    BClose->Picture().LoadFromResource(kCloseNormal);
}

// Dragging follows the pointer's screen position, never the event's own
// coordinates, which shift as the window moves under the pointer. The strip keeps
// the pointer from the press to the release of any button, so a drag always ends
// with the release, wherever the pointer is then.
void TForm1::DragObjMouseDown()
{
    dragging = true;
    grabOffsetX = platform().cursorPos().x() - Left();
    grabOffsetY = platform().cursorPos().y() - Top();
}

void TForm1::DragObjMouseMove()
{
    if (!dragging)
        return;
    setLeft(platform().cursorPos().x() - grabOffsetX);
    setTop(platform().cursorPos().y() - grabOffsetY);
}

void TForm1::DragObjMouseUp() { dragging = false; }

}  // namespace pvstim
