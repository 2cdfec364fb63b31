#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "client/checks.h"
#include "clock_line.h"
#include "first_start_checks.h"
#include "text.h"
#include "waiting.h"

namespace ui_client {

namespace {

using qrwin::Check;

bool SameDay(const ClockLine& line, const SYSTEMTIME& t) {
    return line.year == t.wYear && line.month == t.wMonth && line.day == t.wDay &&
           line.weekday == t.wDayOfWeek;
}

int SecondOfDay(int hour, int minute, int second) {
    return (hour * 60 + minute) * 60 + second;
}

}  // namespace

void CheckClockLine(const WindowDriver& window) {
    SYSTEMTIME before{}, after{};
    std::string text;
    std::optional<ClockLine> line;
    // The first tick after start-up writes the line; until then it is the bare caption.
    WaitUntil(
        [&] {
            ::GetLocalTime(&before);
            text = window.Text("透明标签20").value_or("");
            ::GetLocalTime(&after);
            line = ParseClockLine(text);
            return line.has_value();
        },
        30, 500);
    if (!Check(line.has_value(), "透明标签20 reads 北京时间：yyyy/M/d 星期X上午|下午 HH:MM:SS",
               Shown(text)))
        return;
    std::printf("clock line: %s\n", text.c_str());
    Check(SameDay(*line, before) || SameDay(*line, after),
          "the clock line shows today's date and weekday");
    Check(line->afternoon == (line->hour >= 12),
          "the designator is 上午 before noon and 下午 after, with the hour in 24-hour form");
    const int shown = SecondOfDay(line->hour, line->minute, line->second);
    const int now = SecondOfDay(before.wHour, before.wMinute, before.wSecond);
    const int apart = std::abs(shown - now);
    Check(apart <= 15 || apart >= 86400 - 15, "the clock line shows the local time",
          std::to_string(apart) + " s apart");
}

}  // namespace ui_client
