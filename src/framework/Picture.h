#pragma once

#include <QImage>
#include <QString>

#include <functional>

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
    // Loads a bitmap stored inside the program (a Qt resource path). Returns
    // false, leaving the picture as it was, when there is no such resource.
    bool LoadFromResource(const QString& resourcePath);
    void setBitmap(const QImage& image);

    // Takes the picture as a bitmap: a picture of another kind is replaced by a
    // new, empty bitmap. Returns whether a (non-empty) bitmap is on show.
    bool takeAsBitmap();
    // Empties the bitmap (the picture stays a bitmap).
    void releaseBitmap();
    // Tells the owner that the picture changed so it repaints.
    void changed();

    std::function<void()> OnChange;

private:
    Kind kind_ = Kind::None;
    QImage image_;
    quint64 generation_ = 0;
};

}  // namespace pvstim
