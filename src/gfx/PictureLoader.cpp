#include "gfx/PictureLoader.h"

#include "platform/RegularFile.h"

#include <QFile>
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

std::variant<QByteArray, LoadFailure> readPictureFile(const QString& path, const PictureLimits& limits,
    const QString& tooLargeReason)
{
    QFile file(path);
    if (const std::optional<QString> refusal = openRegularFile(file))
        return LoadFailure { LoadFailure::CannotOpen, *refusal };
    const qint64 size = file.size();
    if (size > limits.maxFileBytes)
        return LoadFailure { LoadFailure::NotValid, tooLargeReason };
    // A file cut short meanwhile gives fewer bytes, which the decoders refuse; one
    // that grew is read to the size it had.
    QByteArray contents(qsizetype(size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(contents.data() + got, size - got);
        if (n < 0)
            return LoadFailure { LoadFailure::CannotOpen, file.errorString() };
        if (n == 0)
            break;
        got += n;
    }
    contents.truncate(qsizetype(got));
    return contents;
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
