#pragma once

#include <QString>

class QCommandLineParser;

namespace pvstim {

// The flicker's command-line options: --presenter=timer|frame|auto and
// --flip-log FILE.
void addFlickerOptions(QCommandLineParser& parser);
// Stores the options parsed into the flicker's options. Returns an error text for
// a value the program does not know, or an empty text.
QString applyFlickerOptions(const QCommandLineParser& parser);

}  // namespace pvstim
