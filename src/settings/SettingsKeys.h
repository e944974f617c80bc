#pragma once

#include <QString>

namespace pvstim::settings {

// Sections and keys of Config.ini, spelled as stored files have them.
inline const QString kManual = QStringLiteral("MANUAL");
inline const QString kUses = QStringLiteral("USES");
inline const QString kFont = QStringLiteral("FONT");
inline const QString kGeneral = QStringLiteral("GENERAL");

inline const QString kOpacity = QStringLiteral("opacity");
inline const QString kMarkers = QStringLiteral("markers");
inline const QString kImages = QStringLiteral("images");
inline const QString kBackgroundColor = QStringLiteral("BGcolor");
inline const QString kFontColor = QStringLiteral("Fcolor");
inline const QString kFontSize = QStringLiteral("Fsize");
inline const QString kFontName = QStringLiteral("Fname");
inline const QString kFontStyle = QStringLiteral("Fstyle");
inline const QString kLineInterval = QStringLiteral("freqency");  // sic: stored files spell it so

inline const QString kFileName = QStringLiteral("Config.ini");

constexpr int kDefaultOpacity = 20;
constexpr int kDefaultLineInterval = 60;
constexpr bool kDefaultMarkers = true;
constexpr bool kDefaultImages = true;
constexpr int kDefaultFontStyleCode = 1;
// Font sizes outside this range are not honoured: they cannot be shown sensibly
// and a huge one would make every text paint costly.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 1638;

// The stored style code of a font style: 0 regular, 1 bold, 2 italic, 3 bold
// italic; -1 for any other style (underline or strike-out), which is not stored.
int fontStyleCode(unsigned style);
// The style of a stored code; false for codes outside 0..3.
bool fontStyleFromCode(int code, unsigned& style);

}  // namespace pvstim::settings
