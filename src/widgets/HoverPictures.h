#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace pvstim {

class TImage;

// The picture buttons of a window's chrome and their hot pictures. A move over a
// button shows its hot picture and every other button's normal one; a move over a
// resting control (the window's face or background) shows every normal picture.
// Moves over anything else change nothing, so a button stays hot until the pointer
// reaches the face or another button. It does not load pictures itself: the window
// says how (from the program's resources, or from its data folder off the
// interface thread).
class HoverPictures {
public:
    using Show = std::function<void(TImage&, const QString& picture)>;

    explicit HoverPictures(Show show);
    HoverPictures(const HoverPictures&) = delete;
    HoverPictures& operator=(const HoverPictures&) = delete;

    // The controls must outlive this object's use: it wires their move handlers.
    void addButton(TImage& button, const QString& normal, const QString& hot);
    void addRest(TImage& rest);

private:
    struct Button {
        TImage* image;
        QString normal;
        QString hot;
    };
    void light(const TImage* hot);

    Show show_;
    std::vector<Button> buttons_;
};

}  // namespace pvstim
