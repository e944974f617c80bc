#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using pvstim::IniFile;

namespace {

class IniFileRead : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("Config.ini")); }

    void put(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir dir_;
};

// ---- Integer text -----------------------------------------------------------------

struct IntegerCase {
    const char* text;
    std::optional<int> expected;
};

class IniFileParseInteger : public ::testing::TestWithParam<IntegerCase> { };

TEST_P(IniFileParseInteger, ReadsDecimalAndHexadecimalOrNothing)
{
    const IntegerCase& c = GetParam();
    EXPECT_EQ(IniFile::parseInteger(QString::fromUtf8(c.text)), c.expected) << c.text;
}

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(Table, IniFileParseInteger, ::testing::Values(
    IntegerCase{"60", 60},
    IntegerCase{"007", 7},
    IntegerCase{"+5", 5},
    IntegerCase{"-16777201", -16777201},
    IntegerCase{"2147483647", kMax},
    IntegerCase{"-2147483648", kMin},
    IntegerCase{"2147483648", std::nullopt},
    IntegerCase{"-2147483649", std::nullopt},
    IntegerCase{"99999999999999999999999", std::nullopt},
    IntegerCase{"0xFF0000", 16711680},
    IntegerCase{"0X00def2f5", 14611189},
    IntegerCase{"0x7FFFFFFF", kMax},
    IntegerCase{"0x80000000", kMin},
    IntegerCase{"0xFFFFFFFF", -1},
    IntegerCase{"0xFF00000F", -16777201},
    IntegerCase{"0x0000000000FF", 255},
    IntegerCase{"0x100000000", std::nullopt},
    IntegerCase{"0x", std::nullopt},
    IntegerCase{"0xG1", std::nullopt},
    IntegerCase{"-0x10", std::nullopt},
    IntegerCase{"", std::nullopt},
    IntegerCase{"-", std::nullopt},
    IntegerCase{"12a", std::nullopt},
    IntegerCase{"1.5", std::nullopt},
    IntegerCase{"Red", std::nullopt},
    IntegerCase{"\xD9\xA3", std::nullopt}  // an Arabic-Indic digit three
));

// ---- Integers, booleans and strings through the file ------------------------------

struct ReadCase {
    const char* file;
    const char* section;
    const char* key;
    int defaultValue;
    int expected;
};

class IniFileReadInteger : public IniFileRead, public ::testing::WithParamInterface<ReadCase> { };

TEST_P(IniFileReadInteger, FindsTheKeyOrGivesTheDefault)
{
    const ReadCase& c = GetParam();
    put(c.file);
    IniFile ini(path());
    EXPECT_EQ(ini.readInteger(c.section, c.key, c.defaultValue), c.expected) << c.file;
}

INSTANTIATE_TEST_SUITE_P(Table, IniFileReadInteger, ::testing::Values(
    ReadCase{"[FONT]\nBGcolor=0xFF0000\n", "FONT", "BGcolor", 14611189, 16711680},
    ReadCase{"[FONT]\nBGcolor=Blue\n", "FONT", "BGcolor", 14611189, 14611189},
    ReadCase{"[FONT]\nBGcolor=0x\n", "FONT", "BGcolor", 14611189, 14611189},
    ReadCase{"[FONT]\nBGcolor=-16777201\n", "FONT", "BGcolor", 14611189, -16777201},
    ReadCase{"[FONT]\nFsize=\n", "FONT", "Fsize", 36, 36},
    ReadCase{"[FONT]\nFsize=12\n", "font", "FSIZE", 36, 12},
    ReadCase{"[font]\r\nfsize=12\r\n", "FONT", "Fsize", 36, 12},
    ReadCase{"[USES]\rmarkers=0\r[FONT]\rFsize=12\r", "FONT", "Fsize", 36, 12},
    ReadCase{"  [ FONT ]  ; preview\n  Fsize  =  12  \n", "FONT", "Fsize", 36, 12},
    ReadCase{"[FONT]\nFsize=12", "FONT", "Fsize", 36, 12},
    ReadCase{"[USES]\nFsize=12\n[FONT]\nFname=Arial\n", "FONT", "Fsize", 36, 36},
    ReadCase{"Fsize=12\n[FONT]\n", "FONT", "Fsize", 36, 36},
    ReadCase{"[FONT]\n;Fsize=12\n", "FONT", "Fsize", 36, 36},
    ReadCase{"[FONT]\nFsize 12\n", "FONT", "Fsize", 36, 36},
    ReadCase{"[FONT]\nFsize=12\nFsize=14\n", "FONT", "Fsize", 36, 12},
    ReadCase{"[FONT]\nFname=Arial\n[font]\nFsize=14\n", "FONT", "Fsize", 36, 14},
    ReadCase{"[FONTS]\nFsize=12\n", "FONT", "Fsize", 36, 36},
    ReadCase{"[FONT]\nFsizes=12\n", "FONT", "Fsize", 36, 36},
    ReadCase{"", "FONT", "Fsize", 36, 36}
));

