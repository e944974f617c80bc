#include "Cp1251Encoder.h"

#include <array>
#include <stdexcept>
#include <string>

namespace artgen {

namespace {

// Characters of the bytes 0x80..0xBF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 64> upperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

}  // namespace

int Cp1251Encoder::byteFor(char16_t unit)
{
    if (unit < 0x80)
        return unit;
    // The bytes 0xC0..0xFF hold the basic Cyrillic alphabet in Unicode order.
    if (unit >= 0x0410 && unit <= 0x044F)
        return 0xC0 + (unit - 0x0410);
    for (std::size_t i = 0; i < upperHalf.size(); ++i) {
        if (upperHalf[i] != 0 && upperHalf[i] == unit)
            return int(0x80 + i);
    }
    return -1;
}

QByteArray Cp1251Encoder::encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteFor(text.at(i).unicode());
        if (byte < 0) {
            throw std::runtime_error("character U+" + QString::number(text.at(i).unicode(), 16).toUpper().toStdString()
                + " at position " + std::to_string(i) + " has no code page 1251 byte");
        }
        out.append(char(byte));
    }
    return out;
}

}  // namespace artgen
