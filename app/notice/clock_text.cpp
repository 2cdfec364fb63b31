#include "notice/clock_text.h"

#include <cstddef>
#include <optional>

#include "toolkit/services.h"

namespace {

// The formatting calls write into a buffer of this many characters, terminator included.
constexpr std::size_t kFormatBufferSize = 50;
// Pictures of this many bytes or fewer are not formatted.
constexpr std::size_t kShortestIgnoredPicture = 2;

bool Formatted(const std::string& picture) {
    return services::ToSystem8Bit(picture).size() > kShortestIgnoredPicture;
}

std::string Fitting(const std::string& part) {
    return services::ToSystem8Bit(part).size() < kFormatBufferSize ? part : std::string();
}

}  // namespace

std::string FormatDateTime(double value, const std::string& datePattern,
                           const std::string& timePattern, bool force24Hour) {
    const std::optional<services::SystemTime> time = services::ToSystemTime(value);
    if (!time) return {};
    std::string text;
    if (Formatted(datePattern)) text += Fitting(services::FormatDate(*time, datePattern));
    if (Formatted(timePattern))
        text += Fitting(services::FormatTime(*time, timePattern, force24Hour));
    return text;
}
