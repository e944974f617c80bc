#include "gfx/PictureLoader.h"

#include <QFileInfo>

namespace pvstim::gfx {

std::optional<PictureFormat> formatFromExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0)
        return PictureFormat::Bitmap;
    if (suffix.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0)
        return PictureFormat::Jpeg;
    return std::nullopt;
}

PictureLoadResult loadPicture(const QString& path, QSize target, const PictureLimits& limits)
{
    const std::optional<PictureFormat> format = formatFromExtension(path);
    if (!format) {
        return LoadFailure { LoadFailure::NotValid,
            QStringLiteral("Unknown picture file extension (.%1)").arg(QFileInfo(path).suffix()) };
    }
    PictureLoadResult loaded = *format == PictureFormat::Bitmap ? loadBmp(path, limits)
                                                                : loadJpeg(path, target, limits);
    if (loaded.isOpenFailure()) {
        return LoadFailure { LoadFailure::CannotOpen,
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, loaded.error()) };
    }
    return loaded;
}

}  // namespace pvstim::gfx
