#include "platform/Platform.h"

#include <QLocale>
#include <QRegularExpression>

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
    QString text = (leadingZeroHour ? QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'))
                                    : QString::number(hour))
        + separator + QStringLiteral("%1").arg(t.minute(), 2, 10, QLatin1Char('0'))
        + separator + QStringLiteral("%1").arg(t.second(), 2, 10, QLatin1Char('0'));
    if (!designator.isEmpty())
        text = designatorFirst ? designator + QLatin1Char(' ') + text : text + QLatin1Char(' ') + designator;
    return text;
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

}  // namespace pvstim

namespace pvstim {

std::unique_ptr<FrameSurface> Platform::createFrameSurface(QWidget&)
{
    return nullptr;
}

}  // namespace pvstim
