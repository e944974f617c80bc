#include "run/ReadingText.h"

#include "base/Cp1251.h"
#include "framework/Exceptions.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace pvstim {

namespace {

enum class Failure { None, CannotOpen, TooLarge };

struct Loaded {
    QStringList lines;
    Failure failure = Failure::None;
    QString message;
};

Loaded failed(Failure failure, QString message)
{
    Loaded result;
    result.failure = failure;
    result.message = std::move(message);
    return result;
}

QString cannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

QString tooLarge()
{
    return QStringLiteral("Text exceeds memo capacity");
}

Loaded load(const QString& path)
{
    QFile file(path);
    if (const std::optional<QString> refusal = openRegularFile(file))
        return failed(Failure::CannotOpen, cannotOpen(path, *refusal));
    if (file.size() > kMaxReadingTextBytes)
        return failed(Failure::TooLarge, tooLarge());

    // Read in chunks up to one byte past the limit: a file that grew since its size
    // was taken is refused once it passes the limit.
    QByteArray bytes;
    bytes.reserve(file.size() + 1);
    char chunk[64 * 1024];
    while (bytes.size() <= kMaxReadingTextBytes) {
        const qint64 wanted = qMin<qint64>(sizeof chunk, kMaxReadingTextBytes + 1 - bytes.size());
        const qint64 got = file.read(chunk, wanted);
        if (got < 0)
            return failed(Failure::CannotOpen, cannotOpen(path, file.errorString()));
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    if (bytes.size() > kMaxReadingTextBytes)
        return failed(Failure::TooLarge, tooLarge());

    Loaded result;
    result.lines = splitLines(decodeUtf8OrCp1251(bytes));
    return result;
}

}  // namespace

Result<QStringList> readTextFileLines(const QString& path)
{
    Loaded loaded = load(path);
    if (loaded.failure != Failure::None)
        return Result<QStringList>::failure(loaded.message);
    return std::move(loaded.lines);
}

QStringList readTextFileLinesOrThrow(const QString& path)
{
    Loaded loaded = load(path);
    switch (loaded.failure) {
    case Failure::None:
        break;
    case Failure::CannotOpen:
        throw EFOpenError(loaded.message);
    case Failure::TooLarge:
        throw EOutOfResources(loaded.message);
    }
    return std::move(loaded.lines);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start));
    return lines;
}

}  // namespace pvstim
