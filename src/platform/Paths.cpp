#include "platform/Paths.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace pvstim {

QString resolveCaseInsensitive(const QString& baseDir, const QString& relative)
{
    QString normalized = relative;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool trailingSeparator = normalized.endsWith(QLatin1Char('/'));
    const QStringList parts = normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString current = baseDir;
    if (current.endsWith(QLatin1Char('/')) && current.size() > 1)
        current.chop(1);
    bool stillResolving = true;
    for (const QString& part : parts) {
        QString chosen = part;
        if (stillResolving && part != QLatin1String(".") && part != QLatin1String("..")
            && !QFileInfo::exists(current + QLatin1Char('/') + part)) {
            stillResolving = false;
            const QStringList entries = QDir(current).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    chosen = entry;
                    stillResolving = true;
                    break;
                }
            }
        }
        current += QLatin1Char('/') + chosen;
    }
    if (trailingSeparator)
        current += QLatin1Char('/');
    return current;
}

QString inDataDir(const QString& relative) { return resolveCaseInsensitive(platform().dataDir(), relative); }

QString inSettingsDir(const QString& relative)
{
    return resolveCaseInsensitive(platform().settingsDir(), relative);
}

QString inUserDataDir(const QString& relative)
{
    return resolveCaseInsensitive(platform().userDataDir(), relative);
}

QString readingTextFolder() { return inUserDataDir(kReadingTextFolder); }

}  // namespace pvstim
