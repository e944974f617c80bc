#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pvstim {

namespace {

QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

std::optional<QString> openRegularFile(QFile& file)
{
    const QByteArray name = QFile::encodeName(file.fileName());
    if (name.isEmpty())
        return systemText(ENOENT);
    // Without O_NONBLOCK, opening a named pipe waits for a writer, for good.
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return systemText(errno);

    struct stat status {};
    std::optional<QString> refusal;
    if (::fstat(fd, &status) != 0)
        refusal = systemText(errno);
    else if (S_ISDIR(status.st_mode))
        refusal = systemText(EISDIR);
    else if (!S_ISREG(status.st_mode))
        refusal = QStringLiteral("Not a regular file");
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0)
        refusal = systemText(errno);
    if (refusal) {
        ::close(fd);
        return refusal;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString reason = file.errorString();
        ::close(fd);
        return reason;
    }
    return std::nullopt;
}

}  // namespace pvstim
