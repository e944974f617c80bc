#include "framework/PictureCache.h"

#include "platform/Platform.h"

#include <QFileInfo>

#include <algorithm>
#include <new>

namespace pvstim {

struct PictureCache::Decoding {
    Key key;
    std::vector<Delivery> waiting;
};

namespace {

qint64 bytesOf(const gfx::PictureLoadResult& outcome)
{
    return outcome.ok() ? outcome.value().sizeInBytes() : 0;
}

// Runs on a worker: everything that costs time in proportion to the picture,
// the conversion to the format pictures are drawn in included.
gfx::PictureLoadResult decodeFile(const QString& path, QSize target)
{
    try {
        gfx::PictureLoadResult loaded = gfx::loadPicture(path, target);
        if (!loaded.ok())
            return loaded;
        // Pictures are drawn opaque: a bitmap's alpha channel, often left at zero by
        // the programs that write them, would otherwise hide the whole picture.
        return gfx::PictureLoadResult(std::move(loaded).value().convertToFormat(QImage::Format_RGB32));
    } catch (const std::bad_alloc&) {
        return gfx::LoadFailure { gfx::LoadFailure::NotValid, QStringLiteral("Out of memory") };
    }
}

}  // namespace

PictureCache& PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

PictureCache::Outcome PictureCache::fetch(const QString& path, QSize target, Delivery deliver)
{
    const QFileInfo file(path);
    Key key { path, file.exists() ? file.size() : -1, file.lastModified(), target };
    const bool keepable = key.fileSize >= 0;

    if (keepable) {
        const auto kept = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
        if (kept != entries_.end()) {
            // Move it to the most recently used end.
            std::rotate(kept, kept + 1, entries_.end());
            return entries_.back().outcome;
        }
    }

    std::erase_if(decoding_, [](const std::weak_ptr<Decoding>& d) { return d.expired(); });
    for (const std::weak_ptr<Decoding>& weak : decoding_) {
        if (const std::shared_ptr<Decoding> running = weak.lock(); running && running->key == key) {
            running->waiting.push_back(std::move(deliver));
            return nullptr;
        }
    }

    auto decoding = std::make_shared<Decoding>(Decoding { key, {} });
    decoding->waiting.push_back(std::move(deliver));
    decoding_.push_back(decoding);
    auto result = std::make_shared<gfx::PictureLoadResult>(
        gfx::LoadFailure { gfx::LoadFailure::NotValid, QString() });
    platform().runInBackground([result, path, target] { *result = decodeFile(path, target); },
        [this, decoding, result, keepable] {
            const Outcome outcome = result;
            // A file that could not be opened may become readable without changing
            // its size or time (its mode, its folder's mode): it is tried afresh.
            if (keepable && !outcome->isOpenFailure())
                keep(decoding->key, outcome);
            // The record of this decoding ends with the job; deliveries may start new ones.
            const std::vector<Delivery> waiting = std::move(decoding->waiting);
            std::erase_if(decoding_, [&](const std::weak_ptr<Decoding>& d) { return d.lock() == decoding; });
            for (const Delivery& d : waiting)
                d(outcome);
        });
    return nullptr;
}

void PictureCache::keep(const Key& key, const Outcome& outcome)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.key.path == key.path && e.key.target == key.target; });
    if (bytesOf(*outcome) > kMaxBytes)
        return;
    entries_.push_back(Entry { key, outcome });
    qint64 total = 0;
    for (const Entry& e : entries_)
        total += bytesOf(*e.outcome);
    while (entries_.size() > kMaxEntries || total > kMaxBytes) {
        total -= bytesOf(*entries_.front().outcome);
        entries_.erase(entries_.begin());
    }
}

}  // namespace pvstim
