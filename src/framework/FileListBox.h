#pragma once

#include <QString>
#include <QStringList>

namespace pvstim {

// The hidden list of the files in one folder that match a mask ("*.txt" matched
// without regard to case), sorted by name without regard to case. Sub-folders are
// left out; hidden and read-only files count. The folder is read when the list is
// pointed at it, and not again when pointed at the same folder.
class TFileListBox {
public:
    explicit TFileListBox(QString mask = QStringLiteral("*.*")) : mask_(std::move(mask)) { }

    // Points the list at a folder. Throws EInOutError when the folder does not
    // exist; the list is unchanged then.
    void ApplyFilePath(const QString& folder);
    const QString& folder() const { return folder_; }
    int Count() const { return int(items_.size()); }
    const QStringList& Items() const { return items_; }

private:
    QString mask_;
    QString folder_;
    QStringList items_;
};

}  // namespace pvstim
