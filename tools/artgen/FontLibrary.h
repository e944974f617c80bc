#pragma once

#include <QFont>
#include <QString>

namespace artgen {

// The faces the pictures are lettered in: the metric-compatible sans face, named
// exactly, so the letters do not depend on which face the desktop would pick.
class FontLibrary {
public:
    FontLibrary();
    // A bold sans face at an exact pixel size.
    QFont sansBold(int pixelSize) const;

private:
    QString sansFamily_;
};

}  // namespace artgen
