#include "FontLibrary.h"

#include <QFontDatabase>
#include <QStringList>

namespace artgen {

namespace {

const char* const sansFiles[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
};

}  // namespace

FontLibrary::FontLibrary() : sansFamily_(QStringLiteral("Liberation Sans"))
{
    for (const char* file : sansFiles) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            sansFamily_ = families.first();
    }
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
