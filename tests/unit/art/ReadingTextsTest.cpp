// The reading texts in to_read/: enough of them, of different lengths, with lines
// that fit on a screen, and stored in the forms the reader must cope with.
#include "ArtTestSupport.h"

#include <QDir>
#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

using arttest::built;

struct ReadingText {
    QString name;
    QByteArray bytes;
};

std::vector<ReadingText> readingTexts()
{
    std::vector<ReadingText> texts;
    const QDir folder(built(QStringLiteral("to_read")));
    for (const QString& name : folder.entryList({ QStringLiteral("*.txt") }, QDir::Files, QDir::Name))
        texts.push_back({ name, arttest::readAll(folder.filePath(name)) });
    return texts;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoded text is built on conversion, and only then are errors known.
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

QStringList linesOf(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (t.endsWith(u'\n'))
        t.chop(1);
    return t.split(u'\n');
}

TEST(ArtReadingTexts, AtLeastFourOfDifferentLengths)
{
    const std::vector<ReadingText> texts = readingTexts();
    ASSERT_GE(texts.size(), 4u);
    QSet<qsizetype> lineCounts;
    for (const ReadingText& text : texts) {
        EXPECT_FALSE(text.bytes.isEmpty()) << text.name.toStdString();
        lineCounts.insert(text.bytes.count('\n') + 1);
    }
    EXPECT_EQ(std::size_t(lineCounts.size()), texts.size()) << "two texts have the same length";
}

TEST(ArtReadingTexts, LinesFitOnTheScreen)
{
    for (const ReadingText& text : readingTexts()) {
        const QString decoded = isUtf8(text.bytes) ? QString::fromUtf8(text.bytes) : QString::fromLatin1(text.bytes);
        const QStringList lines = linesOf(decoded);
        EXPECT_GE(lines.size(), 8) << text.name.toStdString();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_GE(lines[i].size(), 40) << text.name.toStdString() << " line " << i + 1;
            EXPECT_LE(lines[i].size(), 90) << text.name.toStdString() << " line " << i + 1;
        }
    }
}

TEST(ArtReadingTexts, ComeInEveryStoredForm)
{
    int notUtf8 = 0;
    int withoutFinalBreak = 0;
    int withCrLf = 0;
    for (const ReadingText& text : readingTexts()) {
        notUtf8 += !isUtf8(text.bytes);
        withoutFinalBreak += !text.bytes.endsWith('\n');
        withCrLf += text.bytes.contains("\r\n");
        EXPECT_FALSE(text.bytes.startsWith("\xEF\xBB\xBF")) << text.name.toStdString();
    }
    EXPECT_EQ(notUtf8, 1) << "exactly one text is stored in code page 1251";
    EXPECT_GE(withoutFinalBreak, 1);
    EXPECT_GE(withCrLf, 1);
}

// The 1251 text, read back with an independent decoder, is exactly its UTF-8 source:
// this checks every character of the generator's code page table that the text uses.
TEST(ArtReadingTexts, CodePageTextMatchesItsSource)
{
    QStringDecoder windows1251("windows-1251");
    if (!windows1251.isValid())
        GTEST_SKIP() << "this Qt has no windows-1251 decoder to check against";
    int checked = 0;
    for (const ReadingText& text : readingTexts()) {
        if (isUtf8(text.bytes))
            continue;
        const QString decoded = windows1251.decode(text.bytes);
        const QByteArray sourceBytes = arttest::readAll(arttest::source(QStringLiteral("to_read/") + text.name));
        ASSERT_FALSE(sourceBytes.isEmpty()) << text.name.toStdString();
        EXPECT_EQ(linesOf(decoded), linesOf(QString::fromUtf8(sourceBytes)));
        EXPECT_TRUE(decoded.contains(QChar(0x0451)) || decoded.contains(QChar(0x00AB))) << "a letter beyond А-я is covered";
        ++checked;
    }
    EXPECT_EQ(checked, 1);
}

}  // namespace
