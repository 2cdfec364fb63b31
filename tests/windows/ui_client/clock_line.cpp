#include "clock_line.h"

#include <regex>

namespace ui_client {

namespace {

constexpr const char* kWeekdays[] = {"日", "一", "二", "三", "四", "五", "六"};

int WeekdayIndex(const std::string& name) {
    for (int i = 0; i < 7; ++i)
        if (name == kWeekdays[i]) return i;
    return -1;
}

}  // namespace

std::optional<ClockLine> ParseClockLine(const std::string& text) {
    static const std::regex form(
        "^北京时间：([0-9]{4})/([1-9][0-9]?)/([1-9][0-9]?) 星期(日|一|二|三|四|五|六)(上午|下午) "
        "([0-9]{2}):([0-9]{2}):([0-9]{2})$");
    std::smatch part;
    if (!std::regex_match(text, part, form)) return std::nullopt;
    ClockLine line;
    line.year = std::stoi(part[1]);
    line.month = std::stoi(part[2]);
    line.day = std::stoi(part[3]);
    line.weekday = WeekdayIndex(part[4]);
    line.afternoon = part[5] == "下午";
    line.hour = std::stoi(part[6]);
    line.minute = std::stoi(part[7]);
    line.second = std::stoi(part[8]);
    if (line.month > 12 || line.day > 31 || line.hour > 23 || line.minute > 59 || line.second > 59)
        return std::nullopt;
    return line;
}

}  // namespace ui_client
