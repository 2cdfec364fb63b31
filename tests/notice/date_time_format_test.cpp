#include "toolkit/qt/date_time_format.h"

#include <gtest/gtest.h>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kChinese(QLocale::Chinese, QLocale::China);

QString ClockText(const QDateTime& moment, const QLocale& locale) {
    return FormatDateTime(ToDateTimeValue(moment), u"yyyy/M/d dddd", u"tt hh:mm:ss", true, locale);
}

TEST(FormatDateTime, MorningAndEveningInTwentyFourHours) {
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(9, 5, 7)), kEnglish),
              QStringLiteral("2021/7/6 TuesdayAM 09:05:07"));
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(21, 5, 7)), kEnglish),
              QStringLiteral("2021/7/6 TuesdayPM 21:05:07"));
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(0, 0, 0)), kEnglish),
              QStringLiteral("2021/7/6 TuesdayAM 00:00:00"));
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(12, 0, 1)), kEnglish),
              QStringLiteral("2021/7/6 TuesdayPM 12:00:01"));
}

TEST(FormatDateTime, ChineseSettings) {
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(13, 52, 42)), kChinese),
              QStringLiteral("2021/7/6 星期二下午 13:52:42"));
    EXPECT_EQ(ClockText(QDateTime(QDate(2021, 7, 6), QTime(9, 5, 7)), kChinese),
              QStringLiteral("2021/7/6 星期二上午 09:05:07"));
}

TEST(FormatDateTime, FirstOfJanuaryHasNoLeadingZeros) {
    EXPECT_EQ(ClockText(QDateTime(QDate(2022, 1, 1), QTime(8, 0, 0)), kEnglish),
              QStringLiteral("2022/1/1 SaturdayAM 08:00:00"));
}

TEST(FormatDateTime, TwelveHourClockWithoutTheFlag) {
    const double value = ToDateTimeValue(QDateTime(QDate(2021, 7, 6), QTime(21, 5, 7)));
    EXPECT_EQ(FormatDateTime(value, u"", u"tt hh:mm:ss", false, kEnglish),
              QStringLiteral("PM 09:05:07"));
    EXPECT_EQ(FormatDateTime(value, u"", u"h:m:s t", false, kEnglish), QStringLiteral("9:5:7 P"));
    EXPECT_EQ(FormatDateTime(value, u"", u"HH'h'mm", false, kEnglish), QStringLiteral("21h05"));
}

TEST(FormatDateTime, OtherDatePictures) {
    const double value = ToDateTimeValue(QDateTime(QDate(2021, 3, 4), QTime(1, 2, 3)));
    EXPECT_EQ(FormatDateTime(value, u"dd.MM.yy ddd MMM MMMM", u"", true, kEnglish),
              QStringLiteral("04.03.21 Thu Mar March"));
    EXPECT_EQ(FormatDateTime(value, u"'day' d", u"", true, kEnglish), QStringLiteral("day 4"));
}

TEST(FormatDateTime, ShortPatternsGiveEmptyParts) {
    const double value = ToDateTimeValue(QDateTime(QDate(2021, 7, 6), QTime(9, 5, 7)));
    EXPECT_EQ(FormatDateTime(value, u"yy", u"tt hh:mm:ss", true, kEnglish),
              QStringLiteral("AM 09:05:07"));
    EXPECT_EQ(FormatDateTime(value, u"yyyy/M/d dddd", u"ss", true, kEnglish),
              QStringLiteral("2021/7/6 Tuesday"));
    EXPECT_EQ(FormatDateTime(value, u"", u"", true, kEnglish), QString());
}

TEST(FormatDateTime, ValuesOutsideTheCalendarGiveNothing) {
    EXPECT_EQ(FormatDateTime(1e9, u"yyyy/M/d dddd", u"tt hh:mm:ss", true, kEnglish), QString());
    EXPECT_EQ(FormatDateTime(-1e9, u"yyyy/M/d dddd", u"tt hh:mm:ss", true, kEnglish), QString());
    EXPECT_EQ(FormatDateTime(std::nan(""), u"yyyy/M/d dddd", u"tt hh:mm:ss", true, kEnglish),
              QString());
    EXPECT_EQ(FormatDateTime(2958466.0, u"yyyy/M/d", u"", true, kEnglish), QString());
    EXPECT_EQ(FormatDateTime(2958465.5, u"yyyy/M/d", u"", true, kEnglish),
              QStringLiteral("9999/12/31"));
    EXPECT_EQ(FormatDateTime(-657434.0, u"yyyy/M/d", u"", true, kEnglish),
              QStringLiteral("0100/1/1"));
}

TEST(FormatDateTime, ValueCountsDaysFromTheLastDaysOf1899) {
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(FormatDateTime(-1.25, u"yyyy/M/d", u"HH:mm", true, kEnglish),
              QStringLiteral("1899/12/2906:00"));
}

TEST(FormatDateTime, CurrentValueIsWholeSeconds) {
    const double value = CurrentDateTimeValue();
    const double seconds = (value - std::floor(value)) * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    EXPECT_FALSE(FormatDateTime(value, u"yyyy/M/d dddd", u"tt hh:mm:ss", true).isEmpty());
}

}  // namespace
