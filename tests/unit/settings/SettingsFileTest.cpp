#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "settings/IniFile.h"

using namespace pvstim;
using namespace pvstim::test;

namespace {

const char* const kDefaultFile =
    "[MANUAL]\nopacity=20\n[USES]\nmarkers=1\nimages=1\n[FONT]\nBGcolor=14611189\nFcolor=8421504\n"
    "Fsize=36\nFname=Times New Roman\nFstyle=1\n[GENERAL]\nfreqency=60";

QString nonBlankLines(const QByteArray& bytes)
{
    QStringList lines;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

// Starts the program over a given Config.ini (or none) and closes it again.
class SettingsFileTest : public AppTest {
protected:
    void startWith(const QByteArray& config)
    {
        if (!config.isNull())
            writeFile(dir.path(), "Config.ini", config);
        start();
    }
    void prepare() override { autoStart = false; }
    QString configText() const { return QString::fromUtf8(readFile(path("Config.ini"))); }
};

TEST_F(SettingsFileTest, FirstCloseWritesTheThirteenDefaultLines)
{
    startWith(QByteArray());
    controlWindow()->Close();
    EXPECT_EQ(nonBlankLines(readFile(path("Config.ini"))), QString::fromUtf8(kDefaultFile));
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(SettingsFileTest, OutOfRangeNumbersAreClampedIntoTheSpinEdits)
{
    startWith("[MANUAL]\nopacity=500\n[GENERAL]\nfreqency=5\n");
    EXPECT_EQ(controlWindow()->intensitySpin->Value(), 100);
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), 10);
}

struct BoolCase {
    const char* value;
    bool checked;
};

class MarkersValueTest : public SettingsFileTest, public ::testing::WithParamInterface<BoolCase> { };

TEST_P(MarkersValueTest, ReadsAsInteger)
{
    startWith(QByteArray("[USES]\nmarkers=") + GetParam().value + "\nimages=" + GetParam().value + "\n");
    EXPECT_EQ(controlWindow()->markersBox->isChecked(), GetParam().checked);
    EXPECT_EQ(controlWindow()->mandalasBox->isChecked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Values, MarkersValueTest,
    ::testing::Values(BoolCase { "2", true }, BoolCase { "0", false }, BoolCase { "", true },
        BoolCase { "-1", true }, BoolCase { "no", true }, BoolCase { "0x0", false }, BoolCase { "0x", true }));

TEST_F(SettingsFileTest, ColoursReadInDecimalHexadecimalOrAsDefault)
{
    startWith("[FONT]\nBGcolor=0xFF0000\nFcolor=green\n");
    EXPECT_EQ(controlWindow()->textPreview->Color(), 0x00FF0000) << "hexadecimal prefix: blue";
    EXPECT_EQ(controlWindow()->textPreview->Font().color, 0x00808080) << "a word reads as the default";
    EXPECT_EQ(controlWindow()->previewColorBox->Selected(), 0x00FF0000);
}

TEST_F(SettingsFileTest, SystemColourIsSavedNegativeAndReadBackTheSame)
{
    startWith("[FONT]\nBGcolor=-16777201\n");
    EXPECT_EQ(controlWindow()->textPreview->Color(), TColor(0xFF00000F));
    EXPECT_EQ(controlWindow()->previewColorBox->Selected(), TColor(0xFF00000F));
    controlWindow()->Close();
    EXPECT_TRUE(configText().contains(QStringLiteral("BGcolor=-16777201"))) << configText().toStdString();
}

TEST_F(SettingsFileTest, StyleOutsideTheTableKeepsBoldAndSavesOne)
{
    startWith("[FONT]\nFstyle=7\n");
    EXPECT_EQ(controlWindow()->textPreview->Font().style, unsigned(TFont::Bold));
    controlWindow()->Close();
    EXPECT_TRUE(configText().contains(QStringLiteral("Fstyle=1")));
}

TEST_F(SettingsFileTest, UnderlinedFontLeavesTheStoredStyleAlone)
{
    startWith("[FONT]\nFstyle=2\n");
    TFont font = controlWindow()->textPreview->Font();
    font.style = TFont::Italic | TFont::Underline;
    controlWindow()->textPreview->setFont(font);
    controlWindow()->Close();
    EXPECT_TRUE(configText().contains(QStringLiteral("Fstyle=2"))) << configText().toStdString();
}

TEST_F(SettingsFileTest, FontNameEmptyOrOverLong)
{
    startWith("[FONT]\nFname=\n");
    EXPECT_EQ(controlWindow()->textPreview->Font().name, QStringLiteral("Times New Roman"));
    destroyWindowSet();
    startWith("[FONT]\nFname=An Extremely Long Font Family Name That Goes On\n");
    EXPECT_EQ(controlWindow()->textPreview->Font().name, QStringLiteral("An Extremely Long Font Family N"));
    EXPECT_EQ(controlWindow()->textPreview->Font().name.size(), 31);
}

TEST_F(SettingsFileTest, KeysAndSectionsMatchWithoutRegardToCaseAndOtherContentSurvives)
{
    startWith("; my notes\n[font]\nFSIZE=20\n[Other]\nkeep=me\n");
    EXPECT_EQ(controlWindow()->textPreview->Font().size, 20);
    controlWindow()->Close();
    const QString text = configText();
    EXPECT_TRUE(text.contains(QStringLiteral("; my notes")));
    EXPECT_TRUE(text.contains(QStringLiteral("[Other]\nkeep=me")));
    EXPECT_EQ(text.count(QStringLiteral("Fsize"), Qt::CaseInsensitive), 1);
}

TEST_F(SettingsFileTest, FailedWriteShowsTheErrorLeavesTheOldFileAndStillCloses)
{
    // A file over the size the program accepts is never replaced.
    QByteArray huge("[FONT]\nFsize=20\n");
    huge.append(QByteArray(IniFile::kMaxFileSize, ';'));
    startWith(huge);
    EXPECT_EQ(controlWindow()->textPreview->Font().size, 36) << "an oversized file holds no settings";
    controlWindow()->Close();
    EXPECT_TRUE(controlWindow()->isClosed());
    ASSERT_EQ(fake.errors.size(), 1);
    EXPECT_EQ(fake.errors[0], QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path("Config.ini"))));
    EXPECT_EQ(readFile(path("Config.ini")), huge);
}

