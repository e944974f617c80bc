// Reading-text decoding and line splitting on arbitrary bytes.
#include "base/Cp1251.h"
#include "run/ReadingText.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = pvstim::decodeUtf8OrCp1251(bytes);
    const QStringList lines = pvstim::splitLines(text);

    // The lines joined by LF give the text with every break written as LF and
    // without a final break.
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    if (normalized.endsWith(u'\n'))
        normalized.chop(1);
    check(lines.join(u'\n') == normalized);
    check(lines.isEmpty() == text.isEmpty());
    for (const QString& line : lines)
        check(!line.contains(u'\r') && !line.contains(u'\n'));
    return 0;
}
