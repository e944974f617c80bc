#include "app/FlickerCommandLine.h"

#include "run/FlickerOptions.h"

#include <QCommandLineParser>

namespace pvstim {

namespace {
const QString kPresenter = QStringLiteral("presenter");
const QString kFlipLog = QStringLiteral("flip-log");
}  // namespace

void addFlickerOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(kPresenter,
        QStringLiteral("How the flicker reaches the screen: timer, frame (whole display frames, OpenGL) or auto "
                       "(frames when the display paces them steadily)."),
        QStringLiteral("timer|frame|auto"), QStringLiteral("auto")));
    parser.addOption(QCommandLineOption(kFlipLog,
        QStringLiteral("Write one CSV line per flicker phase to FILE, and a summary beside it at the end of the run."),
        QStringLiteral("FILE")));
}

QString applyFlickerOptions(const QCommandLineParser& parser)
{
    FlickerOptions& options = flickerOptions();
    const QString presenter = parser.value(kPresenter);
    if (presenter == QLatin1String("timer"))
        options.presenter = PresenterChoice::Timer;
    else if (presenter == QLatin1String("frame"))
        options.presenter = PresenterChoice::Frame;
    else if (presenter == QLatin1String("auto"))
        options.presenter = PresenterChoice::Auto;
    else
        return QStringLiteral("unknown presenter \"%1\": use timer, frame or auto").arg(presenter);
    options.flipLogPath = parser.value(kFlipLog);
    return {};
}

}  // namespace pvstim
