// The build-time generator: the same sources give the same bytes, run after run,
// and a failure is reported as one.
#include "ArtTestSupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every file under `folder`, by its path relative to it, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), arttest::readAll(path));
    }
    return files;
}

struct GeneratorRun {
    int exitCode;
    QString errors;
};

GeneratorRun runGenerator(const QStringList& arguments)
{
    QProcess process;
    process.start(arttest::generatorPath(), arguments);
    if (!process.waitForFinished(120000))
        return { -1, QStringLiteral("did not finish") };
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError()) };
}

TEST(ArtGenerator, SameSourcesGiveTheSameBytes)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    for (const QTemporaryDir* dir : { &first, &second }) {
        const GeneratorRun run = runGenerator({ QStringLiteral("--art"), dir->filePath(QStringLiteral("art")),
            QStringLiteral("--files"), dir->filePath(QStringLiteral("files")) });
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    }
    const QMap<QString, QByteArray> a = filesUnder(first.path());
    const QMap<QString, QByteArray> b = filesUnder(second.path());
    ASSERT_GE(a.size(), 8 + 6 + 2 + 3 + 4 + 3);
    ASSERT_EQ(a.keys(), b.keys());
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        EXPECT_TRUE(it.value() == b.value(it.key())) << it.key().toStdString() << " differs between runs";

    // The build ran the same generator on the same sources.
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        QString relative = it.key();
        relative.remove(0, relative.indexOf(u'/') + 1);
        const QString inBuild = it.key().startsWith(QLatin1String("art/")) ? QStringLiteral("art/") + relative : relative;
        EXPECT_TRUE(arttest::readAll(arttest::built(inBuild)) == it.value()) << inBuild.toStdString();
    }
}

TEST(ArtGenerator, MissingSourcesFailTheRun)
{
    QTemporaryDir out;
    QTemporaryDir emptySources;
    ASSERT_TRUE(out.isValid() && emptySources.isValid());
    const GeneratorRun run = runGenerator({ QStringLiteral("--art"), out.filePath(QStringLiteral("art")),
        QStringLiteral("--files"), out.filePath(QStringLiteral("files")), QStringLiteral("--sources"),
        emptySources.path() });
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("to_read.tsv"))) << run.errors.toStdString();
}

TEST(ArtGenerator, ACharacterOutsideTheCodePageFailsTheRun)
{
    QTemporaryDir sources;
    QTemporaryDir out;
    ASSERT_TRUE(sources.isValid() && out.isValid());
    for (const QString& name : { QStringLiteral("docs/ReadMe.txt"), QStringLiteral("docs/Ритмы.txt"),
             QStringLiteral("docs/Vellamor.txt") }) {
        QDir().mkpath(QFileInfo(sources.filePath(name)).absolutePath());
        QFile file(sources.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# x\n");
    }
    QDir().mkpath(sources.filePath(QStringLiteral("to_read")));
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(sources.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("to_read.tsv"), "t.txt\tcp1251\tlf\tbreak\n");
    write(QStringLiteral("to_read/t.txt"), QStringLiteral("Дом \u4E00\n").toUtf8());
    const GeneratorRun run = runGenerator({ QStringLiteral("--art"), out.filePath(QStringLiteral("art")),
        QStringLiteral("--files"), out.filePath(QStringLiteral("files")), QStringLiteral("--sources"), sources.path() });
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("U+4E00"))) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("files/to_read/t.txt")))) << "a wrong text was written";
}

}  // namespace
