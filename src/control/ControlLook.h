#pragma once

#include "base/Color.h"
#include "framework/Font.h"

namespace pvstim {

// Colours and fonts of the control window's controls.
constexpr TColor kLabelFaceColor = 0x00EBEAE7;      // label face, unselected rhythm label
constexpr TColor kSelectedRhythmColor = 0x00F0CAA6; // background of the chosen rhythm label
constexpr TColor kHeadingFontColor = 0x00804000;    // settings labels and check boxes at rest
constexpr TColor kHeadingHotColor = 0x00FF0000;     // ... under the pointer
constexpr TColor kButtonFontColor = 0x000000FF;     // "Справка", "Книга", "Старт" at rest
constexpr TColor kButtonHotColor = 0x00000080;      // ... under the pointer
constexpr TColor kBrowseFontColor = 0x00008000;     // "Обзор..." at rest
constexpr TColor kBrowseHotColor = 0x0000FF00;      // ... under the pointer

// The preview label's design look, which is also the stored settings' default.
constexpr TColor kDefaultPreviewBackground = 0x00DEF2F5;
constexpr TColor kDefaultPreviewFontColor = 0x00808080;
constexpr int kDefaultPreviewFontSize = 36;
inline const QString kDefaultPreviewFontName = QStringLiteral("Times New Roman");


inline TFont headingFont()
{
    return TFont { QStringLiteral("Arial"), 10, TFont::Bold, kHeadingFontColor, 204 };
}
inline TFont buttonFont()
{
    return TFont { QStringLiteral("Arial"), 12, TFont::Bold, kButtonFontColor, 204 };
}
inline TFont browseFont()
{
    return TFont { QStringLiteral("Arial"), 10, TFont::Bold, kBrowseFontColor, 204 };
}
inline TFont defaultPreviewFont()
{
    return TFont { kDefaultPreviewFontName, kDefaultPreviewFontSize, TFont::Bold, kDefaultPreviewFontColor, 204 };
}

}  // namespace pvstim
