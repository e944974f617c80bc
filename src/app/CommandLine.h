#pragma once

#include <QCommandLineParser>
#include <QStringList>

namespace pvstim {

// The program's command line: --help, --version and whatever options the program
// grows. It takes none of Qt's own options and offers none. Parsing needs a core application object (for the program's name and
// version) but no display, so it runs before the windowing system is touched.
class CommandLine {
public:
    CommandLine();

    enum class Outcome { Run, Exit };
    // Parses the arguments (the program's name first). Help and version are
    // printed to standard output with exit status 0; an error prints the reason
    // and the usage to standard error with exit status 2.
    Outcome parse(const QStringList& arguments);
    int exitStatus() const { return exitStatus_; }

    static constexpr int kUsageError = 2;

private:
    QCommandLineParser parser_;
    int exitStatus_ = 0;
};

}  // namespace pvstim
