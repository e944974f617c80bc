#include "FontLibrary.h"

#include <QFontDatabase>
#include <QStringList>

#include <cstdio>

namespace artgen {

FontLibrary::FontLibrary() : sansFamily_(QStringLiteral("Liberation Sans"))
{
    // Found through the desktop's font configuration; a substitute would letter the
    // pictures differently, so say so.
    if (!QFontDatabase::families().contains(sansFamily_))
        std::fprintf(stderr, "artgen: font \"%s\" not installed, the pictures use a substitute\n",
            qPrintable(sansFamily_));
}

QFont FontLibrary::sansBold(int pixelSize) const
{
    QFont font(sansFamily_);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace artgen
