#include "framework/Picture.h"

#include "framework/Exceptions.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace pvstim {

namespace {

// Reads a picture file into an image; throws the error the user sees.
QImage loadPictureOrThrow(const QString& path, QSize, TPicture::Kind& kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QString suffix = QFileInfo(path).suffix().toLower();
    QImageReader reader(&file);
    QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(suffix == QLatin1String("bmp") ? QStringLiteral("Bitmap image is not valid")
                                                             : reader.errorString());
    kind = (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) ? TPicture::Kind::Jpeg
                                                                               : TPicture::Kind::Bitmap;
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void TPicture::LoadFromFile(const QString& path, QSize target)
{
    QImage loaded = loadPictureOrThrow(path, target, kind_);
    image_ = std::move(loaded);
    changed();
}

bool TPicture::LoadFromResource(const QString& resourcePath)
{
    QImage loaded(resourcePath);
    if (loaded.isNull())
        return false;
    kind_ = Kind::Bitmap;
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    changed();
    return true;
}

void TPicture::setBitmap(const QImage& image)
{
    kind_ = Kind::Bitmap;
    image_ = image;
    changed();
}

bool TPicture::takeAsBitmap()
{
    if (kind_ != Kind::Bitmap) {
        kind_ = Kind::Bitmap;
        if (!image_.isNull()) {
            image_ = QImage();
            changed();
        }
    }
    return !image_.isNull();
}

void TPicture::releaseBitmap()
{
    if (image_.isNull())
        return;
    image_ = QImage();
    changed();
}

void TPicture::changed()
{
    ++generation_;
    if (OnChange)
        OnChange();
}

}  // namespace pvstim
