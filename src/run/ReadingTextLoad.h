#pragma once

#include <QString>

namespace pvstim {

class StimulationWindow;

// Makes a text file the reading text of the stimulation window: the memo `text`
// gets the file's lines with the file's name (without folder) put first as the
// title line, and the text line shows the title at once.
// Throws EFOpenError ("Cannot open file "%s". %s") when the file cannot be read and
// EOutOfResources ("Text exceeds memo capacity") when it is too large; the memo and
// the text line keep what they held then.
void setReadingTextFromFile(StimulationWindow& stimulation, const QString& path);

}  // namespace pvstim
