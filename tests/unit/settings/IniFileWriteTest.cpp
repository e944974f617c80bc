#include "settings/IniFile.h"

#include "framework/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <limits>
#include <sys/resource.h>

using pvstim::EFCreateError;
using pvstim::IniFile;

namespace {

class IniFileWrite : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("Config.ini")); }

    void put(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray contents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    QStringList filesInFolder() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Runs the write and returns the message it failed with, or "" when it did not fail.
    template<typename Write>
    static QString failureOf(Write write)
    {
        try {
            write();
        } catch (const EFCreateError& e) {
            return e.message();
        }
        return QString();
    }

    QTemporaryDir dir_;
};

TEST_F(IniFileWrite, SavingTheDefaultsCreatesTheThirteenLines)
{
    IniFile ini(path());
    ini.writeInteger("MANUAL", "opacity", 20);
    ini.writeBool("USES", "markers", true);
    ini.writeBool("USES", "images", true);
    ini.writeInteger("FONT", "BGcolor", 14611189);
    ini.writeInteger("FONT", "Fcolor", 8421504);
    ini.writeInteger("FONT", "Fsize", 36);
    ini.writeString("FONT", "Fname", "Times New Roman");
    ini.writeInteger("FONT", "Fstyle", 1);
    ini.writeInteger("GENERAL", "freqency", 60);
    EXPECT_EQ(contents(),
              "[MANUAL]\nopacity=20\n"
              "[USES]\nmarkers=1\nimages=1\n"
              "[FONT]\nBGcolor=14611189\nFcolor=8421504\nFsize=36\nFname=Times New Roman\nFstyle=1\n"
              "[GENERAL]\nfreqency=60\n");
    EXPECT_EQ(filesInFolder(), QStringList{"Config.ini"});
}

TEST_F(IniFileWrite, SecondSaveOfTheSameValuesChangesNothing)
{
    put("[MANUAL]\r\nopacity=20\r\n\r\n[USES]\r\nmarkers=1\r\n");
    const QByteArray before = contents();
    IniFile ini(path());
    ini.writeInteger("MANUAL", "opacity", 20);
    ini.writeBool("USES", "markers", true);
    EXPECT_EQ(contents(), before);
}

struct EditCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniFileEdit : public IniFileWrite, public ::testing::WithParamInterface<EditCase> { };

TEST_P(IniFileEdit, ChangesOneLineAndKeepsTheRest)
{
    const EditCase& c = GetParam();
    put(c.before);
    IniFile(path()).writeString(c.section, c.key, c.value);
    EXPECT_EQ(contents(), QByteArray(c.after));
}

