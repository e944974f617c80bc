#include "app/CommandLine.h"

#include "app/FlickerCommandLine.h"

#include <QCoreApplication>

#include <cstdio>

namespace pvstim {

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

CommandLine::CommandLine()
{
    parser_.setApplicationDescription(QCoreApplication::translate("CommandLine",
        "Psychovisual stimulation: a full-screen window that flickers at a brain-rhythm "
        "frequency while showing reading-text lines and pictures.\n"
        "Warning: the program shows flashing light. Do not use it if you or anyone who can "
        "see the screen has photosensitive epilepsy or has ever had a seizure."));
    // Not addHelpOption(): its --help-all offers Qt's own options (-platform, -style
    // ...), which the program does not take, since it reads its command line before
    // there is a window system. --help-all is still taken, as another --help.
    parser_.addOption(QCommandLineOption({ QStringLiteral("?"), QStringLiteral("h"), QStringLiteral("help") },
        QCoreApplication::translate("QCommandLineParser", "Displays help on commandline options.")));
    QCommandLineOption helpAll(QStringLiteral("help-all"));
    helpAll.setFlags(QCommandLineOption::HiddenFromHelp);
    parser_.addOption(helpAll);
    parser_.addVersionOption();
    addFlickerOptions(parser_);
}

CommandLine::Outcome CommandLine::parse(const QStringList& arguments)
{
    if (!parser_.parse(arguments)) {
        print(stderr, parser_.errorText() + QStringLiteral("\n\n") + parser_.helpText());
        exitStatus_ = kUsageError;
        return Outcome::Exit;
    }
    if (parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"))) {
        print(stdout, parser_.helpText());
        exitStatus_ = 0;
        return Outcome::Exit;
    }
    if (parser_.isSet(QStringLiteral("version"))) {
        print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ')
                + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        exitStatus_ = 0;
        return Outcome::Exit;
    }
    if (!parser_.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("Unexpected argument '%1'.\n\n").arg(parser_.positionalArguments().first())
                + parser_.helpText());
        exitStatus_ = kUsageError;
        return Outcome::Exit;
    }
    if (const QString error = applyFlickerOptions(parser_); !error.isEmpty()) {
        print(stderr, error + QStringLiteral("\n\n") + parser_.helpText());
        exitStatus_ = kUsageError;
        return Outcome::Exit;
    }
    return Outcome::Run;
}

}  // namespace pvstim
