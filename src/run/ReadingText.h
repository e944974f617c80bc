#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace pvstim {

// A reading-text file is refused above this many bytes, before it is read whole.
inline constexpr qint64 kMaxReadingTextBytes = 16 * 1024 * 1024;

// The lines of a reading-text file, without the title line the callers put first.
// The bytes are decoded as UTF-8 when they are valid UTF-8 (a byte-order mark is
// dropped) and as code page 1251 otherwise. The reason of a failure is the whole
// message for the user: "Cannot open file "%s". %s" with the file's full path and
// the system's text for the error, or "Text exceeds memo capacity".
[[nodiscard]] Result<QStringList> readTextFileLines(const QString& path);

// The same for window-level code: throws EFOpenError or EOutOfResources with the
// messages above.
QStringList readTextFileLinesOrThrow(const QString& path);

// Splits at CR LF, a lone CR or a lone LF. A text ending with a line break gains no
// empty last line, and an empty text has no lines.
QStringList splitLines(const QString& text);

}  // namespace pvstim
