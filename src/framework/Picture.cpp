#include "framework/Picture.h"

#include "framework/Exceptions.h"
#include "gfx/PictureLoader.h"

namespace pvstim {

void TPicture::LoadFromFile(const QString& path, QSize target)
{
    const std::optional<gfx::PictureFormat> format = gfx::formatFromExtension(path);
    gfx::PictureLoadResult loaded = gfx::loadPicture(path, target);
    if (!loaded.ok()) {
        if (loaded.isOpenFailure())
            throw EFOpenError(loaded.error());
        throw EInvalidGraphic(loaded.error());
    }
    kind_ = format == gfx::PictureFormat::Jpeg ? Kind::Jpeg : Kind::Bitmap;
    // Pictures are drawn opaque: a bitmap's alpha channel, often left at zero by
    // the programs that write them, would otherwise hide the whole picture.
    image_ = std::move(loaded).value().convertToFormat(QImage::Format_RGB32);
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
        // A picture of another kind gives way to a new, empty bitmap.
        const bool hadImage = !image_.isNull();
        kind_ = Kind::Bitmap;
        image_ = QImage();
        if (hadImage)
            changed();
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
