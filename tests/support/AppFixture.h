#pragma once

#include "FakePlatform.h"
#include "app/WindowSet.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace pvstim::test {

// The window set of the test that runs: made by the fixture (or by a test that
// starts the program afresh), dropped at the test's end. The windows are reached
// through it, from the test bodies and from the helpers they call.
inline std::unique_ptr<WindowSet>& currentWindowSet()
{
    static std::unique_ptr<WindowSet> windows;
    return windows;
}
inline void destroyWindowSet() { currentWindowSet().reset(); }
inline void createWindowSet()
{
    destroyWindowSet();
    currentWindowSet() = std::make_unique<WindowSet>();
}
inline ControlWindow* controlWindow() { return &currentWindowSet()->control(); }
inline StimulationWindow* stimulationWindow() { return &currentWindowSet()->stimulation(); }
inline OverlayWindow* overlayWindow() { return &currentWindowSet()->overlay(); }
inline MiniBar* miniBar() { return &currentWindowSet()->miniBar(); }
inline ClockPlate* clockPlate() { return &currentWindowSet()->clock(); }

// Writes a file (creating its folder) below `root`.
inline void writeFile(const QString& root, const QString& relative, const QByteArray& bytes)
{
    const QString path = root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The whole program on the fake platform: a fresh executable folder with a
// to_read/ holding one text, the five windows created in order.
// Override prepare() to lay out the folder (Config.ini, texts, pictures) and set
// the fake's clock, screen or time before the windows are created; call start()
// yourself when a test must act before creation (set autoStart = false).
class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        fake.setExecutableDir(dir.path());
        // Pictures a timer asks for arrive right after its tick, as if decoding took
        // no time; a test of decoding that does not end turns this off.
        fake.finishJobsAfterEachCallback = true;
        Platform::install(&fake);
        writeFile(dir.path(), QStringLiteral("to_read/sample.txt"), "First line\nSecond line\nThird line\n");
        prepare();
        if (autoStart)
            start();
    }

    void TearDown() override
    {
        destroyWindowSet();
        Platform::install(nullptr);
    }

    virtual void prepare() { }

    void start() { createWindowSet(); }

    QString path(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }

    FakePlatform fake;
    QTemporaryDir dir;
    bool autoStart = true;
};

}  // namespace pvstim::test
