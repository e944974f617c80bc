#pragma once

#include <QByteArray>
#include <QString>

namespace artgen {

// Converts text to the Cyrillic 8-bit code page 1251. A character the code page
// cannot hold is an error in the source text, not something to replace silently.
class Cp1251Encoder {
public:
    // Throws std::runtime_error naming the first character that has no byte.
    static QByteArray encode(const QString& text);
    // The byte for one UTF-16 code unit, or -1 when the code page has none.
    static int byteFor(char16_t unit);
};

}  // namespace artgen
