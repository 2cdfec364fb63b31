#include "notice/clock.h"

#include "notice/clock_text.h"
#include "shell/main_window.h"
#include "toolkit/services.h"

namespace {

constexpr char kClockCaption[] = "北京时间：";
constexpr char kDatePattern[] = "yyyy/M/d dddd";
constexpr char kTimePattern[] = "tt hh:mm:ss";

}  // namespace

void OnClockTick(MainWindow& window) {
    // Always the machine's local time: the caption names Beijing, but no zone is applied.
    window.透明标签20->SetCaption(kClockCaption + FormatDateTime(services::CurrentDateTimeValue(),
                                                                 kDatePattern, kTimePattern, true));

    // Blue turns red; any other colour, red or one set elsewhere, turns blue.
    ui::LinkLabel& link = *window.透明标签14;
    link.SetTextColour(link.TextColour() == ui::kBlue ? ui::kRed : ui::kBlue);
}
