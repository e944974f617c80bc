#pragma once

#include <QDateTime>
#include <QString>

namespace pvstim {

class TImage;

// Which title file the strip shows, so that the 20 ms poll reads a file only when
// another file is wanted or the wanted one changed on disk.
class TitleStripSource {
public:
    // Loads the file into the strip unless the strip already shows this very file.
    // A file that cannot be read leaves the strip as it is, without a message: the
    // poll would otherwise raise an error box every 20 ms.
    void show(TImage& strip, const QString& path);

private:
    QString path_;
    qint64 size_ = -1;
    QDateTime modified_;
    quint64 generation_ = 0;
};

}  // namespace pvstim
