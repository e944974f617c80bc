#include "framework/Image.h"

#include <QPaintEvent>
#include <QResizeEvent>
#include <QPainter>

namespace pvstim {

TImage::TImage(QWidget* parent, const QString& name)
    : TGraphicControl(parent)
{
    setObjectName(name);
    picture_.OnChange = [this] { pictureChanged(); };
}

void TImage::pictureChanged()
{
    if (AutoSize && !picture_.isEmpty())
        resize(picture_.image().size());
    // Only the pixels of the old picture and the new one change: a picture area
    // that fills the screen is not repainted whole for a small picture.
    const QRect drawn = pictureRect();
    update(QRegion(shownRect_) + drawn);
    shownRect_ = drawn;
}

void TImage::resizeEvent(QResizeEvent* event)
{
    // Qt repaints a resized control whole.
    shownRect_ = pictureRect();
    TGraphicControl::resizeEvent(event);
}

TImage* TImage::fromResource(QWidget* parent, const QString& name, QPoint place, const QString& resource,
    const QString& hint)
{
    auto* image = new TImage(parent, name);
    image->AutoSize = true;
    image->move(place);
    image->Picture().LoadFromResource(resource);
    image->setHint(hint);
    return image;
}

QRect TImage::pictureRect() const
{
    if (picture_.isEmpty())
        return {};
    const QSize natural = picture_.image().size();
    QSize size = natural;
    if (Stretch) {
        size = Proportional ? natural.scaled(this->size(), Qt::KeepAspectRatio) : this->size();
    } else if (Proportional && (natural.width() > width() || natural.height() > height())) {
        size = natural.scaled(this->size(), Qt::KeepAspectRatio);
    }
    QPoint origin(0, 0);
    if (Center)
        origin = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
    return QRect(origin, size);
}

const QImage& TImage::drawnImage() const
{
    const QRect target = pictureRect();
    const bool keyed = Transparent && picture_.kind() == TPicture::Kind::Bitmap;
    if (cacheGeneration_ == picture_.generation() && cacheSize_ == target.size() && cacheKeyed_ == keyed)
        return cache_;
    cacheGeneration_ = picture_.generation();
    cacheSize_ = target.size();
    cacheKeyed_ = keyed;
    if (target.isEmpty()) {
        cache_ = QImage();
        return cache_;
    }
    const QImage& source = picture_.image();
    QImage scaled = source.size() == target.size()
        ? source
        : source.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (keyed) {
        // Nearest-neighbour scaling keeps every colour exact, so the key colour can
        // be removed after scaling. Premultiplied pixels draw fastest.
        const QRgb key = source.pixel(0, source.height() - 1) & 0xFFFFFF;
        scaled = scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < scaled.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(y));
            for (int x = 0; x < scaled.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
            }
        }
    }
    cache_ = std::move(scaled);
    return cache_;
}

void TImage::paintEvent(QPaintEvent* event)
{
    const QImage& image = drawnImage();
    if (image.isNull())
        return;
    const QRect target(pictureRect().topLeft(), image.size());
    const QRect exposed = target.intersected(event->rect());
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), image, exposed.translated(-target.topLeft()));
}

}  // namespace pvstim
