#pragma once

#include "platform/Platform.h"

namespace pvstim {

// The flags kept for the user in pvstim.conf in the user's configuration folder
// (QStandardPaths::AppConfigLocation, for example ~/.config/pvstim/), apart from
// Config.ini. The file is read at every query and written at every change, so
// there is nothing to load or save. Knows nothing of what a flag means.
class UserFlags {
public:
    // False until set.
    static bool value(UserFlag flag);
    static void set(UserFlag flag, bool on);
};

}  // namespace pvstim
