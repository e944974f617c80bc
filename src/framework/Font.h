#pragma once

#include "base/Color.h"

#include <QFont>
#include <QString>

namespace pvstim {

// A font as the windows describe it: a face name, a size in points at 96 dots per
// inch, a style, a colour and a character set. Sizes are turned into whole pixels
// the way the desktop does (points x 96 / 72, rounded), so text metrics do not
// depend on the display's reported resolution.
struct TFont {
    enum Style : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    QString name = QStringLiteral("MS Sans Serif");
    int size = 8;               // points
    unsigned style = 0;         // Style bits
    TColor color = clWindowText;
    int charset = 1;            // 1 default, 204 Cyrillic

    // Face names are held to the 31 characters a desktop font name may have.
    void setName(const QString& faceName) { name = faceName.left(31); }
    bool bold() const { return style & Bold; }
    bool italic() const { return style & Italic; }
    bool underline() const { return style & Underline; }
    bool strikeOut() const { return style & StrikeOut; }

    int pixelSize() const;      // em height in pixels
    QFont toQFont() const;
    // A font read back from a Qt font dialog; colour and charset are kept from `base`.
    static TFont fromQFont(const QFont& font, const TFont& base);

    bool operator==(const TFont&) const = default;
};

// Lets fontconfig resolve the desktop font names the program uses to the
// metric-compatible fonts installed with it. Idempotent.
void installFontSubstitutions();

}  // namespace pvstim
