#pragma once

#include <QByteArrayView>
#include <QString>

namespace pvstim {

// Code page 1251 (Cyrillic), the encoding older copies of the program's files were
// written in. Every byte maps to exactly one character, the one byte the code page
// leaves unassigned (0x98) to the control character U+0098, so a text read this way
// can be written back in UTF-8 without losing anything.
QString fromCp1251(QByteArrayView bytes);

// The code page 1251 byte of one UTF-16 code unit, or -1 when the code page has none.
int cp1251Byte(char16_t unit);

// The bytes as UTF-8 when they are valid UTF-8 (a leading byte-order mark dropped),
// otherwise as code page 1251.
QString decodeUtf8OrCp1251(QByteArrayView bytes);

}  // namespace pvstim
