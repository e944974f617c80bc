#pragma once

#include <QString>

namespace pvstim {

// Resolves a path written the way the program names its files ("fone\title1.bmp",
// "Mandals/3.jpg", "to_read\") against a base folder: either slash separates, and
// each component matches an existing entry without regard to case. Components that
// match nothing are kept as written, so the result names a file that does not exist.
// A trailing separator is kept as "/".
QString resolveCaseInsensitive(const QString& baseDir, const QString& relative);

// The same, against the executable folder of the installed platform.
QString besideExecutable(const QString& relative);

}  // namespace pvstim
