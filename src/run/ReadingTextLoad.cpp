#include "run/ReadingTextLoad.h"

#include "framework/Label.h"
#include "run/ReadingText.h"
#include "run/StimulationWindow.h"

#include <QFileInfo>

namespace pvstim {

void setReadingTextFromFile(StimulationWindow& stimulation, const QString& path)
{
    // Read the whole file before touching the memo, so a failure leaves it as it was.
    QStringList lines = readTextFileLinesOrThrow(path);
    lines.prepend(QFileInfo(path).fileName());
    stimulation.readingText.setLines(std::move(lines));
    stimulation.textLine->setCaption(stimulation.readingText.line(0));
}

}  // namespace pvstim
