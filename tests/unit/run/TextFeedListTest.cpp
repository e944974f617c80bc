// The text list, the hidden memo and loading a file into the reading text.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/Exceptions.h"
#include "framework/FileListBox.h"
#include "framework/Label.h"
#include "framework/Memo.h"
#include "run/ReadingTextLoad.h"
#include "run/StimulationWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::writeFile;

class TextFeedList : public ::testing::Test {
protected:
    QString folder(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir dir;
    TFileListBox list { QStringLiteral("*.txt") };
};

TEST_F(TextFeedList, TakesTxtFilesOfAnyCaseSortedWithoutRegardToCase)
{
    for (const char* name : { "b.txt", "A.TXT", "c.Txt", "Z.txt", ".hidden.txt", "d.text", "e.txt.bak", "notes" })
        writeFile(dir.path(), QString::fromUtf8(name), "x");
    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
    QFile::setPermissions(dir.path() + QStringLiteral("/b.txt"), QFileDevice::ReadOwner);

    list.ApplyFilePath(dir.path() + QLatin1Char('/'));

    EXPECT_EQ(list.Items(), QStringList({ ".hidden.txt", "A.TXT", "b.txt", "c.Txt", "Z.txt" }));
    EXPECT_EQ(list.Count(), 5);
}

TEST_F(TextFeedList, ReadsAFolderOnlyWhenPointedAtItAfresh)
{
    writeFile(dir.path(), QStringLiteral("one/a.txt"), "x");
    writeFile(dir.path(), QStringLiteral("two/b.txt"), "x");
    list.ApplyFilePath(folder(QStringLiteral("one/")));
    writeFile(dir.path(), QStringLiteral("one/late.txt"), "x");

    list.ApplyFilePath(folder(QStringLiteral("one/")));
    list.ApplyFilePath(folder(QStringLiteral("one")));
    EXPECT_EQ(list.Items(), QStringList({ "a.txt" })) << "the same folder was read again";

    list.ApplyFilePath(folder(QStringLiteral("two/")));
    EXPECT_EQ(list.Items(), QStringList({ "b.txt" }));
    list.ApplyFilePath(folder(QStringLiteral("one/")));
    EXPECT_EQ(list.Items(), QStringList({ "a.txt", "late.txt" }));
}

TEST_F(TextFeedList, MissingFolderIsAnInOutErrorThatKeepsTheList)
{
    writeFile(dir.path(), QStringLiteral("one/a.txt"), "x");
    list.ApplyFilePath(folder(QStringLiteral("one/")));

    EXPECT_THROW(list.ApplyFilePath(folder(QStringLiteral("missing/"))), EInOutError);
    EXPECT_EQ(list.Items(), QStringList({ "a.txt" }));
    EXPECT_EQ(list.folder(), QDir::cleanPath(folder(QStringLiteral("one"))));
}

TEST(TextFeedMemo, ReadsAtMost4096CharactersAndNothingPastTheEnd)
{
    TMemo memo;
    memo.setLines({ QString(5000, u'a'), QString(4096, u'b'), QStringLiteral("short") });
    memo.insert(0, QStringLiteral("title"));

    EXPECT_EQ(memo.Count(), 4);
    EXPECT_EQ(memo.line(0), QStringLiteral("title"));
    EXPECT_EQ(memo.line(1), QString(4096, u'a'));
    EXPECT_EQ(memo.line(2), QString(4096, u'b'));
    EXPECT_EQ(memo.line(3), QStringLiteral("short"));
    EXPECT_EQ(memo.line(4), QString());
    EXPECT_EQ(memo.line(-1), QString());
}

// Loading into the stimulation window of a whole window set.
class TextFeedLoad : public test::AppTest {
protected:
    QStringList memoLines() const { return stimulationWindow()->readingText.lines(); }
};

struct LoadCase {
    const char* what;
    QByteArray bytes;
    QStringList lines;  // after the title line
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.what; }

class TextFeedLoadShapes : public TextFeedLoad, public ::testing::WithParamInterface<LoadCase> { };

TEST_P(TextFeedLoadShapes, PutsTheFileNameFirstAndShowsIt)
{
    const LoadCase& c = GetParam();
    writeFile(dir.path(), QStringLiteral("elsewhere/Заметки.txt"), c.bytes);

    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("elsewhere/Заметки.txt")));

    EXPECT_EQ(memoLines(), QStringList { QStringLiteral("Заметки.txt") } + c.lines) << c.what;
    EXPECT_EQ(stimulationWindow()->textLine->Caption(), QStringLiteral("Заметки.txt"));
}

INSTANTIATE_TEST_SUITE_P(Table, TextFeedLoadShapes, ::testing::Values(
    LoadCase { "LF", "one\ntwo\n", { "one", "two" } },
    LoadCase { "no final break", "one\ntwo", { "one", "two" } },
    LoadCase { "CR LF and lone CR", "one\r\ntwo\rthree\r\n", { "one", "two", "three" } },
    LoadCase { "blank lines kept", "one\n\n\ntwo\n", { "one", "", "", "two" } },
    LoadCase { "empty file", "", {} },
    LoadCase { "UTF-8 with BOM", "\xEF\xBB\xBF\xD0\x9C\xD0\xB8\xD1\x80\n", { QStringLiteral("Мир") } },
    LoadCase { "code page 1251", "\xCC\xE8\xF0\r\n", { QStringLiteral("Мир") } }));

TEST_F(TextFeedLoad, ANewFileReplacesTheWholeText)
{
    writeFile(dir.path(), QStringLiteral("a.txt"), "1\n2\n3\n4\n");
    writeFile(dir.path(), QStringLiteral("b.txt"), "x\n");
    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("a.txt")));
    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("b.txt")));
    EXPECT_EQ(memoLines(), QStringList({ "b.txt", "x" }));
}

TEST_F(TextFeedLoad, AFailureKeepsTheTextAndTheTextLine)
{
    writeFile(dir.path(), QStringLiteral("good.txt"), "kept\n");
    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("good.txt")));
    {
        QFile big(path(QStringLiteral("big.txt")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(16 * 1024 * 1024 + 1));
    }

    try {
        setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("absent.txt")));
        ADD_FAILURE() << "a missing file was loaded";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot open file \""))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("absent.txt"))) << e.message().toStdString();
    }
    try {
        setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("big.txt")));
        ADD_FAILURE() << "a file over 16 MiB was loaded";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Text exceeds memo capacity"));
    }

    EXPECT_EQ(memoLines(), QStringList({ "good.txt", "kept" }));
    EXPECT_EQ(stimulationWindow()->textLine->Caption(), QStringLiteral("good.txt"));
}

}  // namespace
