#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringView>
#include <optional>

#include "toolkit/services.h"

// Date-time values are days since midnight of 30 December 1899, the fraction being the time
// of day (the value office programs and the Windows clock API share).
double ToDateTimeValue(const QDateTime& localTime);
double CurrentDateTimeValue();  // local time, whole seconds

// The value broken down as the Windows conversion does; nothing outside years 100 to 9999.
std::optional<services::SystemTime> BreakDownDateTime(double value);

// Windows-style pictures: the date picture knows d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy,
// yyyy; the time picture h, hh, H, HH, m, mm, s, ss, t, tt; '...' is literal. With force24Hour
// "h" writes 00 to 23, and "tt" still writes the designator. Weekday and month names and the
// AM/PM designators come from `locale`.
QString FormatDatePicture(const services::SystemTime& time, QStringView picture,
                          const QLocale& locale);
QString FormatTimePicture(const services::SystemTime& time, QStringView picture, bool force24Hour,
                          const QLocale& locale);
