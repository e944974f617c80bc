// Every file the program reads is refused, without waiting on it, unless it is a
// regular file. A site that waits in open() hangs here until the test's time-out.
#include "gfx/PictureLoader.h"
#include "run/ReadingText.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string_view>
#include <sys/stat.h>

namespace {

using namespace pvstim;

// A named pipe without a writer, a device (through a link) or a folder, at a name
// the program reads as a reading text, a picture of either kind or its settings.
class SpecialFile : public ::testing::TestWithParam<std::tuple<const char*, const char*>> { };

TEST_P(SpecialFile, IsRefusedAsAFileThatCannotBeOpened)
{
    const auto [special, name] = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (std::string_view(special) == "pipe")
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (std::string_view(special) == "folder")
        ASSERT_TRUE(QDir().mkdir(path));
    else
        ASSERT_TRUE(QFile::link(QString::fromLatin1(special), path));

    if (path.endsWith(u".ini")) {
        EXPECT_FALSE(IniFile(path).load().ok()) << "settings read from a special file";
        return;
    }
    QString refusal;
    if (path.endsWith(u".txt")) {
        refusal = readTextFileLines(path).error();
    } else {
        const gfx::PictureLoadResult picture = gfx::loadPicture(path);
        EXPECT_TRUE(picture.isOpenFailure()) << picture.error().toStdString();
        refusal = picture.error();
    }
    const QString cannotOpen = QStringLiteral("Cannot open file \"%1\". ").arg(path);
    EXPECT_TRUE(refusal.startsWith(cannotOpen) && refusal.size() > cannotOpen.size()) << refusal.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, SpecialFile,
    ::testing::Combine(::testing::Values("pipe", "/dev/zero", "folder"),
        ::testing::Values("text.txt", "title0.bmp", "1.jpg", "Config.ini")),
    [](const auto& info) {
        std::string row = std::string(std::get<0>(info.param)) + '_' + std::get<1>(info.param);
        std::erase_if(row, [](char c) { return c == '/' || c == '.'; });
        return row;
    });

}  // namespace
