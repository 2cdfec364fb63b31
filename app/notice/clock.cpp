#include "notice/clock.h"

#include <QColor>

#include "notice/date_time_format.h"
#include "shell/main_window.h"

namespace {

constexpr char16_t kClockCaption[] = u"北京时间：";
constexpr char16_t kDatePattern[] = u"yyyy/M/d dddd";
constexpr char16_t kTimePattern[] = u"tt hh:mm:ss";
const QColor kLinkBlue(0, 0, 255);
const QColor kLinkRed(255, 0, 0);

}  // namespace

void OnClockTick(MainWindow& window) {
    // Always the machine's local time: the caption names Beijing, but no zone is applied.
    window.透明标签20->setText(
        QString::fromUtf16(kClockCaption) +
        FormatDateTime(CurrentDateTimeValue(), kDatePattern, kTimePattern, true));

    // Blue turns red; any other colour, red or one set elsewhere, turns blue.
    LinkLabel& link = *window.透明标签14;
    link.setTextColor(link.textColor().rgb() == kLinkBlue.rgb() ? kLinkRed : kLinkBlue);
}
