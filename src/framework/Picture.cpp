#include "framework/Picture.h"

#include "framework/Exceptions.h"
#include "framework/Handler.h"
#include "framework/PictureCache.h"
#include "gfx/PictureLoader.h"

namespace pvstim {

namespace {

TPicture::Kind kindOf(const QString& path)
{
    return gfx::formatFromExtension(path) == gfx::PictureFormat::Jpeg ? TPicture::Kind::Jpeg
                                                                      : TPicture::Kind::Bitmap;
}

[[noreturn]] void throwRefusal(const gfx::PictureLoadResult& refused)
{
    if (refused.isOpenFailure())
        throw EFOpenError(refused.error());
    throw EInvalidGraphic(refused.error());
}

}  // namespace

void TPicture::LoadFromFile(const QString& path, QSize target)
{
    gfx::PictureLoadResult loaded = gfx::loadPicture(path, target);
    if (!loaded.ok())
        throwRefusal(loaded);
    // Pictures are drawn opaque: a bitmap's alpha channel, often left at zero by
    // the programs that write them, would otherwise hide the whole picture.
    show(kindOf(path), std::move(loaded).value().convertToFormat(QImage::Format_RGB32));
}

void TPicture::LoadFromFileInBackground(const QString& path, QSize target, Refusal refusal,
    std::function<void()> accepted)
{
    const std::uint64_t load = ++*loads_;
    loading_ = false;
    const std::weak_ptr<std::uint64_t> loads = loads_;
    const PictureCache::Outcome kept = PictureCache::instance().fetch(path, target,
        [this, loads, load, path, refusal, accepted](const PictureCache::Outcome& outcome) {
            const std::shared_ptr<std::uint64_t> alive = loads.lock();
            if (!alive)
                return;  // the picture is gone
            // Unless a later load took its place.
            const bool current = *alive == load;
            if (current)
                loading_ = false;
            if (outcome->ok()) {
                if (current)
                    show(kindOf(path), outcome->value());
                if (accepted)
                    runHandler(accepted);
            } else if (current && refusal == Refusal::Report) {
                runHandler([&] { throwRefusal(*outcome); });
            }
        });
    if (!kept) {
        loading_ = true;
        return;
    }
    if (!kept->ok())
        throwRefusal(*kept);
    show(kindOf(path), kept->value());
    if (accepted)
        accepted();
}

bool TPicture::LoadFromResource(const QString& resourcePath)
{
    QImage loaded(resourcePath);
    if (loaded.isNull())
        return false;
    show(Kind::Bitmap, loaded.convertToFormat(QImage::Format_RGB32));
    return true;
}

void TPicture::setBitmap(const QImage& image) { show(Kind::Bitmap, image); }

void TPicture::show(Kind kind, QImage image)
{
    // Whatever is shown now supersedes a background load still to arrive.
    ++*loads_;
    loading_ = false;
    kind_ = kind;
    image_ = std::move(image);
    changed();
}

bool TPicture::dropUnlessBitmap()
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
