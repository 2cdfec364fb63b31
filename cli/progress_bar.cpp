#include "progress_bar.h"

#include <string>

namespace qrcli {

namespace {
constexpr int kBarWidth = 40;
}

void ProgressBar::Show(size_t done, size_t total) {
    if (!enabled_ || total == 0) return;
    const int filled = static_cast<int>(done * kBarWidth / total);
    const int percent = static_cast<int>(done * 100 / total);
    if (shown_ && filled == lastFilled_ && percent == lastPercent_) return;
    const std::string bar =
        std::string(static_cast<size_t>(filled), '#') + std::string(kBarWidth - filled, '.');
    std::fprintf(stream_, "\r[%s] %3d%% %zu/%zu", bar.c_str(), percent, done, total);
    std::fflush(stream_);
    shown_ = true;
    lastFilled_ = filled;
    lastPercent_ = percent;
}

void ProgressBar::Clear() {
    if (!enabled_ || !shown_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

}  // namespace qrcli
