#include "run/ReadingTextLoad.h"

#include "framework/Label.h"
#include "run/ReadingText.h"
#include "run/TForm2.h"

#include <QFileInfo>

namespace pvstim {

void setReadingTextFromFile(TForm2& stimulation, const QString& path)
{
    // Read the whole file before touching the memo, so a failure leaves it as it was.
    QStringList lines = readTextFileLinesOrThrow(path);
    lines.prepend(QFileInfo(path).fileName());
    stimulation.text.setLines(std::move(lines));
    stimulation.Label1->setCaption(stimulation.text.line(0));
}

}  // namespace pvstim