struct BoolCase {
    const char* value;
    bool defaultValue;
    bool expected;
};

class IniFileReadBool : public IniFileRead, public ::testing::WithParamInterface<BoolCase> { };

TEST_P(IniFileReadBool, NonZeroIsTrueAndNonNumbersGiveTheDefault)
{
    const BoolCase& c = GetParam();
    put(QByteArray("[USES]\nmarkers=") + c.value + "\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readBool("USES", "markers", c.defaultValue), c.expected) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, IniFileReadBool, ::testing::Values(
    BoolCase{"1", false, true},
    BoolCase{"2", false, true},
    BoolCase{"-1", false, true},
    BoolCase{"0x10", false, true},
    BoolCase{"0", true, false},
    BoolCase{"", true, true},
    BoolCase{"", false, false},
    BoolCase{"yes", false, false},
    BoolCase{"true", true, true}
));

TEST_F(IniFileRead, MissingKeySectionOrFileGivesTheDefault)
{
    IniFile ini(path());
    EXPECT_EQ(ini.readString("FONT", "Fname", "Times New Roman"), "Times New Roman");
    EXPECT_EQ(ini.readInteger("MANUAL", "opacity", 20), 20);
    EXPECT_TRUE(ini.readBool("USES", "images", true));

    put("[FONT]\nFsize=12\n");
    EXPECT_EQ(ini.readString("FONT", "Fname", "Times New Roman"), "Times New Roman");
    EXPECT_EQ(ini.readString("GENERAL", "Fsize", "none"), "none");
}

TEST_F(IniFileRead, EveryReadSeesTheFileAsItIsNow)
{
    IniFile ini(path());
    put("[GENERAL]\nfreqency=60\n");
    EXPECT_EQ(ini.readInteger("GENERAL", "freqency", 1), 60);
    put("[GENERAL]\nfreqency=5\n");
    EXPECT_EQ(ini.readInteger("GENERAL", "freqency", 1), 5);
}

struct StringCase {
    const char* line;
    const char* expected;
};

class IniFileReadString : public IniFileRead, public ::testing::WithParamInterface<StringCase> { };

TEST_P(IniFileReadString, TrimsSpacesAndOnePairOfQuotes)
{
    const StringCase& c = GetParam();
    put(QByteArray("[FONT]\n") + c.line + "\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString("FONT", "Fname", "default"), QString::fromUtf8(c.expected)) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Table, IniFileReadString, ::testing::Values(
    StringCase{"Fname=Times New Roman", "Times New Roman"},
    StringCase{"Fname =  Courier New  ", "Courier New"},
    StringCase{"Fname=\t\"Courier New\"", "Courier New"},
    StringCase{"Fname=' Arial '", " Arial "},
    StringCase{"Fname=\"\"\"", "\""},
    StringCase{"Fname=\"Arial", "\"Arial"},
    StringCase{"Fname=\"Arial'", "\"Arial'"},
    StringCase{"Fname=\"", "\""},
    StringCase{"Fname=a=b", "a=b"},
    StringCase{"Fname=", ""},
    StringCase{"Fname=Таймс", "Таймс"}
));

