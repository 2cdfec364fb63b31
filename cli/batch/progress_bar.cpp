#include "batch/progress_bar.h"

#include <algorithm>
#include <string>

namespace qrcli {

namespace {
constexpr int kBarWidth = 40;
constexpr size_t kLinesBetweenCounts = 1000;  // when only the count can be shown
}  // namespace

void ProgressBar::Show(size_t lines, uint64_t part, uint64_t whole) {
    if (!enabled_) return;
    if (whole == 0) {
        if (shown_ && lines - lastLines_ < kLinesBetweenCounts) return;
        std::fprintf(stream_, "\r%zu lines", lines);
    } else {
        part = std::min(part, whole);
        const int filled = static_cast<int>(part * kBarWidth / whole);
        const int percent = static_cast<int>(part * 100 / whole);
        if (shown_ && filled == lastFilled_ && percent == lastPercent_) return;
        const std::string bar =
            std::string(static_cast<size_t>(filled), '#') + std::string(kBarWidth - filled, '.');
        std::fprintf(stream_, "\r[%s] %3d%% %zu lines", bar.c_str(), percent, lines);
        lastFilled_ = filled;
        lastPercent_ = percent;
    }
    std::fflush(stream_);
    shown_ = true;
    lastLines_ = lines;
}

void ProgressBar::Clear() {
    if (!enabled_ || !shown_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

}  // namespace qrcli
