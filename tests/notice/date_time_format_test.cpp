// The clock's text: the pictures as Linux writes them for a given locale, and the rules of the
// clock line around them (the same on every platform) through the real services.
#include "toolkit/qt/date_time_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "notice/clock_text.h"

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kChinese(QLocale::Chinese, QLocale::China);

services::SystemTime BrokenDown(const QDateTime& moment) {
    return BreakDownDateTime(ToDateTimeValue(moment)).value();
}

QString ClockText(const QDateTime& moment, const QLocale& locale) {
    const services::SystemTime time = BrokenDown(moment);
    return FormatDatePicture(time, u"yyyy/M/d dddd", locale) +
           FormatTimePicture(time, u"tt hh:mm:ss", true, locale);
}

// Pictures without names or designators read the same in every locale.
std::string CoreText(double value, const std::string& date, const std::string& time) {
    return FormatDateTime(value, date, time, true);
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
    const services::SystemTime time = BrokenDown(QDateTime(QDate(2021, 7, 6), QTime(21, 5, 7)));
    EXPECT_EQ(FormatTimePicture(time, u"tt hh:mm:ss", false, kEnglish),
              QStringLiteral("PM 09:05:07"));
    EXPECT_EQ(FormatTimePicture(time, u"h:m:s t", false, kEnglish), QStringLiteral("9:5:7 P"));
    EXPECT_EQ(FormatTimePicture(time, u"HH'h'mm", false, kEnglish), QStringLiteral("21h05"));
}

TEST(FormatDateTime, OtherDatePictures) {
    const services::SystemTime time = BrokenDown(QDateTime(QDate(2021, 3, 4), QTime(1, 2, 3)));
    EXPECT_EQ(time.dayOfWeek, 4);  // Thursday, counted from Sunday as 0
    EXPECT_EQ(FormatDatePicture(time, u"dd.MM.yy ddd MMM MMMM", kEnglish),
              QStringLiteral("04.03.21 Thu Mar March"));
    EXPECT_EQ(FormatDatePicture(time, u"'day' d", kEnglish), QStringLiteral("day 4"));
}

TEST(FormatDateTime, ShortPatternsGiveEmptyParts) {
    const double value = ToDateTimeValue(QDateTime(QDate(2021, 7, 6), QTime(9, 5, 7)));
    EXPECT_EQ(CoreText(value, "yy", "HH:mm:ss"), "09:05:07");
    EXPECT_EQ(CoreText(value, "yyyy/M/d", "ss"), "2021/7/6");
    EXPECT_EQ(CoreText(value, "", ""), "");
}

// The system writes each part into 50 characters, terminator included.
TEST(FormatDateTime, APartLongerThanFortyNineBytesIsEmpty) {
    const double value = ToDateTimeValue(QDateTime(QDate(2021, 7, 6), QTime(9, 5, 7)));
    const std::string fits = "'" + std::string(45, 'x') + "'yyyy";  // 49 bytes written
    const std::string longer = "'" + std::string(46, 'x') + "'yyyy";
    EXPECT_EQ(CoreText(value, fits, "HH:mm"), std::string(45, 'x') + "2021" + "09:05");
    EXPECT_EQ(CoreText(value, longer, "HH:mm"), "09:05");
    EXPECT_EQ(CoreText(value, "yyyy", "'" + std::string(46, 'x') + "'HH:mm"), "2021");
}

TEST(FormatDateTime, ValuesOutsideTheCalendarGiveNothing) {
    EXPECT_EQ(CoreText(1e9, "yyyy/M/d", "HH:mm:ss"), "");
    EXPECT_EQ(CoreText(-1e9, "yyyy/M/d", "HH:mm:ss"), "");
    EXPECT_EQ(CoreText(std::nan(""), "yyyy/M/d", "HH:mm:ss"), "");
    EXPECT_EQ(CoreText(2958466.0, "yyyy/M/d", ""), "");
    EXPECT_EQ(CoreText(2958465.5, "yyyy/M/d", ""), "9999/12/31");
    EXPECT_EQ(CoreText(-657434.0, "yyyy/M/d", ""), "0100/1/1");
}

TEST(FormatDateTime, ValueCountsDaysFromTheLastDaysOf1899) {
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    EXPECT_EQ(ToDateTimeValue(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(CoreText(-1.25, "yyyy/M/d", "HH:mm"), "1899/12/2906:00");
}

TEST(FormatDateTime, CurrentValueIsWholeSeconds) {
    const double value = CurrentDateTimeValue();
    const double seconds = (value - std::floor(value)) * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    EXPECT_FALSE(FormatDateTime(value, "yyyy/M/d dddd", "tt hh:mm:ss", true).empty());
}

}  // namespace
