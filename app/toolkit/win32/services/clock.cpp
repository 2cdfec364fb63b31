// The clock line's date-time value and its text, through OLE automation dates and the
// system's date and time pictures.
#include <windows.h>

#include <oleauto.h>

#include <cstring>

#include "toolkit/services.h"

namespace services {

namespace {

// The pictures are formatted into buffers of this many characters, terminator included.
constexpr int kFormatBufferSize = 50;

// Up to the buffer's first zero byte, whatever the call returned.
std::string BufferText(const char (&buffer)[kFormatBufferSize]) {
    return std::string(buffer, strnlen(buffer, kFormatBufferSize));
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

std::string FormatDateTime(double value, const std::string& datePattern,
                           const std::string& timePattern, bool force24Hour) {
    SYSTEMTIME time{};
    if (VariantTimeToSystemTime(value, &time) != 1) return {};

    const std::string datePicture = ToSystem8Bit(datePattern);
    const std::string timePicture = ToSystem8Bit(timePattern);
    // Locale 0 is the user's default; a picture of two bytes or fewer gives no text.
    char date[kFormatBufferSize] = {};
    if (datePicture.size() > 2)
        GetDateFormatA(0, 0, &time, datePicture.c_str(), date, kFormatBufferSize);
    char clock[kFormatBufferSize] = {};
    if (timePicture.size() > 2)
        GetTimeFormatA(0, force24Hour ? TIME_FORCE24HOURFORMAT : 0, &time, timePicture.c_str(),
                       clock, kFormatBufferSize);
    date[kFormatBufferSize - 1] = '\0';
    clock[kFormatBufferSize - 1] = '\0';
    return FromSystem8Bit(BufferText(date) + BufferText(clock));
}

}  // namespace services
