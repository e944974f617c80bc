// The control window's own chrome: the title strip that drags the window and shows
// whether it is active, the minimize and close images with their hover pictures.
#include "control/TForm1.h"

#include "app/Forms.h"
#include "control/TForm4.h"
#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QDateTime>
#include <QFileInfo>

namespace pvstim {

namespace {

const QString kActiveTitleFile = QStringLiteral("fone\\title1.bmp");
const QString kInactiveTitleFile = QStringLiteral("fone\\title0.bmp");
const QString kMinimizeNormal = QStringLiteral(":/art/M0.bmp");
const QString kMinimizeHot = QStringLiteral(":/art/M1.bmp");
const QString kCloseNormal = QStringLiteral(":/art/C0.bmp");
const QString kCloseHot = QStringLiteral(":/art/C1.bmp");

// The window is moved this far down to take it out of sight while minimized.
constexpr int kMinimizedTop = 200000;

// Which title file the strip shows, so that the 20 ms poll reads a file only when
// another file is wanted or the wanted one changed on disk. It lives as a child of
// the control window and so goes with it.
class TitleStripSource : public QObject {
public:
    explicit TitleStripSource(QObject* owner)
        : QObject(owner)
    {
        setObjectName(QStringLiteral("TitleStripSource"));
    }

    // Loads the file into the strip unless the strip already shows this very file.
    // A file that cannot be read leaves the strip as it is, without a message: the
    // poll would otherwise raise an error box every 20 ms.
    void show(TImage& strip, const QString& path)
    {
        const QFileInfo info(path);
        const qint64 size = info.size();
        const QDateTime modified = info.lastModified();
        if (path == path_ && size == size_ && modified == modified_ && strip.Picture().generation() == generation_)
            return;
        try {
            strip.Picture().LoadFromFile(path);
        } catch (const Exception&) {
            return;
        }
        path_ = path;
        size_ = size;
        modified_ = modified;
        generation_ = strip.Picture().generation();
    }

private:
    QString path_;
    qint64 size_ = -1;
    QDateTime modified_;
    quint64 generation_ = 0;
};

TitleStripSource& titleSource(TForm1& form)
{
    auto* source = form.findChild<TitleStripSource*>(QStringLiteral("TitleStripSource"), Qt::FindDirectChildrenOnly);
    if (!source)
        source = new TitleStripSource(&form);
    return *source;
}

}  // namespace

void TForm1::wireChrome()
{
    new TitleStripSource(this);
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
    const QString active = inDataDir(kActiveTitleFile);
    if (QFileInfo::exists(active))
        titleSource(*this).show(*DragObj, active);
}

void TForm1::FormDeactivate()
{
    const QString inactive = inDataDir(kInactiveTitleFile);
    if (QFileInfo::exists(inactive))
        titleSource(*this).show(*DragObj, inactive);
}

void TForm1::Timer1Timer()
{
    // Activation events alone are not enough: the window may lose the foreground
    // to the mini bar or to another program without being told.
    const QString active = inDataDir(kActiveTitleFile);
    const QString inactive = inDataDir(kInactiveTitleFile);
    if (!QFileInfo::exists(active) || !QFileInfo::exists(inactive))
        return;
    const bool foreground = platform().foregroundWindow() == this;
    titleSource(*this).show(*DragObj, foreground ? active : inactive);
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
