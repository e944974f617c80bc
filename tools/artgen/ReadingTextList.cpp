#include "ReadingTextList.h"

#include "Cp1251Encoder.h"

#include <QStringDecoder>
#include <QStringList>

#include <stdexcept>
#include <string>

namespace artgen {

namespace {

[[noreturn]] void malformed(int lineNumber, const QString& why)
{
    throw std::runtime_error("reading-text list, line " + std::to_string(lineNumber) + ": " + why.toStdString());
}

}  // namespace

ReadingTextList ReadingTextList::parse(const QString& listText)
{
    ReadingTextList list;
    const QStringList lines = listText.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const int number = int(i) + 1;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t', Qt::SkipEmptyParts);
        if (fields.size() != 4)
            malformed(number, QStringLiteral("expected four tab-separated fields"));
        Entry entry;
        entry.fileName = fields[0].trimmed();
        if (entry.fileName.contains(u'/') || entry.fileName.contains(u'\\') || !entry.fileName.endsWith(QLatin1String(".txt")))
            malformed(number, QStringLiteral("a plain file name ending in .txt is expected"));

        const QString encoding = fields[1].trimmed();
        if (encoding == QLatin1String("utf-8"))
            entry.encoding = Encoding::Utf8;
        else if (encoding == QLatin1String("cp1251"))
            entry.encoding = Encoding::Cp1251;
        else
            malformed(number, QStringLiteral("unknown encoding ") + encoding);

        const QString ends = fields[2].trimmed();
        if (ends == QLatin1String("lf"))
            entry.lineEnds = LineEnds::Lf;
        else if (ends == QLatin1String("crlf"))
            entry.lineEnds = LineEnds::CrLf;
        else
            malformed(number, QStringLiteral("unknown line ends ") + ends);

        const QString last = fields[3].trimmed();
        if (last == QLatin1String("break"))
            entry.lastLine = LastLine::Break;
        else if (last == QLatin1String("open"))
            entry.lastLine = LastLine::Open;
        else
            malformed(number, QStringLiteral("unknown last line ") + last);
        list.entries_.push_back(entry);
    }
    return list;
}

QByteArray ReadingTextList::render(const Entry& entry, const QByteArray& utf8Source)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(utf8Source);
    if (decoder.hasError())
        throw std::runtime_error(entry.fileName.toStdString() + ": source is not valid UTF-8");
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.endsWith(u'\n'))
        text.chop(1);
    if (entry.lastLine == LastLine::Break)
        text.append(u'\n');
    if (entry.lineEnds == LineEnds::CrLf)
        text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return entry.encoding == Encoding::Cp1251 ? Cp1251Encoder::encode(text) : text.toUtf8();
}

}  // namespace artgen
