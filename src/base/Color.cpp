#include "base/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace pvstim {

QColor toQColor(TColor color)
{
    if (!isSystemColor(color))
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);

    const QPalette palette = QGuiApplication::palette();
    switch (color & 0xFF) {
    case 0: return palette.color(QPalette::Button);                // scroll bar
    case 1: return QColor(0, 78, 152);                             // desktop
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);
    case 3: return palette.color(QPalette::Inactive, QPalette::Highlight).lighter(130);
    case 4: return palette.color(QPalette::Window);                // menu background
    case 5: return palette.color(QPalette::Base);                  // window background
    case 6: return palette.color(QPalette::Shadow);                // window frame
    case 7: return palette.color(QPalette::WindowText);            // menu text
    case 8: return palette.color(QPalette::Text);                  // window text
    case 9: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 10: return palette.color(QPalette::Active, QPalette::Window);
    case 11: return palette.color(QPalette::Inactive, QPalette::Window);
    case 12: return palette.color(QPalette::Dark);                 // application workspace
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);               // button face
    case 16: return palette.color(QPalette::Dark);                 // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::ButtonText);
    case 19: return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return palette.color(QPalette::Light);                // button highlight
    case 21: return palette.color(QPalette::Shadow);               // 3D dark shadow
    case 22: return palette.color(QPalette::Midlight);             // 3D light
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    case 26: return palette.color(QPalette::Link);                 // hot light
    case 27: return palette.color(QPalette::Active, QPalette::Highlight).lighter(150);
    case 28: return palette.color(QPalette::Inactive, QPalette::Highlight).lighter(170);
    case 29: return palette.color(QPalette::Highlight);            // menu highlight
    case 30: return palette.color(QPalette::Window);               // menu bar
    default: return QColor(0, 0, 0);
    }
}

TColor fromQColor(const QColor& color) { return rgbColor(color.red(), color.green(), color.blue()); }

}  // namespace pvstim
