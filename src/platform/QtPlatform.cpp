#include "platform/QtPlatform.h"

#include "platform/ErrorBox.h"
#include "platform/LongTimeFormatParser.h"
#include "platform/QtTimerSource.h"
#include "platform/TimerFdSource.h"
#include "platform/UserFlags.h"
#include "platform/X11Taskbar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDialog>
#include <QLocale>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <random>

// Where the installed program's data lies, relative to its executable's folder.
#ifndef PVSTIM_DATA_FROM_BINDIR
#define PVSTIM_DATA_FROM_BINDIR "../share/pvstim"
#endif

namespace pvstim {

namespace {
// How long after the pointer's position was last read it is read again for a warp
// (no motion, so no notice), with raw motion events and without them.
constexpr std::int64_t kWarpCheckNs = 1'000'000'000;
constexpr std::int64_t kWarpCheckWithoutEventsNs = 100'000'000;
}  // namespace

QtPlatform::QtPlatform()
    : origin_(MonotonicClock::now())
    , polls_([this] { return monotonicNs(); })
{
    const QLocale locale = QLocale::system();
    timeFormat_ = LongTimeFormatParser::parse(locale.timeFormat(QLocale::LongFormat), locale.amText(), locale.pmText());
    numberFormat_.decimalSeparator = locale.decimalPoint();
    numberFormat_.groupSeparator = locale.groupSeparator();
    numberFormat_.groupSize = (locale.numberOptions() & QLocale::OmitGroupSeparator) ? 0 : 3;

    const QString executableDir = QCoreApplication::applicationDirPath();
    folders_ = FolderLayout::decide(executableDir,
        executableDir + QLatin1Char('/') + QStringLiteral(PVSTIM_DATA_FROM_BINDIR),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    folders_.prepare();

    // After Qt's own handling of the change, so that activeWindow() tells the new state.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(app, &QGuiApplication::focusWindowChanged, &notices_, [this] {
            postOnce(foregroundNoticePosted_, [this] { notifyForegroundChanged(); });
        });
    }
    warpCheck_.setSingleShot(true);
    warpCheck_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&warpCheck_, &QTimer::timeout, &notices_, [this] { checkForWarp(); });
}

QtPlatform::~QtPlatform() = default;

std::int64_t QtPlatform::monotonicNs() const { return nsSince(origin_); }

std::unique_ptr<TimerSource> QtPlatform::createTimer(std::function<void()> onFire, TimerPrecision precision)
{
#ifdef Q_OS_LINUX
    if (precision == TimerPrecision::Microsecond) {
        if (auto source = TimerFdSource::create(origin_, onFire))
            return source;
    }
#endif
    if (precision == TimerPrecision::Poll)
        return polls_.createSource(std::move(onFire));
    return std::make_unique<QtTimerSource>(origin_, std::move(onFire));
}

void QtPlatform::runInBackground(std::function<void()> work, std::function<void()> done)
{
    workers_.run(std::move(work), std::move(done));
}

QSize QtPlatform::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QPoint QtPlatform::cursorPos() const
{
    // The 20 ms polls ask for the pointer; a pointer that has not moved costs no
    // round trip to the X server.
    pointerMotion_.watchOnce();
    const std::int64_t now = monotonicNs();
    if (pointerMotion_.mayHaveMoved(now)) {
        pointerMotion_.positionRead(now);
        pointerPos_ = QCursor::pos();
    }
    return pointerPos_;
}

void QtPlatform::setCursorPos(QPoint p)
{
    QCursor::setPos(p);
    pointerMotion_.moved();
}

void QtPlatform::pointerWatched()
{
    if (pointerMotion_.onMotion)
        return;
    pointerMotion_.onMotion = [this] { postPointerNotice(); };
    pointerMotion_.watchOnce();
    warpCheck_.start(int((pointerMotion_.rawMotion() ? kWarpCheckNs : kWarpCheckWithoutEventsNs) / 1000000));
}

void QtPlatform::postPointerNotice()
{
    postOnce(pointerNoticePosted_, [this] { notifyPointerMoved(); });
}

void QtPlatform::postOnce(bool& posted, std::function<void()> notify)
{
    if (posted)
        return;
    posted = true;
    QMetaObject::invokeMethod(&notices_, [&posted, notify = std::move(notify)] {
        posted = false;
        notify();
    }, Qt::QueuedConnection);
}

void QtPlatform::checkForWarp()
{
    // Only while nothing else reads the position: a read since puts the check off.
    const bool raw = pointerMotion_.rawMotion();
    const std::int64_t intervalNs = raw ? kWarpCheckNs : kWarpCheckWithoutEventsNs;
    const std::int64_t now = monotonicNs();
    const std::int64_t dueNs = std::max(pointerMotion_.readNs(), warpCheckedNs_) + intervalNs;
    if (dueNs > now + 1000000) {
        warpCheck_.start(int((dueNs - now + 999999) / 1000000));
        return;
    }
    warpCheckedNs_ = now;
    bool moved = false;
    if (raw) {
        moved = pointerMotion_.movedSinceCheck();
    } else {
        const QPoint known = pointerPos_;
        pointerMotion_.positionRead(now);
        pointerPos_ = QCursor::pos();
        moved = pointerPos_ != known;
    }
    if (moved)
        postPointerNotice();
    warpCheck_.start(int(intervalNs / 1000000));
}

QWidget* QtPlatform::foregroundWindow() const { return QApplication::activeWindow(); }

QTime QtPlatform::localTime() const { return localClock_.timeOfDay(); }

int QtPlatform::randomInRange(int low, int highExclusive)
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::mt19937 generator(static_cast<std::uint32_t>(ticks));
    std::uniform_int_distribution<int> dist(low, highExclusive - 1);
    return dist(generator);
}

void QtPlatform::openDocument(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::requestPowerOff()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false;  // not interactive
    // Do not wait for logind: the program closes in the same tick.
    return QDBusConnection::systemBus().send(call);
}

void QtPlatform::showError(const QString& text)
{
    ErrorBox::show(text, mainWindow());
}

int QtPlatform::execDialog(QDialog& dialog) { return dialog.exec(); }

void QtPlatform::keepOutOfTaskbar(QWidget& window)
{
    X11Taskbar::keepOut(window);
}

bool QtPlatform::userFlag(UserFlag flag) const { return UserFlags::value(flag); }

void QtPlatform::setUserFlag(UserFlag flag, bool on) { UserFlags::set(flag, on); }

}  // namespace pvstim
