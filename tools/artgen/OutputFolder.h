#pragma once

#include <QByteArray>
#include <QString>

namespace artgen {

// A folder the generator writes into. Each file is replaced whole, so a failed run
// never leaves half a picture behind.
class OutputFolder {
public:
    explicit OutputFolder(QString path) : path_(std::move(path)) { }
    // Writes `bytes` to `relativePath`, creating folders on the way. Throws
    // std::runtime_error when the file cannot be written.
    void write(const QString& relativePath, const QByteArray& bytes) const;

private:
    QString path_;
};

}  // namespace artgen
