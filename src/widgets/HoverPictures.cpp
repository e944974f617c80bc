#include "widgets/HoverPictures.h"

#include "framework/Image.h"

#include <utility>

namespace pvstim {

HoverPictures::HoverPictures(Show show)
    : show_(std::move(show))
{
}

void HoverPictures::addButton(TImage& button, const QString& normal, const QString& hot)
{
    buttons_.push_back(Button { &button, normal, hot });
    button.OnMouseMove = [this, &button](QPoint) { light(&button); };
}

void HoverPictures::addRest(TImage& rest)
{
    rest.OnMouseMove = [this](QPoint) { light(nullptr); };
}

void HoverPictures::light(const TImage* hot)
{
    for (const Button& button : buttons_)
        show_(*button.image, button.image == hot ? button.hot : button.normal);
}

}  // namespace pvstim
