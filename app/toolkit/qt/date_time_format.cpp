#include "toolkit/qt/date_time_format.h"

#include <cmath>
#include <optional>

namespace {

const QDate kValueEpoch(1899, 12, 30);
constexpr double kFirstValue = -657434.0;     // 1 January 100
constexpr double kPastLastValue = 2958466.0;  // 1 January 10000
constexpr qint64 kSecondsPerDay = 86400;

QString Padded(int number, int width) {
    return QString::number(number).rightJustified(width, u'0');
}

// Walks a picture: quoted text and unknown letters are copied, runs of a known letter are
// replaced by `field(letter, runLength)`.
template <typename FieldText>
QString ExpandPicture(QStringView picture, QStringView fieldLetters, FieldText field) {
    QString out;
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar c = picture[i];
        if (c == u'\'') {
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != u'\'') {
                    out += picture[i];
                } else if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                    out += u'\'';
                    ++i;
                } else {
                    break;
                }
            }
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        if (fieldLetters.contains(c)) {
            out += field(c, static_cast<int>(run));
        } else {
            out += picture.mid(i, run);
        }
        i += run;
    }
    return out;
}

QString DatePart(const QDate& date, QStringView picture, const QLocale& locale) {
    return ExpandPicture(picture, u"dMy", [&](QChar letter, int run) -> QString {
        if (letter == u'd') {
            if (run <= 2) return Padded(date.day(), run);
            return locale.dayName(date.dayOfWeek(),
                                  run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        }
        if (letter == u'M') {
            if (run <= 2) return Padded(date.month(), run);
            return locale.monthName(date.month(),
                                    run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        }
        if (run <= 2) return Padded(date.year() % 100, run);
        return Padded(date.year(), 4);
    });
}

QString TimePart(const QTime& time, QStringView picture, bool force24Hour, const QLocale& locale) {
    const QString designator = time.hour() < 12 ? locale.amText() : locale.pmText();
    return ExpandPicture(picture, u"hHmst", [&](QChar letter, int run) -> QString {
        const int width = run >= 2 ? 2 : 1;
        switch (letter.unicode()) {
            case u'h': {
                const int twelve = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
                return Padded(force24Hour ? time.hour() : twelve, width);
            }
            case u'H':
                return Padded(time.hour(), width);
            case u'm':
                return Padded(time.minute(), width);
            case u's':
                return Padded(time.second(), width);
            default:
                return run >= 2 ? designator : designator.left(1);
        }
    });
}

QDate DateOf(const services::SystemTime& time) {
    return QDate(time.year, time.month, time.day);
}

QTime TimeOf(const services::SystemTime& time) {
    return QTime(time.hour, time.minute, time.second);
}

}  // namespace

double ToDateTimeValue(const QDateTime& localTime) {
    const double days = static_cast<double>(kValueEpoch.daysTo(localTime.date()));
    const double fraction = localTime.time().msecsSinceStartOfDay() / (kSecondsPerDay * 1000.0);
    return days < 0 ? days - fraction : days + fraction;
}

double CurrentDateTimeValue() {
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    return ToDateTimeValue(QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second())));
}

// Same reading as the Windows conversion: the whole days count from the epoch (also when
// negative) and the fraction's magnitude is the time, rounded to the second.
std::optional<services::SystemTime> BreakDownDateTime(double value) {
    if (!(value >= kFirstValue && value < kPastLastValue)) return std::nullopt;
    const double wholeDays = std::trunc(value);
    qint64 seconds = std::llround(std::fabs(value - wholeDays) * kSecondsPerDay);
    QDate date = kValueEpoch.addDays(static_cast<qint64>(wholeDays));
    if (seconds >= kSecondsPerDay) {
        date = date.addDays(1);
        seconds -= kSecondsPerDay;
    }
    if (!date.isValid() || date.year() > 9999) return std::nullopt;
    const QTime time = QTime(0, 0).addSecs(static_cast<int>(seconds));
    services::SystemTime broken;
    broken.year = date.year();
    broken.month = date.month();
    broken.dayOfWeek = date.dayOfWeek() % 7;
    broken.day = date.day();
    broken.hour = time.hour();
    broken.minute = time.minute();
    broken.second = time.second();
    return broken;
}

QString FormatDatePicture(const services::SystemTime& time, QStringView picture,
                          const QLocale& locale) {
    return DatePart(DateOf(time), picture, locale);
}

QString FormatTimePicture(const services::SystemTime& time, QStringView picture, bool force24Hour,
                          const QLocale& locale) {
    return TimePart(TimeOf(time), picture, force24Hour, locale);
}