INSTANTIATE_TEST_SUITE_P(Table, IniFileEdit, ::testing::Values(
    EditCase{"ReplacesInPlaceKeepingTheFilesSpelling",
             "; top\n[font]\n  fsize = 12 \nFname=Arial\n",
             "FONT", "Fsize", "36",
             "; top\n[font]\nfsize=36\nFname=Arial\n"},
    EditCase{"AddsTheKeyAfterTheLastLineOfItsSection",
             "[FONT]\nFname=Arial\n; colours\n\n[USES]\nmarkers=0\n",
             "font", "Fsize", "36",
             "[FONT]\nFname=Arial\n; colours\nFsize=36\n\n[USES]\nmarkers=0\n"},
    EditCase{"AddsTheKeyRightAfterAnEmptySectionsHeader",
             "[FONT]\n[USES]\nmarkers=0\n",
             "FONT", "Fsize", "36",
             "[FONT]\nFsize=36\n[USES]\nmarkers=0\n"},
    EditCase{"AppendsANewSectionAtTheEnd",
             "; mine\n[USES]\nmarkers=0\n\n",
             "GENERAL", "freqency", "60",
             "; mine\n[USES]\nmarkers=0\n\n[GENERAL]\nfreqency=60\n"},
    EditCase{"EndsAnUnfinishedLastLineBeforeAppending",
             "[USES]\nmarkers=0",
             "GENERAL", "freqency", "60",
             "[USES]\nmarkers=0\n[GENERAL]\nfreqency=60\n"},
    EditCase{"EndsAnUnfinishedLastLineOfTheSection",
             "[USES]\nmarkers=0",
             "USES", "images", "1",
             "[USES]\nmarkers=0\nimages=1\n"},
    EditCase{"ReplacesAnUnfinishedLastLine",
             "[USES]\nmarkers=0",
             "USES", "markers", "1",
             "[USES]\nmarkers=1"},
    EditCase{"KeepsCrLfLineBreaksForNewLines",
             "[USES]\r\nmarkers=0\r\n",
             "FONT", "Fsize", "36",
             "[USES]\r\nmarkers=0\r\n[FONT]\r\nFsize=36\r\n"},
    EditCase{"ReplacesInAFileOfLoneCrBreaks",
             "[FONT]\rFsize=12\r[USES]\rmarkers=0\r",
             "USES", "markers", "1",
             "[FONT]\rFsize=12\r[USES]\rmarkers=1\r"},
    EditCase{"KeepsLoneCrLineBreaksForNewLines",
             "[FONT]\rFsize=12\r[USES]\rmarkers=0\r",
             "FONT", "Fname", "Arial",
             "[FONT]\rFsize=12\rFname=Arial\r[USES]\rmarkers=0\r"},
    EditCase{"KeepsEachLinesOwnBreak",
             "[USES]\nmarkers=0\r\nimages=0\n",
             "USES", "markers", "1",
             "[USES]\nmarkers=1\r\nimages=0\n"},
    EditCase{"ChangesOnlyTheFirstOfTwoEqualKeys",
             "[USES]\nmarkers=0\nMARKERS=0\n",
             "USES", "markers", "1",
             "[USES]\nmarkers=1\nMARKERS=0\n"},
    EditCase{"FindsTheKeyInARepeatedSection",
             "[FONT]\nFname=Arial\n[USES]\n[Font]\nFsize=12\n",
             "FONT", "Fsize", "36",
             "[FONT]\nFname=Arial\n[USES]\n[Font]\nFsize=36\n"},
    EditCase{"AddsNewKeysToTheFirstOfRepeatedSections",
             "[FONT]\nFname=Arial\n[USES]\n[Font]\nFsize=12\n",
             "FONT", "Fcolor", "0",
             "[FONT]\nFname=Arial\nFcolor=0\n[USES]\n[Font]\nFsize=12\n"},
    EditCase{"LeavesCommentedOutKeysAlone",
             "[FONT]\n;Fsize=12\n",
             "FONT", "Fsize", "36",
             "[FONT]\n;Fsize=12\nFsize=36\n"},
    EditCase{"WritesStringsAsTheyAre",
             "",
             "FONT", "Fname", " Courier New ",
             "[FONT]\nFname= Courier New \n"},
    EditCase{"TurnsLineBreaksInAValueIntoSpaces",
             "[USES]\nmarkers=1\n",
             "FONT", "Fname", "x\r\n[USES]\nmarkers=0",
             "[USES]\nmarkers=1\n[FONT]\nFname=x  [USES] markers=0\n"},
    EditCase{"DropsByteOrderMarks",
             "\xEF\xBB\xBF\xEF\xBB\xBF[USES]\nmarkers=0\n",
             "USES", "markers", "1",
             "[USES]\nmarkers=1\n"}
), [](const auto& info) { return std::string(info.param.name); });

struct RoundTripCase {
    int value;
    const char* written;
};

class IniFileIntegerRoundTrip : public IniFileWrite, public ::testing::WithParamInterface<RoundTripCase> { };

TEST_P(IniFileIntegerRoundTrip, WritesDecimalAndReadsTheSameBack)
{
    const RoundTripCase& c = GetParam();
    IniFile ini(path());
    ini.writeInteger("FONT", "BGcolor", c.value);
    EXPECT_EQ(contents(), QByteArray("[FONT]\nBGcolor=") + c.written + "\n");
    EXPECT_EQ(ini.readInteger("FONT", "BGcolor", 14611189 == c.value ? 0 : 14611189), c.value);
}

INSTANTIATE_TEST_SUITE_P(Table, IniFileIntegerRoundTrip, ::testing::Values(
    RoundTripCase{14611189, "14611189"},
    RoundTripCase{0, "0"},
    RoundTripCase{-16777201, "-16777201"},
    RoundTripCase{std::numeric_limits<int>::min(), "-2147483648"},
    RoundTripCase{std::numeric_limits<int>::max(), "2147483647"}
));

TEST_F(IniFileWrite, BooleansAreOneAndZero)
{
    IniFile ini(path());
    ini.writeBool("USES", "markers", false);
    ini.writeBool("USES", "images", true);
    EXPECT_EQ(contents(), "[USES]\nmarkers=0\nimages=1\n");
    EXPECT_FALSE(ini.readBool("USES", "markers", true));
    EXPECT_TRUE(ini.readBool("USES", "images", false));
}