TEST_F(SettingsFileTest, WriteFailingAtALaterKeyKeepsTheKeysBeforeItAndLeavesTheRestAndTheFileWhole)
{
    // The file is at the size limit: values of the same length still fit, a longer
    // font name does not.
    QByteArray full("[MANUAL]\nopacity=20\n[USES]\nmarkers=1\nimages=1\n[FONT]\nBGcolor=14611189\n"
                    "Fcolor=8421504\nFsize=36\nFname=Arial\nFstyle=1\n[GENERAL]\nfreqency=60\n;");
    full.append(QByteArray(IniFile::kMaxFileSize - full.size() - 1, ';')).append('\n');
    startWith(full);
    ASSERT_EQ(controlWindow()->textPreview->Font().name, QStringLiteral("Arial"));
    controlWindow()->intensitySpin->setValue(55);
    controlWindow()->markersBox->setChecked(false);
    controlWindow()->lineIntervalSpin->setValue(90);
    TFont font = controlWindow()->textPreview->Font();
    font.size = 48;
    font.name = QStringLiteral("Times New Roman");
    font.style = TFont::Italic;
    controlWindow()->textPreview->setFont(font);
    controlWindow()->Close();

    ASSERT_EQ(fake.errors.size(), 1);
    const QByteArray saved = readFile(path("Config.ini"));
    EXPECT_EQ(saved.size(), IniFile::kMaxFileSize);
    EXPECT_TRUE(saved.endsWith(QByteArray(1000, ';') + '\n'));
    const QString text = QString::fromUtf8(saved.left(200));
    for (const char* line : { "opacity=55", "markers=0", "images=1", "Fsize=48", "Fname=Arial", "Fstyle=1", "freqency=60" })
        EXPECT_TRUE(text.contains(QLatin1String(line + QByteArray("\n")))) << line << "\n" << text.toStdString();
}

// A file as the program wrote it before its windows' names changed: every value is
// read into its control, and closing writes the file back byte for byte, so either
// build reads what the other wrote.
TEST_F(SettingsFileTest, AFileWrittenByTheEarlierBuildIsReadAndWrittenBackByteForByte)
{
    const QByteArray earlier = "[MANUAL]\nopacity=20\n[USES]\nmarkers=0\nimages=0\n[FONT]\nBGcolor=65280\n"
                               "Fcolor=255\nFsize=72\nFname=Times New Roman\nFstyle=1\n[GENERAL]\nfreqency=60\n";
    startWith(earlier);
    EXPECT_FALSE(controlWindow()->markersBox->isChecked());
    EXPECT_EQ(controlWindow()->textPreview->Color(), TColor(65280));
    EXPECT_EQ(controlWindow()->textPreview->Font().size, 72);
    controlWindow()->Close();
    EXPECT_EQ(readFile(path("Config.ini")), earlier);
}

TEST_F(SettingsFileTest, BinaryGarbageFallsBackToDefaults)
{
    QByteArray garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.append(char((i * 7919) & 0xFF));
    startWith(garbage);
    EXPECT_EQ(controlWindow()->textPreview->Font().size, 36);
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), 60);
    EXPECT_TRUE(fake.errors.isEmpty());
}
