#pragma once

class QApplication;
class QTranslator;

namespace pvstim {

// The program's name and version, as the command line, the window system (title
// and class of every window) and the desktop entry know them.
void setApplicationIdentity();

// What the windowing application adds to the identity: the icon drawn for the
// program and the desktop entry's name, which desktops use to match windows with
// the entry.
void setWindowIdentity();

// Loads Qt's own translations for the user's language, so that the file and colour
// dialogs speak it. Returns whether a translation was installed; without one the
// dialogs stay in English.
bool installQtTranslations(QApplication& app, QTranslator& translator);

}  // namespace pvstim
