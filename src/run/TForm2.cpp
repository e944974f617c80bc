#include "run/TForm2.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "widgets/TGauge.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace pvstim {

namespace {

// The blank phase of the flicker over one thing the lit phase shows (the text line
// or the drawn picture): the window's background colour. It is opaque, so while it
// shows nothing beneath it is painted at all and a blank frame costs one fill.
class BlankCover : public QWidget {
public:
    explicit BlankCover(TForm& window)
        : QWidget(&window)
        , window_(window)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), toQColor(window_.Color()));
    }

private:
    TForm& window_;
};

}  // namespace

TForm2::TForm2()
    : TForm(QStringLiteral("Form2"), WindowPlacement::Managed)
    , FileListBox1(QStringLiteral("*.txt"))
{
    setBounds(280, 167, 681, 421);
    setTaskbarEntry(TaskbarEntry::Hidden);
    setWindowStateTo(WindowState::Maximized);
    setColor(0x00008400);
    Font = TFont { QStringLiteral("MS Sans Serif"), 8, 0, clWindowText, 1 };
    // The window takes no mouse or keyboard input.
    setEnabled(false);

    // The flicker clock: each phase starts as close to its due time as the system allows.
    Timer1 = new TTimer(this, 1000, false, TimerPrecision::Microsecond);
    Label1 = new TLabel(this, QStringLiteral("Label1"));
    Timer2 = new TTimer(this, 600, false);
    Gauge1 = new TGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    configureProgressStrip(*Gauge1);
    Timer3 = new TTimer(this, 15000, false);
    Image1 = new TImage(this, QStringLiteral("Image1"));
    Timer4 = new TTimer(this, 10000, false);
    textCover_ = new BlankCover(*this);
    pictureCover_ = new BlankCover(*this);

    Label1->setAutoSize(false);
    Label1->setWordWrap(true);
    Label1->setTransparent(true);
    Label1->setAlignment(TextAlignment::Center);
    Label1->setGeometry(80, 168, 521, 241);

    Image1->Stretch = true;
    Image1->Proportional = true;
    Image1->Center = true;
    Image1->Transparent = true;

    // Drawn in this order, each over the earlier ones; the flicker's blank phase
    // lies over the picture and the text line, under the strip.
    Image1->raise();
    Label1->raise();
    pictureCover_->raise();
    textCover_->raise();
    Gauge1->raise();
    Gauge1->installEventFilter(this);
    Label1->installEventFilter(this);
    layoutControls();

    Timer1->OnTimer = [this] { Timer1Timer(); };
    Timer2->OnTimer = [this] { Timer2Timer(); };
    Timer3->OnTimer = [this] { Timer3Timer(); };
    Timer4->OnTimer = [this] { Timer4Timer(); };
    wireStop();

    Image1->Picture().OnChange = [this, repaintPicture = std::move(Image1->Picture().OnChange)] {
        repaintPicture();
        pictureChanged();
    };
}

TForm2::~TForm2() = default;

void TForm2::layoutControls()
{
    // The strip runs along the top edge; the picture area takes the rest of the
    // client area, or all of it while the strip is hidden.
    const int stripHeight = 4;
    Gauge1->setGeometry(0, 0, width(), stripHeight);
    const int top = Gauge1->isHidden() ? 0 : stripHeight;
    Image1->setGeometry(0, top, width(), std::max(0, height() - top));
    placeCovers();
}

void TForm2::placeCovers()
{
    // Outside the text line and the drawn picture both phases show the background
    // alone, so a flip repaints only these two rectangles.
    textCover_->setGeometry(Label1->geometry());
    pictureCover_->setGeometry(Image1->pictureRect().translated(Image1->pos()) & Image1->geometry());
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    layoutControls();
    TForm::resizeEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Gauge1 && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        layoutControls();
    if (watched == Label1 && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeCovers();
    return TForm::eventFilter(watched, event);
}

}  // namespace pvstim
