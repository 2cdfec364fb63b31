#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringView>

// Date-time values are days since midnight of 30 December 1899, the fraction being the time
// of day (the value office programs and the Windows clock API share).
double ToDateTimeValue(const QDateTime& localTime);
double CurrentDateTimeValue();  // local time, whole seconds

// Formats with Windows-style pictures: the date pattern knows d, dd, ddd, dddd, M, MM, MMM,
// MMMM, y, yy, yyyy; the time pattern h, hh, H, HH, m, mm, s, ss, t, tt; '...' is literal.
// A pattern of two bytes or fewer gives an empty part; date and time parts are joined with no
// separator. With force24Hour "h" writes 00 to 23, and "tt" still writes the designator.
// Weekday and month names and the AM/PM designators come from `locale`.
// A value outside years 100 to 9999 gives the empty text.
QString FormatDateTime(double value, QStringView datePattern, QStringView timePattern,
                       bool force24Hour, const QLocale& locale);
QString FormatDateTime(double value, QStringView datePattern, QStringView timePattern,
                       bool force24Hour);  // the user's locale
