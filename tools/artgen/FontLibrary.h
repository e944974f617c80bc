#pragma once

#include <QFont>
#include <QString>

namespace artgen {

// The faces the pictures are lettered in. The metric-compatible sans face is loaded
// from its font file when it is installed there, so the letters do not depend on
// which fonts the desktop would otherwise pick.
class FontLibrary {
public:
    FontLibrary();
    // A bold sans face at an exact pixel size.
    QFont sansBold(int pixelSize) const;

private:
    QString sansFamily_;
};

}  // namespace artgen
