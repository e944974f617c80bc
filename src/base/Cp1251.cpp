#include "base/Cp1251.h"

#include <QStringDecoder>

namespace pvstim {

namespace {

// Bytes 0x80..0xBF; from 0xC0 on the code page runs through the Cyrillic capitals
// and small letters in alphabetical order (U+0410..U+044F).
constexpr char16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t cp1251Char(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return kHighHalf[byte - 0x80];
    return char16_t(0x0410 + (byte - 0xC0));
}

}  // namespace

QString fromCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(cp1251Char(static_cast<unsigned char>(bytes[i])));
    return text;
}

int cp1251Byte(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    if (unit >= 0x0410 && unit <= 0x044F)
        return 0xC0 + (unit - 0x0410);
    for (int i = 0; i < 64; ++i) {
        if (kHighHalf[i] == unit)
            return 0x80 + i;
    }
    return -1;
}

QString decodeUtf8OrCp1251(QByteArrayView bytes)
{
    // Stateless: a sequence cut off at the end counts as an error instead of being
    // kept back for a next chunk that never comes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1251(bytes);
}

}  // namespace pvstim
