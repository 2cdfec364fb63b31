// The clock's date-time value, its conversion and its pictures, through OLE automation dates
// and the system's date and time formatting.
#include <windows.h>

#include <oleauto.h>

#include <cstring>

#include "toolkit/services.h"

namespace services {

namespace {

WORD Field(int value) {
    return static_cast<WORD>(value);
}

SYSTEMTIME ToWindows(const SystemTime& time) {
    SYSTEMTIME windows{};
    windows.wYear = Field(time.year);
    windows.wMonth = Field(time.month);
    windows.wDayOfWeek = Field(time.dayOfWeek);
    windows.wDay = Field(time.day);
    windows.wHour = Field(time.hour);
    windows.wMinute = Field(time.minute);
    windows.wSecond = Field(time.second);
    windows.wMilliseconds = Field(time.milliseconds);
    return windows;
}

// One of the formatting calls, asked for the length first, then for the whole text (locale 0:
// the user's default).
template <typename Format>
std::string Formatted(const std::string& picture, Format format) {
    const std::string ansiPicture = ToSystem8Bit(picture);
    const int size = format(ansiPicture.c_str(), nullptr, 0);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    format(ansiPicture.c_str(), text.data(), size);
    text.resize(strnlen(text.data(), text.size()));
    return FromSystem8Bit(text);
}

}  // namespace

double CurrentDateTimeValue() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    double value = 0;
    SystemTimeToVariantTime(&now, &value);
    return value;
}

std::optional<SystemTime> ToSystemTime(double value) {
    SYSTEMTIME time{};
    if (VariantTimeToSystemTime(value, &time) != 1) return std::nullopt;
    SystemTime broken;
    broken.year = time.wYear;
    broken.month = time.wMonth;
    broken.dayOfWeek = time.wDayOfWeek;
    broken.day = time.wDay;
    broken.hour = time.wHour;
    broken.minute = time.wMinute;
    broken.second = time.wSecond;
    broken.milliseconds = time.wMilliseconds;
    return broken;
}

std::string FormatDate(const SystemTime& time, const std::string& picture) {
    const SYSTEMTIME windows = ToWindows(time);
    return Formatted(picture, [&](const char* ansiPicture, char* out, int size) {
        return GetDateFormatA(0, 0, &windows, ansiPicture, out, size);
    });
}

std::string FormatTime(const SystemTime& time, const std::string& picture, bool force24Hour) {
    const SYSTEMTIME windows = ToWindows(time);
    const DWORD flags = force24Hour ? TIME_FORCE24HOURFORMAT : 0;
    return Formatted(picture, [&](const char* ansiPicture, char* out, int size) {
        return GetTimeFormatA(0, flags, &windows, ansiPicture, out, size);
    });
}

}  // namespace services
