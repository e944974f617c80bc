#include "control/TitleStripSource.h"

#include "framework/Exceptions.h"
#include "framework/Image.h"

#include <QFileInfo>

namespace pvstim {

void TitleStripSource::show(TImage& strip, const QString& path)
{
    const QFileInfo info(path);
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    if (path == path_ && size == size_ && modified == modified_ && strip.Picture().generation() == generation_)
        return;
    try {
        strip.Picture().LoadFromFile(path);
    } catch (const Exception&) {
        return;
    }
    path_ = path;
    size_ = size;
    modified_ = modified;
    generation_ = strip.Picture().generation();
}

}  // namespace pvstim
