// The clock line under Chinese regional settings:
//   北京时间：yyyy/M/d 星期X上午|下午 HH:MM:SS  (24-hour time after the designator)
#pragma once

#include <optional>
#include <string>

namespace ui_client {

struct ClockLine {
    int year = 0, month = 0, day = 0;
    int weekday = 0;  // 0 Sunday to 6 Saturday, as SYSTEMTIME counts
    bool afternoon = false;
    int hour = 0, minute = 0, second = 0;
};

// nullopt when the text has another form, also for a month or day with a leading zero.
std::optional<ClockLine> ParseClockLine(const std::string& text);

}  // namespace ui_client
