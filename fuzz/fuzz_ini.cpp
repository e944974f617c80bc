// Settings-file parser on arbitrary bytes: reads, a write and a re-read must agree.
#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>

using pvstim::IniFile;

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
    const pvstim::Result<IniFile::Document> parsed = IniFile::Document::parse(bytes);
    if (!parsed)
        return 0;
    const IniFile::Document& original = parsed.value();

    const std::optional<QString> markers = original.value(u"USES", u"markers");
    const std::optional<QString> name = original.value(u"font", u"FNAME");
    if (name)
        (void)IniFile::parseInteger(*name);

    // Setting one key changes that key and nothing another key reads.
    IniFile::Document edited = original;
    edited.setValue(u"FONT", u"Fsize", u"36");
    check(edited.value(u"FONT", u"Fsize") == QStringLiteral("36"));
    check(edited.value(u"USES", u"markers") == markers);
    check(edited.value(u"FONT", u"Fname") == name);

    // Setting it again with the same value leaves the text as it is.
    IniFile::Document again = edited;
    again.setValue(u"font", u"fsize", u"36");
    check(again.text() == edited.text());

    // What is written reads back the same.
    const pvstim::Result<IniFile::Document> reread = IniFile::Document::parse(edited.toUtf8());
    check(reread.ok());
    check(reread.value().text() == edited.text());
    return 0;
}
