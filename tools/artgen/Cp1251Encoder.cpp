#include "Cp1251Encoder.h"

#include "base/Cp1251.h"

#include <stdexcept>
#include <string>

namespace artgen {

int Cp1251Encoder::byteFor(char16_t unit)
{
    return pvstim::cp1251Byte(unit);
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
