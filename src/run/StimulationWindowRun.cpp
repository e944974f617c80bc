// A run as the stimulation window shows it: started with the settings Start hands
// over, its progress along the top edge, and its end.
#include "run/StimulationWindow.h"

#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "run/ReadingTextLoad.h"
#include "run/StopKey.h"
#include "widgets/TGauge.h"

#include <QDir>

namespace pvstim {

void StimulationWindow::startRun(const RunSettings& run)
{
    Show();
    SendToBack();
    stopKey->setActive(true);
    textLine->setFont(run.font);
    setColor(run.background);
    textLine->setBounds(30, Height() / 2 - 80, Width() - 60, textLine->Height());
    if (run.startHz)
        flicker.frequency = *run.startHz;
    if (run.autoDrift)
        flicker.autoDrift = *run.autoDrift;
    // The strip starts full and shown until the first second, also when Start is
    // used again during a run.
    progressStrip->setProgress(100);
    progressStrip->show();
    lineTimer->setEnabled(true);
    if (run.markers)
        markerTimer->setEnabled(true);
    if (run.mandalas)
        mandalaTimer->setEnabled(true);
}

void StimulationWindow::showProgress(int percent) { progressStrip->setProgress(percent); }

void StimulationWindow::onRunSecond(double driftStep)
{
    progressStrip->setVisible(platform().cursorPos().y() == 0);
    flicker.driftOverRun(driftStep);
}

void StimulationWindow::endRun()
{
    // The flicker stops first. No timer of the run may tick again.
    stopKey->setActive(false);
    Hide();
    for (TTimer* timer : { flipTimer, lineTimer, markerTimer, mandalaTimer })
        timer->setEnabled(false);
}

void StimulationWindow::loadRandomReadingText()
{
    const QString folder = readingTextFolder();
    const auto noText = [&folder](const QString& reason) {
        return EInOutError(QStringLiteral("No reading text can be loaded from the folder \"%1\": %2")
                               .arg(QDir::toNativeSeparators(folder), reason));
    };

    try {
        textFiles.ApplyFilePath(folder);
    } catch (const EInOutError&) {
        throw noText(QStringLiteral("the folder does not exist."));
    }
    if (textFiles.Count() == 0)
        throw noText(QStringLiteral("the folder holds no .txt file."));

    const QString name = textFiles.Items().at(platform().randomInRange(0, textFiles.Count()));
    try {
        setReadingTextFromFile(*this, folder + name);
    } catch (const Exception& e) {
        throw noText(e.message());
    }
}

}  // namespace pvstim
