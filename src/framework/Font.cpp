#include "framework/Font.h"

#include <cmath>

namespace pvstim {

void installFontSubstitutions()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        { QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans") });
    QFont::insertSubstitutions(QStringLiteral("Arial"), { QStringLiteral("Liberation Sans") });
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), { QStringLiteral("Liberation Serif") });
    QFont::insertSubstitutions(QStringLiteral("Courier New"), { QStringLiteral("Liberation Mono") });
}

int TFont::pixelSize() const
{
    // MulDiv(size, 96, 72): rounds half away from zero.
    return static_cast<int>(std::lround(size * 96.0 / 72.0));
}

QFont TFont::toQFont() const
{
    installFontSubstitutions();
    QFont font(name);
    font.setPixelSize(std::max(1, pixelSize()));
    font.setBold(bold());
    font.setItalic(italic());
    font.setUnderline(underline());
    font.setStrikeOut(strikeOut());
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

TFont TFont::fromQFont(const QFont& font, const TFont& base)
{
    TFont result = base;
    result.setName(font.family());
    if (font.pointSizeF() > 0)
        result.size = static_cast<int>(std::lround(font.pointSizeF()));
    else if (font.pixelSize() > 0)
        result.size = static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
    result.style = (font.bold() ? Bold : 0u) | (font.italic() ? Italic : 0u)
        | (font.underline() ? Underline : 0u) | (font.strikeOut() ? StrikeOut : 0u);
    return result;
}

}  // namespace pvstim
