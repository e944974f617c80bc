#include "settings/SettingsKeys.h"

#include "framework/Font.h"

namespace pvstim::settings {

int fontStyleCode(unsigned style)
{
    switch (style) {
    case 0: return 0;
    case TFont::Bold: return 1;
    case TFont::Italic: return 2;
    case TFont::Bold | TFont::Italic: return 3;
    default: return -1;
    }
}

bool fontStyleFromCode(int code, unsigned& style)
{
    switch (code) {
    case 0: style = 0; return true;
    case 1: style = TFont::Bold; return true;
    case 2: style = TFont::Italic; return true;
    case 3: style = TFont::Bold | TFont::Italic; return true;
    default: return false;
    }
}

}  // namespace pvstim::settings
