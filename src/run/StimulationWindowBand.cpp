// The phase band: the flicker's two phases of the window where they differ,
// prepared whenever what the window shows there changes, so that a flip copies one
// of them to the screen and paints nothing.
#include "run/StimulationWindow.h"

#include "platform/Platform.h"

#include <QImage>
#include <QPaintEvent>
#include <QTimer>

namespace pvstim {

bool StimulationWindow::showPhaseOnBand(bool lit)
{
    if (!bandAsked_) {
        bandAsked_ = true;
        band_ = platform().createPhaseBand(*this);
    }
    if (!band_)
        return false;
    if (bandStale_)
        prepareBand();
    if (band_ && band_->show(lit ? PhaseBand::Picture::Lit : PhaseBand::Picture::Blank))
        return true;
    band_.reset();
    return false;
}

void StimulationWindow::paintEvent(QPaintEvent* event)
{
    painted(event->region());
    TForm::paintEvent(event);
}

void StimulationWindow::painted(const QRegion& region)
{
    if (preparing_ || !band_ || !region.intersects(phaseBand()))
        return;
    bandStale_ = true;
    // Prepared again once this repaint is over, rather than at the next flip.
    if (preparePosted_)
        return;
    preparePosted_ = true;
    QTimer::singleShot(0, this, [this] {
        preparePosted_ = false;
        if (band_ && bandStale_ && isVisible())
            prepareBand();
    });
}

void StimulationWindow::prepareBand()
{
    bandStale_ = false;
    const QRegion band = phaseBand();
    const QRect bounds = band.boundingRect();
    // Each phase as a repaint of the window paints it.
    QImage pictures[2];
    preparing_ = true;
    const bool blankCovers = coversBlank_;
    for (const bool blank : { false, true }) {
        coversBlank_ = blank;
        QImage& picture = pictures[blank];
        picture = QImage(bounds.size(), QImage::Format_RGB32);
        if (!bounds.isEmpty())
            render(&picture, QPoint(), QRegion(bounds), DrawWindowBackground | DrawChildren);
    }
    coversBlank_ = blankCovers;
    preparing_ = false;
    if (!band_->setPictures(band, pictures[0], pictures[1]))
        band_.reset();
}

}  // namespace pvstim
