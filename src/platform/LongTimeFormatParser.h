#pragma once

#include "platform/Platform.h"

#include <QString>

namespace pvstim {

// Reads a Qt time format (QLocale::timeFormat, "HH:mm:ss", "h:mm:ss AP", ...) into
// the long time format the clock shows. Only the hour, minute and second fields
// and the AM/PM designator count; milliseconds and the time zone are dropped, and
// words between the fields are not kept as the separator.
class LongTimeFormatParser {
public:
    static LongTimeFormat parse(const QString& qtFormat, const QString& am, const QString& pm);
};

}  // namespace pvstim
