#include "OutputFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace artgen {

void OutputFolder::write(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = QDir(path_).filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create the folder of " + path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

}  // namespace artgen
