#include "platform/Platform.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <cassert>
#include <cmath>

namespace pvstim {

namespace {
Platform* g_platform = nullptr;
}

Platform& Platform::instance()
{
    assert(g_platform && "no platform installed");
    return *g_platform;
}

void Platform::install(Platform* platform) { g_platform = platform; }

void Platform::setMainWindow(QWidget* window) { mainWindow_ = window; }

QWidget* Platform::mainWindow() const { return mainWindow_; }

void Platform::watchPointer(QObject* watcher, std::function<void()> onNotice)
{
    const bool first = pointerWatchers_.empty();
    pointerWatchers_.push_back(Watch { watcher, std::move(onNotice) });
    if (first)
        pointerWatched();
}

void Platform::watchForeground(QObject* watcher, std::function<void()> onNotice)
{
    foregroundWatchers_.push_back(Watch { watcher, std::move(onNotice) });
}

void Platform::notify(std::vector<Watch>& watches)
{
    std::erase_if(watches, [](const Watch& w) { return w.watcher.isNull(); });
    // A watcher may watch anew, or go, from its handler: the handlers of this
    // notice are those watching now, each called while its watcher is there.
    const std::vector<Watch> now = watches;
    for (const Watch& w : now) {
        if (w.watcher)
            w.onNotice();
    }
}

QString LongTimeFormat::format(const QTime& t) const
{
    int hour = t.hour();
    QString designator;
    if (twelveHour) {
        designator = hour < 12 ? amDesignator : pmDesignator;
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    const auto twoDigits = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QStringList fields;
    for (const Field field : order) {
        switch (field) {
        case Field::Hour: fields << (leadingZeroHour ? twoDigits(hour) : QString::number(hour)); break;
        case Field::Minute: fields << twoDigits(t.minute()); break;
        case Field::Second: fields << twoDigits(t.second()); break;
        }
    }
    const QString text = fields.join(separator);
    if (designator.isEmpty())
        return text;
    return designatorFirst ? designator + designatorGap + text : text + designatorGap + designator;
}

QString NumberFormat::fixed(double value, int decimals) const
{
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    QString integral = digits.section(QLatin1Char('.'), 0, 0);
    QString fraction = digits.section(QLatin1Char('.'), 1, 1);
    if (groupSize > 0) {
        for (qsizetype i = integral.size() - groupSize; i > 0; i -= groupSize)
            integral.insert(i, groupSeparator);
    }
    QString text = integral;
    if (decimals > 0)
        text += decimalSeparator + fraction;
    bool negative = value < 0 && digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + text : text;
}

std::unique_ptr<FrameSurface> Platform::createFrameSurface(QWidget&)
{
    return nullptr;
}

std::unique_ptr<PhaseBand> Platform::createPhaseBand(QWidget&)
{
    return nullptr;
}

}  // namespace pvstim
