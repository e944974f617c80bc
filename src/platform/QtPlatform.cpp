#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <random>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace pvstim {

namespace {

constexpr int kWorkerNice = 10;

class QtTimerSource : public TimerSource {
public:
    QtTimerSource(const QElapsedTimer& clock, std::function<void()> onFire)
        : clock_(clock)
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onFire));
    }
    void armAt(std::int64_t deadlineNs) override
    {
        const std::int64_t waitNs = deadlineNs - clock_.nsecsElapsed();
        // Qt's timers count whole milliseconds: the nearest one keeps the mean
        // lateness at zero; callers that need exact moments read the deadline.
        const std::int64_t waitMs = waitNs <= 0 ? 0 : (waitNs + 500000) / 1000000;
        timer_.start(static_cast<int>(std::min<std::int64_t>(waitMs, INT32_MAX)));
    }
    void disarm() override { timer_.stop(); }
    bool isArmed() const override { return timer_.isActive(); }

private:
    const QElapsedTimer& clock_;
    QTimer timer_;
};

}  // namespace

QtPlatform::QtPlatform()
{
    clock_.start();
    // Two workers: one picture that takes long to decode leaves the other free.
    workers_.setMaxThreadCount(2);
    const QLocale locale = QLocale::system();
    timeFormat_ = parseLongTimeFormat(locale.timeFormat(QLocale::LongFormat), locale.amText(), locale.pmText());
    numberFormat_.decimalSeparator = locale.decimalPoint();
    numberFormat_.groupSeparator = locale.groupSeparator();
    numberFormat_.groupSize = (locale.numberOptions() & QLocale::OmitGroupSeparator) ? 0 : 3;
}

QtPlatform::~QtPlatform()
{
    // Jobs not yet started are dropped; the pool then waits only for running ones.
    workers_.clear();
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

std::unique_ptr<TimerSource> QtPlatform::createTimer(std::function<void()> onFire)
{
    return std::make_unique<QtTimerSource>(clock_, std::move(onFire));
}

void QtPlatform::runInBackground(std::function<void()> work, std::function<void()> done)
{
    workers_.start([work = std::move(work), done = std::move(done), target = &completions_]() mutable {
#ifdef Q_OS_LINUX
        // A worker yields to the interface thread: on Linux the nice value belongs
        // to the thread, and Qt's thread priorities do not change it.
        thread_local const bool niced = setpriority(PRIO_PROCESS, 0, kWorkerNice) == 0;
        (void)niced;
#endif
        work();
        QMetaObject::invokeMethod(target, std::move(done), Qt::QueuedConnection);
    });
}

QSize QtPlatform::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QPoint QtPlatform::cursorPos() const { return QCursor::pos(); }

void QtPlatform::setCursorPos(QPoint p) { QCursor::setPos(p); }

QWidget* QtPlatform::foregroundWindow() const { return QApplication::activeWindow(); }

QTime QtPlatform::localTime() const { return QTime::currentTime(); }

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
