#include "platform/FolderLayout.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pvstim {

namespace {

const QString kPictureFolder = QStringLiteral("fone/");
const QString kProgramFolder = QStringLiteral("/pvstim");
// Written at the first close, so its absence marks a first start.
const QString kSettingsFile = QStringLiteral("Config.ini");

// Whether the folder holds any of the program's own files. A copy whose settings
// or reading texts lie beside it is run from there even without its pictures, so
// that it never reads or writes the user's folders instead of its own.
bool holdsProgramFiles(const QString& dir)
{
    const QFileInfo settings(resolveCaseInsensitive(dir, kSettingsFile));
    return (settings.exists() && !settings.isDir())
        || QFileInfo(resolveCaseInsensitive(dir, kReadingTextFolder)).isDir()
        || QFileInfo(resolveCaseInsensitive(dir, kPictureFolder)).isDir();
}

QString withoutTrailingSeparator(QString dir)
{
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

}  // namespace

FolderLayout FolderLayout::decide(const QString& executableDir, const QString& installedDataDir,
    const QString& configHome, const QString& dataHome)
{
    FolderLayout layout;
    if (holdsProgramFiles(executableDir)) {
        layout.kind = Kind::Portable;
        layout.dataDir = layout.settingsDir = layout.userDataDir = withoutTrailingSeparator(executableDir);
        return layout;
    }
    layout.kind = Kind::Installed;
    layout.dataDir = withoutTrailingSeparator(QDir::cleanPath(installedDataDir));
    layout.settingsDir = withoutTrailingSeparator(configHome) + kProgramFolder;
    layout.userDataDir = withoutTrailingSeparator(dataHome) + kProgramFolder;
    return layout;
}

void FolderLayout::prepare() const
{
    if (kind == Kind::Portable)
        return;
    QDir().mkpath(settingsDir);
    const QString userTexts = resolveCaseInsensitive(userDataDir, kReadingTextFolder);
    const bool firstStart = !QFileInfo::exists(resolveCaseInsensitive(settingsDir, kSettingsFile));
    if ((!firstStart && QFileInfo::exists(userTexts)) || !QDir().mkpath(userTexts))
        return;
    const QDir shipped(resolveCaseInsensitive(dataDir, kReadingTextFolder));
    for (const QFileInfo& text : shipped.entryInfoList(QDir::Files)) {
        const QString copy = userTexts + text.fileName();
        // QFile::copy never replaces an existing file. The copy keeps the shipped
        // file's read-only mode, but the user's own copy is theirs to edit.
        if (QFile::copy(text.filePath(), copy))
            QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    }
}

}  // namespace pvstim
