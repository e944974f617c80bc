#include "framework/FileListBox.h"

#include "framework/Exceptions.h"

#include <QDir>
#include <QFileInfo>

namespace pvstim {

void TFileListBox::ApplyFilePath(const QString& folder)
{
    const QString canonical = QDir::cleanPath(folder);
    if (!folder_.isEmpty() && canonical == folder_)
        return;
    const QFileInfo info(canonical);
    if (!info.isDir())
        throw EInOutError(QStringLiteral("I/O error: the folder \"%1\" does not exist")
                              .arg(QDir::toNativeSeparators(folder)));
    QDir dir(canonical);
    dir.setNameFilters({ mask_ });
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    items_ = dir.entryList();
    folder_ = canonical;
}

}  // namespace pvstim
