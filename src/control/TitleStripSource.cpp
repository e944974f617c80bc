#include "control/TitleStripSource.h"

#include "framework/Exceptions.h"
#include "framework/Image.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace pvstim {

namespace {

const QString kTitleFiles[2] = { QStringLiteral("fone\\title0.bmp"), QStringLiteral("fone\\title1.bmp") };

}  // namespace

TitleStripSource::TitleStripSource() = default;
TitleStripSource::~TitleStripSource() = default;

void TitleStripSource::resolveIfChanged()
{
    if (!stale_)
        return;
    stale_ = false;
    shownPath_.clear();
    if (!watcher_) {
        watcher_ = std::make_unique<QFileSystemWatcher>();
        const auto changed = [this] {
            stale_ = true;
            if (onChange)
                onChange();
        };
        QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged, changed);
        QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, changed);
    }
    // A replaced or removed file leaves the watcher; watch afresh what exists now.
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty())
        watcher_->removePaths(watched);

    // The data folder tells when the pictures' folder appears, goes or is
    // renamed; that folder tells when a title file does. Without a data folder
    // there is nothing to show and nothing to watch.
    QStringList paths;
    if (QFileInfo(platform().dataDir()).isDir())
        paths.append(platform().dataDir());
    for (int i = 0; i < 2; ++i) {
        paths_[i] = inDataDir(kTitleFiles[i]);
        exists_[i] = QFileInfo::exists(paths_[i]);
        if (exists_[i])
            paths.append(paths_[i]);
    }
    const QString folder = QFileInfo(paths_[0]).absolutePath();
    if (QFileInfo(folder).isDir())
        paths.append(folder);
    // Without a watch (no inotify instance left, say) nothing would tell of a
    // change: resolve again at every call.
    if (!paths.isEmpty() && !watcher_->addPaths(paths).isEmpty())
        stale_ = true;
}

bool TitleStripSource::exists(Title title)
{
    resolveIfChanged();
    return exists_[int(title)];
}

void TitleStripSource::show(TImage& strip, Title title)
{
    resolveIfChanged();
    const QString& path = paths_[int(title)];
    if (path == shownPath_ && strip.Picture().generation() == generation_)
        return;
    try {
        strip.Picture().LoadFromFile(path);
    } catch (const Exception&) {
        return;
    }
    shownPath_ = path;
    generation_ = strip.Picture().generation();
}

}  // namespace pvstim