TEST_F(IniFileWrite, CodePage1251FileIsRewrittenInUtf8WithTheSameText)
{
    ASSERT_TRUE(QFile::copy(PVSTIM_TEST_DATA "/ini/cp1251.ini", path()));
    IniFile ini(path());
    ini.writeInteger("FONT", "Fsize", 30);
    EXPECT_EQ(contents(), QString::fromUtf8("; Настройки шрифта\r\n[FONT]\r\nFname=Таймс Кириллица\r\n"
                                            "Fsize=30\r\n").toUtf8());
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString::fromUtf8("Таймс Кириллица"));
}

TEST_F(IniFileWrite, CyrillicValueIsWrittenInUtf8)
{
    IniFile ini(path());
    ini.writeString("FONT", "Fname", QString::fromUtf8("Ёлка"));
    EXPECT_EQ(contents(), QByteArray("[FONT]\nFname=\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0\n"));
}

TEST_F(IniFileWrite, BinaryBytesElsewhereInTheFileSurviveAWrite)
{
    // Not UTF-8, so read as code page 1251; every byte comes back as the same
    // character, written in UTF-8.
    const QByteArray junk("\0\x01\x98\xff", 4);
    put("[JUNK]\n" + junk + "\n[USES]\nmarkers=0\n");
    IniFile(path()).writeBool("USES", "markers", true);
    EXPECT_EQ(contents(), QByteArray("[JUNK]\n") + QByteArray("\0\x01\xC2\x98\xD1\x8F", 6)
                              + "\n[USES]\nmarkers=1\n");
}

TEST_F(IniFileWrite, MissingFolderFailsWithTheMessage)
{
    const QString file = dir_.filePath("missing/Config.ini");
    IniFile ini(file);
    EXPECT_EQ(failureOf([&] { ini.writeInteger("MANUAL", "opacity", 20); }),
              "Unable to write to " + QDir::toNativeSeparators(file));
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("missing")));
}

TEST_F(IniFileWrite, FolderInPlaceOfTheFileFailsAndStaysAFolder)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Config.ini"));
    ASSERT_TRUE(QFile::copy(PVSTIM_TEST_DATA "/ini/cp1251.ini", dir_.filePath("Config.ini/inside.ini")));
    IniFile ini(path());
    EXPECT_EQ(failureOf([&] { ini.writeString("FONT", "Fname", "Arial"); }),
              "Unable to write to " + QDir::toNativeSeparators(path()));
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir_.filePath("Config.ini/inside.ini")));
    EXPECT_EQ(filesInFolder(), QStringList{"Config.ini"});
}

TEST_F(IniFileWrite, RelativeNameIsReportedAsAFullPath)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    const QString message = failureOf([] { IniFile("nowhere/Config.ini").writeBool("USES", "images", true); });
    QDir::setCurrent(previous);
    EXPECT_EQ(message, "Unable to write to " + QDir::toNativeSeparators(dir_.filePath("nowhere/Config.ini")));
}

TEST_F(IniFileWrite, OversizedFileIsNeitherReadNorReplaced)
{
    const QByteArray big = "[FONT]\nFsize=12\n" + QByteArray(IniFile::kMaxFileSize, ';');
    put(big);
    IniFile ini(path());
    EXPECT_EQ(failureOf([&] { ini.writeInteger("FONT", "Fsize", 36); }),
              "Unable to write to " + QDir::toNativeSeparators(path()));
    EXPECT_EQ(contents(), big);
}

TEST_F(IniFileWrite, WriteThatWouldPassTheSizeCapIsRefused)
{
    QByteArray nearlyFull("[FONT]\nFsize=12\n");
    nearlyFull += QByteArray(IniFile::kMaxFileSize - 10 - nearlyFull.size(), ';');
    put(nearlyFull);
    IniFile ini(path());
    EXPECT_EQ(failureOf([&] { ini.writeString("FONT", "Fname", "Times New Roman"); }),
              "Unable to write to " + QDir::toNativeSeparators(path()));
    EXPECT_EQ(contents(), nearlyFull);
    ini.writeInteger("FONT", "Fsize", 36);  // still fits: same length as before
    EXPECT_EQ(ini.readInteger("FONT", "Fsize", 0), 36);
}

// A write cut short by the system (here by a file-size limit, as a full disk would)
// leaves the previous file untouched and no temporary file behind.
TEST_F(IniFileWrite, WriteCutShortLeavesTheOldFileIntact)
{
    const QByteArray before("[FONT]\nFname=Arial\n");
    put(before);
    IniFile ini(path());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString message = failureOf([&] { ini.writeString("FONT", "Fname", QString(200, u'x')); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_EQ(message, "Unable to write to " + QDir::toNativeSeparators(path()));
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(filesInFolder(), QStringList{"Config.ini"});
}

}  // namespace
