#include "AppFixture.h"

#include "settings/IniFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <random>

using namespace pvstim;
using namespace pvstim::test;

namespace {

// The two sets of values the stress program alternates between, key by key.
struct KeyValues {
    const char* section;
    const char* key;
    const char* first;
    const char* second;
};

const KeyValues kKeys[] = {
    { "MANUAL", "opacity", "20", "20" },
    { "USES", "markers", "1", "0" },
    { "USES", "images", "1", "0" },
    { "FONT", "BGcolor", "14611189", "65280" },
    { "FONT", "Fcolor", "8421504", "255" },
    { "FONT", "Fsize", "36", "72" },
    { "FONT", "Fname", "Times New Roman", "Arial" },
    { "FONT", "Fstyle", "1", "2" },
    { "GENERAL", "freqency", "60", "990" },
};

}  // namespace

// Kills the saving program at random moments, many times over: the file must
// always be whole, every key holding one of the two values it was ever given.
TEST(SettingsKillTest, ConfigSurvivesSigkillDuringSaves)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("to_read"));
    // The old settings: a complete file with the first set of values.
    QByteArray old;
    for (const char* section : { "MANUAL", "USES", "FONT", "GENERAL" }) {
        old += QByteArray("[") + section + "]\n";
        for (const KeyValues& k : kKeys) {
            if (qstrcmp(k.section, section) == 0)
                old += QByteArray(k.key) + "=" + k.first + "\n";
        }
    }
    writeFile(dir.path(), QStringLiteral("Config.ini"), old);
    const QString program = QStringLiteral(PVSTIM_BUILD_DIR "/pvstim_save_stress");
    ASSERT_TRUE(QFileInfo::exists(program));

    std::mt19937 random(20261208);
    // Each kill comes after a chosen save has ended, a random moment into the saves
    // that follow it: one save writes nine keys, each synced to disk.
    std::uniform_int_distribution<unsigned> savesBefore(0, 3);
    std::uniform_int_distribution<int> delayUs(0, 100000);
    const int kills = 200;
    // How often a kill left the line interval at the second set's value: kills must
    // land among the saves, not only before the first one.
    int secondSetSeen = 0;
    for (int i = 0; i < kills; ++i) {
        QProcess process;
        process.start(program, { dir.path() });
        ASSERT_TRUE(process.waitForStarted(60000));
        const QByteArray saved = "saved " + QByteArray::number(savesBefore(random)) + "\n";
        QByteArray said;
        while (!said.contains(saved)) {
            ASSERT_TRUE(process.waitForReadyRead(60000)) << "stress program did not save: " << said.toStdString();
            said += process.readAllStandardOutput();
        }
        QThread::usleep(static_cast<unsigned long>(delayUs(random)));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(60000);

        const QString config = dir.path() + QStringLiteral("/Config.ini");
        ASSERT_TRUE(QFileInfo::exists(config)) << "kill " << i << ": Config.ini is gone";
        IniFile ini(config);
        auto document = ini.load();
        ASSERT_TRUE(document.ok()) << document.error().toStdString();
        for (const KeyValues& k : kKeys) {
            const auto value = document.value().value(QString::fromLatin1(k.section), QString::fromLatin1(k.key));
            ASSERT_TRUE(value.has_value()) << "kill " << i << ": key " << k.key << " missing";
            ASSERT_TRUE(*value == QLatin1String(k.first) || *value == QLatin1String(k.second))
                << "kill " << i << ": " << k.key << "=" << value->toStdString();
            if (qstrcmp(k.key, "freqency") == 0 && *value == QLatin1String(k.second))
                ++secondSetSeen;
        }
    }
    EXPECT_GT(secondSetSeen, kills / 10);
    EXPECT_LT(secondSetSeen, kills * 9 / 10);
}
