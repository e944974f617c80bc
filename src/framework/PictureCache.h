#pragma once

#include "gfx/PictureLoader.h"

#include <QDateTime>
#include <QSize>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace pvstim {

// Picture files decoded off the interface thread, and the outcomes of recent
// decodings kept for showing again. An outcome (a picture, or the reason a file
// was refused) is kept for the file as it is: same path, size and modification
// time, decoded for the same target size; a file changed since is decoded afresh.
// A file that could not be opened is not kept: it is tried again at every request.
// A file already being decoded for the same target is not decoded a second time:
// every caller that asked gets the one outcome.
// All calls come from the interface thread; only the decoding runs on a worker.
// The cache does not show pictures or report errors; TPicture does.
class PictureCache {
public:
    // A decoded picture is Format_RGB32 (see TPicture).
    using Outcome = std::shared_ptr<const gfx::PictureLoadResult>;
    using Delivery = std::function<void(const Outcome&)>;

    static PictureCache& instance();

    // The outcome for the file as it is now, when one is kept; then `deliver` is
    // not called. Otherwise nullptr, and `deliver` is called later, from the event
    // loop, once the file is decoded.
    Outcome fetch(const QString& path, QSize target, Delivery deliver);

    // Limits on what is kept (the least recently used outcome goes first).
    static constexpr std::size_t kMaxEntries = 16;
    static constexpr qint64 kMaxBytes = 96LL * 1024 * 1024;

    std::size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    struct Key {
        QString path;
        qint64 fileSize = -1;
        QDateTime modified;
        QSize target;
        bool operator==(const Key&) const = default;
    };
    struct Entry {
        Key key;
        Outcome outcome;
    };
    struct Decoding;  // one file being decoded, and who waits for it

    void keep(const Key& key, const Outcome& outcome);

    std::vector<Entry> entries_;                  // most recently used last
    std::vector<std::weak_ptr<Decoding>> decoding_;  // expires with its job
};

}  // namespace pvstim
