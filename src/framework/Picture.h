#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace pvstim {

// The picture a picture control holds: nothing, a bitmap or a JPEG picture.
class TPicture {
public:
    enum class Kind { None, Bitmap, Jpeg };

    Kind kind() const { return kind_; }
    const QImage& image() const { return image_; }
    bool isEmpty() const { return image_.isNull(); }
    quint64 generation() const { return generation_; }

    // Loads a file; the kind follows the extension (.bmp, .jpg/.jpeg). A JPEG is
    // decoded at the smallest scale that still covers `target` (empty: full size).
    // Throws EFOpenError when the file cannot be opened and EInvalidGraphic when
    // it is not a valid picture; the picture is unchanged then.
    void LoadFromFile(const QString& path, QSize target = {});

    // What becomes of a refusal that is known only once decoding ends.
    enum class Refusal { Report, Ignore };
    // Loads a file as LoadFromFile does, but decoded off the interface thread and
    // kept for showing again (see PictureCache). A picture decoded before is shown
    // at once, and a file refused before throws at once; otherwise the picture
    // changes when decoding ends, from the event loop, and a refusal then goes to
    // the error box (Refusal::Report) or nowhere. A later load or setBitmap
    // supersedes a load still decoding: its picture is not shown then, nor is its
    // refusal reported. `accepted` runs once the file has proved a valid picture,
    // after it is on show or, superseded, when its decoding ends; never after a
    // refusal, nor once the picture is gone.
    void LoadFromFileInBackground(const QString& path, QSize target, Refusal refusal,
        std::function<void()> accepted = {});
    // Whether a background load is still to arrive.
    bool isLoading() const { return loading_; }
    // Loads a bitmap stored inside the program (a Qt resource path). Returns
    // false, leaving the picture as it was, when there is no such resource.
    bool LoadFromResource(const QString& resourcePath);
    void setBitmap(const QImage& image);

    // Drops a picture of any other kind than a bitmap (a mandala), leaving a new,
    // empty bitmap. Returns whether a (non-empty) bitmap is on show.
    bool dropUnlessBitmap();
    // Empties the bitmap (the picture stays a bitmap).
    void releaseBitmap();
    // Tells the owner that the picture changed so it repaints.
    void changed();

    std::function<void()> OnChange;

private:
    void show(Kind kind, QImage image);

    Kind kind_ = Kind::None;
    QImage image_;
    quint64 generation_ = 0;
    bool loading_ = false;
    // Counts loads; a background load shows its picture only if none came after
    // it. Shared with the loads in flight, which also learn from it whether this
    // picture still exists.
    std::shared_ptr<std::uint64_t> loads_ = std::make_shared<std::uint64_t>(0);
};

}  // namespace pvstim
