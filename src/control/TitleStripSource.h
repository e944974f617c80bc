#pragma once

#include <QString>

#include <functional>
#include <memory>

class QFileSystemWatcher;

namespace pvstim {

class TImage;

// The two title pictures the strip shows (active and inactive window): their file
// names are resolved once, beside the executable, and the files and their folders
// are watched; a change on disk (a file written, replaced, removed or added) is told
// to onChange and makes the next call resolve the names again and read the file
// anew. Between changes a call touches no file.
class TitleStripSource {
public:
    enum class Title { Inactive, Active };

    TitleStripSource();
    ~TitleStripSource();

    bool exists(Title title);
    // Loads the title's file into the strip unless the strip already shows it. A
    // file that cannot be read leaves the strip as it is, without a message: every
    // change of the foreground would otherwise raise an error box.
    void show(TImage& strip, Title title);

    // Called from the event loop after a change on disk, once the names are watched.
    std::function<void()> onChange;

private:
    void resolveIfChanged();

    std::unique_ptr<QFileSystemWatcher> watcher_;
    bool stale_ = true;     // names not resolved since the last change on disk
    QString paths_[2];      // indexed by Title
    bool exists_[2] = { false, false };
    QString shownPath_;     // the file the strip shows, empty after a change on disk
    quint64 generation_ = 0;
};

}  // namespace pvstim
