#pragma once

#include <QString>

namespace pvstim {

// Resolves a path written the way the program names its files ("fone\title1.bmp",
// "Mandals/3.jpg", "to_read\") against a base folder: either slash separates, and
// each component matches an existing entry without regard to case. Components that
// match nothing are kept as written, so the result names a file that does not exist.
// A trailing separator is kept as "/".
QString resolveCaseInsensitive(const QString& baseDir, const QString& relative);

// The same, against the folders of the installed platform: the shipped pictures and
// documents, the settings file's folder, and the user's folder that holds to_read/.
QString inDataDir(const QString& relative);
QString inSettingsDir(const QString& relative);
QString inUserDataDir(const QString& relative);

// The reading texts' folder: its name, and the folder itself in the user's data
// folder (with a trailing "/").
inline const QString kReadingTextFolder = QStringLiteral("to_read/");
QString readingTextFolder();

}  // namespace pvstim
