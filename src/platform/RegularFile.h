#pragma once

#include <QFile>
#include <QString>

#include <optional>

namespace pvstim {

// Opens `file` (its name already set) for reading, never waiting on what the name
// leads to: a named pipe with no writer, a device or a folder is refused at once,
// and only a regular file (or a link to one) is opened. Reading then blocks as it
// does for any file, so a file that is opened reads whole.
//
// Nothing when `file` is open; otherwise the reason it is not, in the system's
// words as QFile gives them ("No such file or directory", "Permission denied"),
// and `file` stays closed. Every file the program reads goes through here.
[[nodiscard]] std::optional<QString> openRegularFile(QFile& file);

}  // namespace pvstim
