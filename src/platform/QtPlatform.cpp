#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <random>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace pvstim {

namespace {

using MonotonicClock = std::chrono::steady_clock;

std::int64_t nsSince(MonotonicClock::time_point origin)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(MonotonicClock::now() - origin).count();
}

class QtTimerSource : public TimerSource {
public:
    QtTimerSource(MonotonicClock::time_point origin, std::function<void()> onFire)
        : origin_(origin)
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onFire));
    }
    void armAt(std::int64_t deadlineNs) override
    {
        const std::int64_t waitNs = deadlineNs - nsSince(origin_);
        // Qt's timers count whole milliseconds: the nearest one keeps the mean
        // lateness at zero; callers that need exact moments read the deadline.
        const std::int64_t waitMs = waitNs <= 0 ? 0 : (waitNs + 500000) / 1000000;
        timer_.start(static_cast<int>(std::min<std::int64_t>(waitMs, INT32_MAX)));
    }
    void disarm() override { timer_.stop(); }
    bool isArmed() const override { return timer_.isActive(); }

private:
    MonotonicClock::time_point origin_;
    QTimer timer_;
};

#ifdef Q_OS_LINUX
// Qt's event dispatcher waits whole milliseconds and rounds up, so a QTimer fires
// up to a millisecond and a half after its deadline. A timerfd holds the deadline
// in nanoseconds on the kernel's monotonic clock (the one steady_clock reads) and
// wakes the event loop through its descriptor; with the thread's timer slack
// lowered, the wake-up comes within tens of microseconds of the deadline.
class TimerFdSource : public TimerSource {
public:
    static std::unique_ptr<TimerSource> create(MonotonicClock::time_point origin, std::function<void()>& onFire)
    {
        const int fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (fd < 0)
            return nullptr;
        // The default slack of 50 us would let the kernel defer the expiry to
        // batch wake-ups; this is the thread that runs the event loop.
        static const bool slackLowered [[maybe_unused]] = ::prctl(PR_SET_TIMERSLACK, 1UL) == 0;
        return std::unique_ptr<TimerSource>(new TimerFdSource(fd, origin, std::move(onFire)));
    }
    ~TimerFdSource() override
    {
        notifier_.setEnabled(false);
        ::close(fd_);
    }

    void armAt(std::int64_t deadlineNs) override
    {
        const std::int64_t originNs
            = std::chrono::duration_cast<std::chrono::nanoseconds>(origin_.time_since_epoch()).count();
        // A zero expiry would disarm the timer; a deadline in the past fires at once.
        const std::int64_t at = std::max<std::int64_t>(originNs + deadlineNs, 1);
        itimerspec spec {};
        spec.it_value.tv_sec = time_t(at / 1000000000);
        spec.it_value.tv_nsec = long(at % 1000000000);
        armed_ = ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr) == 0;
    }
    void disarm() override
    {
        const itimerspec none {};
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &none, nullptr);
        armed_ = false;
    }
    bool isArmed() const override { return armed_; }

private:
    TimerFdSource(int fd, MonotonicClock::time_point origin, std::function<void()> onFire)
        : fd_(fd)
        , origin_(origin)
        , onFire_(std::move(onFire))
        , notifier_(fd, QSocketNotifier::Read)
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { expired(); });
    }

    void expired()
    {
        std::uint64_t expirations = 0;
        // Nothing to read: the timer was re-armed or disarmed since it expired.
        if (::read(fd_, &expirations, sizeof expirations) != ssize_t(sizeof expirations) || !armed_)
            return;
        armed_ = false;
        onFire_();
    }

    int fd_;
    MonotonicClock::time_point origin_;
    std::function<void()> onFire_;
    QSocketNotifier notifier_;
    bool armed_ = false;
};
#endif

}  // namespace

QtPlatform::QtPlatform()
    : origin_(MonotonicClock::now())
{
    const QLocale locale = QLocale::system();
    timeFormat_ = parseLongTimeFormat(locale.timeFormat(QLocale::LongFormat), locale.amText(), locale.pmText());
    numberFormat_.decimalSeparator = locale.decimalPoint();
    numberFormat_.groupSeparator = locale.groupSeparator();
    numberFormat_.groupSize = (locale.numberOptions() & QLocale::OmitGroupSeparator) ? 0 : 3;
}

LongTimeFormat QtPlatform::parseLongTimeFormat(const QString& qtFormat, const QString& am, const QString& pm)
{
    LongTimeFormat f;
    f.twelveHour = qtFormat.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    const qsizetype h = qtFormat.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    f.leadingZeroHour = h >= 0 && h + 1 < qtFormat.size() && qtFormat[h + 1].toLower() == QLatin1Char('h');
    // The separator is whatever stands between the hour and the minute fields.
    const qsizetype m = qtFormat.indexOf(QLatin1Char('m'));
    if (h >= 0 && m > h) {
        qsizetype start = h;
        while (start < m && qtFormat[start].toLower() == QLatin1Char('h'))
            ++start;
        QString sep = qtFormat.mid(start, m - start);
        sep.remove(QLatin1Char('\''));
        if (!sep.isEmpty())
            f.separator = sep;
    }
    f.amDesignator = am;
    f.pmDesignator = pm;
    const qsizetype a = qtFormat.indexOf(QLatin1Char('a'), 0, Qt::CaseInsensitive);
    f.designatorFirst = f.twelveHour && a >= 0 && h >= 0 && a < h;
    return f;
}

std::int64_t QtPlatform::monotonicNs() const { return nsSince(origin_); }

std::unique_ptr<TimerSource> QtPlatform::createTimer(std::function<void()> onFire, TimerPrecision precision)
{
#ifdef Q_OS_LINUX
    if (precision == TimerPrecision::Microsecond) {
        if (auto source = TimerFdSource::create(origin_, onFire))
            return source;
    }
#else
    Q_UNUSED(precision);
#endif
    return std::make_unique<QtTimerSource>(origin_, std::move(onFire));
}

QSize QtPlatform::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QPoint QtPlatform::cursorPos() const { return QCursor::pos(); }

void QtPlatform::setCursorPos(QPoint p) { QCursor::setPos(p); }

QWidget* QtPlatform::foregroundWindow() const { return QApplication::activeWindow(); }

QTime QtPlatform::localTime() const
{
    // Local time consults the time zone (a look at its file); the wall clock does
    // not. The 20 ms polls ask for the time, so the zone is consulted once a second.
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = utcMs / 1000;
    if (second != localSecondUtc_) {
        localSecondUtc_ = second;
        localSecondStart_ = QDateTime::fromMSecsSinceEpoch(second * 1000).time();
    }
    return localSecondStart_.addMSecs(int(utcMs - second * 1000));
}

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
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok,
        QApplication::activeWindow());
    box.exec();
}

int QtPlatform::execDialog(QDialog& dialog) { return dialog.exec(); }

QString QtPlatform::executableDir() const { return QCoreApplication::applicationDirPath(); }

}  // namespace pvstim
