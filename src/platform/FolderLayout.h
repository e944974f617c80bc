#pragma once

#include <QString>

namespace pvstim {

// Where the program's files live, decided once at start-up from what lies beside
// the executable; there is no setting for it.
//  - Portable: any of the program's files (Config.ini, the to_read/ or the fone/
//    folder) lies beside the executable, and every file is found there.
//  - Installed: the shipped pictures and documents are read from the installed data
//    folder (<prefix>/share/pvstim), Config.ini lives in <config home>/pvstim and the
//    reading texts in <data home>/pvstim/to_read.
// Deciding touches nothing; prepare() creates the user's folders.
struct FolderLayout {
    enum class Kind { Portable, Installed };

    Kind kind = Kind::Portable;
    QString dataDir;
    QString settingsDir;
    QString userDataDir;

    static FolderLayout decide(const QString& executableDir, const QString& installedDataDir,
        const QString& configHome, const QString& dataHome);

    // Installed layout only: makes the settings folder, and on the first start (no
    // Config.ini written yet) or when the user's to_read/ is missing fills to_read/
    // with copies of the shipped texts. A file the user already has is never
    // overwritten. Failures are left for the windows to report when they use the
    // folders.
    void prepare() const;
};

}  // namespace pvstim
