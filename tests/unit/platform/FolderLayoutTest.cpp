// Which layout the program runs in, and what the first start of an installed
// program puts in the user's folders.
#include "platform/FolderLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pvstim;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct DecideCase {
    const char* name;
    const char* besideExecutable;  // what lies beside the executable: "dir/" or "file"
    bool portable;
};

class FolderLayoutDecideTest : public ::testing::TestWithParam<DecideCase> { };

TEST_P(FolderLayoutDecideTest, PortableWhenTheProgramsFilesLieBesideTheExecutable)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString beside = QString::fromUtf8(GetParam().besideExecutable);
    if (beside.endsWith(QLatin1Char('/')))
        QDir(bin).mkpath(beside);
    else if (!beside.isEmpty())
        writeFile(bin + QLatin1Char('/') + beside, "x");

    const FolderLayout layout = FolderLayout::decide(bin + QLatin1Char('/'),
        bin + QStringLiteral("/../share/pvstim"), root.filePath(QStringLiteral("config")),
        root.filePath(QStringLiteral("data/")));
    if (GetParam().portable) {
        EXPECT_EQ(layout.kind, FolderLayout::Kind::Portable);
        EXPECT_EQ(layout.dataDir, bin);
        EXPECT_EQ(layout.settingsDir, bin);
        EXPECT_EQ(layout.userDataDir, bin);
    } else {
        EXPECT_EQ(layout.kind, FolderLayout::Kind::Installed);
        EXPECT_EQ(layout.dataDir, root.filePath(QStringLiteral("share/pvstim")));
        EXPECT_EQ(layout.settingsDir, root.filePath(QStringLiteral("config/pvstim")));
        EXPECT_EQ(layout.userDataDir, root.filePath(QStringLiteral("data/pvstim")));
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FolderLayoutDecideTest,
    ::testing::Values(DecideCase { "DataFolder", "fone/", true },
        DecideCase { "DataFolderInOtherCase", "FONE/", true },
        DecideCase { "NothingBeside", "", false },
        DecideCase { "AFileNamedLikeTheFolder", "fone", false },
        DecideCase { "OnlyTheTextFolder", "to_read/", true },
        DecideCase { "OnlyTheSettingsFile", "Config.ini", true },
        DecideCase { "AFolderNamedLikeTheSettingsFile", "Config.ini/", false }),
    [](const auto& info) { return std::string(info.param.name); });

// An installed program's first and later starts.
struct PrepareCase {
    const char* name;
    bool configWritten;   // Config.ini already in the settings folder
    bool userTextFolder;  // the user's to_read/ exists (holding own.txt and a changed a.txt)
    // What the user's to_read/ holds afterwards: a.txt's text, and whether b.txt is there.
    const char* aText;
    bool bCopied;
};

class FolderLayoutPrepareTest : public ::testing::TestWithParam<PrepareCase> { };

TEST_P(FolderLayoutPrepareTest, FillsTheUserTextsWithoutOverwriting)
{
    const PrepareCase& c = GetParam();
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString shipped = root.filePath(QStringLiteral("share/pvstim/to_read/"));
    QDir().mkpath(bin);
    writeFile(shipped + QStringLiteral("a.txt"), "shipped a");
    writeFile(shipped + QStringLiteral("b.txt"), "shipped b");
    QFile::setPermissions(shipped + QStringLiteral("b.txt"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const FolderLayout layout = FolderLayout::decide(bin, root.filePath(QStringLiteral("share/pvstim")),
        root.filePath(QStringLiteral("config")), root.filePath(QStringLiteral("data")));
    const QString texts = layout.userDataDir + QStringLiteral("/to_read/");
    if (c.configWritten)
        writeFile(layout.settingsDir + QStringLiteral("/Config.ini"), "[FONT]\n");
    if (c.userTextFolder) {
        writeFile(texts + QStringLiteral("a.txt"), "user a");
        writeFile(texts + QStringLiteral("own.txt"), "own");
    }

    layout.prepare();

    EXPECT_TRUE(QFileInfo(layout.settingsDir).isDir()) << "no folder to write Config.ini into";
    EXPECT_EQ(readFile(texts + QStringLiteral("a.txt")), QByteArray(c.aText));
    EXPECT_EQ(QFileInfo::exists(texts + QStringLiteral("b.txt")), c.bCopied);
    if (c.bCopied) {
        EXPECT_TRUE(QFile::permissions(texts + QStringLiteral("b.txt")) & QFile::WriteOwner)
            << "the user's copy is read-only";
    }
    if (c.userTextFolder) {
        EXPECT_EQ(readFile(texts + QStringLiteral("own.txt")), QByteArray("own"));
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, FolderLayoutPrepareTest,
    ::testing::Values(PrepareCase { "FirstStart", false, false, "shipped a", true },
        PrepareCase { "FirstStartWithTheUsersOwnTexts", false, true, "user a", true },
        // A text the user deleted after the first start stays deleted.
        PrepareCase { "LaterStart", true, true, "user a", false },
        PrepareCase { "LaterStartWithoutTheTextFolder", true, false, "shipped a", true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FolderLayoutPortableTest, PreparingCreatesNothing)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("fone"));
    const FolderLayout layout = FolderLayout::decide(root.path(), root.filePath(QStringLiteral("share")),
        root.filePath(QStringLiteral("config")), root.filePath(QStringLiteral("data")));
    layout.prepare();
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList { QStringLiteral("fone") });
}

}  // namespace
