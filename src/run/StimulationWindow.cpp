#include "run/StimulationWindow.h"

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
// or the drawn picture): the window's background colour while `blank` is set,
// nothing otherwise. It is always shown: a flip turns the flag without scheduling
// a repaint, and whatever paints the window next paints the phase on show.
class BlankCover : public QWidget {
public:
    BlankCover(TForm& window, const bool& blank)
        : QWidget(&window)
        , window_(window)
        , blank_(blank)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!blank_)
            return;
        QPainter painter(this);
        painter.fillRect(event->rect(), toQColor(window_.Color()));
    }

private:
    TForm& window_;
    const bool& blank_;
};

}  // namespace

StimulationWindow::StimulationWindow(Links links)
    : TForm(QStringLiteral("stimulation"), WindowPlacement::Managed)
    , textFiles(QStringLiteral("*.txt"))
    , links_(std::move(links))
{
    flicker.frequencyShown = [this](const QString& text) { links_.showFrequency(text); };
    setBounds(280, 167, 681, 421);
    setTaskbarEntry(TaskbarEntry::Hidden);
    setWindowStateTo(WindowState::Maximized);
    setColor(0x00008400);
    Font = TFont { QStringLiteral("MS Sans Serif"), 8, 0, clWindowText, 1 };
    // The window takes no mouse or keyboard input.
    setEnabled(false);

    // The flicker clock: each phase starts as close to its due time as the system allows.
    flipTimer = new TTimer(this, 1000, false, TimerPrecision::Microsecond);
    textLine = new TLabel(this, QStringLiteral("textLine"));
    lineTimer = new TTimer(this, 600, false);
    progressStrip = new TGauge(this);
    progressStrip->setObjectName(QStringLiteral("progressStrip"));
    configureProgressStrip(*progressStrip);
    markerTimer = new TTimer(this, 15000, false);
    pictureArea = new TImage(this, QStringLiteral("pictureArea"));
    mandalaTimer = new TTimer(this, 10000, false);
    textCover_ = new BlankCover(*this, coversBlank_);
    pictureCover_ = new BlankCover(*this, coversBlank_);

    textLine->setAutoSize(false);
    textLine->setWordWrap(true);
    textLine->setTransparent(true);
    textLine->setAlignment(TextAlignment::Center);
    textLine->setGeometry(80, 168, 521, 241);

    pictureArea->Stretch = true;
    pictureArea->Proportional = true;
    pictureArea->Center = true;
    pictureArea->Transparent = true;

    // Drawn in this order, each over the earlier ones; the flicker's blank phase
    // lies over the picture and the text line, under the strip.
    pictureArea->raise();
    textLine->raise();
    pictureCover_->raise();
    textCover_->raise();
    progressStrip->raise();
    progressStrip->installEventFilter(this);
    textLine->installEventFilter(this);
    pictureArea->installEventFilter(this);
    layoutControls();

    flipTimer->OnTimer = [this] { onFlipDue(); };
    lineTimer->OnTimer = [this] { onLineDue(); };
    markerTimer->OnTimer = [this] { onMarkerDue(); };
    mandalaTimer->OnTimer = [this] { onMandalaDue(); };
    wireStop();

    pictureArea->Picture().OnChange = [this, repaintPicture = std::move(pictureArea->Picture().OnChange)] {
        repaintPicture();
        pictureChanged();
    };
}

StimulationWindow::~StimulationWindow() = default;

void StimulationWindow::layoutControls()
{
    // The strip runs along the top edge; the picture area takes the rest of the
    // client area, or all of it while the strip is hidden.
    const int stripHeight = 4;
    progressStrip->setGeometry(0, 0, width(), stripHeight);
    const int top = progressStrip->isHidden() ? 0 : stripHeight;
    pictureArea->setGeometry(0, top, width(), std::max(0, height() - top));
    placeCovers();
}

void StimulationWindow::placeCovers()
{
    // Outside the text line and the drawn picture both phases show the background
    // alone, so a flip repaints only these two rectangles.
    textCover_->setGeometry(textLine->geometry());
    pictureCover_->setGeometry(pictureArea->pictureRect().translated(pictureArea->pos()) & pictureArea->geometry());
    bandStale_ = true;
}

QRegion StimulationWindow::phaseBand() const
{
    return QRegion(textCover_->geometry()) + pictureCover_->geometry();
}

void StimulationWindow::resizeEvent(QResizeEvent* event)
{
    layoutControls();
    TForm::resizeEvent(event);
}

bool StimulationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == progressStrip && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        layoutControls();
    if (watched == textLine && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeCovers();
    if (event->type() == QEvent::Paint)
        painted(static_cast<QPaintEvent*>(event)->region().translated(static_cast<QWidget*>(watched)->pos()));
    return TForm::eventFilter(watched, event);
}

}  // namespace pvstim
