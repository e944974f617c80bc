#include "run/ReadingText.h"

#include "framework/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using pvstim::EFOpenError;
using pvstim::EOutOfResources;
using pvstim::kMaxReadingTextBytes;
using pvstim::readTextFileLines;
using pvstim::readTextFileLinesOrThrow;
using pvstim::splitLines;

namespace {

struct SplitCase {
    const char* text;
    QStringList lines;
};

class ReadingTextSplit : public ::testing::TestWithParam<SplitCase> { };

TEST_P(ReadingTextSplit, BreaksAtCrLfLoneCrAndLoneLf)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(splitLines(QString::fromUtf8(c.text)), c.lines) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, ReadingTextSplit, ::testing::Values(
    SplitCase{"", {}},
    SplitCase{"one", {"one"}},
    SplitCase{"one\n", {"one"}},
    SplitCase{"one\r\n", {"one"}},
    SplitCase{"one\r", {"one"}},
    SplitCase{"\n", {""}},
    SplitCase{"\r\n\r\n", {"", ""}},
    SplitCase{"one\n\n", {"one", ""}},
    SplitCase{"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
    SplitCase{"one\n\rtwo", {"one", "", "two"}},
    SplitCase{"one\r\r\ntwo", {"one", "", "two"}},
    SplitCase{" one \t\r\n\r\n  ", {" one \t", "", "  "}}
));

class ReadingTextFile : public ::testing::Test {
protected:
    QString put(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    QStringList linesOf(const QByteArray& bytes) const
    {
        const pvstim::Result<QStringList> lines = readTextFileLines(put("text.txt", bytes));
        EXPECT_TRUE(lines.ok()) << lines.error().toStdString();
        return lines.ok() ? lines.value() : QStringList{"<failed>"};
    }

    QTemporaryDir dir_;
};

TEST_F(ReadingTextFile, MixedLineBreaksFromDisk)
{
    const pvstim::Result<QStringList> lines = readTextFileLines(PVSTIM_TEST_DATA "/text/mixed_breaks.txt");
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value(), (QStringList{"one", "two", "three", "four", "", "six"}));
}

TEST_F(ReadingTextFile, FinalLineBreakAddsNoLine)
{
    EXPECT_EQ(linesOf("first\r\nsecond"), linesOf("first\r\nsecond\r\n"));
    EXPECT_EQ(linesOf("first\nsecond\n"), (QStringList{"first", "second"}));
    EXPECT_EQ(linesOf(""), QStringList());
}

TEST_F(ReadingTextFile, Utf8ByteOrderMarkIsDropped)
{
    EXPECT_EQ(linesOf("\xEF\xBB\xBFTitle\nBody"), (QStringList{"Title", "Body"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBF\xD0\x9C\xD0\xB8\xD1\x80"), QStringList{QString::fromUtf8("Мир")});
}

TEST_F(ReadingTextFile, CodePage1251TextIsReadInCyrillic)
{
    const pvstim::Result<QStringList> lines = readTextFileLines(PVSTIM_TEST_DATA "/text/cp1251.txt");
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value(), (QStringList{QString::fromUtf8("Глава первая"), QString::fromUtf8("Тишина."),
                                          QString::fromUtf8("Ёлки — «зелёные».")}));
}

TEST_F(ReadingTextFile, EveryHighByteOfCodePage1251MapsToItsCharacter)
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(char(b));
    // 0x98 is unassigned in the code page and is kept as U+0098.
    const QString expected = QString::fromUtf8(
        "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\xC2\x98™љ›њќћџ\xC2\xA0ЎўЈ¤Ґ¦§Ё©Є«¬\xC2\xAD®Ї°±Ііґµ¶·ё№є»јЅѕї"
        "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя");
    ASSERT_EQ(expected.size(), 128);
    EXPECT_EQ(linesOf(bytes), QStringList{expected});
}

struct InvalidUtf8Case {
    QByteArray bytes;
    const char* asCp1251;
};

class ReadingTextInvalidUtf8 : public ReadingTextFile, public ::testing::WithParamInterface<InvalidUtf8Case> { };

TEST_P(ReadingTextInvalidUtf8, FallsBackToCodePage1251)
{
    EXPECT_EQ(linesOf(GetParam().bytes), QStringList{QString::fromUtf8(GetParam().asCp1251)});
}

INSTANTIATE_TEST_SUITE_P(Table, ReadingTextInvalidUtf8, ::testing::Values(
    InvalidUtf8Case{"abc\xD0", "abcР"},                    // sequence cut off at the end
    InvalidUtf8Case{"\xC0\xAF", "АЇ"},                     // overlong form of '/'
    InvalidUtf8Case{"\xED\xA0\x80", "н\xC2\xA0Ђ"},         // encoded surrogate
    InvalidUtf8Case{"\xF4\x90\x80\x80", "фђЂЂ"},           // past U+10FFFF
    InvalidUtf8Case{"\xD0\x9C\xD0", "РњР"}                // valid start, broken end
));

TEST_F(ReadingTextFile, LongLineIsKeptWhole)
{
    const QByteArray longLine(5000, 'w');
    const QStringList lines = linesOf("title\r\n" + longLine + "\r\nlast");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QString(longLine));
}

TEST_F(ReadingTextFile, NulBytesStayInTheLine)
{
    EXPECT_EQ(linesOf(QByteArray("a\0b\nc", 5)), (QStringList{QString::fromUtf16(u"a\0b", 3), "c"}));
}

TEST_F(ReadingTextFile, TextAtTheSizeLimitIsAccepted)
{
    QByteArray bytes(kMaxReadingTextBytes, 'x');
    bytes[0] = '\n';
    const QStringList lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].size(), kMaxReadingTextBytes - 1);
}

