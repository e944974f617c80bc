#include "platform/LongTimeFormatParser.h"
#include "platform/Platform.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace pvstim;

struct TimeCase {
    const char* name;
    LongTimeFormat format;
    QTime time;
    const char* expected;
};

class LongTimeFormatTest : public ::testing::TestWithParam<TimeCase> { };

TEST_P(LongTimeFormatTest, FormatsTimeOfDay)
{
    const TimeCase& c = GetParam();
    EXPECT_EQ(c.format.format(c.time).toStdString(), c.expected);
}

LongTimeFormat twelveHour(bool designatorFirst)
{
    LongTimeFormat f;
    f.twelveHour = true;
    f.leadingZeroHour = false;
    f.amDesignator = QStringLiteral("AM");
    f.pmDesignator = QStringLiteral("PM");
    f.designatorFirst = designatorFirst;
    return f;
}

LongTimeFormat noLeadingZero()
{
    LongTimeFormat f;
    f.leadingZeroHour = false;
    return f;
}

LongTimeFormat dotted()
{
    LongTimeFormat f;
    f.separator = QStringLiteral(".");
    return f;
}

INSTANTIATE_TEST_SUITE_P(Locales, LongTimeFormatTest,
    ::testing::Values(
        TimeCase { "LeadingZero", LongTimeFormat {}, QTime(9, 5, 7), "09:05:07" },
        TimeCase { "NoLeadingZero", noLeadingZero(), QTime(9, 5, 7), "9:05:07" },
        TimeCase { "Midnight24h", LongTimeFormat {}, QTime(0, 0, 0), "00:00:00" },
        TimeCase { "Noon12h", twelveHour(false), QTime(12, 0, 1), "12:00:01 PM" },
        TimeCase { "Midnight12h", twelveHour(false), QTime(0, 30, 0), "12:30:00 AM" },
        TimeCase { "Evening12h", twelveHour(false), QTime(21, 15, 0), "9:15:00 PM" },
        TimeCase { "DesignatorFirst", twelveHour(true), QTime(8, 1, 2), "AM 8:01:02" },
        TimeCase { "OtherSeparator", dotted(), QTime(23, 59, 59), "23.59.59" }),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
    const char* name;
    const char* decimal;
    const char* group;
    double value;
    const char* expected;
};

class NumberFormatTest : public ::testing::TestWithParam<NumberCase> { };

TEST_P(NumberFormatTest, FixedThreeDecimals)
{
    const NumberCase& c = GetParam();
    NumberFormat f;
    f.decimalSeparator = QString::fromUtf8(c.decimal);
    f.groupSeparator = QString::fromUtf8(c.group);
    EXPECT_EQ(f.fixed(c.value, 3).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberFormatTest,
    ::testing::Values(
        NumberCase { "Point", ".", ",", 13.0, "13.000" },
        NumberCase { "Comma", ",", " ", 13.0, "13,000" },
        NumberCase { "RoundsToThree", ".", ",", 9.99951, "10.000" },
        NumberCase { "SmallValue", ".", ",", 0.0995, "0.100" },
        NumberCase { "Grouping", ",", ".", 12345.5, "12.345,500" },
        NumberCase { "NegativeZeroIsZero", ".", ",", -0.0001, "0.000" },
        NumberCase { "Negative", ".", ",", -1.5, "-1.500" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtPlatformTimeFormat, ParsesQtLocaleFormats)
{
    const LongTimeFormat de = LongTimeFormatParser::parse(QStringLiteral("HH:mm:ss t"), {}, {});
    EXPECT_FALSE(de.twelveHour);
    EXPECT_TRUE(de.leadingZeroHour);
    EXPECT_EQ(de.separator, QStringLiteral(":"));

    const LongTimeFormat us = LongTimeFormatParser::parse(
        QStringLiteral("h:mm:ss AP t"), QStringLiteral("AM"), QStringLiteral("PM"));
    EXPECT_TRUE(us.twelveHour);
    EXPECT_FALSE(us.leadingZeroHour);
    EXPECT_FALSE(us.designatorFirst);
    // The time-zone name of the locale's format never reaches the text.
    EXPECT_EQ(us.format(QTime(14, 3, 9)), QStringLiteral("2:03:09 PM"));

    const LongTimeFormat fi = LongTimeFormatParser::parse(QStringLiteral("H.mm.ss"), {}, {});
    EXPECT_EQ(fi.separator, QStringLiteral("."));
    EXPECT_EQ(fi.format(QTime(9, 5, 7)), QStringLiteral("9.05.07"));

    const LongTimeFormat ko = LongTimeFormatParser::parse(
        QStringLiteral("AP h:mm:ss"), QStringLiteral("오전"), QStringLiteral("오후"));
    EXPECT_TRUE(ko.designatorFirst);
    EXPECT_EQ(ko.format(QTime(15, 0, 0)), QStringLiteral("오후 3:00:00"));
}

// The locale's format is a format: quoted words, quoted letters and the time zone
// never reach the text, the fields keep the locale's order and the designator its
// place and spacing. Qt's own rendering tells 12-hour locales from 24-hour ones.
TEST(QtPlatformTimeFormat, EveryLocaleShowsOnlyDigitsSeparatorsAndItsOwnDesignator)
{
    const auto formatFor = [](const QLocale& locale) {
        return LongTimeFormatParser::parse(locale.timeFormat(QLocale::LongFormat), locale.amText(), locale.pmText());
    };
    struct Example {
        const char* locale;
        const char* at2105;
    };
    const Example examples[] = { { "eo", "21:05:07" }, { "fr_CA", "21:05:07" }, { "fr_CH", "21.05.07" },
        { "zh_CN", "21:05:07" }, { "yue_HK", "下午9:05:07" }, { "ee_GH", "ɣetrɔ 9:05:07" }, { "ko_KR", "오후 9:05:07" },
        { "sq_AL", "9:05:07 e pasdites" }, { "ja_JP", "21:05:07" } };
    for (const Example& e : examples) {
        EXPECT_EQ(formatFor(QLocale(QString::fromLatin1(e.locale))).format(QTime(21, 5, 7)), QString::fromUtf8(e.at2105))
            << e.locale;
    }

    int twelveHourLocales = 0;
    const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& locale : locales) {
        const LongTimeFormat format = formatFor(locale);
        const bool twelveHour = !locale.toString(QTime(21, 5, 7), QLocale::LongFormat).contains(locale.toString(21));
        twelveHourLocales += twelveHour;
        for (const QTime time : { QTime(9, 5, 7), QTime(21, 5, 7) }) {
            const QString text = format.format(time);
            QString rest = text;
            if (twelveHour)
                rest.remove(time.hour() < 12 ? locale.amText() : locale.pmText());
            QString digits;
            for (const QChar c : rest) {
                EXPECT_FALSE(c.isLetter()) << locale.name().toStdString() << ": " << text.toStdString();
                if (c.isDigit())
                    digits += c;
            }
            const QStringList expected = twelveHour || time.hour() < 12
                ? QStringList { QStringLiteral("90507"), QStringLiteral("090507") }
                : QStringList { QStringLiteral("210507") };
            EXPECT_TRUE(expected.contains(digits)) << locale.name().toStdString() << ": " << text.toStdString();
            if (twelveHour) {
                EXPECT_NE(text, rest) << locale.name().toStdString() << " shows no designator";
            }
        }
    }
    EXPECT_GT(twelveHourLocales, 0);
    EXPECT_LT(twelveHourLocales, int(locales.size()));
}