TEST_F(IniFileRead, StringIsCutAtTwoThousandFortySevenCharacters)
{
    IniFile ini(path());
    put("[FONT]\nFname=" + QByteArray(2047, 'a') + "\n");
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString(2047, u'a'));
    put("[FONT]\nFname=" + QByteArray(5000, 'b') + "\n");
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString(2047, u'b'));
    // A character outside the basic plane straddling the cut is dropped whole.
    put("[FONT]\nFname=" + QByteArray(2046, 'c') + "\xF0\x9F\x98\x80" + "\n");
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString(2046, u'c'));
}

TEST_F(IniFileRead, OverlongLinesAndBinaryBytesDoNotHideLaterKeys)
{
    QByteArray bytes("[JUNK]\n");
    bytes += QByteArray(1024 * 1024, 'z') + "=" + QByteArray(500 * 1024, 'y') + "\n";
    bytes += QByteArray("\0\x01\xff\xfe\x80 [\0]=\r\r\n", 13);
    bytes += "[FONT]\nFsize=12\nFname=Arial\n";
    put(bytes);
    IniFile ini(path());
    EXPECT_EQ(ini.readInteger("FONT", "Fsize", 36), 12);
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), "Arial");
    EXPECT_EQ(ini.readString("JUNK", QString(1024 * 1024, u'z'), "").size(), 2047);
}

TEST_F(IniFileRead, NulInsideAValueIsPartOfTheValue)
{
    put(QByteArray("[FONT]\nFname=A\0B\n", 17));
    IniFile ini(path());
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString::fromUtf16(u"A\0B", 3));
}

TEST_F(IniFileRead, CodePage1251FileIsReadInCyrillic)
{
    QFile::copy(PVSTIM_TEST_DATA "/ini/cp1251.ini", path());
    IniFile ini(path());
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), QString::fromUtf8("Таймс Кириллица"));
    EXPECT_EQ(ini.readInteger("FONT", "Fsize", 36), 24);
}

TEST_F(IniFileRead, ByteOrderMarkDoesNotSpoilTheFirstSection)
{
    put("\xEF\xBB\xBF[FONT]\nFsize=12\n");
    EXPECT_EQ(IniFile(path()).readInteger("FONT", "Fsize", 36), 12);
}

TEST_F(IniFileRead, HandEditedFileReadsAsWritten)
{
    QFile::copy(PVSTIM_TEST_DATA "/ini/hand_edited.ini", path());
    IniFile ini(path());
    EXPECT_EQ(ini.readInteger("FONT", "Fsize", 36), 12);
    EXPECT_EQ(ini.readString("FONT", "Fname", ""), "Courier New");
    EXPECT_EQ(ini.readInteger("FONT", "BGcolor", 14611189), 16711680);
    EXPECT_EQ(ini.readInteger("FONT", "Fcolor", 8421504), 8421504);
    EXPECT_TRUE(ini.readBool("USES", "markers", false));
    EXPECT_TRUE(ini.readBool("USES", "images", true));
    EXPECT_EQ(ini.readInteger("MANUAL", "opacity", 20), 500);
    EXPECT_EQ(ini.readInteger("GENERAL", "freqency", 60), 60);
}

TEST_F(IniFileRead, FileOverTheSizeCapHoldsNoSettings)
{
    QByteArray bytes("[FONT]\nFsize=12\n");
    bytes += QByteArray(IniFile::kMaxFileSize - bytes.size(), ';');
    put(bytes);
    EXPECT_EQ(IniFile(path()).readInteger("FONT", "Fsize", 36), 12);
    put(bytes + ";");
    EXPECT_EQ(IniFile(path()).readInteger("FONT", "Fsize", 36), 36);
}

TEST_F(IniFileRead, FolderInPlaceOfTheFileHoldsNoSettings)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Config.ini"));
    EXPECT_EQ(IniFile(path()).readInteger("FONT", "Fsize", 36), 36);
}

}  // namespace
