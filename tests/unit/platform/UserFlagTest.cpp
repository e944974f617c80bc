// The flags the real platform keeps for the user: in the user's configuration
// folder (pointed here at a fresh temporary one), read back by a later program.
#include "platform/QtPlatform.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

TEST(QtPlatformUserFlag, IsKeptInTheUsersConfigurationFolderForALaterProgram)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());

    {
        QtPlatform first;
        EXPECT_FALSE(first.userFlag(UserFlag::RunWarningConfirmed)) << "a new user has confirmed nothing";
        first.setUserFlag(UserFlag::RunWarningConfirmed, true);
    }
    QtPlatform later;
    EXPECT_TRUE(later.userFlag(UserFlag::RunWarningConfirmed));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/pvstim.conf")));

    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
