// Saves the control window's settings over and over, alternating between two sets
// of values (round 0 the first, round 1 the second, ...) and saying "saved <round>"
// after each save, until it is killed. The settings-kill test starts it, kills it with
// SIGKILL at random moments and checks what is left in Config.ini.
//
//   pvstim_save_stress <folder>    folder: the executable folder to use (it must hold to_read/)
#include "FakePlatform.h"
#include "app/WindowSet.h"
#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Font.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"

#include <QApplication>

#include <cstdio>

using namespace pvstim;

namespace {

// The control window of the program, made in main().
ControlWindow* controlWindow = nullptr;

void applySet(bool second)
{
    controlWindow->lineIntervalSpin->setValue(second ? 990 : 60);
    controlWindow->markersBox->setChecked(!second);
    controlWindow->mandalasBox->setChecked(!second);
    TFont font = controlWindow->textPreview->Font();
    font.size = second ? 72 : 36;
    font.setName(second ? QStringLiteral("Arial") : QStringLiteral("Times New Roman"));
    font.color = second ? 255 : 8421504;
    font.style = second ? TFont::Italic : TFont::Bold;
    controlWindow->textPreview->setFont(font);
    controlWindow->textPreview->setColor(second ? 65280 : 14611189);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform platform;
    platform.setExecutableDir(QString::fromLocal8Bit(argv[1]));
    Platform::install(&platform);
    WindowSet windows;
    controlWindow = &windows.control();
    std::fprintf(stdout, "ready\n");
    std::fflush(stdout);
    for (unsigned round = 0;; ++round) {
        applySet(round % 2 == 1);
        controlWindow->saveSettings();
        std::fprintf(stdout, "saved %u\n", round);
        std::fflush(stdout);
    }
}