TEST_F(ReadingTextFile, TextOverTheSizeLimitIsRefusedWithoutBeingRead)
{
    for (const qint64 size : {kMaxReadingTextBytes + 1, qint64(64) * 1024 * 1024 * 1024}) {
        const QString path = dir_.filePath(QStringLiteral("big%1.txt").arg(size));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));  // sparse: nothing to read would be quick
        file.close();

        // Reading 64 GiB would outlast the test's time limit.
        const pvstim::Result<QStringList> lines = readTextFileLines(path);
        ASSERT_FALSE(lines.ok()) << size;
        EXPECT_EQ(lines.error(), "Text exceeds memo capacity");
        try {
            (void)readTextFileLinesOrThrow(path);
            ADD_FAILURE() << "no exception for " << size;
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.message(), "Text exceeds memo capacity");
        }
    }
}

TEST_F(ReadingTextFile, MissingFileNamesThePathAndTheSystemsReason)
{
    const QString path = dir_.filePath("gone.txt");
    const QString expected = QStringLiteral("Cannot open file \"%1\". %2")
                                 .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(ENOENT)));
    const pvstim::Result<QStringList> lines = readTextFileLines(path);
    ASSERT_FALSE(lines.ok());
    EXPECT_EQ(lines.error(), expected);
    try {
        (void)readTextFileLinesOrThrow(path);
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.message(), expected);
    }
}

TEST_F(ReadingTextFile, RelativeNameIsReportedAsAFullPath)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    const pvstim::Result<QStringList> lines = readTextFileLines("sub/gone.txt");
    QDir::setCurrent(previous);
    ASSERT_FALSE(lines.ok());
    EXPECT_TRUE(lines.error().startsWith(
        "Cannot open file \"" + QDir::toNativeSeparators(dir_.filePath("sub/gone.txt")) + "\". "))
        << lines.error().toStdString();
}

TEST_F(ReadingTextFile, FolderCannotBeOpenedAsAText)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.txt"));
    const QString path = dir_.filePath("folder.txt");
    const pvstim::Result<QStringList> lines = readTextFileLines(path);
    ASSERT_FALSE(lines.ok());
    const QString prefix = "Cannot open file \"" + QDir::toNativeSeparators(path) + "\". ";
    EXPECT_TRUE(lines.error().startsWith(prefix)) << lines.error().toStdString();
    EXPECT_GT(lines.error().size(), prefix.size()) << "the system's reason is missing";
}

}  // namespace
