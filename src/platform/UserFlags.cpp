#include "platform/UserFlags.h"

#include <QSettings>
#include <QStandardPaths>

namespace pvstim {

namespace {

// The user's own file, apart from Config.ini.
QString userFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/pvstim.conf");
}

QString userFlagKey(UserFlag flag)
{
    switch (flag) {
    case UserFlag::RunWarningConfirmed:
        return QStringLiteral("warning/confirmed");
    }
    Q_UNREACHABLE();
}

}  // namespace

bool UserFlags::value(UserFlag flag)
{
    return QSettings(userFile(), QSettings::IniFormat).value(userFlagKey(flag), false).toBool();
}

void UserFlags::set(UserFlag flag, bool on)
{
    // A flag that cannot be written is asked for again next time; nothing is lost.
    QSettings file(userFile(), QSettings::IniFormat);
    file.setValue(userFlagKey(flag), on);
    file.sync();
}

}  // namespace pvstim
